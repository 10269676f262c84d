// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the window's tests inside the program's own application object, so an
// exception that escapes a handler reaches its exception display.

#include <gtest/gtest.h>

#include "Application.h"
#include "PrivateHome.h"

int main(int argc, char** argv) {
  // Also when the build lists the tests: no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef KWINDEL_TEST_SCALE_FACTOR
  // The window on a screen with more pixels to the inch (a 4K laptop at 200 %).
  qputenv("QT_SCALE_FACTOR", KWINDEL_TEST_SCALE_FACTOR);
#endif
  kwindel::test::UsePrivateHome();
  Application application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Kwindel"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
