// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Exception.h"
#include "LinesOf.h"
#include "PupilList.h"
#include "TempDir.h"

namespace kwindel {
namespace {

using test::TempDir;
using test::WriteFile;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::string JoinLines(const std::vector<std::string>& lines, const std::string& brk) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i)
    text += (i ? brk : "") + lines[i];
  return text;
}

TEST(PupilList, NineLineExampleGivesFivePupilsWithAnyLineBreak) {
  const std::vector<std::string> lines = {";groep 7", "",  "A", "   ", "  ;B",
                                          "\tC ",     "A", ";", "D"};
  TempDir dir;
  for (const char* brk : {"\r\n", "\n", "\r"}) {
    SCOPED_TRACE(::testing::PrintToString(brk));
    WriteFile(dir / "klas.lll", JoinLines(lines, brk));
    StringList pupils;
    LoadPupilList(pupils, dir / "klas.lll");
    EXPECT_THAT(test::LinesOf(pupils), ElementsAre("A", "  ;B", "\tC ", "A", "D"));
  }
}

struct CleanCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> pupils;
};

TEST(PupilList, KeepsOnlyPupilLines) {
  using namespace std::string_literals;
  const CleanCase cases[] = {
      {"NUL ends the list", "A\r\nB\0C\r\nD"s, {"A", "B"}},
      {"a comment after a byte-order mark", "\xEF\xBB\xBF;groep\r\nA", {"A"}},
      {"a pupil after a byte-order mark",
       "\xEF\xBB\xBF"
       "Anna\r\nB",
       {"Anna", "B"}},
      {"a blank line after a byte-order mark", "\xEF\xBB\xBF \r\nA", {"A"}},
      {"high bytes are text, not blanks", "\x80\xA0\r\n\xFF", {"\x80\xA0", "\xFF"}},
      {"control bytes are blanks", "\x01\x1F\t \r\nA", {"A"}},
      {"only blank and comment lines", ";a\r\n \r\n\r\n;", {}},
      {"empty file", "", {}},
  };
  for (const CleanCase& c : cases) {
    SCOPED_TRACE(c.name);
    StringList pupils;
    pupils.SetText(c.bytes);
    CleanPupilList(pupils);
    EXPECT_THAT(test::LinesOf(pupils), ElementsAreArray(c.pupils));
  }
}

TEST(PupilList, ASecondListReplacesTheFirst) {
  TempDir dir;
  WriteFile(dir / "lang.lll", "A\r\nB\r\nC\r\nD");
  WriteFile(dir / "kort.lll", "E");
  StringList pupils;
  LoadPupilList(pupils, dir / "lang.lll");
  LoadPupilList(pupils, dir / "kort.lll");
  EXPECT_THAT(test::LinesOf(pupils), ElementsAre("E"));
}

TEST(PupilList, AFailedLoadKeepsThePreviousPupils) {
  TempDir dir;
  WriteFile(dir / "klas.lll", "A\r\nB");
  StringList pupils;
  LoadPupilList(pupils, dir / "klas.lll");
  EXPECT_THROW(
      {
        try {
          LoadPupilList(pupils, dir / "weg.lll");
        } catch (const Exception& error) {
          EXPECT_EQ(std::string(error.what()), "Cannot open file " + (dir / "weg.lll"));
          throw;
        }
      },
      Exception);
  EXPECT_THAT(test::LinesOf(pupils), ElementsAre("A", "B"));
}

}  // namespace
}  // namespace kwindel
