// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "TLMDSpinEdit.h"

namespace {

// Exposes the edit box, as a user typing or pasting reaches it.
class SpinEdit : public TLMDSpinEdit {
 public:
  SpinEdit() {
    connect(this, &TLMDSpinEdit::OnChange, [this] { ++changes; });
  }
  QLineEdit* Edit() const { return lineEdit(); }
  QString Text() const { return lineEdit()->text(); }
  int changes = 0;
};

struct BoundCase {
  const char* name;
  int min, max, value;
  std::function<void(SpinEdit&)> action;
  int expectedMin, expectedMax;
  QString expectedText;
  int expectedChanges;
};

TEST(TLMDSpinEdit, BoundsAndValueFollowTheirRules) {
  const BoundCase cases[] = {
      {"maximum below the number pulls it down", 2, 100, 50, [](SpinEdit& s) { s.SetMaxValue(30); },
       2, 30, "30", 1},
      {"maximum equal to the current one is ignored", 2, 100, 50,
       [](SpinEdit& s) { s.SetMaxValue(100); }, 2, 100, "50", 0},
      {"maximum at the minimum is ignored", 2, 100, 50, [](SpinEdit& s) { s.SetMaxValue(2); }, 2,
       100, "50", 0},
      {"maximum below the minimum is ignored", 2, 100, 50, [](SpinEdit& s) { s.SetMaxValue(1); }, 2,
       100, "50", 0},
      {"maximum above the number leaves it", 2, 100, 50, [](SpinEdit& s) { s.SetMaxValue(150); }, 2,
       150, "50", 0},
      {"minimum above the number pushes it up", 2, 100, 5, [](SpinEdit& s) { s.SetMinValue(10); },
       10, 100, "10", 1},
      {"minimum at the maximum is ignored", 2, 100, 5, [](SpinEdit& s) { s.SetMinValue(100); }, 2,
       100, "5", 0},
      {"value above the maximum is clamped", 2, 30, 5, [](SpinEdit& s) { s.SetValue(45); }, 2, 30,
       "30", 1},
      {"value below the minimum is clamped", 2, 30, 5, [](SpinEdit& s) { s.SetValue(-7); }, 2, 30,
       "2", 1},
      {"the same value fires nothing", 2, 30, 5, [](SpinEdit& s) { s.SetValue(5); }, 2, 30, "5", 0},
      {"while loading any bounds are taken", 2, 100, 5,
       [](SpinEdit& s) {
         s.BeginLoading();
         s.SetMaxValue(1);
         s.SetMinValue(1);
         s.EndLoading();
       },
       1, 1, "5", 0},
      {"equal bounds leave the value unclamped", 2, 100, 5,
       [](SpinEdit& s) {
         s.BeginLoading();
         s.SetMinValue(7);
         s.SetMaxValue(7);
         s.EndLoading();
         s.SetValue(9);
       },
       7, 7, "9", 1},
  };
  for (const BoundCase& c : cases) {
    SCOPED_TRACE(c.name);
    SpinEdit spin;
    spin.SetMinValue(c.min);
    spin.SetMaxValue(c.max);
    spin.SetValue(c.value);
    spin.changes = 0;
    c.action(spin);
    EXPECT_EQ(spin.GetMinValue(), c.expectedMin);
    EXPECT_EQ(spin.GetMaxValue(), c.expectedMax);
    EXPECT_EQ(spin.Text(), c.expectedText);
    EXPECT_EQ(spin.changes, c.expectedChanges);
  }
}

TEST(TLMDSpinEdit, ReadingParsesTheShownTextWithoutClamping) {
  struct Case {
    const char* shown;
    int value;
    const char* textAfter;
  };
  for (Case c :
       {Case{"17", 17, "17"}, Case{"+7", 7, "+7"}, Case{"-3", -3, "-3"}, Case{"250", 250, "250"},
        Case{"", 2, "2"}, Case{"abc", 2, "2"}, Case{"-", 2, "2"}, Case{"99999999999", 2, "2"}}) {
    SCOPED_TRACE(c.shown);
    SpinEdit spin;
    spin.SetMinValue(2);
    spin.SetMaxValue(100);
    spin.Edit()->setText(c.shown);
    EXPECT_EQ(spin.GetValue(), c.value);
    EXPECT_EQ(spin.Text(), c.textAfter);
  }
}

TEST(TLMDSpinEdit, TypingTakesAsciiDigitsAndSignsOnly) {
  SpinEdit spin;
  spin.Edit()->clear();
  QTest::keyClicks(&spin, "1a 2x+-");
  EXPECT_EQ(spin.Text(), "12+-");
  // Digits of other scripts, typed on a key or through an input method, are refused as a letter is.
  for (const char16_t* digit : {u"\u0663", u"\uFF15", u"\U0001D7D3"}) {
    SCOPED_TRACE(QString::fromUtf16(digit).toStdString());
    QTest::sendKeyEvent(QTest::Click, &spin, Qt::Key_unknown, QString::fromUtf16(digit),
                        Qt::NoModifier);
    QInputMethodEvent typed;
    typed.setCommitString(QString::fromUtf16(digit));
    QApplication::sendEvent(&spin, &typed);
    EXPECT_EQ(spin.Text(), "12+-");
  }
  QInputMethodEvent typed;
  typed.setCommitString(QStringLiteral("3"));
  QApplication::sendEvent(&spin, &typed);
  EXPECT_EQ(spin.Text(), "12+-3");
  QTest::keyClick(&spin, Qt::Key_Backspace);
  QTest::keyClick(&spin, Qt::Key_Backspace);
  EXPECT_EQ(spin.Text(), "12+");
  spin.Edit()->setText("4z");  // pasted text is not filtered
  EXPECT_EQ(spin.Text(), "4z");
}

TEST(TLMDSpinEdit, StepsAreClampedIntoTheBounds) {
  SpinEdit spin;
  spin.SetMinValue(2);
  spin.SetMaxValue(30);
  spin.SetValue(2);
  QStringList seen;
  for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_Down, Qt::Key_Up,
                      Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown}) {
    QTest::keyClick(&spin, key);
    seen << spin.Text();
  }
  EXPECT_EQ(seen.join(' '), "12 22 30 29 30 20 10 2");

  QWheelEvent wheel(QPointF(5, 5), spin.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&spin, &wheel);
  EXPECT_EQ(spin.Text(), "3");
}

TEST(TLMDSpinEdit, LeavingClampsANumberOutsideTheBounds) {
  for (auto [typed, shown] : {std::pair{"150", "30"}, std::pair{"1", "2"}, std::pair{"17", "17"}}) {
    SCOPED_TRACE(typed);
    SpinEdit spin;
    spin.SetMinValue(2);
    spin.SetMaxValue(30);
    spin.Edit()->setText(typed);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&spin, &focusOut);
    EXPECT_EQ(spin.Text(), shown);
  }
}

}  // namespace
