// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kwindel {

// File names, and the messages that quote them, travel through the program as
// 8-bit text: on Linux the name's own bytes, on Windows UTF-8, so that every
// name survives and the wide (UTF-16) file calls open any folder.

// The ANSI code page of the text the program writes into its own files (the
// report's list path, the settings' folder). On Linux a name's bytes are
// written as they are. On Windows a character the page lacks becomes "?".
std::string AnsiFromName(std::string_view name);
std::string NameFromAnsi(std::string_view text);

#ifdef _WIN32
// A name as the wide file calls take it.
std::wstring WideName(std::string_view name);

// Conversions between a code page (CP_ACP, CP_UTF8, ...) and UTF-16. `missing`
// stands for what the page lacks.
std::wstring ToWide(unsigned codePage, std::string_view text);
std::string FromWide(unsigned codePage, std::wstring_view text, const char* missing = "?");
#endif

}  // namespace kwindel
