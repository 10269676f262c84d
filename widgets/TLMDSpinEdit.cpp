#include "TLMDSpinEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

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

bool IsControlKey(const QKeyEvent* event) {
  return event->text().isEmpty() || !event->text().at(0).isPrint();
}

bool IsAllowedCharacter(QChar c) {
  return c.isDigit() || c == u'+' || c == u'-';
}

}  // namespace

TLMDSpinEdit::TLMDSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  lineEdit()->setText(QString::number(FMinValue));
  connect(lineEdit(), &QLineEdit::textChanged, this, [this] { emit OnChange(this); });
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
  std::optional<std::int32_t> shown = ParseNumber(lineEdit()->text());
  if (!shown) {
    lineEdit()->setText(QString::number(FMinValue));
    return FMinValue;
  }
  return *shown;
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
  if (!IsControlKey(event) && !IsAllowedCharacter(event->text().at(0))) {
    QApplication::beep();
    event->accept();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
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
