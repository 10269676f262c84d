// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "ShellOpen.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include "Encoding.h"
#elif defined(__EMSCRIPTEN__)
#include <emscripten.h>

#include "FileBytes.h"
#include "Paths.h"
#else
#include <QByteArray>
#include <QDesktopServices>
#endif

namespace kwindel {

#ifdef _WIN32

void OpenDocument(const std::string& path) {
  ShellExecuteW(nullptr, L"open", WideName(path).c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
}

#elif defined(__EMSCRIPTEN__)

namespace {

// The page's viewer takes a copy of the bytes; a page without one shows nothing.
EM_JS(void, ShowDocumentInPage, (const char* name, const char* bytes, std::size_t size), {
  const page = globalThis.kwindelPage;
  if (page && page.showDocument)
    page.showDocument(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size));
});

}  // namespace

void OpenDocument(const std::string& path) {
  std::string bytes;
  if (ReadWholeFile(path, bytes) != ReadOutcome::Read) return;  // nothing to open: nothing happens
  ShowDocumentInPage(FileNameOf(path).c_str(), bytes.data(), bytes.size());
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
