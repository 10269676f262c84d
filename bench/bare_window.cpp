// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// The anchor for the program's start-up: the least a Qt Widgets program does to
// show a window of the same size, built the same way. Built a second time as
// text_window, which shows one line of text: any window with text pays for
// setting up the fonts, a bare one does not, and the two anchors tell that
// cost apart from the program's own.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
#ifdef KWINDEL_BENCH_TEXT_WINDOW
  QLabel window(QStringLiteral("Kwindel"));
#else
  QWidget window;
#endif
  window.setWindowTitle(QStringLiteral("Bare"));
  window.setFixedSize(450, 291);
  window.show();
  return application.exec();
}
