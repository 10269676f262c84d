// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "Paths.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include "Encoding.h"
#else
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#endif

namespace kwindel {

namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "\\/";  // Windows takes either
#else
constexpr const char* kSeparators = "/";
#endif

}  // namespace

std::string FolderOf(const std::string& path) {
  const auto separator = path.find_last_of(kSeparators);
  std::string folder =
      separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
  if (folder.empty() || folder.find_last_of(kSeparators) != folder.size() - 1) {
    folder += kPathSeparator;
  }
  return folder;
}

std::string FileNameOf(const std::string& path) {
  const auto separator = path.find_last_of(kSeparators);
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

#ifdef _WIN32

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(FromWide(CP_UTF8, wide[i]));
  LocalFree(wide);
  return arguments;
}

std::string ExecutablePath() {
  // The path may be longer than MAX_PATH: grow until it fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return FromWide(CP_UTF8, buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool SetCurrentFolder(const std::string& folder) {
  return SetCurrentDirectoryW(WideName(folder).c_str()) != FALSE;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WideName(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

#else

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

#ifdef __EMSCRIPTEN__
std::string ExecutablePath() {
  // A page has no executable file: the program lives in the home folder of the page's own
  // file system, which is memory and is gone when the page closes.
  return "/home/web_user/Kwindel";
}
#else
std::string ExecutablePath() {
  std::array<char, 4096> buffer{};
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return {};
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}
#endif

bool SetCurrentFolder(const std::string& folder) {
  return ::chdir(folder.c_str()) == 0;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

#endif

}  // namespace kwindel
