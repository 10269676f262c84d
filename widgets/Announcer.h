// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

// Sentences for a screen reader alone: what the window tells its user without showing it, such as
// that a list was read or that the report was opened. It never shows on screen; each Announce
// appears to a reader as a notification, which it speaks at once.
class Announcer : public QWidget {
  Q_OBJECT

 public:
  explicit Announcer(QWidget* parent);

  void Announce(const QString& text);
  // The last sentence announced.
  const QString& GetText() const { return FText; }

 private:
  QString FText;
};
