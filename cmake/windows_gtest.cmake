# GoogleTest for the Windows-built test programs, from Debian's googletest sources. MinGW's
# win32 thread model has no std::mutex, so GoogleTest gets its one thread primitive on Win32.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main)
  target_compile_options(${target} PRIVATE -include ${PROJECT_SOURCE_DIR}/cmake/mingw/gtest_notification.h -w)
  target_compile_options(${target} INTERFACE -include ${PROJECT_SOURCE_DIR}/cmake/mingw/gtest_notification.h)
endforeach()
