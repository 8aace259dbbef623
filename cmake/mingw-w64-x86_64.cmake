# Cross-builds the Qt-free part for 64-bit Windows with MinGW-w64 on Debian, and runs what it
# builds under Wine: cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
# The -posix compilers are named outright: with both thread models installed, the plain
# x86_64-w64-mingw32-g++ is the win32 one, whose standard library has no std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and the threads library go into each program, so that an .exe runs
# on its own, copied anywhere.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Tests and programs run under Wine, with a prefix of its own inside the build folder, made
# on the first run; no debug chatter, and no offer to install Mono or Gecko. Wine reads the
# command line in the locale's character set: UTF-8, so that names outside ASCII arrive.
find_program(QUENDRIX_WINE wine)
if(QUENDRIX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
            LC_ALL=C.UTF-8 ${QUENDRIX_WINE})
endif()
