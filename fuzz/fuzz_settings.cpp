// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a settings file, then one value written into it and read back.
// Reading never fails on any bytes; a value read back is the value written
// (blanks at its ends removed, at most 2047 characters); every other line is
// kept byte for byte, and so is every other entry's value; a refused write
// leaves the file as it was.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Exception.h"
#include "FuzzFiles.h"
#include "IniFile.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

struct Line {
  std::string text;
  std::string lineBreak;
};

// CR, LF or CR LF ends a line; a final line without a break counts.
std::vector<Line> SplitLines(std::string_view bytes) {
  std::vector<Line> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    const std::size_t length =
        (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
    lines.push_back(
        {std::string(bytes.substr(start, i - start)), std::string(bytes.substr(i, length))});
    i += length - 1;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back({std::string(bytes.substr(start)), ""});
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A line keeps its break; only a last line without one may gain CR LF.
bool BreakKept(const Line& before, const Line& after) {
  return after.lineBreak == before.lineBreak ||
         (before.lineBreak.empty() && after.lineBreak == "\r\n");
}

bool SameLine(const Line& before, const Line& after) {
  return before.text == after.text && BreakKept(before, after);
}

// The written entry is the only change: one key's value replaced in place, or
// the key added to its section, or the section and the key added at the end.
void CheckOnlyTheEntryChanged(const std::string& before, const std::string& after,
                              std::string_view section, std::string_view key,
                              std::string_view value) {
  const std::vector<Line> old = SplitLines(before);
  const std::vector<Line> now = SplitLines(after);
  std::size_t same = 0;
  while (same < old.size() && same < now.size() && SameLine(old[same], now[same]))
    ++same;
  std::size_t sameAtEnd = 0;
  while (sameAtEnd < old.size() - same && sameAtEnd < now.size() - same &&
         SameLine(old[old.size() - 1 - sameAtEnd], now[now.size() - 1 - sameAtEnd]))
    ++sameAtEnd;
  const std::size_t removed = old.size() - same - sameAtEnd;
  const std::size_t added = now.size() - same - sameAtEnd;
  const std::string entry = std::string(key) + "=" + std::string(value);
  if (removed == 0 && added == 0) return;  // the same value again
  if (removed == 1) {
    Check(added == 1);
    const std::string& line = old[same].text;
    const std::string keyPart = line.substr(0, line.find('=') + 1);
    Check(!keyPart.empty() && SameName(TrimBlanks(keyPart.substr(0, keyPart.size() - 1)), key));
    Check(now[same].text == keyPart + std::string(value));
    Check(BreakKept(old[same], now[same]));
    return;
  }
  Check(removed == 0);
  if (added == 1) {
    Check(now[same].text == entry && now[same].lineBreak == "\r\n");
    return;
  }
  Check(added == 2 && sameAtEnd == 0);
  Check(now[same].text == "[" + std::string(section) + "]" && now[same].lineBreak == "\r\n");
  Check(now[same + 1].text == entry && now[same + 1].lineBreak == "\r\n");
}

// Names as a program would use them: a few fixed ones in any letter case, or
// letters and digits with blanks only inside.
std::string Name(FuzzedDataProvider& input, const std::vector<std::string>& usual) {
  if (input.ConsumeBool())
    return usual[input.ConsumeIntegralInRange<std::size_t>(0, usual.size() - 1)];
  std::string name;
  for (char c : input.ConsumeRandomLengthString(12)) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ')
      name += c;
  }
  name = std::string(TrimBlanks(name));
  return name.empty() ? usual.front() : name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::vector<std::string> sections = {"Gebruik", "gEBRUIK", "Ander", "A"};
  const std::vector<std::string> keys = {"Lijstendir", "LIJSTENDIR", "Links", "x"};
  const std::string section = Name(input, sections);
  const std::string key = Name(input, keys);
  const std::string probeSection = Name(input, sections);
  const std::string probeKey = Name(input, keys);
  const std::string value = input.ConsumeRandomLengthString(3000);
  const std::string before = input.ConsumeRemainingBytesAsString();

  const std::string path = kwindel::fuzz::ScratchFile("Kwindel.ini");
  kwindel::fuzz::WriteBytes(path, before);
  kwindel::IniFile settings(path);
  const std::string probed = settings.ReadString(probeSection, probeKey, "default");
  (void)settings.ReadString(section, key, "default");

  if (value.find_first_of("\r\n") != std::string::npos) {
    // A break in the value would split the entry: refused, and the file stays.
    try {
      settings.WriteString(section, key, value);
      Check(false);
    } catch (const kwindel::Exception& error) {
      Check(error.what() == "Unable to write to " + path);
    }
    Check(kwindel::fuzz::ReadBytes(path) == before);
    return 0;
  }

  settings.WriteString(section, key, value);
  settings.UpdateFile();
  const std::string after = kwindel::fuzz::ReadBytes(path);
  std::string expected(TrimBlanks(value).substr(0, kwindel::IniFile::kMaxValueLength));
  Check(settings.ReadString(section, key, "default") == expected);
  if (!(SameName(section, probeSection) && SameName(key, probeKey))) {
    Check(settings.ReadString(probeSection, probeKey, "default") == probed);
  }
  CheckOnlyTheEntryChanged(before, after, section, key, value);

  // Writing the same value again changes nothing, and no temporary file stays.
  settings.WriteString(section, key, value);
  Check(kwindel::fuzz::ReadBytes(path) == after);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator(kwindel::fuzz::ScratchFolder()))
    ++files;
  Check(files == 1);
  return 0;
}
