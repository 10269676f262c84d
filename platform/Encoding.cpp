// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "Encoding.h"

#ifdef _WIN32
#include <windows.h>
#elif defined(__EMSCRIPTEN__)
#include "Utf16Text.h"
#endif

namespace kwindel {

#ifdef _WIN32

std::wstring ToWide(unsigned codePage, std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, result.data(), wide);
  return result;
}

std::string FromWide(unsigned codePage, std::wstring_view text, const char* missing) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  // No look-alikes either: "Ł" must not pass for "L".
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* substitute = utf8 ? nullptr : missing;
  const int bytes =
      WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, substitute, nullptr);
  std::string result(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), length, result.data(), bytes, substitute,
                      nullptr);
  return result;
}

std::string AnsiFromName(std::string_view name) {
  return FromWide(CP_ACP, ToWide(CP_UTF8, name));
}

std::string NameFromAnsi(std::string_view text) {
  return FromWide(CP_UTF8, ToWide(CP_ACP, text));
}

bool FitsAnsi(std::string_view name) {
  return NameFromAnsi(AnsiFromName(name)) == name;
}

std::wstring WideName(std::string_view name) {
  return ToWide(CP_UTF8, name);
}

#elif defined(__EMSCRIPTEN__)

std::string AnsiFromName(std::string_view name) {
  return Utf8ToWindows1252(name);
}

std::string NameFromAnsi(std::string_view text) {
  return Windows1252ToUtf8(text);
}

bool FitsAnsi(std::string_view name) {
  return NameFromAnsi(AnsiFromName(name)) == name;
}

#else

std::string AnsiFromName(std::string_view name) {
  return std::string(name);
}

std::string NameFromAnsi(std::string_view text) {
  return std::string(text);
}

bool FitsAnsi(std::string_view) {
  return true;
}

#endif

}  // namespace kwindel
