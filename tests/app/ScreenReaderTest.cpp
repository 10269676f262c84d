// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tells a screen reader (through Qt's accessibility interfaces) on the teacher's
// round. tests/app/OrcaTest.sh hears the same from a real screen reader.
#include <gmock/gmock.h>

#include <QAccessible>
#include <functional>

#include "AccessibilityEvents.h"
#include "MainFormFixture.h"

namespace {

using kwindel::test::AccessibilityEvents;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

QAccessibleInterface* Accessible(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

TEST_F(MainFormTest, TheWindowItsLabelsAndItsStatusBarReadAsTheyShow) {
  auto form = MakeForm();
  const struct {
    QObject* object;
    QAccessible::Role role;
    QString name;
    QString description;
  } cases[] = {
      {form.get(), QAccessible::Window, "Kwindel", ""},
      {form->lBestand, QAccessible::StaticText, "<Nog geen lijst gekozen>",
       "Het pad van de gekozen leerlingenlijst"},
      {form->lLeerlingen, QAccessible::StaticText, "<Geen leerlingen>",
       "Het aantal leerlingen in de gekozen lijst"},
      {form->Stat, QAccessible::StatusBar, "Brimsel, Nederlandstalige educatieve software",
       "Uitleg bij het onderdeel onder de muis"},
      {form->LMDSpinEdit, QAccessible::SpinBox, "Aantal groepjes",
       "Aantal groepjes, van 2 tot het aantal leerlingen"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    QAccessibleInterface* accessible = Accessible(c.object);
    EXPECT_EQ(accessible->role(), c.role);
    EXPECT_EQ(accessible->text(QAccessible::Name), c.name);
    EXPECT_EQ(accessible->text(QAccessible::Description), c.description);
  }
  QAccessibleInterface* status = Accessible(form->Stat);
  EXPECT_EQ(status->textInterface()->text(0, status->textInterface()->characterCount()),
            "Brimsel, Nederlandstalige educatieve software");

  const std::string list = WriteList("klas.lll", Pupils(5));
  Choose(*form, list);
  EXPECT_EQ(Accessible(form->lBestand)->text(QAccessible::Name).toStdString(), list);
  QAccessibleTextInterface* count = Accessible(form->lLeerlingen)->textInterface();
  EXPECT_EQ(count->text(0, count->characterCount()), "5 leerlingen");
  QAccessibleValueInterface* groups = Accessible(form->LMDSpinEdit)->valueInterface();
  EXPECT_EQ(groups->currentValue(), 2);
  EXPECT_EQ(groups->minimumValue(), 2);
  EXPECT_EQ(groups->maximumValue(), 5);
}

TEST_F(MainFormTest, TheTeachersRoundIsAnnounced) {
  auto form = MakeForm();
  const std::string list = WriteList("klas.lll", Pupils(5));
  const QString path = QString::fromStdString(list);
  TLMDSpinEdit* spin = form->LMDSpinEdit;
  const struct {
    const char* step;
    std::function<void()> act;
    QStringList heard;
  } steps[] = {
      {"a list is chosen",
       [&] { Choose(*form, list); },
       {path + ": 5 leerlingen. Knop Kwindel beschikbaar: 2 groepjes uit 5 leerlingen."}},
      {"a number below the pupils keeps the button",
       [&] { QTest::keyClick(spin, Qt::Key_Up); },
       {}},
      {"typing 9 is pulled down to 5, which hides the button",
       [&] {
         spin->selectAll();
         QTest::keyClicks(spin, "9");
       },
       {"Knop Kwindel verborgen: het aantal groepjes (5) is niet kleiner dan het aantal "
        "leerlingen (5)."}},
      {"one down brings it back",
       [&] { QTest::keyClick(spin, Qt::Key_Down); },
       {"Knop Kwindel beschikbaar: 4 groepjes uit 5 leerlingen."}},
      {"a cancelled dialog", [&] { Choose(*form, std::nullopt); }, {"Geen lijst gekozen."}},
      {"the division",
       [&] {
         form->bKwindel->setFocus();
         QTest::keyClick(form->bKwindel, Qt::Key_Space);
       },
       {"Het verslag is geschreven en geopend."}},
  };
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    AccessibilityEvents events;
    s.act();
    // After a division the sentence waits until the window is back.
    (void)QTest::qWaitFor([&] { return events.Announcements().size() >= s.heard.size(); }, 2000);
    EXPECT_EQ(events.Announcements(), s.heard);
  }
  EXPECT_THAT(opened, ElementsAre(dir / "Kwindel.txt"));
  EXPECT_THAT(failures, IsEmpty());
}

TEST_F(MainFormTest, AfterADivisionTheKeyboardIsOnKies) {
  auto form = MakeForm();
  Choose(*form, WriteList("klas.lll", Pupils(5)));
  form->bKwindel->setFocus();
  QTest::keyClick(form->bKwindel, Qt::Key_Space);
  ASSERT_THAT(opened, ElementsAre(dir / "Kwindel.txt"));
  EXPECT_FALSE(form->bKwindel->isVisible());
  EXPECT_EQ(form->focusWidget(), form->pKies);
}

}  // namespace
