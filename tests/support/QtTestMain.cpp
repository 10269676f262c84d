// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a GoogleTest suite inside a QApplication, for tests of widgets and of
// anything that needs an event loop.

#include <gtest/gtest.h>

#include <QApplication>

#include "PrivateHome.h"

int main(int argc, char** argv) {
  // Also when the build lists the tests: no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  kwindel::test::UsePrivateHome();
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
