#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <string>

#include "BuiltProgram.h"
#include "TempDir.h"

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
