#include "StringList.h"

#include <cstring>
#include <new>

#include "AtomicFile.h"
#include "Exception.h"
#include "FileBytes.h"

namespace kwindel {

StringList::Entry StringList::Pack(std::size_t offset, std::size_t length) {
  if (offset >= (std::size_t{1} << 40)) throw std::bad_alloc();
  if (length >= kLongLine) {
    longLines_[offset] = length;
    length = kLongLine;
  }
  textBytes_ += length == kLongLine ? longLines_[offset] : length;
  return (std::uint64_t{offset} << 24) | length;
}

std::string_view StringList::operator[](int index) const {
  if (index < 0 || index >= Count()) {
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  }
  return View(entries_[static_cast<std::size_t>(index)]);
}

void StringList::Add(std::string_view line) {
  entries_.push_back(Pack(buffer_.size(), line.size()));
  buffer_.append(line);
}

void StringList::AddJoined(std::string_view head, std::string_view tail) {
  entries_.push_back(Pack(buffer_.size(), head.size() + tail.size()));
  buffer_.append(head).append(tail);
}

void StringList::Delete(int index) {
  textBytes_ -= (*this)[index].size();  // also the bounds check
  entries_.erase(entries_.begin() + index);
}

void StringList::Clear() {
  entries_.clear();
  entries_.shrink_to_fit();
  buffer_.clear();
  buffer_.shrink_to_fit();
  longLines_.clear();
  textBytes_ = 0;
}

void StringList::Reserve(std::size_t lines, std::size_t bytes) {
  entries_.reserve(entries_.size() + lines);
  buffer_.reserve(buffer_.size() + bytes);
}

void StringList::SetText(std::string bytes) {
  if (auto nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
  Clear();
  buffer_ = std::move(bytes);
  // A guess that costs nothing where it is too high: untouched memory is never used.
  entries_.reserve(buffer_.size() / 16 + 16);

  const char* const begin = buffer_.data();
  const char* const end = begin + buffer_.size();
  const char* line = begin;
  while (line != end) {
    // No NUL is left and the buffer is NUL-terminated, so strcspn stops at the end.
    const char* brk = line + std::strcspn(line, "\r\n");
    entries_.push_back(
        Pack(static_cast<std::size_t>(line - begin), static_cast<std::size_t>(brk - line)));
    if (brk == end) break;
    line = brk + 1;
    if (*brk == '\r' && line != end && *line == '\n') ++line;
  }
}

void StringList::LoadFromFile(const std::string& path) {
  std::string bytes;
  switch (ReadWholeFile(path, bytes)) {
    case ReadOutcome::Read:
      SetText(std::move(bytes));
      return;
    case ReadOutcome::ReadError:
      throw Exception("Stream read error");
    default:
      throw Exception(FormatMessage("Cannot open file %s", path));
  }
}

void StringList::SaveToFile(const std::string& path) const {
  AtomicFile file(path);
  bool written = file.Open();
  for (std::size_t i = 0; written && i < entries_.size(); ++i) {
    written = file.Write(View(entries_[i])) && file.Write("\r\n");
  }
  if (written && file.Commit()) return;
  if (file.failure() == AtomicFile::Failure::Create) {
    throw Exception(FormatMessage("Cannot create file %s", path));
  }
  throw Exception("Stream write error");
}

}  // namespace kwindel
