// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

// The settings of a file-open dialog, run through a replaceable runner so
// tests can answer for the user.
class TOpenDialog {
 public:
  // Takes the chosen file's full path, or nothing when the user cancels.
  using Answer = std::function<void(std::optional<std::string>)>;
  // Runs the dialog and answers. A modal dialog answers before it returns; a
  // browser's file picker cannot hold the page, so it answers later, from the
  // event loop.
  using Runner = std::function<void(const TOpenDialog&, Answer)>;
  // A runner that answers with what a modal dialog returns.
  using ModalRunner = std::function<std::optional<std::string>(const TOpenDialog&)>;

  QString Title;
  QString Filter;      // as QFileDialog takes it: "Description (*.ext)"
  QString DefaultExt;  // added to a typed name without an extension
  std::string InitialDir;
  std::string FileName;

  explicit TOpenDialog(Runner runner = RunFileDialog) : FRunner(std::move(runner)) {}

  static Runner Modal(ModalRunner dialog);

  // Runs the dialog; `done` takes true when a file was chosen, FileName then
  // holding its path, and false when the user cancelled.
  void Execute(std::function<void(bool chosen)> done);

  // The folder the dialog opens in: InitialDir, or the user's home when that
  // folder does not exist here.
  QString StartFolder() const;

  // The platform's own dialog. In a browser that is the browser's file picker,
  // which gives a file's name and bytes but no folder: the bytes are written
  // under that name into the current folder of the page's own file system, and
  // the answer is the bare name, which the window shows and the report quotes.
  static void RunFileDialog(const TOpenDialog& dialog, Answer answer);

 private:
  Runner FRunner;
};
