# SPDX-License-Identifier: GPL-3.0-or-later
# CMake toolchain for cross-building 64-bit Windows programs on Debian with
# the MinGW-w64 compiler (package g++-mingw-w64-x86-64-posix). The "posix"
# variant carries std::thread and friends, which Qt needs. Used both for the
# static Qt and, chain-loaded by Qt's own toolchain file, for the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Headers, libraries and CMake packages come from the MinGW sysroot (and,
# added by Qt's toolchain file, the static Qt), never from the build
# machine; programs run at build time come from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
