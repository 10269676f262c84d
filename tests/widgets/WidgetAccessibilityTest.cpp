// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <functional>
#include <vector>

#include "AccessibilityEvents.h"
#include "Announcer.h"
#include "TLMDSpinEdit.h"
#include "WidgetAccessibility.h"

namespace {

using kwindel::test::AccessibilityEvents;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

QAccessibleInterface* Accessible(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

// The spinner as the window uses it: a handler pulls a number outside the bounds back in.
class ClampedSpinner : public TLMDSpinEdit {
 public:
  ClampedSpinner() {
    SetMinValue(2);
    SetMaxValue(5);
    SetValue(3);
    connect(this, &TLMDSpinEdit::OnChange, this, [this] {
      const int value = GetValue();
      if (value != std::clamp(value, GetMinValue(), GetMaxValue()))
        SetValue(std::clamp(value, GetMinValue(), GetMaxValue()));
    });
  }
  QLineEdit* Edit() const { return lineEdit(); }
};

TEST(WidgetAccessibility, TheSpinnersValueAndBoundsAreItsOwn) {
  ClampedSpinner spin;
  spin.setAccessibleName("Aantal groepjes");
  spin.setAccessibleDescription("Aantal groepjes, van 2 tot het aantal leerlingen");
  QAccessibleInterface* accessible = Accessible(&spin);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::SpinBox);
  EXPECT_EQ(accessible->text(QAccessible::Name), "Aantal groepjes");
  EXPECT_EQ(accessible->text(QAccessible::Description),
            "Aantal groepjes, van 2 tot het aantal leerlingen");
  QAccessibleValueInterface* value = accessible->valueInterface();
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->currentValue(), 3);
  EXPECT_EQ(value->minimumValue(), 2);
  EXPECT_EQ(value->maximumValue(), 5);
  EXPECT_EQ(value->minimumStepSize(), 1);
  EXPECT_EQ(accessible->text(QAccessible::Value), "3");
  ASSERT_NE(accessible->textInterface(), nullptr) << "readable as the edit box shows it";
  EXPECT_EQ(accessible->textInterface()->text(0, 1), "3");
  accessible->editableTextInterface()->replaceText(0, 1, "4");
  EXPECT_EQ(value->currentValue(), 4) << "a reader's edit is typed into the box";

  value->setCurrentValue(9);
  EXPECT_EQ(spin.Edit()->text(), "5") << "a reader sets the number as the program does";

  TLMDSpinEdit plain;
  plain.SetMinValue(2);
  plain.findChild<QLineEdit*>()->clear();
  EXPECT_EQ(Accessible(&plain)->valueInterface()->currentValue(), 2)
      << "no number reads as the minimum";
  EXPECT_EQ(plain.text(), "") << "and reading it changes nothing";
}

TEST(WidgetAccessibility, EveryChangeOfTheNumberIsAnnounced) {
  struct Case {
    const char* name;
    std::function<void(ClampedSpinner&)> change;
    std::vector<int> announced;  // the values, in order
  };
  const Case cases[] = {
      {"Up and Down step", [](ClampedSpinner& s) { QTest::keyClick(&s, Qt::Key_Up); }, {4}},
      {"steps past a bound are clamped",
       [](ClampedSpinner& s) {
         for (int i = 0; i < 4; ++i)
           QTest::keyClick(&s, Qt::Key_Down);
       },
       {2}},
      {"a typed number beyond the bound is clamped at once",
       [](ClampedSpinner& s) {
         s.Edit()->selectAll();
         QTest::keyClicks(&s, "9");
       },
       {9, 5}},
      {"an emptied box is no number, and shows the minimum",
       [](ClampedSpinner& s) { s.Edit()->clear(); },
       {2}},
      {"a bound that leaves the number", [](ClampedSpinner& s) { s.SetMaxValue(3); }, {}},
      {"a bound that moves the number", [](ClampedSpinner& s) { s.SetMinValue(4); }, {4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClampedSpinner spin;
    AccessibilityEvents events;
    c.change(spin);
    EXPECT_THAT(events.Values(&spin), ElementsAreArray(c.announced));
    EXPECT_EQ(Accessible(&spin)->valueInterface()->currentValue(), spin.GetValue());
  }
}

TEST(WidgetAccessibility, LabelsAndTheStatusBarReadAsTheyShow) {
  QWidget window;
  auto* label = new QLabel(&window);
  label->setTextFormat(Qt::PlainText);
  auto* bar = new QStatusBar(&window);
  const struct {
    QWidget* widget;
    QAccessible::Role role;
    std::function<void(const QString&)> show;
  } cases[] = {
      {label, QAccessible::StaticText, [label](const QString& text) { label->setText(text); }},
      {bar, QAccessible::StatusBar, [bar](const QString& text) { bar->showMessage(text); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.widget->metaObject()->className());
    c.widget->setAccessibleDescription("Het pad van de gekozen leerlingenlijst");
    c.show("/home/juf/klas 7.lll");
    QAccessibleInterface* accessible = Accessible(c.widget);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), c.role);
    EXPECT_EQ(accessible->text(QAccessible::Name), "/home/juf/klas 7.lll");
    EXPECT_EQ(accessible->text(QAccessible::Description), "Het pad van de gekozen leerlingenlijst");
    EXPECT_TRUE(accessible->state().readOnly);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 20);
    int start = 0, end = 0;
    EXPECT_EQ(text->textAtOffset(12, QAccessible::WordBoundary, &start, &end), "klas");
    EXPECT_EQ(text->textAtOffset(3, QAccessible::LineBoundary, &start, &end),
              "/home/juf/klas 7.lll");

    c.show("5 leerlingen");
    EXPECT_EQ(text->text(0, text->characterCount()), "5 leerlingen");
    const QRect first = text->characterRect(0);
    EXPECT_EQ(text->offsetAtPoint(first.center()), 0);
    EXPECT_LT(first.right(), text->characterRect(1).center().x());

    c.widget->setAccessibleName("Vaste naam");
    EXPECT_EQ(accessible->text(QAccessible::Name), "Vaste naam") << "a name of its own wins";
    EXPECT_EQ(text->text(0, 1), "5") << "the text still reads as shown";
  }

  AccessibilityEvents events;
  bar->setAccessibleName("");
  bar->showMessage("Kies een leerlingenlijst");
  EXPECT_EQ(events.Count(bar, QAccessible::NameChanged), 1) << "a reader keeps its name fresh";

  QLabel rich("<b>vet</b>");
  EXPECT_EQ(Accessible(&rich)->textInterface(), nullptr) << "a rich label keeps Qt's interface";
}

TEST(WidgetAccessibility, APlainWindowIsAFrameTitledByItsTitle) {
  QWidget window;
  window.setWindowTitle("Kwindel");
  QWidget inside(&window);
  EXPECT_EQ(Accessible(&window)->role(), QAccessible::Window);
  EXPECT_EQ(Accessible(&window)->text(QAccessible::Name), "Kwindel");
  EXPECT_NE(Accessible(&inside)->role(), QAccessible::Window);
}

TEST(WidgetAccessibility, AnAnnouncementAppearsToTheReaderAlone) {
  QWidget window;
  auto* lines = new Announcer(&window);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  AccessibilityEvents events;
  lines->Announce("Het verslag is geschreven en geopend.");
  QAccessibleInterface* accessible = Accessible(lines);
  EXPECT_EQ(accessible->role(), QAccessible::Notification);
  EXPECT_EQ(accessible->text(QAccessible::Name), "Het verslag is geschreven en geopend.");
  EXPECT_THAT(events.Kinds(lines), ElementsAre(QAccessible::NameChanged, QAccessible::ObjectShow));
  EXPECT_FALSE(lines->isVisible()) << "never on screen";
  EXPECT_EQ(lines->focusPolicy(), Qt::NoFocus);
}

TEST(WidgetAccessibility, AnAnnouncementWaitsForItsWindow) {
  QWidget window;
  auto* lines = new Announcer(&window);
  AccessibilityEvents events;
  lines->Announce("Geen lijst gekozen.");
  EXPECT_THAT(events.Announcements(), IsEmpty()) << "a reader would cut it off";
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !events.Announcements().isEmpty(); }, 500));
  EXPECT_EQ(events.Announcements(), QStringList{"Geen lijst gekozen."});

  // A window left in the background says it all the same.
  QWidget background;
  auto* behind = new Announcer(&background);
  QElapsedTimer waited;
  waited.start();
  behind->Announce("Het verslag is geschreven en geopend.");
  EXPECT_TRUE(QTest::qWaitFor([&] { return events.Announcements().size() == 2; }, 3000));
  EXPECT_GE(waited.elapsed(), 900);
}

}  // namespace
