// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "FileBytes.h"
#include "TempDir.h"

#ifdef _WIN32
#include <windows.h>

#include "Encoding.h"
#endif

namespace kwindel {
namespace {

using test::TempDir;
using test::WriteFile;
using namespace std::string_literals;

TEST(FileBytesTest, ReadsAWholeFileWhateverItsName) {
  TempDir dir;
  const std::string path = dir / "Klas \xC5\x81ucja.lll";  // beyond the ANSI code page
  const std::string content = "A\r\n" + std::string(200000, 'b') + "\0c"s;
  WriteFile(path, content);
  std::string bytes;
  EXPECT_EQ(ReadWholeFile(path, bytes), ReadOutcome::Read);
  EXPECT_EQ(bytes, content);
  EXPECT_EQ(ReadWholeFile(dir / "weg.lll", bytes), ReadOutcome::Missing);
  EXPECT_EQ(ReadWholeFile(dir.path(), bytes), ReadOutcome::CannotOpen) << "a folder";
}

#ifdef _WIN32

HANDLE OpenAsAnotherProgram(const std::string& path, DWORD access) {
  return CreateFileW(WideName(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// While a list is read, others may read it but not write it; a list another
// program is writing cannot be opened.
TEST(FileBytesTest, SharesAListForReadingOnly) {
  TempDir dir;
  const std::string path = dir / "klas.lll";
  WriteFile(path, "A\r\n");
  {
    ReadOnlyFile file;
    ASSERT_EQ(file.Open(path), ReadOutcome::Read);
    HANDLE reader = OpenAsAnotherProgram(path, GENERIC_READ);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE) << "another reader is welcome";
    CloseHandle(reader);
    HANDLE writer = OpenAsAnotherProgram(path, GENERIC_WRITE);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE) << "a writer is not";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  }
  HANDLE writer = OpenAsAnotherProgram(path, GENERIC_WRITE);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  ReadOnlyFile file;
  EXPECT_EQ(file.Open(path), ReadOutcome::CannotOpen) << "another program is writing it";
  CloseHandle(writer);
}

#endif

}  // namespace
}  // namespace kwindel
