// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Encoding.h"
#include "Exception.h"
#include "FileSizeLimit.h"
#include "IniFile.h"
#include "MessageOf.h"
#include "TempDir.h"
#include "Utf16File.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kwindel {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

struct ReadCase {
  const char* name;
  std::string content;
  std::string expected;
};

TEST(IniFileRead, FindsTheKeyOrGivesTheDefault) {
  const std::string longValue(3000, 'x');
  const ReadCase cases[] = {
      {"as the program writes it", "[Gebruik]\r\nLijstendir=D:\\Klas 5\\\r\n", "D:\\Klas 5\\"},
      {"other letter case", "[gEBRUIK]\r\nLIJSTENDIR=/klas/\r\n", "/klas/"},
      {"LF-only lines", "[Gebruik]\nLijstendir=/klas/\n", "/klas/"},
      {"blanks around names and value", " [ Gebruik ] \r\n\tLijstendir =  /klas/ \r\n", "/klas/"},
      {"the key in another section", "[Ander]\r\nLijstendir=/fout/\r\n[Gebruik]\r\nx=1\r\n",
       "default"},
      {"section missing", "[Ander]\r\nx=1\r\n", "default"},
      {"empty file", "", "default"},
      {"value without a trailing separator", "[Gebruik]\r\nLijstendir=/klas\r\n", "/klas"},
      {"empty value", "[Gebruik]\r\nLijstendir=\r\n", ""},
      {"long value is cut", "[Gebruik]\r\nLijstendir=" + longValue + "\r\n",
       longValue.substr(0, 2047)},
      {"no break after the last line", "[Gebruik]\r\nLijstendir=/a/", "/a/"},
      {"random bytes", std::string("\0\xFF[\x01=\r\r\n]=", 10), "default"},
  };
  TempDir dir;
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(dir / "Kwindel.ini", c.content);
    EXPECT_EQ(IniFile(dir / "Kwindel.ini").ReadString("Gebruik", "Lijstendir", "default"),
              c.expected);
  }
  EXPECT_EQ(IniFile(dir / "missing.ini").ReadString("Gebruik", "Lijstendir", "default"), "default");
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_EQ(IniFile(dir / "folder.ini").ReadString("Gebruik", "Lijstendir", "default"), "default");
}

struct WriteCase {
  const char* name;
  std::string before;
  std::string after;
};

TEST(IniFileWrite, ChangesOnlyTheEntry) {
  const WriteCase cases[] = {
      {"new file", "", "[Gebruik]\r\nLijstendir=/nieuw/\r\n"},
      {"value replaced in place, key keeps its spelling",
       "; boven\r\n[gebruik]\r\nANDER=1\r\nLIJSTENDIR = /oud/\r\nNa=2\r\n[Z]\nq=3\n",
       "; boven\r\n[gebruik]\r\nANDER=1\r\nLIJSTENDIR =/nieuw/\r\nNa=2\r\n[Z]\nq=3\n"},
      {"key added after the section's last entry", "[Gebruik]\r\nAnder=1\r\n\r\n[Z]\r\nq=3\r\n",
       "[Gebruik]\r\nAnder=1\r\nLijstendir=/nieuw/\r\n\r\n[Z]\r\nq=3\r\n"},
      {"section added at the end, other lines kept byte for byte",
       "[A]\r\nx = 1 \r\n\r\n;c\n\t[B]\ny=2",
       "[A]\r\nx = 1 \r\n\r\n;c\n\t[B]\ny=2\r\n[Gebruik]\r\nLijstendir=/nieuw/\r\n"},
      {"LF-only line keeps its break", "[Gebruik]\nLijstendir=/oud/\n",
       "[Gebruik]\nLijstendir=/nieuw/\n"},
  };
  TempDir dir;
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(dir / "Kwindel.ini");
    if (!c.before.empty()) WriteFile(dir / "Kwindel.ini", c.before);
    IniFile settings(dir / "Kwindel.ini");
    settings.WriteString("Gebruik", "Lijstendir", "/nieuw/");
    EXPECT_EQ(ReadFile(dir / "Kwindel.ini"), c.after);
    EXPECT_EQ(settings.ReadString("Gebruik", "Lijstendir", "default"), "/nieuw/");
  }
}

// A folder beyond the ANSI code page (Gülşen) comes back whole. On Windows the
// file then becomes Unicode, UTF-16 LE with a mark, as Windows keeps such a
// profile file and its own reader reads; what fits the page stays 8-bit text
// as ever. On Linux names are bytes, written as they are.
TEST(IniFileWrite, KeepsEveryCharacterOfTheValue) {
  using test::Utf16File;
  const std::string gulsen = "C:\\Klassen\\Gülşen\\";  // in UTF-8, as the source is
  const std::string zoe = "C:\\Klassen\\Zoë\\";
  const struct {
    const char* name;
    std::string before;
    std::string value;
    std::string onWindows;
    std::string onLinux;  // empty: a case for Windows only
  } cases[] = {
      {"in the code page: 8-bit text", "", zoe, "[Gebruik]\r\nLijstendir=C:\\Klassen\\Zo\xEB\\\r\n",
       "[Gebruik]\r\nLijstendir=" + zoe + "\r\n"},
      {"beyond it: Unicode, the other lines converted", "[Venster]\r\nTitel=Zo\xEB\r\n", gulsen,
       Utf16File(u"[Venster]\r\nTitel=Zoë\r\n[Gebruik]\r\nLijstendir=C:\\Klassen\\Gülşen\\\r\n",
                 false),
       "[Venster]\r\nTitel=Zo\xEB\r\n[Gebruik]\r\nLijstendir=" + gulsen + "\r\n"},
      {"a Unicode file stays Unicode",
       Utf16File(u"[gebruik]\r\nLijstendir=C:\\Gülşen\\\r\n", false), zoe,
       Utf16File(u"[gebruik]\r\nLijstendir=C:\\Klassen\\Zoë\\\r\n", false), ""},
  };
  TempDir dir;
  const std::string path = dir / "Kwindel.ini";
  for (const auto& c : cases) {
    if (!kUnicodeBesideAnsi && c.onLinux.empty()) continue;
    SCOPED_TRACE(c.name);
    std::filesystem::remove(test::PathOf(path));
    if (!c.before.empty()) WriteFile(path, c.before);
    IniFile settings(path);
    settings.WriteString("Gebruik", "Lijstendir", c.value);
    EXPECT_EQ(ReadFile(path), kUnicodeBesideAnsi ? c.onWindows : c.onLinux);
    EXPECT_EQ(settings.ReadString("Gebruik", "Lijstendir", "default"), c.value);
#ifdef _WIN32
    wchar_t value[2048] = {};
    GetPrivateProfileStringW(L"Gebruik", L"Lijstendir", L"", value, 2048, WideName(path).c_str());
    EXPECT_EQ(std::wstring(value), WideName(c.value)) << "Windows' own reader reads it";
#endif
  }

#ifdef _WIN32
  using namespace std::string_literals;
  // What Windows' own writer makes of a Unicode file is read whole too, at most 2047 characters.
  WriteFile(path, "\xFF\xFE");
  std::string longValue;
  for (int i = 0; i < 3000; ++i)
    longValue += "ş";
  WritePrivateProfileStringW(L"Gebruik", L"Lijstendir", WideName(gulsen).c_str(),
                             WideName(path).c_str());
  WritePrivateProfileStringW(L"Gebruik", L"Lang", WideName(longValue).c_str(),
                             WideName(path).c_str());
  EXPECT_TRUE(ReadFile(path).starts_with("\xFF\xFE[\0G\0"s));
  EXPECT_EQ(IniFile(path).ReadString("Gebruik", "Lijstendir", "default"), gulsen);
  EXPECT_EQ(IniFile(path).ReadString("Gebruik", "Lang", "default"), longValue.substr(0, 2047 * 2));
#endif
}

using kwindel::test::MessageOf;

TEST(IniFileWrite, FailuresLeaveTheOldFileWhole) {
  TempDir dir;
  const std::string path = dir / "Kwindel.ini";
  const std::string old = "[Ander]\r\nx=1\r\n[Gebruik]\r\nLijstendir=/oud/\r\n";
  WriteFile(path, old);
  IniFile settings(path);
  if (test::FileSizeLimit::Available) {
    test::FileSizeLimit limit(10);  // as on a full disk
    EXPECT_EQ(MessageOf([&] { settings.WriteString("Gebruik", "Lijstendir", "/nieuw/"); }),
              "Unable to write to " + path);
  }
  // A line break would split the entry and corrupt the file.
  EXPECT_EQ(MessageOf([&] { settings.WriteString("Gebruik", "Lijstendir", "/a\n[Gebruik]/"); }),
            "Unable to write to " + path);
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_EQ(test::CountEntries(dir.path()), 1u) << "no temporary file is left behind";

  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_EQ(
      MessageOf([&] { IniFile(dir / "folder.ini").WriteString("Gebruik", "Lijstendir", "/x/"); }),
      "Unable to write to " + (dir / "folder.ini"));
}

}  // namespace
}  // namespace kwindel
