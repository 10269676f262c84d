// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <limits>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace kwindel::test {

// Limits the size of files this process writes, so a write stops short as on a
// full disk (root ignores permissions, but not this). Windows has no such
// limit: there Available is false and the limit does nothing.
class FileSizeLimit {
 public:
  static constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();
#ifdef _WIN32
  static constexpr bool Available = false;
  explicit FileSizeLimit(std::uint64_t) {}
#else
  static constexpr bool Available = true;
  explicit FileSizeLimit(std::uint64_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes == kNone ? RLIM_INFINITY : static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
#endif
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
#ifndef _WIN32
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
#endif
};

// Why a test of a full disk does not run on Windows.
inline constexpr char kNoFullDiskHere[] =
    "Windows has no per-process file size limit; the report's and the settings' full disk is "
    "tried on a full file system of its own (FullFolder)";

}  // namespace kwindel::test
