// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
// The POSIX side of AtomicFile: mkostemp, fdatasync and rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "AtomicFile.h"

namespace kwindel {

namespace {

// The process umask, read without changing it (umask() would race with other threads).
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0)
      return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  }
  return 022;
}

// A replaced file keeps its permissions; a new one gets what open() would have given it.
mode_t ModeFor(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
  return 0666 & ~CurrentUmask();
}

std::string FolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a folder that cannot be synced is no failure.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool AtomicFile::Open() {
  // A hidden name beside the target, so the rename stays within one file system.
  std::string pattern = FolderOf(path_) + "/." + path_.substr(path_.rfind('/') + 1) + ".XXXXXX";
  file_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (file_ < 0) return Fail(Failure::Create);
  tempPath_ = pattern;
  if (::fchmod(file_, ModeFor(path_)) != 0) return Fail(Failure::Create);
  return true;
}

bool AtomicFile::Commit() {
  if (file_ < 0) return false;
  if (!FlushBuffer()) return false;
  if (::fdatasync(file_) != 0) return Fail(Failure::Write);
  int fd = file_;
  file_ = -1;
  if (::close(fd) != 0) return Fail(Failure::Write);
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0) return Fail(Failure::Create);
  tempPath_.clear();
  SyncFolder(FolderOf(path_));
  return true;
}

bool AtomicFile::IsOpen() const {
  return file_ >= 0;
}

bool AtomicFile::WriteAll(const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = ::write(file_, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

void AtomicFile::Discard() {
  if (file_ >= 0) ::close(file_);
  file_ = -1;
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
  tempPath_.clear();
}

}  // namespace kwindel
