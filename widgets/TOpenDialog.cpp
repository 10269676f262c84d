// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TOpenDialog.h"

#include <QDir>
#include <QFileDialog>

#include "QtEncoding.h"

bool TOpenDialog::Execute() {
  std::optional<std::string> chosen = FRunner(*this);
  if (!chosen) return false;
  FileName = *chosen;
  return true;
}

QString TOpenDialog::StartFolder() const {
  QString folder = kwindel::DecodeName(InitialDir);
  if (folder.isEmpty() || !QDir(folder).exists()) return QDir::homePath();
  return QDir::cleanPath(folder);
}

std::optional<std::string> TOpenDialog::RunFileDialog(const TOpenDialog& dialog) {
  QFileDialog box(nullptr, dialog.Title, dialog.StartFolder(), dialog.Filter);
  box.setAcceptMode(QFileDialog::AcceptOpen);
  box.setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
  box.setDefaultSuffix(dialog.DefaultExt);
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return std::nullopt;
  return kwindel::EncodeName(box.selectedFiles().first());
}
