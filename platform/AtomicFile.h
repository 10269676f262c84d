#pragma once

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
  bool Write(std::string_view bytes);
  bool Commit();

  Failure failure() const { return failure_; }

 private:
  bool FlushBuffer();
  bool Fail(Failure failure);
  void Discard();

  std::string path_;
  std::string tempPath_;
  std::string buffer_;
  int fd_ = -1;
  Failure failure_ = Failure::None;
};

}  // namespace kwindel
