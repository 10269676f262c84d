// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRectF>

// Where the parts of the countdown ring lie in a W × H rectangle, worked out
// apart from any widget so it can be checked on its own.

// A rectangle given as left, top, right and bottom edges (right and bottom
// exclusive, as the ring's figures are stated).
struct ClockRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  QRectF ToRectF() const { return QRectF(Left, Top, Right - Left, Bottom - Top); }
  friend bool operator==(const ClockRect&, const ClockRect&) = default;
};

struct ClockGeometry {
  QPoint Top;   // T: the top edge's middle, 12 o'clock
  QPoint Hand;  // P: where the hand meets the edge, in whole pixels
  // False at position 0: the whole disc is the face and there are no pies.
  bool Pies = false;
  // Qt pie angles in 1/16 degree, counter-clockwise from 3 o'clock. The face
  // runs from T's radial to P's, the elapsed part from P's back to T's. Starts
  // lie in [0, 5760); spans in (0, 5760], so coinciding radials give the whole
  // ellipse.
  int FaceStart16 = 0;
  int FaceSpan16 = 0;
  int HandStart16 = 0;
  int HandSpan16 = 0;
  ClockRect Outer;  // the ring's ellipse: the whole rectangle
  ClockRect Hole;   // the centre hole: half the width and half the height

  static ClockGeometry Compute(int Position, int W, int H);
};

// x + 0.5 truncated toward zero: the nearest integer, halves upward, for the
// non-negative values the ring uses.
int ClockRound(double x);

// The angle, in degrees, that Qt's pies give the radial from the centre of
// the rectangle (0, 0, W, H) through p. Qt's pie angles are parametric on an
// ellipse, so on a non-square rectangle this is not the geometric angle.
double ClockRadialAngle(QPoint p, int W, int H);
