// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace kwindel {

// How the bytes of a list file are to be read, told by its first bytes alone.
enum class ListEncoding {
  Bytes,              // the program's own 8-bit text, byte for byte
  Utf16LittleEndian,  // as Windows saves "Unicode" text
  Utf16BigEndian,
};

struct ListStart {
  ListEncoding encoding;
  std::size_t markLength;  // the byte-order mark's bytes, which are not part of the text
};

// Windows tools start a text file with a byte-order mark: EF BB BF (UTF-8, read on as bytes),
// FF FE or FE FF (UTF-16). A file without one is read byte for byte, and so are these bytes
// anywhere but at the very start.
constexpr ListStart ReadByteOrderMark(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return {ListEncoding::Bytes, 3};
  if (bytes.starts_with("\xFF\xFE")) return {ListEncoding::Utf16LittleEndian, 2};
  if (bytes.starts_with("\xFE\xFF")) return {ListEncoding::Utf16BigEndian, 2};
  return {ListEncoding::Bytes, 0};
}

}  // namespace kwindel
