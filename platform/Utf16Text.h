// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kwindel {

// UTF-16 code units given as bytes, two to a unit in the given order, as UTF-8. Decoding stops
// at the first U+0000, which ends the content as a NUL byte does in 8-bit text; an unpaired
// surrogate, and an odd byte at the end, become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// UTF-8 text as a UTF-16 file: the byte-order mark, then two bytes a code unit in the given
// order. A byte that is no valid UTF-8 becomes U+FFFD.
std::string Utf8ToUtf16File(std::string_view text, bool bigEndian);

// Whether the bytes are valid UTF-8 (no stray or missing continuation byte, overlong form,
// surrogate or code point beyond U+10FFFF) and hold at least one byte above 0x7F: what a text
// editor saves as UTF-8 without a mark, and what 8-bit text in a code page almost never is.
bool IsUtf8BeyondAscii(std::string_view bytes);

// Windows-1252, the ANSI code page of Western Windows, and UTF-8, both ways, as Windows converts
// them: the page's five unassigned bytes stand for the control characters of the same number,
// and a character the page lacks (or a byte that is no valid UTF-8) becomes "?".
std::string Utf8ToWindows1252(std::string_view text);
std::string Windows1252ToUtf8(std::string_view bytes);

}  // namespace kwindel
