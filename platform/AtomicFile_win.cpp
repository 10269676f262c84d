// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
// The Windows side of AtomicFile: a new file beside the target, flushed to the
// disk, then moved over the target in one step with write-through.
#include <windows.h>

#include <cstdio>

#include "AtomicFile.h"
#include "Encoding.h"

namespace kwindel {

namespace {

std::string::size_type NameStart(const std::string& path) {
  const auto separator = path.find_last_of("\\/");
  return separator == std::string::npos ? 0 : separator + 1;
}

// A name no other writer uses at the same moment: the process, the time and a count.
std::string TemporaryName(const std::string& path, unsigned attempt) {
  static unsigned long counter = 0;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08lx%04x",
                static_cast<unsigned long>(GetCurrentProcessId() ^ GetTickCount()) ^ ++counter,
                attempt);
  const auto start = NameStart(path);
  return path.substr(0, start) + "." + path.substr(start) + suffix;
}

}  // namespace

bool AtomicFile::Open() {
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = TemporaryName(path_, attempt);
    HANDLE file = CreateFileW(WideName(candidate).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      file_ = file;
      tempPath_ = std::move(candidate);
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  return Fail(Failure::Create);
}

bool AtomicFile::Commit() {
  if (!IsOpen()) return false;
  if (!FlushBuffer()) return false;
  if (!FlushFileBuffers(file_)) return Fail(Failure::Write);
  HANDLE file = file_;
  file_ = nullptr;
  if (!CloseHandle(file)) return Fail(Failure::Write);
  // One rename that replaces the target, or leaves it as it was: a folder in
  // its place or a file another program holds stay whole. A read-only file is
  // one its owner protected; Windows refuses to replace it, Wine would not.
  const std::wstring target = WideName(path_);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return Fail(Failure::Create);
  }
  if (!MoveFileExW(WideName(tempPath_).c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Fail(Failure::Create);
  }
  tempPath_.clear();
  return true;
}

bool AtomicFile::IsOpen() const {
  return file_ != nullptr;
}

bool AtomicFile::WriteAll(const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file_, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

void AtomicFile::Discard() {
  if (file_ != nullptr) CloseHandle(file_);
  file_ = nullptr;
  if (!tempPath_.empty()) DeleteFileW(WideName(tempPath_).c_str());
  tempPath_.clear();
}

}  // namespace kwindel
