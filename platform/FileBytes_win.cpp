// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
// The Windows side of FileBytes: heap blocks and a file opened by its wide name
// with a share mode that lets others read, not write.
#include <windows.h>

#include <cstdlib>
#include <new>

#include "Encoding.h"
#include "FileBytes.h"

namespace kwindel {

ByteBlock::ByteBlock(std::size_t capacity) {
  if (capacity == 0) return;
  data_ = static_cast<char*>(std::malloc(capacity));
  if (data_ == nullptr) throw std::bad_alloc();
  capacity_ = capacity;
}

void ByteBlock::Release() {
  std::free(data_);
  data_ = nullptr;
  capacity_ = 0;
  mapped_ = 0;
}

ReadOutcome ReadOnlyFile::Open(const std::string& path) {
  // A program writing the file makes the open fail with a sharing violation, as it should.
  HANDLE file = CreateFileW(WideName(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return missing ? ReadOutcome::Missing : ReadOutcome::CannotOpen;
  }
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    return ReadOutcome::CannotOpen;
  }
  handle_ = file;
  size_ = static_cast<std::size_t>(size.QuadPart);
  return ReadOutcome::Read;
}

long long ReadOnlyFile::Read(char* into, std::size_t size) {
  const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
  DWORD got = 0;
  if (!ReadFile(handle_, into, chunk, &got, nullptr)) return -1;
  return got;
}

ReadOnlyFile::~ReadOnlyFile() {
  if (handle_ != nullptr) CloseHandle(handle_);
}

}  // namespace kwindel
