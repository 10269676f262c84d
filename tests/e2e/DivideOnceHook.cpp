// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Linked only into a test build of the program, never into the program itself:
// once the window is up, does what a teacher does, through the program's own
// desktop services. Chooses the list named by KWINDEL_TEST_LIST in the real file
// dialog, presses Kwindel (the report is saved and handed to the desktop's
// opener), then Stop.

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "MainForm.h"

namespace {

TfMain* ShownWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* form = qobject_cast<TfMain*>(widget); form && form->isVisible()) return form;
  }
  return nullptr;
}

// Types the list's path into the dialog once it is open, and confirms it.
void AnswerTheDialog() {
  auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
  auto* name = box ? box->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
  if (!name) return QTimer::singleShot(20, AnswerTheDialog);
  name->setText(qEnvironmentVariable("KWINDEL_TEST_LIST"));
  QTest::keyClick(name, Qt::Key_Return);
}

void DivideOnce() {
  TfMain* form = ShownWindow();
  if (!form) return QTimer::singleShot(20, DivideOnce);
  QTimer::singleShot(0, AnswerTheDialog);
  form->pKies->click();
  form->bKwindel->click();
  form->bStop->click();
}

void Start() {
  QTimer::singleShot(0, DivideOnce);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Start)
