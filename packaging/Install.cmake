# What `cmake --install` puts beside the program for the desktop and the shell: manual
# pages, AppStream metadata, bash completion and the sample trip. The Debian package
# (debian/) installs through these rules; its tools compress what Debian wants
# compressed.
include(GNUInstallDirs)

set(TORBEL_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

# English under man1, so that `man torbel` and `whatis` in any locale find a page they
# can show; the Russian one where man looks for a Russian locale.
install(FILES ${TORBEL_PACKAGING_DIR}/man/torbel.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TORBEL_PACKAGING_DIR}/man/ru/torbel.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)

install(FILES ${TORBEL_PACKAGING_DIR}/invalid.rkforge.torbel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TORBEL_PACKAGING_DIR}/torbel.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME torbel)
install(FILES ${PROJECT_SOURCE_DIR}/examples/karelia.trb DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
