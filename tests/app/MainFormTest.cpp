// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QCursor>
#include <QMouseEvent>
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "FileSizeLimit.h"
#include "MainFormFixture.h"

namespace {

using kwindel::test::ReadFile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(MainFormTest, LaysOutTheWindowAsDesigned) {
  auto form = MakeForm();
  EXPECT_EQ(form->windowTitle(), "Kwindel");
  EXPECT_EQ(form->size(), QSize(450, 291));
  EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "fixed size";
  const Qt::WindowFlags flags = form->windowFlags();
  for (Qt::WindowType button : {Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                                Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint}) {
    EXPECT_FALSE(flags.testFlag(button)) << button;
  }
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_EQ(form->font().family(), "Arial");
  EXPECT_EQ(form->font().pixelSize(), 19);
  EXPECT_EQ(form->Stat->font(), form->font());

  struct Control {
    QWidget* widget;
    QRect geometry;
    QString hint;
    bool hand;
  };
  const Control controls[] = {
      {form->bStop, {48, 32, 75, 25}, "Stop dit programma...", true},
      {form->pKies, {48, 88, 75, 25}, "Kies een leerlingenlijst", true},
      {form->LMDSpinEdit, {48, 144, 73, 30}, "Aantal groepjes...", true},
      {form->bKwindel, {48, 208, 75, 25}, "Kwindel de lijst in groepen...", true},
      {form->iLogo, {312, 128, 128, 128}, "Brimsel, Nederlandstalige educatieve software", true},
      {form->Stat, {0, 261, 450, 30}, "", false},
  };
  for (const Control& c : controls) {
    SCOPED_TRACE(c.widget->objectName().toStdString());
    EXPECT_EQ(c.widget->geometry(), c.geometry);
    EXPECT_EQ(c.widget->statusTip(), c.hint);
    EXPECT_EQ(c.widget->toolTip(), "") << "no pop-up tips";
    EXPECT_FALSE(
        QAccessible::queryAccessibleInterface(c.widget)->text(QAccessible::Name).isEmpty());
    EXPECT_FALSE(c.widget->accessibleDescription().isEmpty());
    EXPECT_EQ(c.widget->cursor().shape() == Qt::PointingHandCursor, c.hand);
  }
  EXPECT_EQ(form->lBestand->pos(), QPoint(152, 80));
  EXPECT_EQ(form->lLeerlingen->pos(), QPoint(152, 112));
  EXPECT_EQ(form->lBestand->height(), 22);
  EXPECT_EQ(form->bStop->text(), "Stop");
  EXPECT_EQ(form->pKies->text(), "Kies");
  EXPECT_EQ(form->bKwindel->text(), "Kwindel");
  EXPECT_EQ(form->Stat->currentMessage(), "Brimsel, Nederlandstalige educatieve software");
  EXPECT_EQ(form->iLogo->pixmap().size(), QSize(128, 128));
  EXPECT_TRUE(form->iLogo->pixmap().toImage().pixelColor(0, 127).alpha() == 0)
      << "transparent around its rounded corners";

  QStringList order;
  QWidget* widget = form->bStop;
  do {
    if (widget->focusPolicy() & Qt::TabFocus && !widget->focusProxy())
      order << widget->objectName();
    widget = widget->nextInFocusChain();
  } while (widget != form->bStop);
  order.replaceInStrings("qt_spinbox_lineedit", "LMDSpinEdit");
  EXPECT_EQ(order.join(' '), "bStop pKies LMDSpinEdit bKwindel");
}

TEST_F(MainFormTest, StartsWithNoList) {
  clockSeconds = 1000000000;
  auto form = MakeForm();
  EXPECT_EQ(form->lBestand->text(), "<Nog geen lijst gekozen>");
  EXPECT_EQ(form->lLeerlingen->text(), "<Geen leerlingen>");
  EXPECT_EQ(form->lBestand->width(), form->lBestand->sizeHint().width())
      << "width follows the text";
  EXPECT_FALSE(form->bKwindel->isVisible());
  EXPECT_EQ(form->LMDSpinEdit->GetValue(), 2);
  EXPECT_EQ(form->LMDSpinEdit->GetMinValue(), 2);
  EXPECT_EQ(form->LMDSpinEdit->GetMaxValue(), 100);
  EXPECT_EQ(TfMainProbe::GroupCount(*form), 2);
  EXPECT_EQ(TfMainProbe::NextGroupNo(*form), 1);
  EXPECT_EQ(random.State(), 0x8497D201u) << "reseeded from the clock on show";
}

TEST_F(MainFormTest, ChoosingAListShowsItAndBoundsTheSpinner) {
  struct Case {
    int pupils;
    int maximum;
    bool divideOffered;
  };
  for (Case c : {Case{0, 100, false}, Case{1, 100, false}, Case{2, 100, false}, Case{3, 3, true},
                 Case{150, 150, true}}) {
    SCOPED_TRACE(c.pupils);
    auto form = MakeForm();
    std::string list = WriteList("klas.lll", "; groep\r\n\r\n" + Pupils(c.pupils));
    Choose(*form, list);
    EXPECT_EQ(form->lBestand->text().toStdString(), list);
    EXPECT_EQ(form->lLeerlingen->text(), QString::number(c.pupils) + " leerlingen");
    EXPECT_EQ(form->LMDSpinEdit->GetMaxValue(), c.maximum);
    EXPECT_EQ(form->bKwindel->isVisible(), c.divideOffered);
    EXPECT_EQ(TfMainProbe::ListDir(*form), dir.path() + kwindel::test::kSeparator);
    EXPECT_EQ(TfMainProbe::Pupils(*form).Count(), c.pupils);
    EXPECT_THAT(failures, IsEmpty());
  }
}

TEST_F(MainFormTest, TheSpinnerKeepsTheGroupCountBetweenTwoAndThePupils) {
  auto form = MakeForm();
  Choose(*form, WriteList("klas.lll", Pupils(30)));
  TLMDSpinEdit* spin = form->LMDSpinEdit;
  struct Case {
    const char* name;
    std::function<void()> input;
    QString shown;
  };
  auto typeOver = [spin](const char* keys) {
    return [spin, keys] {
      spin->selectAll();
      QTest::keyClicks(spin, keys);
    };
  };
  // A key that types a character beyond Latin-1, which QTest::keyClicks cannot send.
  auto typeOverWith = [spin](const char16_t* character) {
    return [spin, character] {
      spin->selectAll();
      QTest::sendKeyEvent(QTest::Click, spin, Qt::Key_unknown, QString::fromUtf16(character),
                          Qt::NoModifier);
    };
  };
  const Case cases[] = {
      {"typing 0 turns back into 2", typeOver("0"), "2"},
      {"typing 1 turns back into 2", typeOver("1"), "2"},
      {"typing 45 is replaced by 30", typeOver("45"), "30"},
      {"typing 7 is kept", typeOver("7"), "7"},
      {"a letter is refused", typeOver("x"), "7"},
      {"an Arabic-Indic digit is refused", typeOverWith(u"\u0663"), "7"},
      {"a full-width digit is refused", typeOverWith(u"\uFF15"), "7"},
      {"deleting every digit shows 2",
       [spin] {
         spin->selectAll();
         QTest::keyClick(spin, Qt::Key_Backspace);
       },
       "2"},
      {"Page Up from 2", [spin] { QTest::keyClick(spin, Qt::Key_PageUp); }, "12"},
      {"Page Up again", [spin] { QTest::keyClick(spin, Qt::Key_PageUp); }, "22"},
      {"Page Up stops at the pupil count", [spin] { QTest::keyClick(spin, Qt::Key_PageUp); }, "30"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.input();
    EXPECT_EQ(spin->text(), c.shown);
    EXPECT_EQ(TfMainProbe::GroupCount(*form), c.shown.toInt());
    EXPECT_EQ(form->bKwindel->isVisible(), c.shown.toInt() < 30);
  }

  QTest::keyClick(spin, Qt::Key_PageDown);
  EXPECT_TRUE(form->bKwindel->isVisible());
  Choose(*form, WriteList("kort.lll", Pupils(5)));
  EXPECT_EQ(spin->text(), "5") << "a shorter list pulls the number down";
  EXPECT_EQ(TfMainProbe::GroupCount(*form), 5);
  EXPECT_FALSE(form->bKwindel->isVisible());
}

TEST_F(MainFormTest, DividesIntoTheReportAndResets) {
  clockSeconds = 1;  // seed 1
  auto form = MakeForm();
  std::string list = WriteList("groep7.lll", "A\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\n");
  kwindel::test::WriteFile(dir / "Kwindel.txt", std::string(5000, 'x'));  // overwritten whole
  Choose(*form, list);
  form->LMDSpinEdit->SetValue(3);
  const QPoint position = form->pos();
  QTest::mouseClick(form->bKwindel, Qt::LeftButton);

  EXPECT_THAT(failures, IsEmpty());
  EXPECT_EQ(ReadFile(dir / "Kwindel.txt"), "Gebruikte leerlingenlijst: " + list +
                                               "\r\n"
                                               "Aantal leerlingen dat kwindeld moet worden: 7\r\n"
                                               "Aantal groepjes: 3\r\n\r\n"
                                               "1 groepje van 3\r\n2 groepjes van elk 2\r\n"
                                               "\r\nGroepje 1\r\n\tE\r\n\tA\r\n\tC\r\n"
                                               "\r\nGroepje 2\r\n\tB\r\n\tD\r\n"
                                               "\r\nGroepje 3\r\n\tG\r\n\tF\r\n");
  EXPECT_THAT(opened, ElementsAre(dir / "Kwindel.txt"));
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->pos(), position);
  EXPECT_EQ(form->lBestand->text(), "<Nog geen lijst gekozen>");
  EXPECT_EQ(form->lLeerlingen->text(), "<Geen leerlingen>");
  EXPECT_EQ(form->LMDSpinEdit->GetValue(), 2);
  EXPECT_EQ(form->LMDSpinEdit->GetMaxValue(), 7) << "the maximum stays";
  EXPECT_FALSE(form->bKwindel->isVisible());
  EXPECT_EQ(TfMainProbe::Pupils(*form).Count(), 0);
  EXPECT_EQ(TfMainProbe::NextGroupNo(*form), 1);
  EXPECT_EQ(TfMainProbe::ListFileName(*form), "");
}

TEST_F(MainFormTest, ACancelledDialogKeepsTheLoadedList) {
  auto form = MakeForm();
  std::string list = WriteList("klas.lll", Pupils(5));
  Choose(*form, list);
  Choose(*form, std::nullopt);
  EXPECT_EQ(form->lBestand->text(), "<Nog geen lijst gekozen>");
  EXPECT_EQ(form->lLeerlingen->text(), "<Geen leerlingen>");
  EXPECT_TRUE(form->bKwindel->isVisible());
  EXPECT_EQ(TfMainProbe::Pupils(*form).Count(), 5);

  QTest::mouseClick(form->bKwindel, Qt::LeftButton);
  EXPECT_TRUE(
      ReadFile(dir / "Kwindel.txt").starts_with("Gebruikte leerlingenlijst: " + list + "\r\n"));
}

// A division names the list it divides: after a failed load, the earlier list's pupils are not
// divided under the new name, and nothing is offered until a list loads.
TEST_F(MainFormTest, AListThatCannotBeOpenedIsReportedAndLeavesNothingToDivide) {
  std::filesystem::create_directory(dir / "map.lll");
  for (const std::string name : {"weg.lll", "map.lll"}) {
    SCOPED_TRACE(name);
    failures.clear();
    auto form = MakeForm();
    const std::string list = WriteList("klas.lll", Pupils(5));
    Choose(*form, list);
    Choose(*form, dir / name);
    EXPECT_THAT(failures,
                ElementsAre(Message(
                    "Kwindel", QString::fromStdString("Cannot open file " + (dir / name) + "."))));
    EXPECT_EQ(form->lBestand->text().toStdString(), dir / name);
    EXPECT_EQ(TfMainProbe::ListFileName(*form), dir / name);
    EXPECT_EQ(form->lLeerlingen->text(), "<Geen leerlingen>");
    EXPECT_EQ(TfMainProbe::Pupils(*form).Count(), 0) << "the earlier pupils are gone";
    EXPECT_FALSE(form->bKwindel->isVisible());
    QTest::keyClick(form->LMDSpinEdit, Qt::Key_Up);
    QTest::keyClick(form->LMDSpinEdit, Qt::Key_Down);
    EXPECT_FALSE(form->bKwindel->isVisible()) << "the spinner does not offer a division either";

    Choose(*form, list);
    ASSERT_TRUE(form->bKwindel->isVisible());
    QTest::mouseClick(form->bKwindel, Qt::LeftButton);
    const std::string report = ReadFile(dir / "Kwindel.txt");
    EXPECT_TRUE(report.starts_with("Gebruikte leerlingenlijst: " + list +
                                   "\r\nAantal leerlingen dat kwindeld moet worden: 5\r\n"))
        << report;
    EXPECT_EQ(failures.size(), 1u) << "nothing failed after the load";
  }
}

// The member lines and the group numbers of a saved report.
struct Groups {
  std::vector<std::string> members;
  std::vector<int> numbers;
};
Groups GroupsOf(const std::string& report) {
  Groups groups;
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("\t")) groups.members.push_back(line.substr(1, line.size() - 2));
    if (line.starts_with("Groepje ")) groups.numbers.push_back(std::stoi(line.substr(8)));
  }
  std::sort(groups.members.begin(), groups.members.end());
  return groups;
}

// A report that cannot be saved leaves the window as it was, pupils included: the next division,
// a retry or one of a list chosen again, divides them whole and numbers its groups from 1.
TEST_F(MainFormTest, AReportThatCannotBeSavedKeepsThePupilsForTheNextDivision) {
  struct Case {
    const char* name;
    bool folderInTheWay;
    std::string message;
    bool chooseAgain;
  };
  for (const Case& c :
       {Case{"a folder in the way, then a retry", true,
             "Cannot create file " + (dir / "Kwindel.txt") + ".", false},
        Case{"a full disk, then the list chosen again", false, "Stream write error.", true}}) {
    SCOPED_TRACE(c.name);
    if (!c.folderInTheWay && !kwindel::test::FileSizeLimit::Available) {
      std::cout << "skipped: " << kwindel::test::kNoFullDiskHere << '\n';
      continue;
    }
    failures.clear();
    opened.clear();
    std::filesystem::remove_all(dir / "Kwindel.txt");
    if (c.folderInTheWay) {
      std::filesystem::create_directory(dir / "Kwindel.txt");
    } else {
      kwindel::test::WriteFile(dir / "Kwindel.txt", "vorig rapport\r\n");
    }
    auto form = MakeForm();
    std::string list = WriteList("klas.lll", Pupils(7));
    Choose(*form, list);
    form->LMDSpinEdit->SetValue(3);
    {
      kwindel::test::FileSizeLimit limit(c.folderInTheWay ? kwindel::test::FileSizeLimit::kNone
                                                          : 100);
      QTest::mouseClick(form->bKwindel, Qt::LeftButton);
    }
    EXPECT_THAT(failures, ElementsAre(Message("Kwindel", QString::fromStdString(c.message))));
    if (!c.folderInTheWay) {
      EXPECT_EQ(ReadFile(dir / "Kwindel.txt"), "vorig rapport\r\n");
    }
    EXPECT_THAT(opened, IsEmpty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->lBestand->text().toStdString(), list) << "the window was not reset";
    EXPECT_EQ(form->lLeerlingen->text(), "7 leerlingen");
    EXPECT_EQ(TfMainProbe::Pupils(*form).Count(), 7) << "the pupils are still there";
    EXPECT_TRUE(form->bKwindel->isVisible());

    std::filesystem::remove_all(dir / "Kwindel.txt");
    if (c.chooseAgain) Choose(*form, list);
    QTest::mouseClick(form->bKwindel, Qt::LeftButton);
    EXPECT_THAT(opened, ElementsAre(dir / "Kwindel.txt"));
    const std::string report = ReadFile(dir / "Kwindel.txt");
    EXPECT_TRUE(report.starts_with("Gebruikte leerlingenlijst: " + list +
                                   "\r\nAantal leerlingen dat kwindeld moet worden: 7\r\n"))
        << report;
    const Groups groups = GroupsOf(report);
    EXPECT_THAT(groups.numbers, ElementsAre(1, 2, 3));
    EXPECT_THAT(groups.members, ElementsAre("leerling 1", "leerling 2", "leerling 3", "leerling 4",
                                            "leerling 5", "leerling 6", "leerling 7"));
    EXPECT_EQ(TfMainProbe::Pupils(*form).Count(), 0) << "a saved report uses the pupils up";
    EXPECT_FALSE(form->bKwindel->isVisible());
  }
}

TEST_F(MainFormTest, InputWaitsUntilTheDivisionIsDone) {
  auto form = MakeForm();
  Choose(*form, WriteList("klas.lll", Pupils(40)));
  auto postClick = [&](QWidget* target) {
    QPointF at(5, 5);
    QPointF global = target->mapToGlobal(at);
    QCoreApplication::postEvent(
        target, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        target, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier));
  };
  // A posted click on "Kies" does open the dialog when no division runs...
  dialogAnswers.push_back(std::nullopt);
  postClick(form->pKies);
  QCoreApplication::processEvents();
  ASSERT_EQ(offeredFolders.size(), 2u);
  Choose(*form, WriteList("klas.lll", Pupils(40)));

  // ...but not when it arrives while the division pumps.
  postClick(form->pKies);
  QTest::mouseClick(form->bKwindel, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(offeredFolders.size(), 3u);
  EXPECT_THAT(opened, ElementsAre(dir / "Kwindel.txt"));
}

TEST_F(MainFormTest, TheLogoShowsTheMakersMessage) {
  auto form = MakeForm();
  QTest::mouseClick(form->iLogo, Qt::LeftButton);
  EXPECT_THAT(messages,
              ElementsAre(Message("Kwindel",
                                  "Brimsel\nEducatieve software\nbezoek: https://www.brimsel.nl")));
}

TEST_F(MainFormTest, TheStatusBarShowsTheHintUnderThePointer) {
  auto form = MakeForm();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  auto pointAt = [&](QWidget* widget) {
    // The middle: where a font wider than Arial stands in, a label's text may reach over the
    // edge of the control beside it.
    QCursor::setPos(widget->mapToGlobal(widget->rect().center()));
    emit QAbstractEventDispatcher::instance()->aboutToBlock();  // the event loop runs out of events
    return form->Stat->currentMessage();
  };
  EXPECT_EQ(pointAt(form->lBestand), "Brimsel, Nederlandstalige educatieve software");
  EXPECT_EQ(pointAt(form->pKies), "Kies een leerlingenlijst");
  EXPECT_EQ(pointAt(form->LMDSpinEdit), "Aantal groepjes...");
  EXPECT_EQ(pointAt(form->lLeerlingen), "");
  EXPECT_EQ(pointAt(form->iLogo), "Brimsel, Nederlandstalige educatieve software");
  EXPECT_EQ(pointAt(form->Stat), "");
}

TEST_F(MainFormTest, ButtonsWorkFromTheKeyboard) {
  auto form = MakeForm();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
    dialogAnswers.push_back(std::nullopt);
    QTest::keyClick(form->pKies, key);
  }
  EXPECT_EQ(offeredFolders.size(), 2u);
  QTest::keyClick(form->bStop, Qt::Key_Return);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(MainFormTest, StopClosesTheWindow) {
  auto form = MakeForm();
  QTest::mouseClick(form->bStop, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(MainFormTest, NamesItsFilesAfterTheExecutable) {
  auto form = MakeForm("Groepjes.bin");
  EXPECT_EQ(TfMainProbe::AppDir(*form), dir.path() + kwindel::test::kSeparator);
  EXPECT_EQ(TfMainProbe::AppBaseName(*form), "Groepjes");
  EXPECT_EQ(std::filesystem::current_path().string(), dir.path());
  Choose(*form, WriteList("klas.lll", Pupils(3)));
  QTest::mouseClick(form->bKwindel, Qt::LeftButton);
  EXPECT_THAT(opened, ElementsAre(dir / "Groepjes.txt"));
}

}  // namespace
