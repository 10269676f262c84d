// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the tests of the Qt-side platform services inside a QApplication. On
// Windows it keeps the system's own platform plugin, as the program does: the
// end of a session reaches a program through its windows.

#include <gtest/gtest.h>

#include <QApplication>

#include "PrivateHome.h"

int main(int argc, char** argv) {
#ifndef _WIN32
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  kwindel::test::UsePrivateHome();
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
