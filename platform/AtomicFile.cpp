// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "AtomicFile.h"

namespace kwindel {

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
  Discard();
}

bool AtomicFile::WriteThrough(std::string_view bytes) {
  if (!IsOpen() || !FlushBuffer()) return false;
  if (bytes.size() >= kBufferSize) {
    return WriteAll(bytes.data(), bytes.size()) || Fail(Failure::Write);
  }
  std::memcpy(buffer_.get(), bytes.data(), bytes.size());
  used_ = bytes.size();
  return true;
}

bool AtomicFile::FlushBuffer() {
  if (used_ == 0) return true;
  if (!WriteAll(buffer_.get(), used_)) return Fail(Failure::Write);
  used_ = 0;
  return true;
}

bool AtomicFile::Fail(Failure failure) {
  failure_ = failure;
  Discard();
  return false;
}

}  // namespace kwindel
