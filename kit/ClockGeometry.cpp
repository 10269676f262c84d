// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "ClockGeometry.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int kFullCircle16 = 360 * 16;

// The counter-clockwise sweep from one Qt angle to another, in (0, 5760]:
// equal angles mean a whole turn, not an empty pie.
int Sweep16(int from16, int to16) {
  const int sweep = ((to16 - from16) % kFullCircle16 + kFullCircle16) % kFullCircle16;
  return sweep == 0 ? kFullCircle16 : sweep;
}

// A radial's Qt angle in 1/16 degree, in [0, 5760).
int Angle16(QPoint p, int W, int H) {
  const int angle = static_cast<int>(std::lround(ClockRadialAngle(p, W, H) * 16));
  return (angle % kFullCircle16 + kFullCircle16) % kFullCircle16;
}

}  // namespace

int ClockRound(double x) {
  return static_cast<int>(x + 0.5);
}

double ClockRadialAngle(QPoint p, int W, int H) {
  // A point (W/2 + W/2·cos t, H/2 − H/2·sin t) of the ellipse has angle t, so
  // a radial's direction is scaled by the other axis before atan2.
  const double dx = p.x() - W * 0.5;
  const double dy = H * 0.5 - p.y();
  return std::atan2(dy * W, dx * H) * 180.0 / std::numbers::pi;
}

ClockGeometry ClockGeometry::Compute(int Position, int W, int H) {
  const double hx = W * 0.5;
  const double hy = H * 0.5;
  const double theta = Position * 0.01 * 2 * std::numbers::pi;

  ClockGeometry g;
  g.Top = QPoint(ClockRound(W * 0.5), 0);
  g.Hand = QPoint(ClockRound(hx + hx * std::sin(theta)), ClockRound(hy - hy * std::cos(theta)));
  g.Pies = Position != 0;
  const int top16 = Angle16(g.Top, W, H);
  const int hand16 = Angle16(g.Hand, W, H);
  g.FaceStart16 = top16;
  g.FaceSpan16 = Sweep16(top16, hand16);
  g.HandStart16 = hand16;
  g.HandSpan16 = Sweep16(hand16, top16);
  g.Outer = {0, 0, W, H};
  g.Hole = {ClockRound(hx - hx * 0.5), ClockRound(hy - hy * 0.5), ClockRound(hx + hx * 0.5),
            ClockRound(hy + hy * 0.5)};
  return g;
}
