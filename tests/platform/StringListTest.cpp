// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Encoding.h"
#include "Exception.h"
#include "FileSizeLimit.h"
#include "LinesOf.h"
#include "MessageOf.h"
#include "StringList.h"
#include "TempDir.h"
#include "Utf16File.h"

namespace kwindel {
namespace {

using test::ReadFile;
using test::TempDir;
using test::Utf16File;
using test::WriteFile;
using ::testing::ElementsAreArray;

using kwindel::test::MessageOf;

struct SplitCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
};

TEST(StringListLoad, SplitsLinesByTheFileRules) {
  using namespace std::string_literals;
  using namespace std::string_view_literals;
  const SplitCase cases[] = {
      {"empty file", "", {}},
      {"CR LF breaks", "a\r\nb\r\nc", {"a", "b", "c"}},
      {"LF breaks", "a\nb\nc", {"a", "b", "c"}},
      {"CR breaks", "a\rb\rc", {"a", "b", "c"}},
      {"LF then CR is two breaks", "a\n\rb", {"a", "", "b"}},
      {"break at the very end adds no line", "a\r\nb\r\n", {"a", "b"}},
      {"a lone break is one empty line", "\r\n", {""}},
      {"two breaks at the end keep one empty line", "a\n\n", {"a", ""}},
      {"first NUL ends the content", "A\r\nB\0C\r\nD"s, {"A", "B"}},
      {"NUL right after a break", "A\r\n\0B"s, {"A"}},
      {"bytes kept as they are", " \ta b\t\r\n\xFF\x80", {" \ta b\t", "\xFF\x80"}},
      {"UTF-8 byte-order mark is dropped", "\xEF\xBB\xBF;x\r\ny", {";x", "y"}},
      {"a byte-order mark alone is an empty file", "\xEF\xBB\xBF", {}},
      {"only the mark at the very start is dropped",
       "\xEF\xBB\xBF\xEF\xBB\xBF;x",
       {"\xEF\xBB\xBF;x"}},
      {"mark bytes after the start are text",
       "a\r\n\xEF\xBB\xBF;b\r\n\xFF\xFE c\r\n\xFE\xFF",
       {"a", "\xEF\xBB\xBF;b", "\xFF\xFE c", "\xFE\xFF"}},
      {"a mark cut short is text", "\xEF\xBB;x\r\n\xFF", {"\xEF\xBB;x", "\xFF"}},
      {"UTF-16 LE becomes UTF-8",
       Utf16File(u"Dani\u00EBl\r\nZo\u00EB\n\u00D6mer\r\u0141ucja", false),
       {"Dani\xC3\xABl", "Zo\xC3\xAB", "\xC3\x96mer", "\xC5\x81ucja"}},
      {"UTF-16 BE becomes UTF-8",
       Utf16File(u"Dani\u00EBl\r\nZo\u00EB\n\u00D6mer\r\u0141ucja", true),
       {"Dani\xC3\xABl", "Zo\xC3\xAB", "\xC3\x96mer", "\xC5\x81ucja"}},
      {"UTF-16 U+0000 ends the content", Utf16File(u"A\r\nB\0C\r\nD"sv, false), {"A", "B"}},
      {"UTF-16: a mark after the first one is text",
       Utf16File(u"\uFEFF;a\r\nb\uFEFF", true),
       {"\xEF\xBB\xBF;a", "b\xEF\xBB\xBF"}},
      {"UTF-16 mark alone is an empty file", "\xFF\xFE", {}},
  };
  TempDir dir;
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(dir / "list.lll", c.bytes);
    StringList list;
    list.Add("left over");
    list.LoadFromFile(dir / "list.lll");
    EXPECT_THAT(test::LinesOf(list), ElementsAreArray(c.lines));
  }
}

// Which lists hold UTF-8 rather than text in the ANSI code page: on Windows those with a
// byte-order mark and those whose bytes are valid UTF-8 beyond ASCII. On Linux every list is
// bytes.
TEST(StringListLoad, TellsUnicodeListsFromAnsiOnes) {
  using namespace std::string_literals;
  const struct {
    const char* name;
    std::string bytes;
    bool unicode;
  } cases[] = {
      {"ASCII only", "Anna\r\nBram\r\n", false},
      {"code page 1252", "Dani\xEBl\r\nZo\xEB\r\n", false},
      {"UTF-8 without a mark", "Dani\xC3\xABl\r\n\xC5\x81ucja\r\n", true},
      {"UTF-8 with a mark, ASCII only",
       "\xEF\xBB\xBF"
       "Anna\r\n",
       true},
      {"UTF-16 LE", Utf16File(u"Anna", false), true},
      {"UTF-16 BE", Utf16File(u"Anna", true), true},
      {"UTF-8, then a byte of code page 1252", "Zo\xC3\xAB\r\nDani\xEBl\r\n", false},
      {"UTF-8 up to the NUL that ends the list", "Zo\xC3\xAB\r\n\0Dani\xEBl"s, true},
      {"nothing", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StringList list;
    list.SetText(c.bytes);
    EXPECT_EQ(list.Utf8(), kUnicodeBesideAnsi && c.unicode);
  }
}

TEST(StringListLoad, FailureLeavesTheListUnchanged) {
  TempDir dir;
  std::filesystem::create_directory(dir / "folder.lll");
  for (std::string path : {dir / "missing.lll", dir / "folder.lll"}) {
    SCOPED_TRACE(path);
    StringList list;
    list.Add("kept");
    EXPECT_EQ(MessageOf([&] { list.LoadFromFile(path); }), "Cannot open file " + path);
    EXPECT_THAT(test::LinesOf(list), ElementsAreArray({"kept"}));
  }
}

TEST(StringListSave, WritesEveryLineWithCrLf) {
  TempDir dir;
  StringList list;
  list.Add("Groepje 1");
  list.Add("");
  list.Add("\t\xE9l\xE8ve ");
  list.SaveToFile(dir / "out.txt");
  EXPECT_EQ(ReadFile(dir / "out.txt"), "Groepje 1\r\n\r\n\t\xE9l\xE8ve \r\n");

  list.SetUtf8(true);
  list.SaveToFile(dir / "out.txt");
  EXPECT_EQ(ReadFile(dir / "out.txt"), "\xEF\xBB\xBFGroepje 1\r\n\r\n\t\xE9l\xE8ve \r\n");

  StringList empty;
  empty.SaveToFile(dir / "out.txt");
  EXPECT_EQ(ReadFile(dir / "out.txt"), "");
}

// A list written whole from its buffer where it can be: what was loaded, added, deleted and
// kept must still come out line by line with CR LF, whatever breaks the loaded lines had.
TEST(StringListSave, WritesWhatTheListHoldsWhateverItsHistory) {
  using namespace std::string_literals;
  struct Case {
    const char* name;
    std::string loaded;
    void (*edit)(StringList&);
    std::string saved;
  };
  const Case cases[] = {
      {"loaded CR LF lines", "a\r\nb\r\nc\r\n", [](StringList&) {}, "a\r\nb\r\nc\r\n"},
      {"loaded mixed breaks", "a\nb\rc\r\n\r\nd", [](StringList&) {}, "a\r\nb\r\nc\r\n\r\nd\r\n"},
      {"cut at a NUL", "x\r\ny\0z\r\n"s, [](StringList&) {}, "x\r\ny\r\n"},
      {"added after loaded", "a\r\nb", [](StringList& l) { l.Add("c"); }, "a\r\nb\r\nc\r\n"},
      {"deleted in the middle", "a\r\nb\r\nc\r\n",
       [](StringList& l) {
         l.Delete(1);
         l.Add("d");
         l.Add("");
       },
       "a\r\nc\r\nd\r\n\r\n"},
      {"filtered", "a\r\nb\r\nc\r\nd\r\n",
       [](StringList& l) { l.Filter([](std::size_t i, std::string_view) { return i % 2 == 1; }); },
       "b\r\nd\r\n"},
      {"joined lines", "",
       [](StringList& l) {
         l.AddJoined("\t", "x");
         l.AddJoined("", "");
         l.AddJoined("ab", "");
       },
       "\tx\r\n\r\nab\r\n"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StringList list;
    list.SetText(c.loaded);
    c.edit(list);
    list.SaveToFile(dir / "out.txt");
    EXPECT_EQ(ReadFile(dir / "out.txt"), c.saved);
  }
}

// Lengths of 2^24 - 1 bytes and more do not fit an entry and are kept aside.
TEST(StringList, KeepsVeryLongLines) {
  TempDir dir;
  const std::string longest(std::size_t{1} << 24, 'x');
  const std::string border((std::size_t{1} << 24) - 1, 'y');
  WriteFile(dir / "list.lll", "a\r\n" + longest + "\n" + border);
  StringList list;
  list.LoadFromFile(dir / "list.lll");
  list.AddJoined("\t", longest);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[1].size(), longest.size());
  EXPECT_EQ(list[2], border);
  EXPECT_EQ(list[3].size(), longest.size() + 1);
  EXPECT_EQ(list.TextBytes(), 1 + 2 * longest.size() + border.size() + 1);
  list.SaveToFile(dir / "out.txt");
  EXPECT_EQ(ReadFile(dir / "out.txt"),
            "a\r\n" + longest + "\r\n" + border + "\r\n\t" + longest + "\r\n");
}

TEST(StringListSave, CannotCreateKeepsTheOldFile) {
  TempDir dir;
  std::filesystem::create_directory(dir / "taken");
  StringList list;
  list.Add("new");
  EXPECT_EQ(MessageOf([&] { list.SaveToFile(dir / "taken"); }),
            "Cannot create file " + (dir / "taken"));
  EXPECT_EQ(MessageOf([&] { list.SaveToFile(dir / "no/such/folder.txt"); }),
            "Cannot create file " + (dir / "no/such/folder.txt"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken"));
  EXPECT_EQ(test::CountEntries(dir.path()), 1u) << "no temporary file is left behind";
}

TEST(StringListSave, WriteErrorKeepsTheOldFileWhole) {
  if (!test::FileSizeLimit::Available) GTEST_SKIP() << test::kNoFullDiskHere;
  TempDir dir;
  const std::string old = "old report\r\n";
  WriteFile(dir / "report.txt", old);
  StringList list;
  for (int i = 0; i < 20000; ++i)
    list.Add("a pupil with a long enough name");
  {
    test::FileSizeLimit limit(100 * 1024);
    EXPECT_EQ(MessageOf([&] { list.SaveToFile(dir / "report.txt"); }), "Stream write error");
  }
  EXPECT_EQ(ReadFile(dir / "report.txt"), old);
  EXPECT_EQ(test::CountEntries(dir.path()), 1u) << "no temporary file is left behind";
}

TEST(StringListSave, KeepsThePermissionsOfAReplacedFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows files have no POSIX permissions; a read-only one is tried in "
                  "AtomicFileTest";
#endif
  TempDir dir;
  WriteFile(dir / "report.txt", "old");
  std::filesystem::permissions(dir / "report.txt", std::filesystem::perms(0640));
  StringList list;
  list.Add("new");
  list.SaveToFile(dir / "report.txt");
  EXPECT_EQ(std::filesystem::status(dir / "report.txt").permissions(),
            std::filesystem::perms(0640));
}

TEST(StringList, EditsInPlace) {
  StringList list;
  for (const char* line : {"a", "b", "c", "d"})
    list.Add(line);
  list.Delete(1);
  EXPECT_THAT(test::LinesOf(list), ElementsAreArray({"a", "c", "d"}));
  EXPECT_EQ(MessageOf([&] { list.Delete(3); }), "List index out of bounds (3)");
  EXPECT_EQ(MessageOf([&] { (void)list[-1]; }), "List index out of bounds (-1)");
  for (int i = 0; i < 5000; ++i)  // the list's own lines, while it grows
    list.AddJoined(list[i % 3], "");
  EXPECT_EQ(list[4999 + 3], "c");
  list.Filter([](std::size_t i, std::string_view) { return i < 3; });
  StringList moved = std::move(list);
  EXPECT_THAT(test::LinesOf(moved), ElementsAreArray({"a", "c", "d"}));
  EXPECT_EQ(list.Count(), 0) << "a moved-from list is empty";
  moved.Clear();
  EXPECT_EQ(moved.Count(), 0);
}

}  // namespace
}  // namespace kwindel
