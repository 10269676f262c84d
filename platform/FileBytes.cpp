#include "FileBytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace kwindel {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Smaller blocks come from the heap: a mapping of their own would cost more than it saves.
constexpr std::size_t kMapFrom = std::size_t{1} << 20;

constexpr std::size_t RoundUp(std::size_t value, std::size_t step) {
  return (value + step - 1) / step * step;
}

// Opens a regular file for reading. Non-blocking, so a FIFO given as a file cannot hang the
// caller; anything but a regular file cannot be opened as one.
ReadOutcome OpenRegular(const std::string& path, int& fd, std::size_t& size) {
  fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::CannotOpen;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    fd = -1;
    return ReadOutcome::CannotOpen;
  }
  size = static_cast<std::size_t>(info.st_size);
  return ReadOutcome::Read;
}

}  // namespace

ByteBlock::ByteBlock(std::size_t capacity) {
  if (capacity == 0) return;
  if (capacity < kMapFrom) {
    data_ = static_cast<char*>(std::malloc(capacity));
    if (data_ == nullptr) throw std::bad_alloc();
    capacity_ = capacity;
    return;
  }
  const std::size_t length = RoundUp(capacity, kHugePage);
  // One huge page more than needed, trimmed so that the block starts on a huge-page boundary.
  void* raw = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  const auto rawStart = reinterpret_cast<std::uintptr_t>(raw);
  const std::size_t head = RoundUp(rawStart, kHugePage) - rawStart;
  char* start = static_cast<char*>(raw) + head;
  if (head != 0) ::munmap(raw, head);
  if (head != kHugePage) ::munmap(start + length, kHugePage - head);
  ::madvise(start, length, MADV_HUGEPAGE);  // advice only: without it the block still works
  data_ = start;
  capacity_ = length;
  mapped_ = length;
}

void ByteBlock::Resize(std::size_t capacity, std::size_t keep) {
  ByteBlock larger(capacity);
  if (keep != 0) std::memcpy(larger.data(), data_, keep);
  *this = std::move(larger);
}

void ByteBlock::Release() {
  if (mapped_ != 0) {
    ::munmap(data_, mapped_);
  } else {
    std::free(data_);
  }
  data_ = nullptr;
  capacity_ = 0;
  mapped_ = 0;
}

ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes) {
  int fd = -1;
  std::size_t expected = 0;
  if (ReadOutcome opened = OpenRegular(path, fd, expected); opened != ReadOutcome::Read) {
    return opened;
  }
  bytes.reserve(expected);
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

ReadOutcome ReadWholeFile(const std::string& path, ByteBlock& bytes, std::size_t& size) {
  int fd = -1;
  std::size_t expected = 0;
  if (ReadOutcome opened = OpenRegular(path, fd, expected); opened != ReadOutcome::Read) {
    return opened;
  }
  // Straight into the block, without a chunk in between. One byte beyond the expected size
  // lets the final read see the end; a file that grows meanwhile grows the block.
  ByteBlock block(expected + 1 + kReadPadding);
  std::size_t got = 0;
  ReadOutcome outcome = ReadOutcome::Read;
  for (;;) {
    if (block.capacity() - got <= kReadPadding) block.Resize(2 * block.capacity(), got);
    ssize_t read = ::read(fd, block.data() + got, block.capacity() - got - kReadPadding);
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) outcome = ReadOutcome::ReadError;
    if (read <= 0) break;
    got += static_cast<std::size_t>(read);
  }
  ::close(fd);
  if (outcome != ReadOutcome::Read) return outcome;
  std::memset(block.data() + got, 0, kReadPadding);
  bytes = std::move(block);
  size = got;
  return outcome;
}

}  // namespace kwindel
