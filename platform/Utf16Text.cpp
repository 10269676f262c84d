// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "Utf16Text.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kwindel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

constexpr bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point at the start of the text and its length in bytes; a length of 0 where the
// bytes there are no valid UTF-8.
struct CodePoint {
  char32_t value;
  std::size_t length;
};

CodePoint ReadUtf8(std::string_view text) {
  auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byteAt(0);
  if (first < 0x80) return {first, 1};
  // The sequence's length, the lead byte's bits, and the smallest value it may carry (below
  // it the form is overlong).
  struct Form {
    std::size_t length;
    char32_t value;
    char32_t smallest;
  } form{};
  if (first >= 0xC2 && first <= 0xDF) {
    form = {2, first & 0x1Fu, 0x80};
  } else if (first >= 0xE0 && first <= 0xEF) {
    form = {3, first & 0x0Fu, 0x800};
  } else if (first >= 0xF0 && first <= 0xF4) {
    form = {4, first & 0x07u, 0x10000};
  } else {
    return {0, 0};
  }
  if (text.size() < form.length) return {0, 0};
  char32_t value = form.value;
  for (std::size_t i = 1; i < form.length; ++i) {
    if ((byteAt(i) & 0xC0) != 0x80) return {0, 0};
    value = (value << 6) | (byteAt(i) & 0x3Fu);
  }
  if (value < form.smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return {0, 0};
  }
  return {value, form.length};
}

// The characters of Windows-1252's bytes 0x80 to 0x9F; the rest are Latin-1's.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  const std::size_t units = bytes.size() / 2;
  auto unitAt = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  };
  std::string text;
  // Most lists are Latin letters: two bytes of UTF-16 give one or two of UTF-8.
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t unit = unitAt(i);
    if (unit == 0) return text;
    if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(unitAt(i + 1))) {
      const char16_t low = unitAt(++i);
      AppendUtf8(text, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{low} - 0xDC00));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(text, kReplacement);
    } else {
      AppendUtf8(text, unit);
    }
  }
  if (bytes.size() % 2 != 0) AppendUtf8(text, kReplacement);
  return text;
}

std::string Utf8ToUtf16File(std::string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  bytes.reserve(2 + 2 * text.size());
  auto appendUnit = [&](char16_t unit) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  };
  while (!text.empty()) {
    CodePoint c = ReadUtf8(text);
    if (c.length == 0) c = {kReplacement, 1};
    if (c.value >= 0x10000) {
      appendUnit(static_cast<char16_t>(0xD800 + ((c.value - 0x10000) >> 10)));
      appendUnit(static_cast<char16_t>(0xDC00 + ((c.value - 0x10000) & 0x3FF)));
    } else {
      appendUnit(static_cast<char16_t>(c.value));
    }
    text.remove_prefix(c.length);
  }
  return bytes;
}

bool IsUtf8BeyondAscii(std::string_view bytes) {
  bool beyondAscii = false;
  while (!bytes.empty()) {
    // Most of a list is ASCII: eight bytes at a time where none has its high bit set.
    if (bytes.size() >= 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, bytes.data(), 8);
      if ((word & 0x8080808080808080) == 0) {
        bytes.remove_prefix(8);
        continue;
      }
    }
    const CodePoint c = ReadUtf8(bytes);
    if (c.length == 0) return false;
    beyondAscii |= c.length > 1;
    bytes.remove_prefix(c.length);
  }
  return beyondAscii;
}

std::string Utf8ToWindows1252(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  while (!text.empty()) {
    CodePoint c = ReadUtf8(text);
    if (c.length == 0) c = {'?', 1};
    char byte = '?';
    if (c.value < 0x80 || (c.value >= 0xA0 && c.value <= 0xFF)) {
      byte = static_cast<char>(c.value);
    } else {
      for (unsigned i = 0; i < 32; ++i) {
        if (kWindows1252High[i] == c.value) byte = static_cast<char>(0x80 + i);
      }
    }
    bytes += byte;
    text.remove_prefix(c.length);
  }
  return bytes;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    AppendUtf8(text, value >= 0x80 && value < 0xA0 ? kWindows1252High[value - 0x80] : value);
  }
  return text;
}

}  // namespace kwindel
