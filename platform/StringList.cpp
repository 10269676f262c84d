// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "StringList.h"

#include <algorithm>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "AtomicFile.h"
#include "ByteOrderMark.h"
#include "Encoding.h"
#include "Exception.h"
#include "Utf16Text.h"

namespace kwindel {

StringList& StringList::operator=(StringList&& other) noexcept {
  if (this != &other) {
    buffer_ = std::move(other.buffer_);
    size_ = std::exchange(other.size_, 0);
    entries_ = std::move(other.entries_);
    count_ = std::exchange(other.count_, 0);
    entryCapacity_ = std::exchange(other.entryCapacity_, 0);
    longLines_ = std::move(other.longLines_);
    other.longLines_.clear();
    textBytes_ = std::exchange(other.textBytes_, 0);
    utf8_ = std::exchange(other.utf8_, false);
  }
  return *this;
}

StringList::Entry StringList::Pack(std::size_t offset, std::size_t length) {
  if (length >= kLongLine) {
    longLines_[offset] = length;
    textBytes_ += length;
    return (std::uint64_t{offset} << 24) | kLongLine;
  }
  textBytes_ += length;
  return (std::uint64_t{offset} << 24) | length;
}

std::string_view StringList::operator[](int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= count_) {
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  }
  return Unchecked(static_cast<std::size_t>(index));
}

void StringList::AddJoinedSlowly(std::string_view head, std::string_view tail) {
  const std::size_t length = head.size() + tail.size();
  if (count_ == entryCapacity_) GrowEntries(count_ + 1);
  // The parts may be lines of this very list: the old buffer stays until they are copied.
  ByteBlock previous;
  if (buffer_.capacity() - size_ < length + 2) previous = GrowBuffer(size_ + length + 2);
  char* out = buffer_.data() + size_;
  std::copy(head.begin(), head.end(), out);
  std::copy(tail.begin(), tail.end(), out + head.size());
  out[length] = '\r';
  out[length + 1] = '\n';
  Entries()[count_++] = Pack(size_, length);
  size_ += length + 2;
}

void StringList::GrowEntries(std::size_t atLeast) {
  const std::size_t capacity = std::max({atLeast, 2 * entryCapacity_, std::size_t{16}});
  entries_.Resize(capacity * sizeof(Entry), count_ * sizeof(Entry));
  entryCapacity_ = entries_.capacity() / sizeof(Entry);
}

ByteBlock StringList::GrowBuffer(std::size_t atLeast) {
  if (atLeast > kMaxBuffer) throw std::bad_alloc();
  ByteBlock larger(
      std::min(std::max({atLeast, 2 * buffer_.capacity(), std::size_t{256}}), kMaxBuffer));
  std::copy_n(buffer_.data(), size_, larger.data());
  return std::exchange(buffer_, std::move(larger));
}

void StringList::Delete(int index) {
  textBytes_ -= (*this)[index].size();  // also the bounds check
  Entry* entries = Entries();
  std::copy(entries + index + 1, entries + count_, entries + index);
  --count_;
}

void StringList::Clear() {
  buffer_ = ByteBlock();
  size_ = 0;
  entries_ = ByteBlock();
  count_ = 0;
  entryCapacity_ = 0;
  longLines_.clear();
  textBytes_ = 0;
  utf8_ = false;
}

void StringList::Reserve(std::size_t lines, std::size_t bytes) {
  if (entryCapacity_ - count_ < lines) GrowEntries(count_ + lines);
  // Each line is kept with its CR LF.
  if (buffer_.capacity() - size_ < bytes + 2 * lines) GrowBuffer(size_ + bytes + 2 * lines);
}

void StringList::SetText(std::string_view bytes) {
  ByteBlock block(bytes.size() + kReadPadding);
  std::copy(bytes.begin(), bytes.end(), block.data());
  std::fill_n(block.data() + bytes.size(), kReadPadding, '\0');
  Split(std::move(block), bytes.size());
}

void StringList::Split(ByteBlock bytes, std::size_t size) {
  // Only the first few bytes are looked at: on Linux a list without a mark costs no extra pass
  // (on Windows one more, over the lines, tells UTF-8 from the ANSI code page).
  const ListStart start = ReadByteOrderMark({bytes.data(), size});
  if (start.encoding == ListEncoding::Bytes) {
    SplitLines(std::move(bytes), size, start.markLength);
    // The content now ends at its first NUL; what follows is no part of the list.
    utf8_ = kUnicodeBesideAnsi &&
            (start.markLength != 0 ||
             IsUtf8BeyondAscii({buffer_.data() + start.markLength, size_ - start.markLength}));
    return;
  }
  const std::string text = Utf16ToUtf8({bytes.data() + start.markLength, size - start.markLength},
                                       start.encoding == ListEncoding::Utf16BigEndian);
  bytes = ByteBlock();
  ByteBlock block(text.size() + kReadPadding);
  std::copy(text.begin(), text.end(), block.data());
  std::fill_n(block.data() + text.size(), kReadPadding, '\0');
  SplitLines(std::move(block), text.size(), 0);
  utf8_ = kUnicodeBesideAnsi;
}

void StringList::SplitLines(ByteBlock bytes, std::size_t size, std::size_t start) {
  // Offsets must fit their 40 bits wherever the buffer may grow to.
  if (bytes.capacity() > kMaxBuffer) throw std::bad_alloc();
  Clear();
  buffer_ = std::move(bytes);
  size_ = size;
  // A guess that costs nothing where it is too high: untouched memory is never used.
  GrowEntries(size / 16 + 16);

  // Every CR, LF and NUL is found 16 bytes at a time. The content is followed by zero bytes,
  // so the first NUL at or after its end stops the scan, and a CR's next byte can always be read.
  const char* const base = buffer_.data();
  std::size_t lineStart = start;
  auto emit = [&](std::size_t end) {
    if (count_ == entryCapacity_) GrowEntries(count_ + 1);
    Entries()[count_++] = Pack(lineStart, end - lineStart);
  };
  for (std::size_t chunk = 0;; chunk += 16) {
#if defined(__SSE2__)
    const __m128i bytes16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + chunk));
    const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes16, _mm_set1_epi8('\r')),
                                                   _mm_cmpeq_epi8(bytes16, _mm_set1_epi8('\n'))),
                                      _mm_cmpeq_epi8(bytes16, _mm_setzero_si128()));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
#else
    unsigned mask = 0;
    for (unsigned i = 0; i < 16; ++i) {
      const char c = base[chunk + i];
      if (c == '\r' || c == '\n' || c == '\0') mask |= 1u << i;
    }
#endif
    for (; mask != 0; mask &= mask - 1) {
      const std::size_t at = chunk + static_cast<unsigned>(__builtin_ctz(mask));
      if (at < lineStart) continue;  // the LF of a CR LF
      const char c = base[at];
      if (c == '\0') {
        if (at > lineStart) emit(at);  // a last line without a break
        size_ = at;
        return;
      }
      emit(at);
      lineStart = at + 1 + (c == '\r' && base[at + 1] == '\n');
    }
  }
}

void StringList::LoadFromFile(const std::string& path) {
  ByteBlock bytes;
  std::size_t size = 0;
  switch (ReadWholeFile(path, bytes, size)) {
    case ReadOutcome::Read:
      Split(std::move(bytes), size);
      return;
    case ReadOutcome::ReadError:
      throw Exception("Stream read error");
    default:
      throw Exception(FormatMessage("Cannot open file %s", path));
  }
}

void StringList::SaveToFile(const std::string& path) const {
  AtomicFile file(path);
  bool written = file.Open() && (!utf8_ || file.Write("\xEF\xBB\xBF"));
  const char* const base = buffer_.data();
  const Entry* const entries = Entries();
  for (std::size_t i = 0; written && i < count_;) {
    // Lines that lie one after the other in the buffer, each followed by CR LF, go out in one
    // piece, as they lie: a list built line by line is written without copying it.
    const std::size_t start = entries[i] >> 24;
    std::size_t end = start;
    std::size_t next = i;
    for (; next < count_ && (entries[next] >> 24) == end; ++next) {
      const std::size_t lineEnd = end + View(entries[next]).size();
      if (lineEnd + 2 > size_ || base[lineEnd] != '\r' || base[lineEnd + 1] != '\n') break;
      end = lineEnd + 2;
    }
    if (next != i) {
      written = file.Write({base + start, end - start});
      i = next;
    } else {
      written = file.Write(Unchecked(i)) && file.Write("\r\n");
      ++i;
    }
  }
  if (written && file.Commit()) return;
  if (file.failure() == AtomicFile::Failure::Create) {
    throw Exception(FormatMessage("Cannot create file %s", path));
  }
  throw Exception("Stream write error");
}

}  // namespace kwindel
