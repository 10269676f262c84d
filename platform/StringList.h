#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kwindel {

// An ordered, unsorted list of 8-bit lines that may hold duplicates. Lines are
// opaque bytes. The list keeps them in one buffer and each line as one packed
// 8-byte entry, so a large file costs no allocation per line and little
// memory beyond its own bytes.
class StringList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }

  // Raises "List index out of bounds (i)" outside 0..Count()-1.
  std::string_view operator[](int index) const;

  void Add(std::string_view line);
  // Adds one line made of two parts, without building it first.
  void AddJoined(std::string_view head, std::string_view tail);
  void Delete(int index);
  void Clear();

  // Makes room for `lines` more lines holding `bytes` more bytes in all, so a
  // list whose size is known grows without copying itself.
  void Reserve(std::size_t lines, std::size_t bytes);

  // Hints that line `index` will soon be read: its entry, or its bytes (which
  // reads the entry). Lets a caller hide memory latency when reading lines in
  // a random order.
  void PrefetchEntry(int index) const {
    __builtin_prefetch(&entries_[static_cast<std::size_t>(index)]);
  }
  void PrefetchLine(int index) const {
    __builtin_prefetch(buffer_.data() + (entries_[static_cast<std::size_t>(index)] >> 24));
  }

  // The bytes of all lines, breaks not counted.
  std::size_t TextBytes() const { return textBytes_; }

  // Keeps, in order, only the lines for which keep(index, line) is true: one
  // pass, where deleting them one by one would move the rest every time.
  template <class Predicate>
  void Filter(Predicate keep) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      std::string_view line = View(entries_[i]);
      if (keep(i, line)) {
        entries_[kept++] = entries_[i];
      } else {
        textBytes_ -= line.size();
      }
    }
    entries_.resize(kept);
  }

  // Replaces the content with the lines of bytes: CR, LF or CR LF ends a line,
  // a final line without a break counts, a break at the very end adds no empty
  // line, and the first NUL ends the content.
  void SetText(std::string bytes);

  // Reads every byte before the list changes; raises "Cannot open file %s".
  void LoadFromFile(const std::string& path);

  // Writes every line followed by CR LF. Raises "Cannot create file %s" or
  // "Stream write error"; an existing file is then left as it was.
  void SaveToFile(const std::string& path) const;

 private:
  // Offset in the buffer (high 40 bits) and length (low 24 bits). A line of
  // kLongLine bytes or more keeps its length in longLines_, by offset.
  using Entry = std::uint64_t;
  static constexpr std::uint64_t kLongLine = (1u << 24) - 1;

  Entry Pack(std::size_t offset, std::size_t length);
  std::string_view View(Entry entry) const {
    std::size_t offset = entry >> 24;
    std::size_t length = entry & kLongLine;
    if (length == kLongLine) length = longLines_.at(offset);
    return {buffer_.data() + offset, length};
  }

  std::string buffer_;
  std::vector<Entry> entries_;
  std::unordered_map<std::size_t, std::size_t> longLines_;
  std::size_t textBytes_ = 0;
};

}  // namespace kwindel
