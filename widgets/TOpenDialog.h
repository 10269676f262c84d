// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

// The settings of a modal file-open dialog, run through a replaceable runner so
// tests can answer for the user.
class TOpenDialog {
 public:
  // Returns the chosen file's full path, or nothing when the user cancels.
  using Runner = std::function<std::optional<std::string>(const TOpenDialog&)>;

  QString Title;
  QString Filter;      // as QFileDialog takes it: "Description (*.ext)"
  QString DefaultExt;  // added to a typed name without an extension
  std::string InitialDir;
  std::string FileName;

  explicit TOpenDialog(Runner runner = RunFileDialog) : FRunner(std::move(runner)) {}

  // True when a file was chosen; FileName then holds its path.
  bool Execute();

  // The folder the dialog opens in: InitialDir, or the user's home when that
  // folder does not exist here.
  QString StartFolder() const;

  static std::optional<std::string> RunFileDialog(const TOpenDialog& dialog);

 private:
  Runner FRunner;
};
