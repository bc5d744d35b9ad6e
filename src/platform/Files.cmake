# The platform layer's part that needs QtCore only: files written whole or not at all,
# regular files, system errors in Russian, the heap set-up. Its own file, so that the
# fuzz targets build it too.
add_library(torbel_files STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AtomicFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AtomicFile.h
  ${CMAKE_CURRENT_LIST_DIR}/HugeHeap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HugeHeap.h
  ${CMAKE_CURRENT_LIST_DIR}/Leftover.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Leftover.h
  ${CMAKE_CURRENT_LIST_DIR}/RegularFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegularFile.h
  ${CMAKE_CURRENT_LIST_DIR}/SystemError.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SystemError.h
)
torbel_layer(torbel_files)
target_link_libraries(torbel_files PUBLIC torbel_headers)
