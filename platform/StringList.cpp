#include "StringList.h"

#include <cstring>

#include "AtomicFile.h"
#include "Exception.h"
#include "FileBytes.h"

namespace kwindel {

std::string_view StringList::operator[](int index) const {
  if (index < 0 || index >= Count()) {
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  }
  return View(entries_[static_cast<std::size_t>(index)]);
}

void StringList::Add(std::string_view line) {
  entries_.push_back({buffer_.size(), line.size()});
  buffer_.append(line);
}

void StringList::Delete(int index) {
  (void)(*this)[index];  // bounds check
  entries_.erase(entries_.begin() + index);
}

void StringList::Clear() {
  entries_.clear();
  entries_.shrink_to_fit();
  buffer_.clear();
  buffer_.shrink_to_fit();
}

void StringList::SetText(std::string bytes) {
  if (auto nul = bytes.find('\0'); nul != std::string::npos)
    bytes.resize(nul);
  entries_.clear();
  buffer_ = std::move(bytes);

  const char* const begin = buffer_.data();
  const char* const end = begin + buffer_.size();
  const char* line = begin;
  while (line != end) {
    // No NUL is left and the buffer is NUL-terminated, so strcspn stops at the end.
    const char* brk = line + std::strcspn(line, "\r\n");
    entries_.push_back(
        {static_cast<std::size_t>(line - begin), static_cast<std::size_t>(brk - line)});
    if (brk == end)
      break;
    line = brk + 1;
    if (*brk == '\r' && line != end && *line == '\n')
      ++line;
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
  if (written && file.Commit())
    return;
  if (file.failure() == AtomicFile::Failure::Create) {
    throw Exception(FormatMessage("Cannot create file %s", path));
  }
  throw Exception("Stream write error");
}

}  // namespace kwindel
