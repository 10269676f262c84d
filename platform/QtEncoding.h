// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kwindel {

// A name in the program's 8-bit text (see Encoding.h) for the screen and Qt's
// file classes, and back, with the platform's own separators.
QString DecodeName(std::string_view name);
std::string EncodeName(const QString& name);

// The code page of 8-bit names given to the kit (wave resource names): the
// ANSI code page on Windows, code page 1252 elsewhere. A character the page
// lacks becomes the substitute byte 0x1A.
QString FromCodePage(std::string_view text);
std::string ToCodePage(const QString& text);

}  // namespace kwindel
