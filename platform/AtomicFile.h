#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace kwindel {

// Writes a file through a temporary file in the same folder that is renamed
// over the target on Commit, so the target is either the old file whole or the
// new file whole, never half-written. A writer that is not committed removes
// its temporary file.
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
  void Discard();

  std::string path_;
  std::string tempPath_;
  std::unique_ptr<char[]> buffer_ = std::make_unique<char[]>(kBufferSize);
  std::size_t used_ = 0;
  int fd_ = -1;
  Failure failure_ = Failure::None;
};

}  // namespace kwindel
