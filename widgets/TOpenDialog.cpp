// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TOpenDialog.h"

#include <QDir>
#include <QFileDialog>

#include "QtEncoding.h"

#ifdef __EMSCRIPTEN__
#include <QFile>
#endif

TOpenDialog::Runner TOpenDialog::Modal(ModalRunner dialog) {
  return [dialog = std::move(dialog)](const TOpenDialog& settings, const Answer& answer) {
    answer(dialog(settings));
  };
}

void TOpenDialog::Execute(std::function<void(bool chosen)> done) {
  FRunner(*this, [this, done = std::move(done)](std::optional<std::string> chosen) {
    if (chosen) FileName = std::move(*chosen);
    done(chosen.has_value());
  });
}

QString TOpenDialog::StartFolder() const {
  QString folder = kwindel::DecodeName(InitialDir);
  if (folder.isEmpty() || !QDir(folder).exists()) return QDir::homePath();
  return QDir::cleanPath(folder);
}

#ifdef __EMSCRIPTEN__

void TOpenDialog::RunFileDialog(const TOpenDialog& dialog, Answer answer) {
  QFileDialog::getOpenFileContent(
      dialog.Filter, [answer = std::move(answer)](const QString& name, const QByteArray& content) {
        // No name: the picker was cancelled.
        if (name.isEmpty()) {
          answer(std::nullopt);
          return;
        }
        QFile file(name);
        // A file that could not be written whole is not read half: the reading then fails
        // with the usual message.
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(content) != content.size() || !file.flush()) {
          file.remove();
        }
        answer(kwindel::EncodeName(name));
      });
}

#else

void TOpenDialog::RunFileDialog(const TOpenDialog& dialog, Answer answer) {
  QFileDialog box(nullptr, dialog.Title, dialog.StartFolder(), dialog.Filter);
  box.setAcceptMode(QFileDialog::AcceptOpen);
  box.setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
  box.setDefaultSuffix(dialog.DefaultExt);
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
    answer(std::nullopt);
    return;
  }
  answer(kwindel::EncodeName(box.selectedFiles().first()));
}

#endif
