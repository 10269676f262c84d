// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Announcer.h"

#include <QAccessible>
#include <QEvent>

#include "WidgetAccessibility.h"

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  kwindel::InstallWidgetAccessibility();
  setFocusPolicy(Qt::NoFocus);
  hide();
  FWaiting.setSingleShot(true);
  FWaiting.setInterval(1000);
  connect(&FWaiting, &QTimer::timeout, this, &Announcer::Tell);
  window()->installEventFilter(this);
}

void Announcer::Announce(const QString& text) {
  FText = text;
  if (window()->isActiveWindow())
    Tell();
  else
    FWaiting.start();
}

bool Announcer::eventFilter(QObject* watched, QEvent* event) {
  // The window takes the focus after its activation event: the sentence follows the focus.
  if (event->type() == QEvent::WindowActivate && FWaiting.isActive()) FWaiting.start(0);
  return QWidget::eventFilter(watched, event);
}

void Announcer::Tell() {
  FWaiting.stop();
  QAccessibleEvent renamed(this, QAccessible::NameChanged);
  kwindel::TellAssistiveTools(renamed);
  // Readers speak a notification when it appears; it is never drawn, so it may appear again.
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  kwindel::TellAssistiveTools(shown);
}
