#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <vector>

namespace kwindel {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

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
  if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
    return info.st_mode & 07777;
  return 0666 & ~CurrentUmask();
}

std::string FolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR)
        continue;
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
  if (fd < 0)
    return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
  Discard();
}

bool AtomicFile::Open() {
  std::string folder = FolderOf(path_);
  std::string name = path_.substr(path_.rfind('/') == std::string::npos ? 0 : path_.rfind('/') + 1);
  std::vector<char> pattern(folder.begin(), folder.end());
  std::string suffix = "/." + name + ".XXXXXX";
  pattern.insert(pattern.end(), suffix.begin(), suffix.end());
  pattern.push_back('\0');
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0)
    return Fail(Failure::Create);
  tempPath_ = pattern.data();
  if (::fchmod(fd_, ModeFor(path_)) != 0)
    return Fail(Failure::Create);
  buffer_.reserve(kBufferSize);
  return true;
}

bool AtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0)
    return false;
  if (buffer_.size() + bytes.size() > kBufferSize) {
    if (!FlushBuffer())
      return false;
    if (bytes.size() >= kBufferSize) {
      return WriteAll(fd_, bytes.data(), bytes.size()) || Fail(Failure::Write);
    }
  }
  buffer_.append(bytes);
  return true;
}

bool AtomicFile::Commit() {
  if (fd_ < 0)
    return false;
  if (!FlushBuffer())
    return false;
  if (::fdatasync(fd_) != 0)
    return Fail(Failure::Write);
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0)
    return Fail(Failure::Write);
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0)
    return Fail(Failure::Create);
  tempPath_.clear();
  SyncFolder(FolderOf(path_));
  return true;
}

bool AtomicFile::FlushBuffer() {
  if (buffer_.empty())
    return true;
  if (!WriteAll(fd_, buffer_.data(), buffer_.size()))
    return Fail(Failure::Write);
  buffer_.clear();
  return true;
}

bool AtomicFile::Fail(Failure failure) {
  failure_ = failure;
  Discard();
  return false;
}

void AtomicFile::Discard() {
  if (fd_ >= 0)
    ::close(fd_);
  fd_ = -1;
  if (!tempPath_.empty())
    ::unlink(tempPath_.c_str());
  tempPath_.clear();
}

}  // namespace kwindel
