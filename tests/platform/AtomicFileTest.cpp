// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "AtomicFile.h"
#include "TempDir.h"

#ifdef _WIN32
#include <windows.h>

#include "Encoding.h"
#endif

namespace kwindel {
namespace {

using test::CountEntries;
using test::PathOf;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

bool WriteWhole(const std::string& path, const std::string& bytes) {
  AtomicFile file(path);
  return file.Open() && file.Write(bytes) && file.Commit();
}

TEST(AtomicFileTest, ReplacesAnExistingFileAndLeavesNothingElse) {
  TempDir dir;
  const std::string path = dir / "Kw\xC3\xAFndel.txt";
  WriteFile(path, std::string(100000, 'o'));
  ASSERT_TRUE(WriteWhole(path, "nieuw\r\n"));
  EXPECT_EQ(ReadFile(path), "nieuw\r\n");
  ASSERT_TRUE(WriteWhole(dir / "nieuw.txt", "ook\r\n"));
  EXPECT_EQ(ReadFile(dir / "nieuw.txt"), "ook\r\n");
  EXPECT_EQ(CountEntries(dir.path()), 2u) << "no temporary file is left behind";
}

TEST(AtomicFileTest, AWriterNotCommittedChangesNothing) {
  TempDir dir;
  WriteFile(dir / "Kwindel.txt", "oud\r\n");
  {
    AtomicFile file(dir / "Kwindel.txt");
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write(std::string(200000, 'n')));  // past the buffer: on the disk already
  }
  EXPECT_EQ(ReadFile(dir / "Kwindel.txt"), "oud\r\n");
  EXPECT_EQ(CountEntries(dir.path()), 1u);
}

TEST(AtomicFileTest, AFolderInThePlaceOfTheFileStays) {
  TempDir dir;
  std::filesystem::create_directory(PathOf(dir / "Kwindel.txt"));
  AtomicFile file(dir / "Kwindel.txt");
  ASSERT_TRUE(file.Open());
  ASSERT_TRUE(file.Write("nieuw\r\n"));
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(file.failure(), AtomicFile::Failure::Create);
  EXPECT_TRUE(std::filesystem::is_directory(PathOf(dir / "Kwindel.txt")));
  EXPECT_EQ(CountEntries(dir.path()), 1u);
}

#ifdef _WIN32

// A read-only report is one the teacher protected: it stays as it is, and the
// save fails as the creation of a file that cannot be written.
TEST(AtomicFileTest, AReadOnlyFileIsNotReplaced) {
  TempDir dir;
  const std::string path = dir / "Kwindel.txt";
  WriteFile(path, "beschermd\r\n");
  ASSERT_TRUE(SetFileAttributesW(WideName(path).c_str(), FILE_ATTRIBUTE_READONLY));
  AtomicFile file(path);
  ASSERT_TRUE(file.Open());
  ASSERT_TRUE(file.Write("nieuw\r\n"));
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(file.failure(), AtomicFile::Failure::Create);
  EXPECT_EQ(ReadFile(path), "beschermd\r\n");
  EXPECT_EQ(CountEntries(dir.path()), 1u);
  SetFileAttributesW(WideName(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A report another program holds open without sharing it stays whole too.
TEST(AtomicFileTest, AFileAnotherProgramHoldsIsNotReplaced) {
  TempDir dir;
  const std::string path = dir / "Kwindel.txt";
  WriteFile(path, "open\r\n");
  HANDLE other = CreateFileW(WideName(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteWhole(path, "nieuw\r\n"));
  CloseHandle(other);
  EXPECT_EQ(ReadFile(path), "open\r\n");
  EXPECT_EQ(CountEntries(dir.path()), 1u);
  EXPECT_TRUE(WriteWhole(path, "nieuw\r\n")) << "once it is let go";
}

#endif

}  // namespace
}  // namespace kwindel
