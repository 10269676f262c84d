// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
// The POSIX side of FileBytes: huge-page mappings and non-blocking reads.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "FileBytes.h"

namespace kwindel {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Smaller blocks come from the heap: a mapping of their own would cost more than it saves.
constexpr std::size_t kMapFrom = std::size_t{1} << 20;

constexpr std::size_t RoundUp(std::size_t value, std::size_t step) {
  return (value + step - 1) / step * step;
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

// Non-blocking, so a FIFO given as a file cannot hang the caller.
ReadOutcome ReadOnlyFile::Open(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) return errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::CannotOpen;
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    return ReadOutcome::CannotOpen;
  }
  size_ = static_cast<std::size_t>(info.st_size);
  return ReadOutcome::Read;
}

long long ReadOnlyFile::Read(char* into, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd_, into, size);
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

ReadOnlyFile::~ReadOnlyFile() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace kwindel
