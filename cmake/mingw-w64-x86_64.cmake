# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
# The posix thread model gives the standard library its threads and mutexes;
# everything is linked statically, so the executables need no DLLs of the
# compiler beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VANBRISK_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${VANBRISK_MINGW_TRIPLE}-gcc-posix ${VANBRISK_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${VANBRISK_MINGW_TRIPLE}-g++-posix ${VANBRISK_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${VANBRISK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VANBRISK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run through Wine, in a private prefix inside the build folder, without
# Wine's debug output and without the offers to install Mono and Gecko; CTest
# and gtest_discover_tests run every Windows executable this way. Wine keeps
# its Recycle Bin in the XDG trash folder, so that is private too (an absolute
# path: Wine's trash refuses one with ".."), and only then may the tests empty
# the bin.
find_program(VANBRISK_WINE NAMES wine wine64)
if(VANBRISK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
      WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= XDG_DATA_HOME=${CMAKE_BINARY_DIR}/wine-xdg
      VANBRISK_TEST_MAY_EMPTY_RECYCLE_BIN=1 ${VANBRISK_WINE})
endif()
