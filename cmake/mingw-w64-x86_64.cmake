# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-building for Windows x86-64 with Debian's MinGW-w64 compilers (the
# POSIX thread model, which std::thread needs). Chained behind Qt's own
# toolchain file: -DQT_CHAINLOAD_TOOLCHAIN_FILE=<this file>.
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
# The C and C++ runtimes linked in, so an .exe needs no MinGW DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# The host's .pc files describe Linux libraries.
set(ENV{PKG_CONFIG_LIBDIR} "/usr/x86_64-w64-mingw32/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
# Tests and other programs of the build run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
