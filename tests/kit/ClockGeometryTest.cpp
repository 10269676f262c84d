// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QPoint>

#include "ClockGeometry.h"

namespace {

TEST(ClockGeometry, WorkedPointsOfTheDefaultSize) {
  struct Case {
    const char* name;
    int position;
    QPoint hand;
  };
  const Case cases[] = {
      {"10 percent", 10, {83, 10}},
      {"quarter at 3 o'clock", 25, {105, 53}},
      {"half at 6 o'clock", 50, {53, 105}},
      {"three quarters at 9 o'clock", 75, {0, 53}},
      {"100 on an odd width rounds one pixel left of the top", 100, {52, 0}},
      {"0 points at the top", 0, {53, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ClockGeometry g = ClockGeometry::Compute(c.position, 105, 105);
    EXPECT_EQ(g.Top, QPoint(53, 0));
    EXPECT_EQ(g.Hand, c.hand);
  }
}

TEST(ClockGeometry, HoleIsHalfTheWidthAndHeight) {
  struct Case {
    const char* name;
    int w, h;
    ClockRect hole;
  };
  const Case cases[] = {
      {"105 x 105", 105, 105, {26, 26, 79, 79}},
      {"100 x 60", 100, 60, {25, 15, 75, 45}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ClockGeometry g = ClockGeometry::Compute(10, c.w, c.h);
    EXPECT_EQ(g.Hole, c.hole);
    EXPECT_EQ(g.Outer, (ClockRect{0, 0, c.w, c.h}));
  }
}

TEST(ClockGeometry, RoundTakesHalvesUpward) {
  EXPECT_EQ(ClockRound(0.0), 0);
  EXPECT_EQ(ClockRound(0.49), 0);
  EXPECT_EQ(ClockRound(0.5), 1);
  EXPECT_EQ(ClockRound(52.5), 53);
  EXPECT_EQ(ClockRound(52.999), 53);
  EXPECT_EQ(ClockRound(-0.7), 0) << "truncates toward zero, not down";
}

// The face runs counter-clockwise from T to P, the elapsed part from P back to
// T; Qt measures from 3 o'clock in 1/16 degree.
TEST(ClockGeometry, PieAnglesRunCounterClockwiseFromTheRadials) {
  struct Case {
    const char* name;
    int position, w, h;
    int faceStart16, faceSpan16, handStart16, handSpan16;
  };
  const Case cases[] = {
      {"quarter on an even square", 25, 100, 100, 90 * 16, 270 * 16, 0, 90 * 16},
      {"half on an even square", 50, 100, 100, 90 * 16, 180 * 16, 270 * 16, 180 * 16},
      {"quarter on 100 x 60", 25, 100, 60, 90 * 16, 270 * 16, 0, 90 * 16},
      {"100 on an even width: both pies whole", 100, 100, 100, 90 * 16, 360 * 16, 90 * 16,
       360 * 16},
      // The hand point is (79, 6): geometrically 39.6 degrees, parametrically 54.06.
      {"10 on 100 x 60 uses Qt's parametric angle", 10, 100, 60, 90 * 16, 5760 - (1440 - 865), 865,
       1440 - 865},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ClockGeometry g = ClockGeometry::Compute(c.position, c.w, c.h);
    EXPECT_TRUE(g.Pies);
    EXPECT_EQ(g.FaceStart16, c.faceStart16);
    EXPECT_EQ(g.FaceSpan16, c.faceSpan16);
    EXPECT_EQ(g.HandStart16, c.handStart16);
    EXPECT_EQ(g.HandSpan16, c.handSpan16);
  }
}

TEST(ClockGeometry, OddWidthAtHundredLeavesANarrowFaceWedge) {
  const ClockGeometry g = ClockGeometry::Compute(100, 105, 105);
  // T is half a pixel right of the centre, P half a pixel left: about 1.09 degrees apart.
  EXPECT_GT(g.FaceSpan16, 0);
  EXPECT_LT(g.FaceSpan16, 2 * 16);
  EXPECT_EQ(g.FaceSpan16 + g.HandSpan16, 5760);
}

TEST(ClockGeometry, PositionZeroDrawsNoPies) {
  EXPECT_FALSE(ClockGeometry::Compute(0, 105, 105).Pies);
  EXPECT_TRUE(ClockGeometry::Compute(1, 105, 105).Pies);
}

}  // namespace
