// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Paths.h"
#include "TempDir.h"

namespace kwindel {
namespace {

using test::PathOf;
using test::TempDir;

TEST(PathsTest, SplitsAPathIntoFolderAndName) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
  };
  const Case cases[] = {
#ifdef _WIN32
      {"D:\\Tools\\Kwindel.exe", "D:\\Tools\\", "Kwindel.exe"},
      {"D:\\Klas 5\\groep.lll", "D:\\Klas 5\\", "groep.lll"},
      {"C:/lijsten/groep7.lll", "C:/lijsten/", "groep7.lll"},  // Windows takes either separator
      {"C:\\", "C:\\", ""},
      {"groep.lll", "\\", "groep.lll"},
#else
      {"/usr/libexec/kwindel/Kwindel", "/usr/libexec/kwindel/", "Kwindel"},
      {"/home/juf/Klas 5/groep.lll", "/home/juf/Klas 5/", "groep.lll"},
      {"/home/juf\\lijsten/a\\b.lll", "/home/juf\\lijsten/", "a\\b.lll"},  // "\" is a letter
      {"/", "/", ""},
      {"groep.lll", "/", "groep.lll"},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderOf(c.path), c.folder);
    EXPECT_EQ(FileNameOf(c.path), c.name);
  }
}

TEST(PathsTest, KnowsTheRunningExecutable) {
  const std::string path = ExecutablePath();
#ifdef _WIN32
  EXPECT_EQ(FileNameOf(path), "platform_tests.exe");
  EXPECT_EQ(path.substr(1, 2), ":\\") << path;
#else
  EXPECT_EQ(FileNameOf(path), "platform_tests");
  EXPECT_EQ(path.front(), '/') << path;
#endif
  EXPECT_TRUE(FileExists(path));
}

// Names beyond ASCII, even beyond the ANSI code page (Ł), reach the system whole.
TEST(PathsTest, FindsFilesAndFoldersWhateverTheirNames) {
  TempDir dir;
  const std::string folder = dir / "Klas \xC5\x81ucja \xE2\x80\x93 Zo\xC3\xAB";  // Łucja – Zoë
  const std::string file = folder + kPathSeparator +
                           "gr\xC3\xB8"
                           "ep.lll";
  std::filesystem::create_directory(PathOf(folder));
  test::WriteFile(file, "A\r\n");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(folder)) << "a folder is no file";
  EXPECT_FALSE(FileExists(folder + kPathSeparator + "weg.lll"));

  const std::filesystem::path before = std::filesystem::current_path();
  EXPECT_TRUE(SetCurrentFolder(folder));
  EXPECT_EQ(std::filesystem::current_path(), PathOf(folder));
  EXPECT_FALSE(SetCurrentFolder(folder + kPathSeparator + "weg"));
  std::filesystem::current_path(before);
}

}  // namespace
}  // namespace kwindel
