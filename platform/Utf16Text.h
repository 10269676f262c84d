// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kwindel {

// The program's 8-bit text for UTF-16 code units given as bytes, two to a unit in the given
// order: UTF-8 on Linux, the ANSI code page on Windows (where a character the page lacks becomes
// "?"). Decoding stops at the first U+0000, which ends the content
// as a NUL byte does in 8-bit text; an unpaired surrogate, and an odd byte at the end, become
// U+FFFD.
std::string Utf16ToText(std::string_view bytes, bool bigEndian);

}  // namespace kwindel
