// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace kwindel {

// Writes a file through a temporary file in the same folder that replaces the
// target on Commit, once its bytes are on the disk, so the target is either the
// old file whole or the new file whole, never half-written. A writer that is
// not committed removes its temporary file.
class AtomicFile {
 public:
  enum class Failure { None, Create, Write };

  explicit AtomicFile(std::string path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Each returns false after a failure; failure() then says at which stage.
  bool Open();
  bool Write(std::string_view bytes) {
    if (bytes.size() > kBufferSize - used_) return WriteThrough(bytes);
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
    return true;
  }
  bool Commit();

  Failure failure() const { return failure_; }

 private:
  static constexpr std::size_t kBufferSize = 1 << 16;

  bool WriteThrough(std::string_view bytes);
  bool FlushBuffer();
  bool Fail(Failure failure);
  // The platform's part, in AtomicFile_unix.cpp and AtomicFile_win.cpp.
  bool IsOpen() const;
  bool WriteAll(const char* data, std::size_t size);
  void Discard();

  std::string path_;
  std::string tempPath_;
  std::unique_ptr<char[]> buffer_ = std::make_unique<char[]>(kBufferSize);
  std::size_t used_ = 0;
#ifdef _WIN32
  void* file_ = nullptr;  // the temporary file's HANDLE while it is open
#else
  int file_ = -1;
#endif
  Failure failure_ = Failure::None;
};

}  // namespace kwindel
