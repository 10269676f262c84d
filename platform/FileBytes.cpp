#include "FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kwindel {

ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes) {
  // Non-blocking open, so a FIFO given as a file cannot hang the caller; only regular files are
  // read.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::CannotOpen;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return ReadOutcome::CannotOpen;
  }
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  ReadOutcome outcome = ReadOutcome::Read;
  char chunk[1 << 16];
  for (;;) {
    ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) outcome = ReadOutcome::ReadError;
    if (got <= 0) break;
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return outcome;
}

}  // namespace kwindel
