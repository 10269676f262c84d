// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Linked only into the start-up benchmarks, never into the program: ends the
// process once its first window has been exposed and painted, so the time
// from launch to exit is the time to the first shown window. The program and
// the bare window get the same hook, so they are measured alike.

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWindow>
#include <cstdio>

namespace {

class FirstExposure : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && watched->isWindowType() &&
        static_cast<QWindow*>(watched)->isExposed()) {
      // Queued, so the exposure is handled (the window paints) before the process ends.
      QMetaObject::invokeMethod(
          qApp,
          [] {
            std::fflush(nullptr);
            ::_exit(0);
          },
          Qt::QueuedConnection);
    }
    return false;
  }
};

void WatchForTheFirstWindow() {
  qApp->installEventFilter(new FirstExposure);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForTheFirstWindow)
