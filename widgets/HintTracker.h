// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QStatusBar;
class QWidget;

// Shows in a status bar the hint (status tip) of the control under the mouse
// pointer, looked up each time the event loop runs out of events. The bar's
// own text stays until the hint first changes.
class HintTracker : public QObject {
  Q_OBJECT

 public:
  explicit HintTracker(QStatusBar* bar);

  // The widget's hint, or that of its nearest enclosing widget that has one.
  static QString HintFor(const QWidget* widget);

  // Looks under the pointer now; called whenever the event loop goes idle.
  void Update();

 private:
  QStatusBar* FBar;
  QString FCurrentHint;
};
