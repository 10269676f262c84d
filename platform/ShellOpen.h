// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <string>

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <QUrl>
#endif

namespace kwindel {

// Hands the document at an absolute path to the desktop's default viewer for
// its kind and returns at once; whether one opens is not known. On Windows
// through the shell's "open" (ShellExecuteW), with the path's wide name. In a
// browser the page itself shows the document's bytes under its file name, to
// be read, printed and saved (see web/kwindel-page.js).
void OpenDocument(const std::string& path);

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// The file:// URL of a document at an absolute path, with every byte of the
// path that is not a plain letter, digit, "-", ".", "_", "~" or "/"
// percent-encoded as it is. A path that is not UTF-8 (a folder named by an
// older system, a USB stick in Latin-1) so reaches the opener unchanged.
QUrl DocumentUrl(const std::string& path);
#endif

}  // namespace kwindel
