// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "FileBytes.h"

namespace kwindel {

// An ordered, unsorted list of 8-bit lines that may hold duplicates. Lines are
// opaque bytes. The list keeps them in one buffer and each line as one packed
// 8-byte entry, so a large file costs no allocation per line and little
// memory beyond its own bytes. A line added to the list is kept followed by
// CR LF, so a list saved in the order it was built is written straight from
// its buffer.
class StringList {
 public:
  StringList() = default;
  StringList(StringList&& other) noexcept { *this = std::move(other); }
  StringList& operator=(StringList&& other) noexcept;

  int Count() const { return static_cast<int>(count_); }

  // Raises "List index out of bounds (i)" outside 0..Count()-1.
  std::string_view operator[](int index) const;
  // For a caller that has checked the index itself.
  std::string_view Unchecked(std::size_t index) const { return View(Entries()[index]); }

  void Add(std::string_view line) { AddJoined({}, line); }
  // Adds one line made of two parts, without building it first.
  void AddJoined(std::string_view head, std::string_view tail) {
    const std::size_t length = head.size() + tail.size();
    if (count_ == entryCapacity_ || buffer_.capacity() - size_ < length + 2 || length >= kLongLine)
        [[unlikely]] {
      return AddJoinedSlowly(head, tail);
    }
    char* out = buffer_.data() + size_;
    if (!head.empty()) std::memcpy(out, head.data(), head.size());
    if (!tail.empty()) std::memcpy(out + head.size(), tail.data(), tail.size());
    out[length] = '\r';
    out[length + 1] = '\n';
    Entries()[count_++] = (std::uint64_t{size_} << 24) | length;
    size_ += length + 2;
    textBytes_ += length;
  }
  void Delete(int index);
  void Clear();

  // Makes room for `lines` more lines holding `bytes` more bytes in all (their
  // breaks not counted), so a list whose size is known grows without copying
  // itself.
  void Reserve(std::size_t lines, std::size_t bytes);

  // Hints that line `index` will soon be read: its entry, or its bytes (which
  // reads the entry). Lets a caller hide memory latency when reading lines in
  // a random order.
  void PrefetchEntry(std::size_t index) const { __builtin_prefetch(&Entries()[index]); }
  void PrefetchLine(std::size_t index) const {
    __builtin_prefetch(buffer_.data() + (Entries()[index] >> 24));
  }

  // The bytes of all lines, breaks not counted.
  std::size_t TextBytes() const { return textBytes_; }

  // Keeps, in order, only the lines for which keep(index, line) is true: one
  // pass, where deleting them one by one would move the rest every time.
  template <class Predicate>
  void Filter(Predicate keep) {
    Entry* entries = Entries();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count_; ++i) {
      std::string_view line = View(entries[i]);
      if (keep(i, line)) {
        entries[kept++] = entries[i];
      } else {
        textBytes_ -= line.size();
      }
    }
    count_ = kept;
  }

  // Replaces the content with the lines of bytes: CR, LF or CR LF ends a line,
  // a final line without a break counts, a break at the very end adds no empty
  // line, and the first NUL ends the content. A byte-order mark at the very
  // start is no text: a UTF-8 one is dropped, and after a UTF-16 one the rest
  // is decoded into UTF-8 first (see ByteOrderMark.h).
  void SetText(std::string_view bytes);

  // Whether the lines are UTF-8 rather than 8-bit text in the ANSI code page.
  // Only where the two differ (kUnicodeBesideAnsi, on Windows) does a load set
  // it: for a list with a byte-order mark, or without one whose bytes are
  // valid UTF-8 beyond ASCII. A list saved with it starts with the UTF-8 mark.
  bool Utf8() const { return utf8_; }
  void SetUtf8(bool utf8) { utf8_ = utf8; }

  // Reads every byte before the list changes, then takes them as SetText does;
  // raises "Cannot open file %s".
  void LoadFromFile(const std::string& path);

  // Writes every line followed by CR LF, after the UTF-8 byte-order mark when
  // the lines are UTF-8. Raises "Cannot create file %s" or
  // "Stream write error"; an existing file is then left as it was.
  void SaveToFile(const std::string& path) const;

 private:
  // Offset in the buffer (high 40 bits) and length (low 24 bits). A line of
  // kLongLine bytes or more keeps its length in longLines_, by offset.
  using Entry = std::uint64_t;
  static constexpr std::uint64_t kLongLine = (1u << 24) - 1;
  // The offset's 40 bits, or all of memory where that is less (WebAssembly's 4 GB).
  static constexpr std::size_t kMaxBuffer =
      std::min<std::uint64_t>(std::uint64_t{1} << 40, SIZE_MAX);

  Entry* Entries() { return reinterpret_cast<Entry*>(entries_.data()); }
  const Entry* Entries() const { return reinterpret_cast<const Entry*>(entries_.data()); }

  Entry Pack(std::size_t offset, std::size_t length);
  std::string_view View(Entry entry) const {
    std::size_t offset = entry >> 24;
    std::size_t length = entry & kLongLine;
    if (length == kLongLine) [[unlikely]]
      length = longLines_.at(offset);
    return {buffer_.data() + offset, length};
  }

  void AddJoinedSlowly(std::string_view head, std::string_view tail);
  void GrowEntries(std::size_t atLeast);
  // Returns the buffer it replaced.
  ByteBlock GrowBuffer(std::size_t atLeast);
  // Takes the bytes of a whole file, followed by at least 16 zero bytes, as the content.
  void Split(ByteBlock bytes, std::size_t size);
  // The same for 8-bit text, whose lines begin at `start`.
  void SplitLines(ByteBlock bytes, std::size_t size, std::size_t start);

  ByteBlock buffer_;
  std::size_t size_ = 0;  // bytes of the buffer in use
  ByteBlock entries_;
  std::size_t count_ = 0;
  std::size_t entryCapacity_ = 0;
  std::unordered_map<std::size_t, std::size_t> longLines_;
  std::size_t textBytes_ = 0;
  bool utf8_ = false;
};

}  // namespace kwindel
