// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <string>
#include <utility>

#include "BuiltProgram.h"
#include "TempDir.h"
#include "Utf16File.h"

namespace kwindel {
namespace {

using test::ReadFile;
using test::TempDir;

struct Outcome {
  int exitCode;
  std::string errors;
};

// Through the shell (cmd.exe on Windows), which splits the arguments.
Outcome RunDivide(const TempDir& dir, const std::string& arguments) {
  const std::string command =
      test::BuiltProgram(KWINDEL_DIVIDE) + " " + arguments + " 2>" + (dir / "stderr");
  const int status = std::system(command.c_str());
#ifdef _WIN32
  std::string errors = ReadFile(dir / "stderr");
  for (std::size_t at; (at = errors.find("\r\n")) != std::string::npos;)
    errors.erase(at, 1);
  return {status, errors};
#else
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(dir / "stderr")};
#endif
}

TEST(DivideCommand, DividesAListIntoAReport) {
  TempDir dir;
  test::WriteFile(dir / "groep7.lll", ";klas\r\nA\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\n");
  Outcome outcome = RunDivide(dir, dir / "groep7.lll" + " 3 1 " + (dir / "out.txt"));
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.errors, "");
  std::string report = ReadFile(dir / "out.txt");
  EXPECT_TRUE(report.starts_with("Gebruikte leerlingenlijst: " + (dir / "groep7.lll") + "\r\n"));
  EXPECT_TRUE(report.ends_with("Groepje 3\r\n\tG\r\n\tF\r\n"));
}

// A list saved by a Windows tool, with a byte-order mark, UTF-8 or UTF-16, gives the very report
// its UTF-8 copy without a mark gives: its first line is still a comment, and no name carries
// the mark.
TEST(DivideCommand, AListWithAByteOrderMarkGivesTheReportOfItsUtf8Copy) {
  struct List {
    const char* name;
    std::string utf8;
    std::u16string utf16;
    const char* pupils;
  };
  // The same text in both: the source file is UTF-8.
#define KWINDEL_BOTH(text) text, u"" text
  const List lists[] = {
      {"first line a comment",
       KWINDEL_BOTH("; groep 7, juf Anaïs\r\nDaniël\r\nZoë\r\nÖmer\r\nŁucja\r\nBram\r\n"), "5"},
      {"first line a pupil", KWINDEL_BOTH("Daniël\nZoë\nÖmer\nŁucja"), "4"},
  };
#undef KWINDEL_BOTH
  TempDir dir;
  const std::string list = dir / "groep7.lll";
  for (const List& l : lists) {
    SCOPED_TRACE(l.name);
    test::WriteFile(list, l.utf8);
    ASSERT_EQ(RunDivide(dir, list + " 2 7 " + (dir / "utf8.txt")).exitCode, 0);
    const std::string expected = ReadFile(dir / "utf8.txt");
    EXPECT_NE(expected.find("\r\nAantal leerlingen dat kwindeld moet worden: " +
                            std::string(l.pupils) + "\r\n"),
              std::string::npos);
    EXPECT_NE(expected.find("\r\n\tZo\xC3\xAB\r\n"), std::string::npos) << "UTF-8 bytes";

    const struct {
      const char* encoding;
      std::string bytes;
    } marked[] = {
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + l.utf8},
        {"UTF-16 LE", test::Utf16File(l.utf16, false)},
        {"UTF-16 BE", test::Utf16File(l.utf16, true)},
    };
    for (const auto& [encoding, bytes] : marked) {
      SCOPED_TRACE(encoding);
      test::WriteFile(list, bytes);
      Outcome outcome = RunDivide(dir, list + " 2 7 " + (dir / "out.txt"));
      EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
      EXPECT_EQ(ReadFile(dir / "out.txt"), expected);
    }
  }
}

TEST(DivideCommand, RefusesBadArguments) {
  TempDir dir;
  for (const char* arguments :
       {"", "a.lll 3 1", "a.lll x 1 out", "a.lll 0 1 out", "a.lll -2 1 out",
        "a.lll 3 4294967296 out", "a.lll 3 -1 out", "a.lll 3 1x out", "a.lll 2147483648 1 out"}) {
    SCOPED_TRACE(arguments);
    Outcome outcome = RunDivide(dir, arguments);
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_TRUE(outcome.errors.starts_with("usage: kwindel_divide LIST GROUPS SEED REPORT"));
  }
}

TEST(DivideCommand, ReportsLoadAndSaveFailures) {
  TempDir dir;
  Outcome missing = RunDivide(dir, dir / "weg.lll" + " 2 1 " + (dir / "out.txt"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.errors, "Cannot open file " + (dir / "weg.lll") + "\n");

  test::WriteFile(dir / "klas.lll", "A\nB\nC\n");
  Outcome unwritable = RunDivide(dir, dir / "klas.lll" + " 2 1 " + dir.path());
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_EQ(unwritable.errors, "Cannot create file " + dir.path() + "\n");
}

}  // namespace
}  // namespace kwindel
