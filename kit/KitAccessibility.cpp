// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "KitAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "BackgroundPanel.h"
#include "HoverButton.h"
#include "Timeout.h"

namespace {

class HoverButtonInterface : public QAccessibleWidget {
 public:
  explicit HoverButtonInterface(THoverButton* Button)
      : QAccessibleWidget(Button, QAccessible::Button) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = Button()->GetState() == THoverButton::kPressed;
    state.hotTracked = Button()->GetState() == THoverButton::kGlow;
    return state;
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled()) names.prepend(pressAction());
    return names;
  }

  void doAction(const QString& ActionName) override {
    if (ActionName == pressAction())
      Button()->Click();
    else
      QAccessibleWidget::doAction(ActionName);
  }

 private:
  THoverButton* Button() const { return static_cast<THoverButton*>(widget()); }
};

// A countdown reads best as a progress bar: how much of its time has passed.
class ClockInterface : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ClockInterface(TTimeout* Clock) : QAccessibleWidget(Clock, QAccessible::ProgressBar) {}

  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(Type);
  }

  QString text(QAccessible::Text Kind) const override {
    if (Kind == QAccessible::Value) return QStringLiteral("%1%").arg(Clock()->GetPosition());
    return QAccessibleWidget::text(Kind);
  }

  QVariant currentValue() const override { return Clock()->GetPosition(); }
  // The countdown moves the value; a reader cannot.
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return 100; }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 0; }

 private:
  TTimeout* Clock() const { return static_cast<TTimeout*>(widget()); }
};

class PanelInterface : public QAccessibleWidget {
 public:
  explicit PanelInterface(TBackgroundPanel* Panel)
      : QAccessibleWidget(Panel, QAccessible::Grouping) {}

  QString text(QAccessible::Text Kind) const override {
    // The caption names the panel only while it shows: a picture covers it.
    if (Kind == QAccessible::Name && widget()->accessibleName().isEmpty() && ShowsCaption() &&
        !Panel()->GetCaption().isEmpty())
      return Panel()->GetCaption();
    return QAccessibleWidget::text(Kind);
  }

 private:
  TBackgroundPanel* Panel() const { return static_cast<TBackgroundPanel*>(widget()); }
  bool ShowsCaption() const {
    const TPicture* picture = Panel()->GetPicture();
    return picture->Width() == 0 || picture->Height() == 0;
  }
};

template <class Widget>
bool Is(const QString& Key) {
  return Key == QLatin1String(Widget::staticMetaObject.className());
}

// Qt asks with the name of each class of the object's, most derived first, so a
// subclass with an interface of its own keeps it.
QAccessibleInterface* KitInterfaces(const QString& Key, QObject* Object) {
  if (Is<THoverButton>(Key))
    if (auto* button = qobject_cast<THoverButton*>(Object)) return new HoverButtonInterface(button);
  if (Is<TTimeout>(Key))
    if (auto* clock = qobject_cast<TTimeout*>(Object)) return new ClockInterface(clock);
  if (Is<TBackgroundPanel>(Key))
    if (auto* panel = qobject_cast<TBackgroundPanel*>(Object)) return new PanelInterface(panel);
  return nullptr;
}

}  // namespace

namespace kwindel {

void InstallKitAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(KitInterfaces);
    return true;
  }();
  (void)installed;
}

void AnnounceClockPosition(TTimeout* Clock) {
  QAccessibleValueChangeEvent event(Clock, Clock->GetPosition());
  QAccessible::updateAccessibility(&event);
}

}  // namespace kwindel
