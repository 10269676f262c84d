// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "Utf16File.h"
#include "Utf16Text.h"

namespace kwindel {
namespace {

TEST(Utf16Text, DecodesIntoUtf8) {
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
    EXPECT_EQ(Utf16ToUtf8(c.littleEndian, false), c.text);
    EXPECT_EQ(Utf16ToUtf8(bigEndian, true), c.text);
  }
}

TEST(Utf16Text, EncodesUtf8AsAFile) {
  EXPECT_EQ(Utf8ToUtf16File("", false), "\xFF\xFE");
  // A, ë, Ł, €, and a character beyond the first 65536: a surrogate pair.
  const std::string text = "A\xC3\xAB\xC5\x81\xE2\x82\xAC\xF0\x9D\x84\x9E";
  EXPECT_EQ(Utf8ToUtf16File(text, false), test::Utf16File(u"A\u00EB\u0141\u20AC\U0001D11E", false));
  EXPECT_EQ(Utf8ToUtf16File(text, true), test::Utf16File(u"A\u00EB\u0141\u20AC\U0001D11E", true));
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16File(text, false).substr(2), false), text);
  EXPECT_EQ(Utf8ToUtf16File("Zo\xEB!", false), test::Utf16File(u"Zo\uFFFD!", false))
      << "a byte of a code page is no UTF-8";
}

TEST(Utf16Text, TellsUtf8BeyondAscii) {
  using namespace std::string_literals;
  const struct {
    const char* name;
    std::string bytes;
    bool utf8;
  } cases[] = {
      {"nothing", "", false},
      {"ASCII only, longer than a word", "Anna de Vries\r\nBram\r\n", false},
      {"two, three and four bytes", "Zo\xC3\xAB \xE2\x82\xAC \xF0\x9D\x84\x9E", true},
      {"beyond ASCII after a long ASCII run", "Anna de Vries, Bram Jansen: \xC5\x81ucja", true},
      {"code page 1252", "Dani\xEBl", false},
      {"a stray continuation byte", "a\x80", false},
      {"a sequence cut short at the end", "Zo\xC3", false},
      {"a sequence cut short by ASCII", "Zo\xE2\x82x", false},
      {"an overlong form", "\xC0\x80", false},
      {"an overlong three-byte form", "\xE0\x80\xAF", false},
      {"a surrogate", "\xED\xA0\x80", false},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
      {"U+10FFFF itself", "\xF4\x8F\xBF\xBF", true},
      {"NUL bytes are ASCII", "a\0\xC3\xAB"s, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsUtf8BeyondAscii(c.bytes), c.utf8);
  }
}

TEST(Utf16Text, ConvertsWindows1252BothWays) {
  struct Case {
    const char* name;
    std::string windows1252;
    std::string utf8;
  };
  const Case cases[] = {
      {"ASCII", "Zo.lll", "Zo.lll"},
      {"Latin-1's letters", "Zo\xEB \xC9\xFF", "Zo\xC3\xAB \xC3\x89\xC3\xBF"},
      {"the page's own in 0x80-0x9F", "\x80\x8A\x9F", "\xE2\x82\xAC\xC5\xA0\xC5\xB8"},
      {"an unassigned byte is its control character", "\x81", "\xC2\x81"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Windows1252ToUtf8(c.windows1252), c.utf8);
    EXPECT_EQ(Utf8ToWindows1252(c.utf8), c.windows1252);
  }
  // What the page lacks, and bytes that are no UTF-8, become "?".
  EXPECT_EQ(Utf8ToWindows1252("\xC5\x81\xE6\x97\xA5\xF0\x9D\x84\x9E|\xFF"), "???|?");
}

}  // namespace
}  // namespace kwindel
