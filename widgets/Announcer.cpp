// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Announcer.h"

#include <QAccessible>

#include "WidgetAccessibility.h"

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  kwindel::InstallWidgetAccessibility();
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void Announcer::Announce(const QString& text) {
  FText = text;
  QAccessibleEvent renamed(this, QAccessible::NameChanged);
  kwindel::TellAssistiveTools(renamed);
  // Readers speak a notification when it appears; it is never drawn, so it may appear again.
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  kwindel::TellAssistiveTools(shown);
}
