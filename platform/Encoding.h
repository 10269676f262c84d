// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kwindel {

// File names, and the messages that quote them, travel through the program as
// 8-bit text: on Linux the name's own bytes, on Windows UTF-8, so that every
// name survives and the wide (UTF-16) file calls open any folder.

// On Windows the program's own files hold 8-bit text in the ANSI code page
// where it fits, and Unicode (UTF-8 or UTF-16) where it does not: a list may be
// either, and the report and the settings are written in the one that keeps
// every character. On Linux names and lists are bytes, written as they are:
// there is no second kind of text. A page in the browser reads the lists
// teachers bring from Windows as Western Windows does, in Windows-1252.
#if defined(_WIN32) || defined(__EMSCRIPTEN__)
inline constexpr bool kUnicodeBesideAnsi = true;
#else
inline constexpr bool kUnicodeBesideAnsi = false;
#endif

// Whether a report of a UTF-8 list starts with the UTF-8 mark, as Windows
// programs expect; a page keeps such a report as the list came, unmarked.
#ifdef _WIN32
inline constexpr bool kMarkUtf8Reports = true;
#else
inline constexpr bool kMarkUtf8Reports = false;
#endif

// A name, or any of the program's text, in the ANSI code page and back. On
// Linux the bytes stay as they are. On Windows and in a page a character the
// code page lacks becomes "?".
std::string AnsiFromName(std::string_view name);
std::string NameFromAnsi(std::string_view text);

// Whether the ANSI code page holds every character of the name: always on
// Linux.
bool FitsAnsi(std::string_view name);

#ifdef _WIN32
// A name as the wide file calls take it.
std::wstring WideName(std::string_view name);

// Conversions between a code page (CP_ACP, CP_UTF8, ...) and UTF-16. `missing`
// stands for what the page lacks.
std::wstring ToWide(unsigned codePage, std::string_view text);
std::string FromWide(unsigned codePage, std::wstring_view text, const char* missing = "?");
#endif

}  // namespace kwindel
