// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractSpinBox>
#include <cstdint>
#include <optional>

// A one-line number box with arrow buttons. The number is the text shown:
// reading Value parses it, and OnChange fires on every change of that text,
// including changes the program makes (so handlers may run nested inside the
// program's own calls). A screen reader hears every such change (WidgetAccessibility.h).
class TLMDSpinEdit : public QAbstractSpinBox {
  Q_OBJECT
  Q_PROPERTY(int MinValue READ GetMinValue WRITE SetMinValue)
  Q_PROPERTY(int MaxValue READ GetMaxValue WRITE SetMaxValue)
  Q_PROPERTY(int Value READ GetValue WRITE SetValue)
  Q_PROPERTY(int LineSize READ GetLineSize WRITE SetLineSize)
  Q_PROPERTY(int PageSize READ GetPageSize WRITE SetPageSize)

 public:
  explicit TLMDSpinEdit(QWidget* parent = nullptr);

  std::int32_t GetMinValue() const { return FMinValue; }
  std::int32_t GetMaxValue() const { return FMaxValue; }
  // A bound that equals the current one, or would not stay on its side of the
  // other bound, is ignored (except while loading); the number follows a bound
  // that passes it.
  void SetMinValue(std::int32_t value);
  void SetMaxValue(std::int32_t value);

  // Parses the shown text without clamping; empty or unreadable text is first
  // replaced by MinValue.
  std::int32_t GetValue();
  // The shown text as a number, if it reads as one; changes nothing.
  std::optional<std::int32_t> ShownNumber() const;
  // Shows the value clamped into the bounds (unclamped when the bounds are equal).
  void SetValue(std::int32_t value);

  std::int32_t GetLineSize() const { return FLineSize; }
  void SetLineSize(std::int32_t value) { FLineSize = value; }
  std::int32_t GetPageSize() const { return FPageSize; }
  void SetPageSize(std::int32_t value) { FPageSize = value; }

  // While loading, both bound setters take any value, so stored properties can
  // be applied in any order.
  void BeginLoading() { FLoading = true; }
  void EndLoading() { FLoading = false; }

  // Arrows, Up/Down and the wheel step by LineSize; Page Up/Down by PageSize.
  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 signals:
  void OnChange(TLMDSpinEdit* Sender);

 protected:
  bool event(QEvent* event) override;
  StepEnabled stepEnabled() const override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  std::int32_t Clamped(std::int64_t value) const;
  void ShowNumber(std::int64_t value);

  std::int32_t FMinValue = 0;
  std::int32_t FMaxValue = 100;
  std::int32_t FLineSize = 1;
  std::int32_t FPageSize = 10;
  bool FLoading = false;
};
