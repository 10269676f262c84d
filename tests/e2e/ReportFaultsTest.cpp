// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// A report that cannot be saved because the disk is full, through the main
// window and through kwindel_divide.

#include <gmock/gmock.h>

#include "Faults.h"
#include "MainFormFixture.h"

namespace {

using kwindel::test::FullFolder;
using kwindel::test::ReadFile;
using kwindel::test::RunDivide;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ReportFaults = MainFormTest;

TEST_F(ReportFaults, AFullDiskKeepsThePreviousReportWhole) {
  if (!FullFolder::Possible) GTEST_SKIP() << kwindel::test::kNoFullDiskHere;
  FullFolder disk(dir / "schijf");
  if (!disk.Mounted()) std::cout << "no tmpfs can be mounted here: a file size limit stands in\n";
  const std::string previous = "vorig rapport\r\n" + std::string(3000, 'r') + "\r\n";
  kwindel::test::WriteFile(disk.path() + "/Kwindel.txt", previous);
  kwindel::test::WriteFile(disk.path() + "/uit.txt", previous);
  disk.Fill();

  auto form = MakeForm("schijf/Kwindel");
  Choose(*form, WriteList("klas.lll", Pupils(7)));
  {
    auto full = disk.Arm();
    QTest::mouseClick(form->bKwindel, Qt::LeftButton);
  }
  EXPECT_THAT(failures, ElementsAre(Message("Kwindel", "Stream write error.")));
  EXPECT_EQ(ReadFile(disk.path() + "/Kwindel.txt"), previous);
  EXPECT_THAT(opened, IsEmpty());
  EXPECT_EQ(TfMainProbe::Pupils(*form).Count(), 7) << "the pupils stay for another try";
  EXPECT_TRUE(form->bKwindel->isVisible());
  failures.clear();
  {
    auto full = disk.Arm();
    form.reset();
  }
  EXPECT_THAT(failures, ElementsAre(Message(
                            "Kwindel", QString::fromStdString("Unable to write to " + disk.path() +
                                                              "/Kwindel.ini."))))
      << "nor can the settings be stored at shut-down";

  kwindel::test::Outcome outcome{};
  {
    auto full = disk.Arm();
    outcome = RunDivide({dir / "klas.lll", "2", "1", disk.path() + "/uit.txt"});
  }
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.errors, "Stream write error\n");
  EXPECT_EQ(ReadFile(disk.path() + "/uit.txt"), previous);
  EXPECT_EQ(disk.Files(), 2u) << "no temporary file is left behind";
}

}  // namespace
