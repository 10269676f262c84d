// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#ifndef _WIN32
#include <sys/mount.h>
#endif

#include "FileSizeLimit.h"
#include "TempDir.h"

namespace kwindel::test {

// A folder whose file system is full: a tiny tmpfs filled to the last block,
// so a write fails as on a real full disk. On Linux the test mounts one where
// it may (as root); where it may not, a file size limit stands in while Arm()
// is held: writes then stop short too. A Windows program cannot mount one:
// under Wine, tests/windows/wine-session mounts it as root and names it, as a
// Windows path, in KWINDEL_FULL_DISK; each folder is then a fresh folder on it,
// removed afterwards.
class FullFolder {
 public:
  // The folder `name`, in the test's folder (on the shared full disk under Wine).
  FullFolder(const TempDir& dir, const std::string& name) {
#ifdef _WIN32
    if (Possible()) {
      onDisk_ = std::make_unique<TempDir>(SharedDisk());
      path_ = *onDisk_ / name;
      mounted_ = true;
    } else {
      path_ = dir / name;
    }
    std::filesystem::create_directories(PathOf(path_));
#else
    path_ = dir / name;
    std::filesystem::create_directories(path_);
    mounted_ = ::mount("kwindel-full", path_.c_str(), "tmpfs", 0, "size=64k") == 0;
#endif
  }
  ~FullFolder() {
#ifndef _WIN32
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
#endif
  }
  FullFolder(const FullFolder&) = delete;
  FullFolder& operator=(const FullFolder&) = delete;

  // Whether a full disk can be made here at all; kNoFullDisk says why not.
  static bool Possible() {
#ifdef _WIN32
    return !SharedDisk().empty();
#else
    return true;
#endif
  }

  bool Mounted() const {
    return mounted_;
  }
  const std::string& path() const {
    return path_;
  }

  // Takes up every block left; what was written before stays.
  void Fill() {
    if (!mounted_) return;
    std::FILE* file = OpenFile(path_ + kSeparator + ".filler", true);
    std::setvbuf(file, nullptr, _IONBF, 0);
    const std::string block(4096, 'f');
    while (std::fwrite(block.data(), 1, block.size(), file) == block.size()) {
    }
    while (std::fwrite(block.data(), 1, 1, file) == 1) {
    }
    std::fclose(file);
  }

  // Holds the stand-in limit, when there is no tmpfs, for as long as it lives:
  // a single byte, so every file the program saves stops short.
  std::unique_ptr<FileSizeLimit> Arm() const {
    return mounted_ ? nullptr : std::make_unique<FileSizeLimit>(1);
  }

  // The folder's files other than the filler.
  std::size_t Files() const {
    return CountEntries(path_) - (mounted_ ? 1 : 0);
  }

 private:
#ifdef _WIN32
  static std::string SharedDisk() {
    const char* disk = std::getenv("KWINDEL_FULL_DISK");
    return disk != nullptr ? disk : "";
  }

  std::unique_ptr<TempDir> onDisk_;
#endif
  std::string path_;
  bool mounted_ = false;
};

inline constexpr char kNoFullDisk[] =
    "no size-limited file system: under Wine, tests/windows/wine-session mounts a tmpfs for one "
    "(KWINDEL_FULL_DISK) only when it runs as root";

}  // namespace kwindel::test
