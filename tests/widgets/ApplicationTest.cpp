// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Application.h"

namespace {

TEST(Application, AppendsAFullStopAfterCharactersAboveIt) {
  struct Case {
    std::string message;
    QString shown;
  };
  for (const Case& c :
       {Case{"Stream write error", "Stream write error."},
        Case{"Cannot open file /home/juf/klas.lll", "Cannot open file /home/juf/klas.lll."},
        Case{"Unable to write to /opt/", "Unable to write to /opt/."},  // "/" is above "."
        Case{"Already ends.", "Already ends."},
        Case{"Ends with a dash -", "Ends with a dash -"},  // "-" is below "."
        Case{"Ends with a bang!", "Ends with a bang!"},
        Case{"Cannot open file caf\xC3\xA9", "Cannot open file caf\u00E9."}, Case{"", ""}}) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Application::ExceptionText(c.message), c.shown);
  }
}

}  // namespace
