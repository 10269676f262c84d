// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QSpinBox;
class TBackgroundPanel;
class THoverButton;
class TTimeout;
class TWaveQueuePlayer;

// A small window that shows the kit's four components at work: a countdown
// clock, two hover buttons whose sounds one wave queue player plays, and a
// tiled background panel holding them all.
class KitGallery : public QWidget {
  Q_OBJECT

 public:
  explicit KitGallery(QWidget* parent = nullptr);

 private:
  void MakeHoverButton(const QString& caption, const QColor& colour, int x, int y);

  TWaveQueuePlayer* FPlayer;
  TBackgroundPanel* FPanel;
  TTimeout* FClock;
  QSpinBox* FLength;
  QLabel* FClockState;
  QLabel* FNotification;
  QLabel* FClickCount;
  int FClicks = 0;        // click sounds played
  int FButtonClicks = 0;  // OnClick of either button
};
