// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "HintTracker.h"

namespace {

// A window with a hinted button, a hinted frame holding an unhinted child, and
// an unhinted label.
struct Window {
  QWidget top;
  QPushButton* button = new QPushButton("Kies", &top);
  QWidget* frame = new QWidget(&top);
  QLabel* inner = new QLabel("binnen", frame);
  QLabel* label = new QLabel("label", &top);
  QStatusBar* bar = new QStatusBar(&top);

  Window() {
    top.setGeometry(100, 100, 300, 200);
    button->setGeometry(10, 10, 80, 25);
    button->setStatusTip("Kies een leerlingenlijst");
    frame->setGeometry(10, 50, 100, 50);
    frame->setStatusTip("frame hint");
    inner->setGeometry(5, 5, 50, 20);
    label->setGeometry(150, 10, 80, 25);
    bar->setGeometry(0, 170, 300, 30);
    bar->showMessage("starttekst");
    top.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&top));
  }
};

TEST(HintTracker, TakesTheNearestHintOutward) {
  Window window;
  EXPECT_EQ(HintTracker::HintFor(window.button), "Kies een leerlingenlijst");
  EXPECT_EQ(HintTracker::HintFor(window.inner), "frame hint");
  EXPECT_EQ(HintTracker::HintFor(window.label), "");
  EXPECT_EQ(HintTracker::HintFor(nullptr), "");
}

TEST(HintTracker, ShowsTheHintUnderThePointerOnceItChanges) {
  Window window;
  HintTracker tracker(window.bar);
  auto pointAt = [&](QWidget* widget) {
    QCursor::setPos(widget->mapToGlobal(QPoint(3, 3)));
    tracker.Update();
    return window.bar->currentMessage();
  };
  EXPECT_EQ(pointAt(window.label), "starttekst") << "an empty hint is no change at first";
  EXPECT_EQ(pointAt(window.inner), "frame hint");
  EXPECT_EQ(pointAt(window.button), "Kies een leerlingenlijst");
  EXPECT_EQ(pointAt(window.label), "");
  QCursor::setPos(QPoint(900, 700));  // outside the program's windows
  window.bar->showMessage("x");
  tracker.Update();
  EXPECT_EQ(window.bar->currentMessage(), "x") << "still empty: no change, so no new text";
}

}  // namespace
