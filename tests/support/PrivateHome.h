// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStandardPaths>
#include <QtGlobal>
#include <filesystem>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace kwindel::test {

// Gives the test process a home and a runtime folder of its own, in a fresh
// temporary folder that goes when the process ends (also through std::exit, as
// in a death test's child). Qt keeps what it stores for a user under the home
// folder even in test mode (~/.qttest: the file dialog's history), and makes
// its runtime folder in the temporary folder when XDG_RUNTIME_DIR is unset; so
// the user's folders stay as they were. On Windows the tests run in a Wine
// prefix of their own, which is their whole user profile. Call it before the
// application object.
inline void UsePrivateHome() {
#ifndef _WIN32
  struct Folder {
    std::string path = (std::filesystem::temp_directory_path() / "kwindel-home-XXXXXX").string();
    pid_t owner = ::getpid();  // a forked child must not remove its parent's folder
    Folder() {
      if (::mkdtemp(path.data()) == nullptr) path.clear();
    }
    ~Folder() {
      std::error_code ignored;
      if (!path.empty() && ::getpid() == owner) std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder home;
  if (home.path.empty()) qFatal("no folder for the tests' own home in the temporary folder");
  qputenv("HOME", QByteArray::fromStdString(home.path));
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(home.path));  // mkdtemp made it 0700
#endif
  QStandardPaths::setTestModeEnabled(true);
}

}  // namespace kwindel::test
