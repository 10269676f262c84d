// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HintTracker.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QStatusBar>
#include <QWidget>

HintTracker::HintTracker(QStatusBar* bar) : QObject(bar), FBar(bar) {
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &HintTracker::Update);
}

QString HintTracker::HintFor(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    if (!widget->statusTip().isEmpty()) return widget->statusTip();
  }
  return {};
}

void HintTracker::Update() {
  QString hint = HintFor(QApplication::widgetAt(QCursor::pos()));
  if (hint == FCurrentHint) return;
  FCurrentHint = hint;
  FBar->showMessage(hint);
}
