// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TLMDSpinEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "WidgetAccessibility.h"

namespace {

// Plain decimal with an optional sign, within 32 bits.
std::optional<std::int32_t> ParseNumber(const QString& text) {
  QByteArray bytes = text.toLatin1();
  const char* begin = bytes.constData();
  const char* end = begin + bytes.size();
  if (begin != end && *begin == '+') ++begin;
  std::int32_t value = 0;
  auto [stop, error] = std::from_chars(begin, end, value);
  if (begin == end || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// The number is 8-bit text, so of the characters only ASCII digits and signs may be typed; other
// digits (Arabic-Indic, full-width) would leave a text that no longer reads as a number. Control
// characters (backspace, delete, the Ctrl shortcuts) pass as the keys they are.
bool MayBeTyped(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) {
    const char16_t code = c.unicode();
    return code < 0x20 || code == 0x7F || (code >= u'0' && code <= u'9') || code == u'+' ||
           code == u'-';
  });
}

}  // namespace

TLMDSpinEdit::TLMDSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  kwindel::InstallWidgetAccessibility();
  lineEdit()->setText(QString::number(FMinValue));
  connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
    // Before the handlers, which may change the number again: a reader hears the changes in order.
    if (std::optional<std::int32_t> shown = ShownNumber()) {
      QAccessibleValueChangeEvent changed(this, *shown);
      kwindel::TellAssistiveTools(changed);
    }
    emit OnChange(this);
  });
}

void TLMDSpinEdit::SetMinValue(std::int32_t value) {
  if (FLoading) {
    FMinValue = value;
    return;
  }
  if (value == FMinValue || value >= FMaxValue) return;
  FMinValue = value;
  if (GetValue() < value) SetValue(value);
}

void TLMDSpinEdit::SetMaxValue(std::int32_t value) {
  if (FLoading) {
    FMaxValue = value;
    return;
  }
  if (value == FMaxValue || value <= FMinValue) return;
  FMaxValue = value;
  if (GetValue() > value) SetValue(value);
}

std::int32_t TLMDSpinEdit::GetValue() {
  std::optional<std::int32_t> shown = ShownNumber();
  if (!shown) {
    lineEdit()->setText(QString::number(FMinValue));
    return FMinValue;
  }
  return *shown;
}

std::optional<std::int32_t> TLMDSpinEdit::ShownNumber() const {
  return ParseNumber(lineEdit()->text());
}

void TLMDSpinEdit::SetValue(std::int32_t value) {
  ShowNumber(value);
}

void TLMDSpinEdit::stepBy(int steps) {
  ShowNumber(GetValue() + std::int64_t{steps} * FLineSize);
}

QValidator::State TLMDSpinEdit::validate(QString&, int&) const {
  // Typed characters are filtered by key; pasted text goes in as it is.
  return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled TLMDSpinEdit::stepEnabled() const {
  // Always enabled: every step is clamped, and a disabled direction would stop
  // the keys and the wheel from reaching stepBy.
  return StepUpEnabled | StepDownEnabled;
}

void TLMDSpinEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
    ShowNumber(GetValue() + (event->key() == Qt::Key_PageUp ? 1 : -1) * std::int64_t{FPageSize});
    event->accept();
    return;
  }
  if (!MayBeTyped(event->text())) {
    QApplication::beep();
    event->accept();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
}

bool TLMDSpinEdit::event(QEvent* event) {
  // An input method types too (a full-width digit usually comes this way): its text is refused as
  // a key's is, while its composing text still shows.
  if (event->type() == QEvent::InputMethod) {
    auto* typed = static_cast<QInputMethodEvent*>(event);
    if (!MayBeTyped(typed->commitString())) {
      QApplication::beep();
      QInputMethodEvent composing(typed->preeditString(), typed->attributes());
      QAbstractSpinBox::event(&composing);
      return true;
    }
  }
  return QAbstractSpinBox::event(event);
}

void TLMDSpinEdit::focusOutEvent(QFocusEvent* event) {
  std::int32_t shown = GetValue();
  if (shown != Clamped(shown)) SetValue(shown);
  QAbstractSpinBox::focusOutEvent(event);
}

std::int32_t TLMDSpinEdit::Clamped(std::int64_t value) const {
  std::int64_t low = FMinValue;
  std::int64_t high = FMaxValue;
  if (low >= high) {  // bounds set while loading may be equal or crossed
    low = std::numeric_limits<std::int32_t>::min();
    high = std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(std::clamp(value, low, high));
}

void TLMDSpinEdit::ShowNumber(std::int64_t value) {
  QString text = QString::number(Clamped(value));
  // QLineEdit emits textChanged only for a real change, so the same text fires nothing.
  if (text != lineEdit()->text()) lineEdit()->setText(text);
}
