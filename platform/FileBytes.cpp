// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "FileBytes.h"

#include <cstring>

namespace kwindel {

void ByteBlock::Resize(std::size_t capacity, std::size_t keep) {
  ByteBlock larger(capacity);
  if (keep != 0) std::memcpy(larger.data(), data_, keep);
  *this = std::move(larger);
}

ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes) {
  ReadOnlyFile file;
  if (ReadOutcome opened = file.Open(path); opened != ReadOutcome::Read) return opened;
  bytes.reserve(file.Size());
  char chunk[1 << 16];
  for (;;) {
    const long long got = file.Read(chunk, sizeof chunk);
    if (got < 0) return ReadOutcome::ReadError;
    if (got == 0) return ReadOutcome::Read;
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
}

ReadOutcome ReadWholeFile(const std::string& path, ByteBlock& bytes, std::size_t& size) {
  ReadOnlyFile file;
  if (ReadOutcome opened = file.Open(path); opened != ReadOutcome::Read) return opened;
  // Straight into the block, without a chunk in between. One byte beyond the expected size
  // lets the final read see the end; a file that grows meanwhile grows the block.
  ByteBlock block(file.Size() + 1 + kReadPadding);
  std::size_t got = 0;
  for (;;) {
    if (block.capacity() - got <= kReadPadding) block.Resize(2 * block.capacity(), got);
    const long long read = file.Read(block.data() + got, block.capacity() - got - kReadPadding);
    if (read < 0) return ReadOutcome::ReadError;
    if (read == 0) break;
    got += static_cast<std::size_t>(read);
  }
  std::memset(block.data() + got, 0, kReadPadding);
  bytes = std::move(block);
  size = got;
  return ReadOutcome::Read;
}

}  // namespace kwindel
