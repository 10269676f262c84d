#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

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

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Makes the rename itself durable; a folder that cannot be synced is no failure.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
  Discard();
}

bool AtomicFile::Open() {
  // A hidden name beside the target, so the rename stays within one file system.
  std::string pattern = FolderOf(path_) + "/." + path_.substr(path_.rfind('/') + 1) + ".XXXXXX";
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) return Fail(Failure::Create);
  tempPath_ = pattern;
  if (::fchmod(fd_, ModeFor(path_)) != 0) return Fail(Failure::Create);
  return true;
}

bool AtomicFile::WriteThrough(std::string_view bytes) {
  if (fd_ < 0 || !FlushBuffer()) return false;
  if (bytes.size() >= kBufferSize) {
    return WriteAll(fd_, bytes.data(), bytes.size()) || Fail(Failure::Write);
  }
  std::memcpy(buffer_.get(), bytes.data(), bytes.size());
  used_ = bytes.size();
  return true;
}

bool AtomicFile::Commit() {
  if (fd_ < 0) return false;
  if (!FlushBuffer()) return false;
  if (::fdatasync(fd_) != 0) return Fail(Failure::Write);
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return Fail(Failure::Write);
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0) return Fail(Failure::Create);
  tempPath_.clear();
  SyncFolder(FolderOf(path_));
  return true;
}

bool AtomicFile::FlushBuffer() {
  if (used_ == 0) return true;
  if (!WriteAll(fd_, buffer_.get(), used_)) return Fail(Failure::Write);
  used_ = 0;
  return true;
}

bool AtomicFile::Fail(Failure failure) {
  failure_ = failure;
  Discard();
  return false;
}

void AtomicFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
  tempPath_.clear();
}

}  // namespace kwindel
