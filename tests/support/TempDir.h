// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace kwindel::test {

// The program's 8-bit name of a path (see Encoding.h): its bytes on Linux,
// UTF-8 on Windows.
inline std::string NameOf(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::u8string name = path.u8string();
  return {name.begin(), name.end()};
#else
  return path.string();
#endif
}

// A path for the standard library from the program's 8-bit name.
inline std::filesystem::path PathOf(std::string_view name) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
  return std::filesystem::path(name);
#endif
}

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir() : TempDir(NameOf(std::filesystem::temp_directory_path())) {}
  // In the given folder rather than the temporary one.
  explicit TempDir(const std::string& parent) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (;;) {
      const std::filesystem::path candidate =
          PathOf(parent) / ("kwindel-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate)) {
        path_ = NameOf(candidate);
        return;
      }
    }
  }
  ~TempDir() {
    std::error_code ignored;
    // A window under test makes its folder the current one, and Windows removes no folder that
    // is current.
    const std::filesystem::path current = std::filesystem::current_path(ignored);
    if (NameOf(current).starts_with(path_)) {
      std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    }
    std::filesystem::remove_all(PathOf(path_), ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(std::string_view name) const {
    return path_ + kSeparator + std::string(name);
  }

 private:
  std::string path_;
};

// Through the C library's wide open on Windows: its streams take a path's
// name in the ANSI code page there, which not every name fits.
inline std::FILE* OpenFile(const std::string& path, bool write) {
#ifdef _WIN32
  return _wfopen(PathOf(path).c_str(), write ? L"wb" : L"rb");
#else
  return std::fopen(path.c_str(), write ? "wb" : "rb");
#endif
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
  if (std::FILE* file = OpenFile(path, true)) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

inline std::string ReadFile(const std::string& path) {
  std::string bytes;
  if (std::FILE* file = OpenFile(path, false)) {
    char chunk[1 << 16];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
      bytes.append(chunk, got);
    }
    std::fclose(file);
  }
  return bytes;
}

inline std::size_t CountEntries(const std::string& folder) {
  auto entries = std::filesystem::directory_iterator(PathOf(folder));
  return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

}  // namespace kwindel::test
