// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "Announcer.h"
#include "TLMDSpinEdit.h"

namespace {

// One line of text a reader may read, with the cursor and selection of its widget, if any.
class LineText : public QAccessibleTextInterface {
 public:
  virtual QString Line() const = 0;
  // Where the line is drawn: from the left of its contents, centred in their height.
  virtual const QWidget* LineWidget() const = 0;

  // No cursor and nothing selected, unless the widget has them.
  void selection(int, int* StartOffset, int* EndOffset) const override {
    *StartOffset = *EndOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}

  QString text(int StartOffset, int EndOffset) const override {
    return Line().mid(StartOffset, EndOffset - StartOffset);
  }
  int characterCount() const override { return static_cast<int>(Line().size()); }

  QRect characterRect(int Offset) const override {
    const QString line = Line();
    if (Offset < 0 || Offset >= line.size()) return {};
    const QWidget* widget = LineWidget();
    const QFontMetrics metrics(widget->font());
    const QRect area = widget->contentsRect();
    const QRect local(area.left() + metrics.horizontalAdvance(line.left(Offset)),
                      area.top() + (area.height() - metrics.height()) / 2,
                      metrics.horizontalAdvance(line.mid(Offset, 1)), metrics.height());
    return {widget->mapToGlobal(local.topLeft()), local.size()};
  }
  int offsetAtPoint(const QPoint& Point) const override {
    for (int offset = 0; offset < characterCount(); ++offset)
      if (characterRect(offset).contains(Point)) return offset;
    return -1;
  }

  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* StartOffset, int* EndOffset) const override {
    *StartOffset = 0;
    *EndOffset = characterCount();
    return {};
  }
};

class SpinEditInterface : public QAccessibleWidget,
                          public QAccessibleValueInterface,
                          public LineText,
                          public QAccessibleEditableTextInterface {
 public:
  explicit SpinEditInterface(TLMDSpinEdit* Spin) : QAccessibleWidget(Spin, QAccessible::SpinBox) {}

  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    // Reading and typing go through the edit box, as for Qt's own spin boxes.
    if (Type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (Type == QAccessible::EditableTextInterface)
      return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(Type);
  }

  QString text(QAccessible::Text Kind) const override {
    if (Kind == QAccessible::Value) return Line();
    return QAccessibleWidget::text(Kind);
  }
  using LineText::text;

  // Text that does not read as a number reads as the minimum, as the program reads it.
  QVariant currentValue() const override {
    return Spin()->ShownNumber().value_or(Spin()->GetMinValue());
  }
  void setCurrentValue(const QVariant& Value) override { Spin()->SetValue(Value.toInt()); }
  QVariant maximumValue() const override { return Spin()->GetMaxValue(); }
  QVariant minimumValue() const override { return Spin()->GetMinValue(); }
  QVariant minimumStepSize() const override { return Spin()->GetLineSize(); }

  QString Line() const override { return Edit()->text(); }
  const QWidget* LineWidget() const override { return Edit(); }
  void selection(int Index, int* StartOffset, int* EndOffset) const override {
    *StartOffset = *EndOffset = 0;
    if (Index != 0 || !Edit()->hasSelectedText()) return;
    *StartOffset = Edit()->selectionStart();
    *EndOffset = *StartOffset + Edit()->selectionLength();
  }
  int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
  void addSelection(int StartOffset, int EndOffset) override {
    Edit()->setSelection(StartOffset, EndOffset - StartOffset);
  }
  void removeSelection(int) override { Edit()->deselect(); }
  void setSelection(int, int StartOffset, int EndOffset) override {
    addSelection(StartOffset, EndOffset);
  }
  int cursorPosition() const override { return Edit()->cursorPosition(); }
  void setCursorPosition(int Position) override { Edit()->setCursorPosition(Position); }

  // A reader's edit is a paste: not filtered, as pasted text is not.
  void deleteText(int StartOffset, int EndOffset) override {
    replaceText(StartOffset, EndOffset, {});
  }
  void insertText(int Offset, const QString& Text) override { replaceText(Offset, Offset, Text); }
  void replaceText(int StartOffset, int EndOffset, const QString& Text) override {
    Edit()->setText(Line().replace(StartOffset, EndOffset - StartOffset, Text));
  }

 private:
  TLMDSpinEdit* Spin() const { return static_cast<TLMDSpinEdit*>(widget()); }
  QLineEdit* Edit() const {
    return Spin()->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
  }
};

// Shown to be read, not edited: named by what it shows unless an accessibleName is set, and
// readable through a Text interface, which a reader's review of the window uses.
class ShownTextInterface : public QAccessibleWidget, public LineText {
 public:
  using QAccessibleWidget::QAccessibleWidget;

  void* interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(Type);
  }

  QString text(QAccessible::Text Kind) const override {
    if (Kind == QAccessible::Name && widget()->accessibleName().isEmpty()) return Line();
    return QAccessibleWidget::text(Kind);
  }
  using LineText::text;

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    return state;
  }

  const QWidget* LineWidget() const override { return widget(); }
};

// A label with rich text or a picture keeps Qt's interface.
class PlainLabelInterface : public ShownTextInterface {
 public:
  explicit PlainLabelInterface(QLabel* Label)
      : ShownTextInterface(Label, QAccessible::StaticText) {}
  QString Line() const override { return static_cast<QLabel*>(widget())->text(); }
};

class StatusBarInterface : public ShownTextInterface {
 public:
  explicit StatusBarInterface(QStatusBar* Bar) : ShownTextInterface(Bar, QAccessible::StatusBar) {
    // Readers keep a name they have read; a new message renews it (they do not speak it).
    QObject::connect(Bar, &QStatusBar::messageChanged, Bar, [Bar] {
      if (!Bar->accessibleName().isEmpty()) return;
      QAccessibleEvent renamed(Bar, QAccessible::NameChanged);
      kwindel::TellAssistiveTools(renamed);
    });
  }
  QString Line() const override { return static_cast<QStatusBar*>(widget())->currentMessage(); }
};

class AnnouncerInterface : public QAccessibleWidget {
 public:
  explicit AnnouncerInterface(Announcer* Lines)
      : QAccessibleWidget(Lines, QAccessible::Notification) {}
  QString text(QAccessible::Text Kind) const override {
    if (Kind == QAccessible::Name) return static_cast<Announcer*>(widget())->GetText();
    return QAccessibleWidget::text(Kind);
  }
};

template <class Widget>
bool Is(const QString& Key) {
  return Key == QLatin1String(Widget::staticMetaObject.className());
}

// Qt asks with the name of each class of the object's, most derived first, and asks the factories
// installed last first: these come before Qt's own for the same class.
QAccessibleInterface* WidgetInterfaces(const QString& Key, QObject* Object) {
  if (Is<TLMDSpinEdit>(Key))
    if (auto* spin = qobject_cast<TLMDSpinEdit*>(Object)) return new SpinEditInterface(spin);
  if (Is<Announcer>(Key))
    if (auto* lines = qobject_cast<Announcer*>(Object)) return new AnnouncerInterface(lines);
  if (Is<QLabel>(Key))
    if (auto* label = qobject_cast<QLabel*>(Object); label && label->textFormat() == Qt::PlainText)
      return new PlainLabelInterface(label);
  if (Is<QStatusBar>(Key))
    if (auto* bar = qobject_cast<QStatusBar*>(Object)) return new StatusBarInterface(bar);
  // Reached only by a class no factory knows better; Qt would make it a client area (a filler).
  if (Is<QWidget>(Key))
    if (auto* window = qobject_cast<QWidget*>(Object); window && window->windowType() == Qt::Window)
      return new QAccessibleWidget(window, QAccessible::Window);
  return nullptr;
}

kwindel::AccessibilityListener& Listener() {
  static kwindel::AccessibilityListener listener;
  return listener;
}

}  // namespace

namespace kwindel {

void InstallWidgetAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(WidgetInterfaces);
    return true;
  }();
  (void)installed;
}

void TellAssistiveTools(QAccessibleEvent& Event) {
  if (Listener()) Listener()(Event);
  QAccessible::updateAccessibility(&Event);
}

void ListenToAccessibility(AccessibilityListener NewListener) {
  Listener() = std::move(NewListener);
}

}  // namespace kwindel
