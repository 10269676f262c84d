// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

// Sentences for a screen reader alone: what the window tells its user without showing it, such as
// that a list was read or that the report was opened. It never shows on screen; each sentence
// appears to a reader as a notification, which it speaks at once.
//
// A reader speaks of a window that becomes active, and of its focused control, cutting off what it
// was saying: a sentence waits until its window is active (as after a dialog, or after the report
// has opened), or at most a second when the window stays in the background.
class Announcer : public QWidget {
  Q_OBJECT

 public:
  explicit Announcer(QWidget* parent);

  void Announce(const QString& text);
  // The last sentence announced.
  const QString& GetText() const { return FText; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Tell();

  QString FText;
  QTimer FWaiting;  // runs while a sentence waits for its window
};
