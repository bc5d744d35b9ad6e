# The Debian package: the files it installs beyond the program's own install rules,
# and CPack's DEB settings. `cmake --build build --target package` or
# `bash scripts/package.sh` builds build/torbel_<version>-1_<arch>.deb.
include(GNUInstallDirs)

set(TORBEL_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(TORBEL_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(TORBEL_PACKAGING_OUTPUTS)

# Debian wants manual pages and changelogs compressed at the highest level, without
# the time stamp that would make every build differ.
find_program(TORBEL_GZIP gzip REQUIRED)
function(torbel_gzip source target)
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TORBEL_PACKAGING_OUT}
    COMMAND ${TORBEL_GZIP} -9nc ${source} > ${target}
    DEPENDS ${source} VERBATIM)
  set(TORBEL_PACKAGING_OUTPUTS ${TORBEL_PACKAGING_OUTPUTS} ${target} PARENT_SCOPE)
endfunction()

torbel_gzip(${TORBEL_PACKAGING_DIR}/man/torbel.1 ${TORBEL_PACKAGING_OUT}/torbel.1.gz)
torbel_gzip(${TORBEL_PACKAGING_DIR}/man/en/torbel.1 ${TORBEL_PACKAGING_OUT}/torbel.en.1.gz)
torbel_gzip(${TORBEL_PACKAGING_DIR}/changelog ${TORBEL_PACKAGING_OUT}/changelog.Debian.gz)
install(FILES ${TORBEL_PACKAGING_OUT}/torbel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TORBEL_PACKAGING_OUT}/torbel.en.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/en/man1 RENAME torbel.1.gz)
install(FILES ${TORBEL_PACKAGING_OUT}/changelog.Debian.gz ${TORBEL_PACKAGING_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Menus that cannot draw SVG take PNG icons; they are drawn from the one SVG.
set(TORBEL_ICON_SIZES 16 22 24 32 48 64 128 256)
find_program(TORBEL_RSVG_CONVERT rsvg-convert)
if(TORBEL_RSVG_CONVERT)
  foreach(size ${TORBEL_ICON_SIZES})
    set(png ${TORBEL_PACKAGING_OUT}/icons/${size}x${size}/torbel.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${TORBEL_PACKAGING_OUT}/icons/${size}x${size}
      COMMAND ${TORBEL_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${PROJECT_SOURCE_DIR}/desktop/torbel.svg
      DEPENDS ${PROJECT_SOURCE_DIR}/desktop/torbel.svg VERBATIM)
    list(APPEND TORBEL_PACKAGING_OUTPUTS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "rsvg-convert not found (Debian: librsvg2-bin): the package gets no PNG icons")
endif()

add_custom_target(torbel_package_files ALL DEPENDS ${TORBEL_PACKAGING_OUTPUTS})

install(FILES ${TORBEL_PACKAGING_DIR}/org.example.torbel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TORBEL_PACKAGING_DIR}/torbel.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME torbel)
install(FILES ${PROJECT_SOURCE_DIR}/examples/karelia.trb DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torbel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "R.K.Forge")
set(CPACK_PACKAGE_CONTACT "R.K.Forge <torbel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "food planner for multi-day hiking trips")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debug information stays in the build tree.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "R.K.Forge <torbel@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.example.org/torbel/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries: the toolkit's Russian texts and the serif the windows and
# documents are set in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-writer")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Torbel keeps a catalog of products and a ration of daily menus, lays the
menus over the days of a hiking trip and shows the group's quantities and
the weight each participant carries. It makes purchase lists for the whole
trip or for one duty shift, works out energy, nutrients, packages and cost,
splits the food among the backpacks, and writes the layout and the lists
as .docx or PDF documents.
.
The interface is in Russian. Trip files (.trb) open in it from the file
manager; the same lists and documents are available on the command line.")
include(CPack)
