// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a pupil list: loaded as the program loads a file, then cleaned.
// Checked against a plain reading of the file rules: the list holds exactly
// the pupil lines of the input, in order; none is blank or a comment; saving
// and loading it again gives the same list.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzFiles.h"
#include "PupilList.h"
#include "StringList.h"
#include "Text.h"

namespace {

using kwindel::StringList;

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
    return;
  }
  const int continuations = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  const unsigned lead[] = {0, 0xC0, 0xE0, 0xF0};
  text += static_cast<char>(lead[continuations] | (c >> (6 * continuations)));
  for (int i = continuations - 1; i >= 0; --i)
    text += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F));
}

// A byte-order mark at the very start: UTF-8's is dropped; after UTF-16's, the
// rest is UTF-16, decoded here one code unit at a time, a U+0000 as a NUL byte.
std::string PlainText(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  const bool little = bytes.starts_with("\xFF\xFE");
  if (!little && !bytes.starts_with("\xFE\xFF")) return std::string(bytes);
  std::vector<char32_t> units;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(little ? second * 256u + first : first * 256u + second);
  }
  if (bytes.size() % 2 != 0) units.push_back(0xFFFD);
  std::string text;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char32_t unit = units[i];
    const bool high = unit >= 0xD800 && unit < 0xDC00;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      AppendUtf8(text, 0x10000 + (unit - 0xD800) * 0x400 + (units[++i] - 0xDC00));
    } else {
      AppendUtf8(text, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
    }
  }
  return text;
}

// The file rules, read as plainly as they are written: a byte-order mark as
// above; the first NUL ends the content; CR, LF or CR LF ends a line; a final
// line without a break counts.
std::vector<std::string> PlainLines(std::string_view file) {
  const std::string text = PlainText(file);
  std::string_view bytes = text;
  bytes = bytes.substr(0, bytes.find('\0'));
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    lines.push_back(line);
    line.clear();
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The cleaning walk, one deletion at a time.
void WalkAndDelete(std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size();) {
    if (kwindel::Trim(lines[i]).empty() || lines[i].front() == ';') {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
}

std::vector<std::string> Lines(const StringList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i)
    lines.emplace_back(list[i]);
  return lines;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> expected = PlainLines(bytes);
  WalkAndDelete(expected);

  // From a file, as the program loads it, over a list that held something before.
  const std::string list = kwindel::fuzz::ScratchFile("list.lll");
  kwindel::fuzz::WriteBytes(list, bytes);
  StringList pupils;
  pupils.Add("earlier pupil");
  kwindel::LoadPupilList(pupils, list);
  const std::vector<std::string> loaded = Lines(pupils);
  Check(loaded == expected);
  std::size_t textBytes = 0;
  for (const std::string& pupil : loaded) {
    Check(!kwindel::Trim(pupil).empty());
    Check(pupil.front() != ';');
    textBytes += pupil.size();
  }
  Check(pupils.TextBytes() == textBytes);

  // The same bytes given as text, walked by deleting entry by entry.
  StringList walked;
  walked.SetText(bytes);
  for (int i = 0; i < walked.Count();) {
    const std::string_view line = walked[i];
    if (kwindel::Trim(line).empty() || line.front() == ';') {
      walked.Delete(i);
    } else {
      ++i;
    }
  }
  Check(Lines(walked) == expected);

  // Saved with CR LF after every line, and loaded again unchanged.
  const std::string saved = kwindel::fuzz::ScratchFile("saved.txt");
  pupils.SaveToFile(saved);
  std::string written;
  for (const std::string& pupil : expected)
    written += pupil + "\r\n";
  Check(kwindel::fuzz::ReadBytes(saved) == written);
  StringList again;
  again.LoadFromFile(saved);
  // Lines are saved without a mark, so only a first line that begins with one reads back
  // otherwise: it then is a mark.
  Check(Lines(again) == PlainLines(written));

  // A line added after the loaded ones is saved after them.
  pupils.Add("added");
  pupils.SaveToFile(saved);
  Check(kwindel::fuzz::ReadBytes(saved) == written + "added\r\n");
  return 0;
}
