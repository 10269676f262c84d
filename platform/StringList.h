#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kwindel {

// An ordered, unsorted list of 8-bit lines that may hold duplicates. Lines are
// opaque bytes; the list keeps them in one buffer so a large file costs no
// allocation per line.
class StringList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }

  // Raises "List index out of bounds (i)" outside 0..Count()-1.
  std::string_view operator[](int index) const;

  void Add(std::string_view line);
  void Delete(int index);
  void Clear();

  // Keeps, in order, only the lines for which keep(index, line) is true: one
  // pass, where deleting them one by one would move the rest every time.
  template <class Predicate>
  void Filter(Predicate keep) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (keep(i, View(entries_[i]))) entries_[kept++] = entries_[i];
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
  struct Entry {
    std::size_t offset;
    std::size_t length;
  };

  std::string_view View(const Entry& entry) const { return {buffer_.data() + entry.offset, entry.length}; }

  std::string buffer_;
  std::vector<Entry> entries_;
};

}  // namespace kwindel
