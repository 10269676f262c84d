// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <string_view>

namespace kwindel {

// Bytes 0x00..0x20 are blanks; 0x80..0xFF are text, never blanks.
constexpr bool IsBlankByte(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

constexpr std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlankByte(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlankByte(text.back()))
    text.remove_suffix(1);
  return text;
}

}  // namespace kwindel
