// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "Paths.h"

namespace kwindel::test {

// The path of a program this build made. On Windows the build ran on another
// machine (or outside Wine), so the build gives the path relative to the
// test's own executable.
inline std::string BuiltProgram(const char* path) {
#ifdef _WIN32
  return FolderOf(ExecutablePath()) + path;
#else
  return path;
#endif
}

}  // namespace kwindel::test
