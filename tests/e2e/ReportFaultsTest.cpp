// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// A report that cannot be saved because the disk is full or another program
// holds it, through the main window and through kwindel_divide.

#include <gmock/gmock.h>

#include "Faults.h"
#include "MainFormFixture.h"

namespace {

using kwindel::test::FullFolder;
using kwindel::test::kSeparator;
using kwindel::test::ReadFile;
using kwindel::test::RunDivide;
using kwindel::test::WriteFile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ReportFaults = MainFormTest;

TEST_F(ReportFaults, AFullDiskKeepsThePreviousReportWhole) {
  if (!FullFolder::Possible()) GTEST_SKIP() << kwindel::test::kNoFullDisk;
  FullFolder disk(dir, "schijf");
  if (!disk.Mounted()) std::cout << "no tmpfs can be mounted here: a file size limit stands in\n";
  const std::string previous = "vorig rapport\r\n" + std::string(3000, 'r') + "\r\n";
  const std::string report = disk.path() + kSeparator + "Kwindel.txt";
  const std::string divided = disk.path() + kSeparator + "uit.txt";
  WriteFile(report, previous);
  WriteFile(divided, previous);
  disk.Fill();

  TfMainServices services = Services();
  services.ExecutablePath = disk.path() + kSeparator + "Kwindel";
  auto form = std::make_unique<TfMain>(random, services);
  form->show();
  Choose(*form, WriteList("klas.lll", Pupils(7)));
  {
    auto full = disk.Arm();
    QTest::mouseClick(form->bKwindel, Qt::LeftButton);
  }
  EXPECT_THAT(failures, ElementsAre(Message("Kwindel", "Stream write error.")));
  EXPECT_EQ(ReadFile(report), previous);
  EXPECT_THAT(opened, IsEmpty());
  EXPECT_EQ(TfMainProbe::Pupils(*form).Count(), 7) << "the pupils stay for another try";
  EXPECT_TRUE(form->bKwindel->isVisible());
  failures.clear();
  {
    auto full = disk.Arm();
    form.reset();
  }
  EXPECT_THAT(failures, ElementsAre(Message(
                            "Kwindel", kwindel::DecodeName("Unable to write to " + disk.path() +
                                                           kSeparator + "Kwindel.ini."))))
      << "nor can the settings be stored at shut-down";

  kwindel::test::Outcome outcome{};
  {
    auto full = disk.Arm();
    outcome = RunDivide({dir / "klas.lll", "2", "1", divided});
  }
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.errors, "Stream write error\n");
  EXPECT_EQ(ReadFile(divided), previous);
  EXPECT_EQ(disk.Files(), 2u) << "no temporary file is left behind";
}

// Another program holds the report open and shares it with no one: the old
// report stays whole, and once the program lets go the next press divides the
// same pupils.
TEST_F(ReportFaults, AReportAnotherProgramHoldsStaysWholeAndTheNextPressWorks) {
#ifndef _WIN32
  GTEST_SKIP() << "Linux has no share modes: no program can keep a file from being replaced";
#else
  const std::string previous = "vorig rapport\r\n";
  const std::string report = dir / "Kwindel.txt";
  const std::string divided = dir / "uit.txt";
  WriteFile(report, previous);
  WriteFile(divided, previous);
  auto form = MakeForm();
  const std::string list = WriteList("klas.lll", Pupils(7));
  Choose(*form, list);
  kwindel::test::Outcome outcome{};
  {
    kwindel::test::HeldFile heldReport(report);
    kwindel::test::HeldFile heldDivided(divided);
    ASSERT_TRUE(heldReport.Held() && heldDivided.Held());
    QTest::mouseClick(form->bKwindel, Qt::LeftButton);
    outcome = RunDivide({list, "2", "1", divided});
  }
  EXPECT_THAT(failures, ElementsAre(Message(
                            "Kwindel", kwindel::DecodeName("Cannot create file " + report + "."))));
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.errors, "Cannot create file " + divided + "\n");
  EXPECT_EQ(ReadFile(report), previous);
  EXPECT_EQ(ReadFile(divided), previous);
  EXPECT_THAT(opened, IsEmpty());
  EXPECT_EQ(TfMainProbe::Pupils(*form).Count(), 7) << "the pupils stay for another try";
  EXPECT_EQ(kwindel::test::CountEntries(dir.path()), 3u) << "no temporary file is left behind";

  QTest::mouseClick(form->bKwindel, Qt::LeftButton);
  EXPECT_THAT(opened, ElementsAre(report));
  EXPECT_TRUE(ReadFile(report).starts_with("Gebruikte leerlingenlijst: " + list + "\r\n"));
  EXPECT_EQ(RunDivide({list, "2", "1", divided}).exitCode, 0);
  EXPECT_TRUE(ReadFile(divided).starts_with("Gebruikte leerlingenlijst: " + list + "\r\n"));
#endif
}

}  // namespace
