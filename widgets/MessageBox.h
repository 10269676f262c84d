// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

// A message with one OK button and no parent, so centred on the screen. On the
// desktop the call waits until OK is pressed. A browser page cannot wait: there
// the box stays in front and takes the program's input until OK, and the call
// returns at once.
void ShowMessageBox(QMessageBox::Icon icon, const QString& caption, const QString& text);
