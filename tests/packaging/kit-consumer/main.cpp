// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <kwindel-kit/BackgroundPanel.h>
#include <kwindel-kit/HoverButton.h>
#include <kwindel-kit/Timeout.h>
#include <kwindel-kit/WaveQueuePlayer.h>

#include <QAccessible>
#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  TBackgroundPanel panel;
  TTimeout clock(&panel);
  THoverButton button(&panel);
  TWaveQueuePlayer player;
  button.SetWaveQueuePlayer(&player);
  // The library gives its widgets to screen readers without being asked.
  if (QAccessible::queryAccessibleInterface(&clock)->role() != QAccessible::ProgressBar) {
    std::fputs("the countdown is no progress bar to assistive tools\n", stderr);
    return 1;
  }
  clock.SetTimeout(1);
  clock.SetActive(true);
  QObject::connect(&clock, &TTimeout::OnTimeout, &application, &QApplication::quit);
  return application.exec();  // ends once the clock has run out
}
