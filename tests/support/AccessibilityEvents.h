// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "WidgetAccessibility.h"

namespace kwindel::test {

// Records, while it lives, the accessibility events the program tells: what a screen reader
// would be told.
class AccessibilityEvents {
 public:
  AccessibilityEvents() {
    kwindel::ListenToAccessibility([this](QAccessibleEvent& event) { Record(event); });
  }
  ~AccessibilityEvents() { kwindel::ListenToAccessibility({}); }
  AccessibilityEvents(const AccessibilityEvents&) = delete;
  AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

  std::vector<QAccessible::Event> Kinds(const QObject* object) const {
    std::vector<QAccessible::Event> kinds;
    for (const Seen& seen : FSeen)
      if (seen.object == object) kinds.push_back(seen.kind);
    return kinds;
  }
  int Count(const QObject* object, QAccessible::Event kind) const {
    int count = 0;
    for (const Seen& seen : FSeen)
      count += seen.object == object && seen.kind == kind;
    return count;
  }
  // The values of the object's value changes, in order.
  std::vector<int> Values(const QObject* object) const {
    std::vector<int> values;
    for (const Seen& seen : FSeen)
      if (seen.object == object && seen.kind == QAccessible::ValueChanged)
        values.push_back(seen.value.toInt());
    return values;
  }
  // What each notification said as it appeared, in order: what a reader speaks of them.
  QStringList Announcements() const {
    QStringList said;
    for (const Seen& seen : FSeen)
      if (seen.kind == QAccessible::ObjectShow && seen.role == QAccessible::Notification)
        said << seen.name;
    return said;
  }

 private:
  struct Seen {
    const QObject* object;
    QAccessible::Event kind;
    QVariant value;
    QAccessible::Role role;
    QString name;  // as the event was sent
  };

  void Record(QAccessibleEvent& event) {
    QVariant value;
    if (event.type() == QAccessible::ValueChanged)
      value = static_cast<QAccessibleValueChangeEvent&>(event).value();
    QAccessibleInterface* accessible = event.accessibleInterface();
    FSeen.push_back({event.object(), event.type(), value,
                     accessible ? accessible->role() : QAccessible::NoRole,
                     accessible ? accessible->text(QAccessible::Name) : QString()});
  }

  std::vector<Seen> FSeen;
};

}  // namespace kwindel::test
