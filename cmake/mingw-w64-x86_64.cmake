# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads compilers).
# The dependencies built by scripts/windows-build live under $ZARNOK_WINDOWS_DEPS.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $ENV{ZARNOK_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Dependencies name some libraries bare (minizip, z); they are found here.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L$ENV{ZARNOK_WINDOWS_DEPS}/lib")
