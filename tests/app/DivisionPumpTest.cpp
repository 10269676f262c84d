// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTimer>
#include <optional>
#include <string>

#include "MainForm.h"
#include "TempDir.h"

namespace {

// The divide button as the window wires it: events are processed while the
// division runs, not only once it is over.
TEST(DivisionPump, EventsAreHandledBeforeTheDivisionEnds) {
  kwindel::test::TempDir dir;
  std::string list;
  for (int i = 0; i < 20000; ++i)
    list += "leerling " + std::to_string(i) + "\r\n";
  kwindel::test::WriteFile(dir / "klas.lll", list);

  bool handled = false;
  std::optional<bool> handledBeforeTheReportOpened;
  TfMainServices services;
  services.ExecutablePath = dir / "Kwindel";
  services.RunOpenDialog =
      TOpenDialog::Modal([&](const TOpenDialog&) { return std::optional(dir / "klas.lll"); });
  services.ShowMessage = [](const QString&, const QString&) {};
  services.OpenDocument = [&](const std::string&) { handledBeforeTheReportOpened = handled; };
  kwindel::RandomSource random;
  TfMain form(random, services);
  form.show();
  form.pKiesClick(nullptr);

  // A zero timer fires only when events are processed; the report is opened after the division.
  QTimer::singleShot(0, [&] { handled = true; });
  form.bKwindelClick(nullptr);
  ASSERT_TRUE(handledBeforeTheReportOpened.has_value()) << "the division did not finish";
  EXPECT_TRUE(*handledBeforeTheReportOpened);
}

}  // namespace
