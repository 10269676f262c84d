#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Exception.h"
#include "FileSizeLimit.h"
#include "StringList.h"
#include "TempDir.h"

namespace kwindel {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using ::testing::ElementsAreArray;

std::vector<std::string> Lines(const StringList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i)
    lines.emplace_back(list[i]);
  return lines;
}

template <class Action>
std::string MessageOf(Action action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.what();
  }
  return "(no exception)";
}

struct SplitCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
};

TEST(StringListLoad, SplitsLinesByTheFileRules) {
  using namespace std::string_literals;
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
      {"byte-order mark stays in the first line", "\xEF\xBB\xBF;x\r\ny", {"\xEF\xBB\xBF;x", "y"}},
      {"bytes kept as they are", " \ta b\t\r\n\xFF\x80", {" \ta b\t", "\xFF\x80"}},
  };
  TempDir dir;
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(dir / "list.lll", c.bytes);
    StringList list;
    list.Add("left over");
    list.LoadFromFile(dir / "list.lll");
    EXPECT_THAT(Lines(list), ElementsAreArray(c.lines));
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
    EXPECT_THAT(Lines(list), ElementsAreArray({"kept"}));
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

  StringList empty;
  empty.SaveToFile(dir / "out.txt");
  EXPECT_EQ(ReadFile(dir / "out.txt"), "");
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
  EXPECT_THAT(Lines(list), ElementsAreArray({"a", "c", "d"}));
  EXPECT_EQ(MessageOf([&] { list.Delete(3); }), "List index out of bounds (3)");
  EXPECT_EQ(MessageOf([&] { (void)list[-1]; }), "List index out of bounds (-1)");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace kwindel
