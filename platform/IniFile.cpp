// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "IniFile.h"

#include <optional>
#include <vector>

#include "AtomicFile.h"
#include "ByteOrderMark.h"
#include "Encoding.h"
#include "Exception.h"
#include "FileBytes.h"
#include "Utf16Text.h"

namespace kwindel {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// One line of the file: its text and the break after it ("" for a last line without one).
struct Line {
  std::string_view text;
  std::string_view lineBreak;
};

std::vector<Line> SplitLines(std::string_view bytes) {
  std::vector<Line> lines;
  while (!bytes.empty()) {
    std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      lines.push_back({bytes, {}});
      break;
    }
    std::size_t breakLength =
        (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
    lines.push_back({bytes.substr(0, end), bytes.substr(end, breakLength)});
    bytes.remove_prefix(end + breakLength);
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && blank(text.back()))
    text.remove_suffix(1);
  return text;
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// The name of a "[Section]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  return TrimBlanks(line.substr(0, line.find(']')));
}

// The key of a "key=value" line, or nothing.
std::optional<std::string_view> KeyName(std::string_view line) {
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(0, equals));
}

// Where a section's lines are: [first, end) after its header line.
struct SectionSpan {
  std::size_t first;
  std::size_t end;
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto name = SectionName(lines[i].text);
    if (!name || !SameName(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end].text))
      ++end;
    return SectionSpan{i + 1, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, SectionSpan span,
                                   std::string_view key) {
  for (std::size_t i = span.first; i < span.end; ++i) {
    auto name = KeyName(lines[i].text);
    if (name && !SectionName(lines[i].text) && SameName(*name, key)) return i;
  }
  return std::nullopt;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// A profile file's text: the 8-bit text of the file as it lies there, in the ANSI code page, or
// the text of a Unicode (UTF-16) file as UTF-8.
struct Profile {
  std::string text;
  bool unicode = false;
  bool bigEndian = false;

  // The program's text (a name, a value) as this text holds it.
  std::string Held(std::string_view programText) const {
    return unicode ? std::string(programText) : AnsiFromName(programText);
  }
};

Profile Decode(std::string bytes) {
  // Windows keeps a profile file that starts with a UTF-16 byte-order mark as Unicode.
  if (kUnicodeBesideAnsi) {
    const ListStart start = ReadByteOrderMark(bytes);
    if (start.encoding != ListEncoding::Bytes) {
      const bool bigEndian = start.encoding == ListEncoding::Utf16BigEndian;
      std::string_view text = std::string_view(bytes).substr(start.markLength);
      return {Utf16ToUtf8(text, bigEndian), true, bigEndian};
    }
  }
  return {std::move(bytes)};
}

// The first `count` characters of UTF-8 text.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    if (!continuation && count-- == 0) return text.substr(0, i);
  }
  return text;
}

// The text with the key's value set: see IniFile::WriteString.
std::string Edited(std::string_view content, std::string_view section, std::string_view key,
                   std::string_view value) {
  std::vector<Line> lines = SplitLines(content);
  const std::string entry = std::string(key) + "=" + std::string(value);

  std::string text;
  auto emitLine = [&](const Line& line) { text.append(line.text).append(line.lineBreak); };
  auto emitNew = [&](std::string_view line) {
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text.append(kLineBreak);
    text.append(line).append(kLineBreak);
  };

  auto span = FindSection(lines, section);
  auto at = span ? FindKey(lines, *span, key) : std::nullopt;
  // A new key goes after the section's last non-blank line, before any blank separator lines.
  std::size_t insertAfter = 0;
  if (span && !at) {
    insertAfter = span->first - 1;
    for (std::size_t i = span->first; i < span->end; ++i) {
      if (!TrimBlanks(lines[i].text).empty()) insertAfter = i;
    }
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (at && i == *at) {
      // Only the value changes: the key keeps its spelling and its line its break.
      std::string_view keyPart = lines[i].text.substr(0, lines[i].text.find('=') + 1);
      text.append(keyPart).append(value);
      text.append(lines[i].lineBreak.empty() ? kLineBreak : lines[i].lineBreak);
      continue;
    }
    emitLine(lines[i]);
    if (span && !at && i == insertAfter) emitNew(entry);
  }
  if (!span) {
    emitNew("[" + std::string(section) + "]");
    emitNew(entry);
  }
  return text;
}

}  // namespace

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  std::string bytes;
  if (ReadWholeFile(FFileName, bytes) != ReadOutcome::Read) return std::string(defaultValue);
  const Profile profile = Decode(std::move(bytes));
  std::vector<Line> lines = SplitLines(profile.text);
  auto span = FindSection(lines, profile.Held(section));
  auto at = span ? FindKey(lines, *span, profile.Held(key)) : std::nullopt;
  if (!at) return std::string(defaultValue);
  std::string_view text = lines[*at].text;
  std::string_view value = TrimBlanks(text.substr(text.find('=') + 1));
  if (profile.unicode) return std::string(FirstCharacters(value, kMaxValueLength));
  return NameFromAnsi(value.substr(0, kMaxValueLength));
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string failure = FormatMessage("Unable to write to %s", FFileName);
  // A line break inside a name or value would split the entry and corrupt the file.
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos) {
    throw Exception(failure);
  }

  std::string bytes;
  if (ReadOutcome read = ReadWholeFile(FFileName, bytes);
      read != ReadOutcome::Read && read != ReadOutcome::Missing) {
    throw Exception(failure);  // what cannot be read cannot be kept line for line
  }
  Profile profile = Decode(std::move(bytes));
  if (!profile.unicode && !(FitsAnsi(section) && FitsAnsi(key) && FitsAnsi(value))) {
    // In the ANSI code page what it lacks would become "?": the file becomes Unicode, UTF-16 LE
    // with a byte-order mark, as Windows keeps such a profile file.
    profile = {NameFromAnsi(profile.text), true, false};
  }
  const std::string text =
      Edited(profile.text, profile.Held(section), profile.Held(key), profile.Held(value));

  AtomicFile file(FFileName);
  const bool written =
      file.Open() && file.Write(profile.unicode ? Utf8ToUtf16File(text, profile.bigEndian) : text);
  if (!written || !file.Commit()) throw Exception(failure);
}

}  // namespace kwindel
