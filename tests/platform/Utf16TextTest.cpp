// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "Encoding.h"
#include "Utf16Text.h"

namespace kwindel {
namespace {

TEST(Utf16ToText, DecodesIntoThe8BitText) {
  using namespace std::string_literals;
  struct Case {
    const char* name;
    std::string littleEndian;  // the big-endian bytes are these, each pair swapped
    std::string text;
  };
  const Case cases[] = {
      {"nothing", "", ""},
      {"ASCII, accents and a letter beyond Latin-1", "A\0\xEB\0\x41\x01\xAC\x20"s,
       "A\xC3\xAB\xC5\x81\xE2\x82\xAC"},
      {"a surrogate pair is one character", "\x34\xD8\x1E\xDD!\0"s, "\xF0\x9D\x84\x9E!"},
      {"a high surrogate without its low one", "\x34\xD8x\0"s, "\xEF\xBF\xBDx"},
      {"a high surrogate at the end", "x\0\x34\xD8"s, "x\xEF\xBF\xBD"},
      {"a low surrogate alone", "\x1E\xDDx\0"s, "\xEF\xBF\xBDx"},
      {"two high surrogates, then a low one", "\x34\xD8\x34\xD8\x1E\xDD"s,
       "\xEF\xBF\xBD\xF0\x9D\x84\x9E"},
      {"an odd byte at the end", "x\0y"s, "x\xEF\xBF\xBD"},
      {"U+0000 ends the text", "a\0\0\0b\0"s, "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bigEndian = c.littleEndian;
    for (std::size_t i = 0; i + 1 < bigEndian.size(); i += 2)
      std::swap(bigEndian[i], bigEndian[i + 1]);
    // Given in UTF-8: the 8-bit text on Linux, converted to the ANSI code page on Windows.
    EXPECT_EQ(Utf16ToText(c.littleEndian, false), AnsiFromName(c.text));
    EXPECT_EQ(Utf16ToText(bigEndian, true), AnsiFromName(c.text));
  }
}

}  // namespace
}  // namespace kwindel
