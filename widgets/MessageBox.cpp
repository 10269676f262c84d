// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBox.h"

void ShowMessageBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
#ifdef __EMSCRIPTEN__
  // A nested event loop would need the whole program built to suspend its stack.
  auto* box = new QMessageBox(icon, caption, text, QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  box->open();
#else
  QMessageBox box(icon, caption, text, QMessageBox::Ok);
  box.exec();
#endif
}
