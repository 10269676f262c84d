// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kwindel {

// Paths in the program's 8-bit text (see Encoding.h).

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The folder part of a path, up to and including its last separator, with a
// separator appended when there is none.
std::string FolderOf(const std::string& path);

// The part after the folder.
std::string FileNameOf(const std::string& path);

// The program's arguments, its own name first; on Windows read from the wide
// command line, so that any name arrives whole.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The full path of the running executable.
std::string ExecutablePath();

// Makes the folder the process's current directory; false when it cannot.
bool SetCurrentFolder(const std::string& folder);

// True when something other than a folder is at the path.
bool FileExists(const std::string& path);

}  // namespace kwindel
