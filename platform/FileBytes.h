// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <utility>

namespace kwindel {

enum class ReadOutcome { Read, Missing, CannotOpen, ReadError };

// Raw memory for a file's bytes or a list's lines. A large block is mapped on
// its own and asks for huge pages: a list of tens of megabytes then costs a few
// dozen page faults and TLB entries instead of thousands, which matters when
// its lines are read in a random order. The memory is not initialised.
class ByteBlock {
 public:
  ByteBlock() = default;
  explicit ByteBlock(std::size_t capacity);
  ~ByteBlock() { Release(); }
  ByteBlock(ByteBlock&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)),
        capacity_(std::exchange(other.capacity_, 0)),
        mapped_(std::exchange(other.mapped_, 0)) {}
  ByteBlock& operator=(ByteBlock&& other) noexcept {
    if (this != &other) {
      Release();
      data_ = std::exchange(other.data_, nullptr);
      capacity_ = std::exchange(other.capacity_, 0);
      mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
  }
  ByteBlock(const ByteBlock&) = delete;
  ByteBlock& operator=(const ByteBlock&) = delete;

  char* data() { return data_; }
  const char* data() const { return data_; }
  std::size_t capacity() const { return capacity_; }

  // A block of at least `capacity` bytes holding the first `keep` bytes of this one.
  void Resize(std::size_t capacity, std::size_t keep);

 private:
  void Release();

  char* data_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t mapped_ = 0;  // the mapping's length; 0 when the block came from the heap
};

// A regular file open for reading; others may read it meanwhile, not write it.
class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Anything but a regular file (a folder, a FIFO, a device) cannot be opened.
  ReadOutcome Open(const std::string& path);
  // The size when opened; the file may still grow or shrink.
  std::size_t Size() const { return size_; }
  // Up to `size` bytes; 0 at the end, -1 on a read error.
  long long Read(char* into, std::size_t size);

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
  std::size_t size_ = 0;
};

// Reads a whole regular file into bytes; anything else (a folder, a FIFO, a
// device) cannot be opened as a file.
ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes);

// The same into a block: `size` bytes of content followed by at least
// kReadPadding zero bytes, so a scanner may read whole 16-byte words up to and
// past the content's end.
inline constexpr std::size_t kReadPadding = 64;
ReadOutcome ReadWholeFile(const std::string& path, ByteBlock& bytes, std::size_t& size);

}  // namespace kwindel
