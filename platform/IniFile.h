// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kwindel {

// A private-profile (INI) file: "[Section]" lines and "key=value" lines with
// CR LF line ends. Sections and keys match without regard to letter case.
// Every read and write goes to the disk; nothing is cached.
//
// Names and values are given and returned as the program keeps names (see
// Encoding.h). The file is 8-bit text in the ANSI code page; on Windows, where
// text the page lacks would become "?", it is written as Unicode instead:
// UTF-16 LE with a byte-order mark, which Windows' own reader reads too. A file
// that is Unicode (a UTF-16 mark) stays Unicode.
class IniFile {
 public:
  // Creating the object does not touch the file.
  explicit IniFile(std::string path) : FFileName(std::move(path)) {}

  // The key's value as stored (blanks around it removed, at most 2047
  // characters), or the default when the file, the section or the key is
  // missing or the file cannot be read.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;

  // Replaces the key's value in place (the key keeps its spelling), or adds the
  // key to its section after its last non-blank line, or adds
  // the section at the end; every other line stays byte for byte. The file is
  // replaced whole, so a failure never leaves it half-written. Raises "Unable
  // to write to %s".
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

  // Writes cached changes to the disk: there are none, every write is immediate.
  void UpdateFile() {}

  static constexpr std::size_t kMaxValueLength = 2047;

 private:
  std::string FFileName;
};

}  // namespace kwindel
