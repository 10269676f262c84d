// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWidget>

#include "SessionEnd.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

namespace kwindel {
namespace {

// One test: the end of the session can be asked for once per process.
#ifdef _WIN32

TEST(SessionEndTest, ALogoffEndsTheProgramBeforeItIsAnswered) {
  int ended = 0;
  WhenSessionEnds([&] { ++ended; });
  QWidget window;
  window.show();
  const auto hwnd = reinterpret_cast<HWND>(window.winId());
  ASSERT_NE(hwnd, nullptr);

  // Another program said no: the session goes on, and so does this program.
  SendMessageW(hwnd, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
  EXPECT_EQ(ended, 0);
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(ended, 1) << "done before the message returned";
  SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);  // the next window's copy
  EXPECT_EQ(ended, 1);
}

#else

TEST(SessionEndTest, ATerminationRequestEndsTheProgramFromTheEventLoop) {
  int ended = 0;
  WhenSessionEnds([&] { ++ended; });
  std::raise(SIGTERM);
  EXPECT_EQ(ended, 0) << "not inside the signal handler";
  QDeadlineTimer deadline(10000);
  while (ended == 0 && !deadline.hasExpired())
    QCoreApplication::processEvents();
  EXPECT_EQ(ended, 1);
}

#endif

}  // namespace
}  // namespace kwindel
