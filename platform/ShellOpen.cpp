// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "ShellOpen.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include "Encoding.h"
#else
#include <QByteArray>
#include <QDesktopServices>
#endif

namespace kwindel {

#ifdef _WIN32

void OpenDocument(const std::string& path) {
  ShellExecuteW(nullptr, L"open", WideName(path).c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
}

#else

QUrl DocumentUrl(const std::string& path) {
  // Not QUrl::fromLocalFile: its QString path holds only valid UTF-8, and a name that is not
  // would reach the opener with U+FFFD in it, naming a file that does not exist.
  return QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"),
                           QUrl::StrictMode);
}

void OpenDocument(const std::string& path) {
  QDesktopServices::openUrl(DocumentUrl(path));
}

#endif

}  // namespace kwindel
