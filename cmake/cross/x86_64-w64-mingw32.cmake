# 64-bit Windows with Debian's mingw-w64 cross compiler (its POSIX-threads flavour, which the C++ standard
# library's threads need); programs built here run under Wine, tests and test discovery included.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(cross_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${cross_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${cross_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${cross_triple}-windres)
# The target's libraries are the compiler's own; those the build makes for it (freeglut, GoogleTest) are named
# by their package folders (FreeGLUT_DIR, GTest_DIR).
set(CMAKE_FIND_ROOT_PATH /usr/${cross_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Debian's wine64 is not on PATH: it lives in Wine's library folder. The tests run in the Wine prefix given as
# METABALLS_WINEPREFIX (tools/cross-test makes one in the build folder, once: its first start is slow), and
# without Wine's own notes on stderr, which would bury a failing test's output.
find_program(METABALLS_WINE wine64 PATHS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all ${METABALLS_WINE})
if(METABALLS_WINEPREFIX)
  list(INSERT CMAKE_CROSSCOMPILING_EMULATOR 1 WINEPREFIX=${METABALLS_WINEPREFIX})
endif()
