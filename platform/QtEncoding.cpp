// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "QtEncoding.h"

#include <QDir>
#include <QFile>

#ifdef _WIN32
#include <windows.h>

#include "Encoding.h"
#endif

namespace kwindel {

namespace {
constexpr char kSubstitute[] = "\x1A";
}  // namespace

#ifdef _WIN32

QString DecodeName(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::string EncodeName(const QString& name) {
  return QDir::toNativeSeparators(name).toStdString();
}

QString FromCodePage(std::string_view text) {
  const std::wstring wide = ToWide(CP_ACP, text);
  return QString::fromWCharArray(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string ToCodePage(const QString& text) {
  const std::wstring wide = text.toStdWString();
  return FromWide(CP_ACP, wide, kSubstitute);
}

#else

namespace {

// Code page 1252 differs from Latin-1 only in 0x80..0x9F; the five bytes it
// leaves undefined keep their Latin-1 value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char ToCp1252(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (unsigned byte = 0; byte < 32; ++byte) {
    if (kCp1252High[byte] == code) return static_cast<char>(0x80 + byte);
  }
  return kSubstitute[0];
}

}  // namespace

QString DecodeName(std::string_view name) {
  return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

std::string EncodeName(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

QString FromCodePage(std::string_view text) {
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  for (char byte : text) {
    auto code = static_cast<unsigned char>(byte);
    result += (code >= 0x80 && code < 0xA0) ? QChar(kCp1252High[code - 0x80]) : QChar(code);
  }
  return result;
}

std::string ToCodePage(const QString& text) {
  std::string result;
  result.reserve(static_cast<std::size_t>(text.size()));
  for (char32_t code : text.toUcs4())
    result += ToCp1252(code);  // one byte per character
  return result;
}

#endif

}  // namespace kwindel
