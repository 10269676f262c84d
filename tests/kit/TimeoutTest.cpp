// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QMetaProperty>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

#include "TickCount.h"
#include "Timeout.h"

namespace {

// A clock whose tick count the test sets; ticks are delivered by calling the
// timer's handler, so nothing waits on the real clock.
class TimeoutTest : public ::testing::Test {
 protected:
  void Tick() { clock.FTimerTimer(Timer()); }
  QTimer* Timer() { return clock.findChild<QTimer*>(); }

  // Counts OnTimeout and records what the clock looked like when it came.
  void WatchTimeouts() {
    QObject::connect(&clock, &TTimeout::OnTimeout, [this](TTimeout* sender) {
      ++timeouts;
      EXPECT_EQ(sender, &clock);
      activeDuringTimeout = clock.GetActive();
      timerRunningDuringTimeout = Timer()->isActive();
      positionDuringTimeout = clock.GetPosition();
    });
  }

  std::uint32_t now = 1000;
  kwindel::ScopedTickSource fakeTicks{[this] { return now; }};
  TTimeout clock;
  int timeouts = 0;
  bool activeDuringTimeout = true;
  bool timerRunningDuringTimeout = true;
  int positionDuringTimeout = -1;
};

TEST_F(TimeoutTest, NewClockIsStoppedAtTenPercent) {
  EXPECT_FALSE(clock.GetActive());
  EXPECT_EQ(clock.GetTimeout(), 5000);
  EXPECT_EQ(clock.GetPosition(), 10);
  EXPECT_EQ(clock.GetFaceColor(), QColor(Qt::black));
  EXPECT_EQ(clock.GetHandColor(), clock.palette().color(QPalette::Button));
  EXPECT_EQ(clock.size(), QSize(105, 105));
  EXPECT_TRUE(clock.testAttribute(Qt::WA_OpaquePaintEvent));
  ASSERT_NE(Timer(), nullptr);
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(Timer()->interval(), 250);
  EXPECT_FALSE(Timer()->isSingleShot());
}

TEST_F(TimeoutTest, PublishesItsPropertiesInLoadingOrder) {
  const QMetaObject* meta = clock.metaObject();
  std::vector<QByteArray> names;
  for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
    names.emplace_back(meta->property(i).name());
  }
  EXPECT_EQ(names,
            (std::vector<QByteArray>{"Timeout", "Position", "FaceColor", "HandColor", "Active"}));
  // Writes go through the setters, so they correct values as the setters do.
  clock.setProperty("Timeout", 0);
  clock.setProperty("Position", 150);
  clock.setProperty("HandColor", QColor(Qt::red));
  EXPECT_EQ(clock.GetTimeout(), 1);
  EXPECT_EQ(clock.GetPosition(), 100);
  EXPECT_EQ(clock.GetHandColor(), QColor(Qt::red));
  clock.setProperty("Active", true);
  EXPECT_TRUE(clock.GetActive());
}

TEST_F(TimeoutTest, OutOfRangeValuesAreCorrected) {
  struct Case {
    const char* name;
    int timeout, expectedTimeout;
    int position, expectedPosition;
  };
  const Case cases[] = {
      {"zero and 150", 0, 1, 150, 100},     {"negative", -5, 1, -5, 0},
      {"extremes", INT_MIN, 1, INT_MIN, 0}, {"largest", INT_MAX, INT_MAX, INT_MAX, 100},
      {"in range kept", 1, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clock.SetTimeout(c.timeout);
    clock.SetPosition(c.position);
    EXPECT_EQ(clock.GetTimeout(), c.expectedTimeout);
    EXPECT_EQ(clock.GetPosition(), c.expectedPosition);
  }
}

TEST_F(TimeoutTest, CountsDownInStepsAndStopsOnTheFirstTickAfterTheEnd) {
  WatchTimeouts();
  clock.SetActive(true);
  EXPECT_TRUE(Timer()->isActive());
  EXPECT_EQ(clock.GetPosition(), 0);

  for (int step = 1; step <= 20; ++step) {
    now = 1000 + 250 * step;
    Tick();
    ASSERT_EQ(clock.GetPosition(), 5 * step) << "after " << 250 * step << " ms";
  }
  // 100 exactly at the end time, yet the clock runs one tick longer.
  EXPECT_TRUE(clock.GetActive());
  EXPECT_EQ(timeouts, 0);

  now = 6001;
  Tick();
  EXPECT_EQ(timeouts, 1);
  EXPECT_FALSE(activeDuringTimeout);
  EXPECT_FALSE(timerRunningDuringTimeout);
  EXPECT_EQ(positionDuringTimeout, 100);
  EXPECT_FALSE(clock.GetActive());
  EXPECT_EQ(clock.GetPosition(), 100);
}

TEST_F(TimeoutTest, ElapsedTimeTruncatesTowardZero) {
  struct Case {
    int timeout, elapsed, position;
  };
  const Case cases[] = {{3, 2, 66}, {1000, 995, 99}, {3000, 2999, 99}, {3, 3, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.elapsed << " ms of " << c.timeout);
    clock.SetActive(false);
    clock.SetTimeout(c.timeout);
    clock.SetActive(true);
    now += c.elapsed;
    Tick();
    EXPECT_EQ(clock.GetPosition(), c.position);
    EXPECT_TRUE(clock.GetActive());
  }
}

// The tick works on a stopped clock too: it measures from the last start and
// never starts the clock.
TEST(TimeoutTick, OnAStoppedClockMeasuresFromTheLastStart) {
  std::uint32_t now = 1000;
  kwindel::ScopedTickSource fakeTicks{[&now] { return now; }};
  struct Case {
    const char* name;
    std::function<void(TTimeout&)> before;  // from now = 1000
    std::uint32_t tickAt;
    int position, timeouts;
  };
  const auto tickAt = [&now](TTimeout& clock, std::uint32_t at) {
    now = at;
    clock.FTimerTimer(nullptr);
  };
  const Case cases[] = {
      {"never started, the count long past Timeout", [](TTimeout&) {}, 3'600'000, 100, 1},
      {"never started, counted from tick 0", [](TTimeout&) {}, 1000, 20, 0},
      {"stopped at 30 %",
       [&](TTimeout& clock) {
         clock.SetActive(true);
         tickAt(clock, 2500);
         clock.SetActive(false);
       },
       3000, 40, 0},
      {"ended, called again later",
       [&](TTimeout& clock) {
         clock.SetActive(true);
         tickAt(clock, 6001);
       },
       9000, 100, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    now = 1000;
    TTimeout clock;
    int timeouts = 0;
    QObject::connect(&clock, &TTimeout::OnTimeout, [&timeouts] { ++timeouts; });
    c.before(clock);
    tickAt(clock, c.tickAt);
    EXPECT_EQ(clock.GetPosition(), c.position);
    EXPECT_EQ(timeouts, c.timeouts);
    EXPECT_FALSE(clock.GetActive());
    EXPECT_FALSE(clock.findChild<QTimer*>()->isActive());
  }
}

TEST_F(TimeoutTest, TheTimerDrivesTheTick) {
  WatchTimeouts();
  clock.SetTimeout(100);
  clock.SetActive(true);
  now += 250;  // a length below one interval ends on the first tick
  QTimerEvent tick(Timer()->timerId());
  QCoreApplication::sendEvent(Timer(), &tick);
  EXPECT_EQ(timeouts, 1);
  EXPECT_FALSE(clock.GetActive());
  EXPECT_EQ(clock.GetPosition(), 100);
}

TEST_F(TimeoutTest, StartingOrStoppingAgainChangesNothing) {
  WatchTimeouts();
  clock.SetActive(true);
  now += 1000;
  Tick();
  ASSERT_EQ(clock.GetPosition(), 20);

  now += 500;
  clock.SetActive(true);  // not a restart
  EXPECT_EQ(clock.GetPosition(), 20);
  Tick();
  EXPECT_EQ(clock.GetPosition(), 30) << "counted from the first start";

  clock.SetActive(false);
  EXPECT_FALSE(clock.GetActive());
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(clock.GetPosition(), 30) << "the ring stays where it was";
  clock.SetActive(false);
  EXPECT_EQ(clock.GetPosition(), 30);
  EXPECT_EQ(timeouts, 0) << "stopping is not running out";
}

TEST_F(TimeoutTest, NewLengthRestartsARunningCountdown) {
  clock.SetActive(true);  // at 1000
  now = 2000;
  Tick();
  ASSERT_EQ(clock.GetPosition(), 20);

  now = 3000;
  clock.SetTimeout(10000);
  EXPECT_TRUE(clock.GetActive());
  EXPECT_TRUE(Timer()->isActive());
  EXPECT_EQ(clock.GetPosition(), 100) << "until the next tick";
  now = 4000;
  Tick();
  EXPECT_EQ(clock.GetPosition(), 10) << "1000 of 10000 ms since the restart";

  clock.SetTimeout(10000);  // the same length: no restart
  now = 5000;
  Tick();
  EXPECT_EQ(clock.GetPosition(), 20);

  now = 13000;  // ends 10000 ms after the restart, not after the first start
  Tick();
  EXPECT_TRUE(clock.GetActive());
  now = 13001;
  Tick();
  EXPECT_FALSE(clock.GetActive());
}

// No tick yet makes no difference: a form that sets Active before Timeout
// (saved so by an older kit) reads 100 until the first tick.
TEST_F(TimeoutTest, NewLengthBeforeTheFirstTickAlsoRestarts) {
  clock.SetActive(true);  // at 1000
  ASSERT_EQ(clock.GetPosition(), 0);
  now = 1500;
  clock.SetTimeout(2000);
  EXPECT_EQ(clock.GetPosition(), 100) << "until the next tick";
  EXPECT_TRUE(Timer()->isActive());
  now = 2000;
  Tick();
  EXPECT_EQ(clock.GetPosition(), 25) << "500 of 2000 ms since the restart at 1500";
  now = 3500;
  Tick();
  EXPECT_TRUE(clock.GetActive()) << "ends 2000 ms after the restart, not after the start";
  now = 3501;
  Tick();
  EXPECT_FALSE(clock.GetActive());
}

TEST_F(TimeoutTest, NewLengthWhileStoppedOnlyStoresIt) {
  clock.SetTimeout(2000);
  EXPECT_FALSE(clock.GetActive());
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(clock.GetPosition(), 10);
  clock.SetActive(true);
  now += 1000;
  Tick();
  EXPECT_EQ(clock.GetPosition(), 50);
}

TEST_F(TimeoutTest, TimeoutHandlerCanStartTheNextCountdown) {
  QObject::connect(&clock, &TTimeout::OnTimeout, [](TTimeout* sender) { sender->SetActive(true); });
  WatchTimeouts();
  clock.SetActive(true);
  now += 5001;
  Tick();
  EXPECT_EQ(timeouts, 1);
  EXPECT_TRUE(clock.GetActive());
  EXPECT_TRUE(Timer()->isActive());
  EXPECT_EQ(clock.GetPosition(), 0);
  now += 2500;
  Tick();
  EXPECT_EQ(clock.GetPosition(), 50) << "counted from the handler's start";
  EXPECT_EQ(timeouts, 1);
}

TEST_F(TimeoutTest, CountsDownAcrossTheTickCountsWrap) {
  struct Case {
    const char* name;
    std::uint32_t start;
  };
  const Case cases[] = {
      {"end wraps", 0xFFFFFFFFu - 2000},
      {"wraps just after the start", 0xFFFFFFFFu},
      {"end lands on the signed boundary", 0x7FFFFFFFu - 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTimeout wrapping;
    int timeouts = 0;
    QObject::connect(&wrapping, &TTimeout::OnTimeout, [&timeouts] { ++timeouts; });
    now = c.start;
    wrapping.SetActive(true);
    now = c.start + 2500u;
    wrapping.FTimerTimer(nullptr);
    EXPECT_EQ(wrapping.GetPosition(), 50);
    now = c.start + 5000u;
    wrapping.FTimerTimer(nullptr);
    EXPECT_EQ(wrapping.GetPosition(), 100);
    EXPECT_TRUE(wrapping.GetActive());
    now = c.start + 5001u;
    wrapping.FTimerTimer(nullptr);
    EXPECT_FALSE(wrapping.GetActive());
    EXPECT_EQ(timeouts, 1);
  }
}

TEST_F(TimeoutTest, LongCountdownsKeepTheirPercentage) {
  struct Case {
    const char* name;
    int timeout;
    std::uint32_t elapsed;
    int position;
  };
  // Elapsed × 100 passes 2^31 from 21,474,837 ms on.
  const Case cases[] = {
      {"past the 32-bit product", 30'000'000, 21'474'837, 71},
      {"largest length, halfway", INT_MAX, 1'073'741'824, 50},
      {"largest length, at the end", INT_MAX, INT_MAX, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTimeout longClock;
    longClock.SetTimeout(c.timeout);
    now = 0xF0000000u;  // so the long runs wrap too
    longClock.SetActive(true);
    now += c.elapsed;
    longClock.FTimerTimer(nullptr);
    EXPECT_EQ(longClock.GetPosition(), c.position);
    EXPECT_TRUE(longClock.GetActive());
  }
}

// Which changes ask for a repaint: the clock is shown, and paints are counted
// through a replaced paint handler.
TEST_F(TimeoutTest, RepaintsOnlyWhereItShould) {
  int paints = 0;
  clock.SetOnPaint([&paints](TTimeout*) { ++paints; });
  clock.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&clock));
  QCoreApplication::processEvents();

  struct Step {
    const char* name;
    std::function<void()> change;
    bool repaints;
  };
  const std::vector<Step> steps = {
      {"start", [&] { clock.SetActive(true); }, true},
      {"start again", [&] { clock.SetActive(true); }, false},
      {"tick", [&] { now += 250, Tick(); }, true},
      {"new length while running", [&] { clock.SetTimeout(8000); }, false},
      {"same length", [&] { clock.SetTimeout(8000); }, false},
      {"face colour", [&] { clock.SetFaceColor(Qt::red); }, true},
      {"same face colour", [&] { clock.SetFaceColor(Qt::red); }, false},
      {"hand colour", [&] { clock.SetHandColor(Qt::green); }, true},
      {"same hand colour", [&] { clock.SetHandColor(Qt::green); }, false},
      {"same position", [&] { clock.SetPosition(clock.GetPosition()); }, true},
      {"stop", [&] { clock.SetActive(false); }, true},
      {"stop again", [&] { clock.SetActive(false); }, false},
      {"new length while stopped", [&] { clock.SetTimeout(3000); }, false},
      {"position clamped", [&] { clock.SetPosition(-5); }, true},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    paints = 0;
    step.change();
    QCoreApplication::processEvents();
    EXPECT_EQ(paints > 0, step.repaints);
  }
}

TEST(TickCount, ScopedSourceIsRestored) {
  {
    kwindel::ScopedTickSource outer([] { return 7u; });
    {
      kwindel::ScopedTickSource inner([] { return 9u; });
      EXPECT_EQ(kwindel::TickCount(), 9u);
    }
    EXPECT_EQ(kwindel::TickCount(), 7u);
  }
  EXPECT_NE(kwindel::TickCount(), 7u);
}

// ---- Drawing ----

enum class Part { Face, Hand, Hole };

struct Sample {
  int x, y;
  Part part;
};

const QColor kFace(0, 0, 255);
const QColor kHand(255, 0, 0);
const QColor kBackground(255, 255, 255);

QColor ColourOf(Part part) {
  switch (part) {
    case Part::Face:
      return kFace;
    case Part::Hand:
      return kHand;
    case Part::Hole:
      break;
  }
  return kBackground;
}

// A point of the ring's ellipse family: fraction f of the half axes out from
// the centre, at Qt's parametric angle t degrees.
Sample At(int w, int h, double t, double f, Part part) {
  const double r = t * std::numbers::pi / 180;
  return {static_cast<int>(w * 0.5 + f * w * 0.5 * std::cos(r)),
          static_cast<int>(h * 0.5 - f * h * 0.5 * std::sin(r)), part};
}

QImage Render(TTimeout& clock, int w, int h, int position) {
  clock.resize(w, h);
  clock.SetPosition(position);
  clock.SetFaceColor(kFace);
  clock.SetHandColor(kHand);
  clock.SetColor(kBackground);
  return clock.grab().toImage();
}

TEST(TimeoutDrawing, RingShowsTheElapsedPartClockwiseFromTwelve) {
  struct Case {
    const char* name;
    int w, h, position;
    std::vector<Sample> samples;
  };
  const Case cases[] = {
      {"position 0: whole ring is face",
       105,
       105,
       0,
       {{52, 5, Part::Face},
        {100, 52, Part::Face},
        {52, 100, Part::Face},
        {5, 52, Part::Face},
        {52, 52, Part::Hole},
        {1, 1, Part::Hole}}},
      {"position 10: 36 degrees of hand",
       105,
       105,
       10,
       {At(105, 105, 72, 0.75, Part::Hand),  // 18 degrees past 12 o'clock
        At(105, 105, 60, 0.75, Part::Hand),  // 30 degrees
        At(105, 105, 48, 0.75, Part::Face),  // 42 degrees: past the hand
        At(105, 105, 100, 0.75, Part::Face),
        At(105, 105, 0, 0.75, Part::Face),
        {52, 52, Part::Hole},
        {104, 0, Part::Hole}}},
      {"position 50: right half hand",
       105,
       105,
       50,
       {{95, 52, Part::Hand},
        {58, 95, Part::Hand},
        {46, 95, Part::Face},
        {10, 52, Part::Face},
        {46, 10, Part::Face},
        {58, 10, Part::Hand}}},
      {"position 100, odd width: hairline of face at 12 o'clock",
       105,
       105,
       100,
       {{52, 3, Part::Face},
        {52, 20, Part::Face},
        {51, 3, Part::Hand},
        {53, 3, Part::Hand},
        {51, 20, Part::Hand},
        {53, 20, Part::Hand},
        {52, 52, Part::Hole}}},
      {"position 100, even width: all hand",
       104,
       104,
       100,
       {{51, 3, Part::Hand},
        {52, 3, Part::Hand},
        {51, 20, Part::Hand},
        {52, 20, Part::Hand},
        {10, 52, Part::Hand},
        {52, 52, Part::Hole}}},
      // Hand point (79, 6): a geometric angle would put the boundary at 39.6
      // degrees, Qt's parametric one at 54.06.
      {"position 10 on 100 x 60 fills an elliptic ring",
       100,
       60,
       10,
       {At(100, 60, 61, 0.75, Part::Hand),
        At(100, 60, 47, 0.75, Part::Face),
        At(100, 60, 180, 0.75, Part::Face),
        {50, 30, Part::Hole},
        {2, 30, Part::Face},
        {97, 30, Part::Face},
        {2, 2, Part::Hole}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTimeout clock;
    const QImage image = Render(clock, c.w, c.h, c.position);
    ASSERT_EQ(image.size(), QSize(c.w, c.h));
    for (const Sample& s : c.samples) {
      SCOPED_TRACE(testing::Message() << "pixel (" << s.x << ", " << s.y << ")");
      EXPECT_EQ(image.pixelColor(s.x, s.y), ColourOf(s.part));
    }
  }
}

// At Position 100 the hand's end comes back to 12 o'clock in whole pixels only
// at an even width; at an odd one it lies a pixel left of it.
TEST(TimeoutDrawing, AtHundredAnOddWidthKeepsAOnePixelLineOfFace) {
  struct Case {
    int size;
    int facePixels;
    QRect where;  // around every pixel of face
  };
  const Case cases[] = {{105, 27, QRect(52, 0, 1, 27)}, {100, 0, QRect()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << " x " << c.size);
    TTimeout clock;
    const QImage image = Render(clock, c.size, c.size, 100);
    int face = 0;
    QRect where;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) != kFace) continue;
        ++face;
        where |= QRect(x, y, 1, 1);
      }
    }
    EXPECT_EQ(face, c.facePixels);
    EXPECT_EQ(where, c.where);
  }
}

TEST(TimeoutDrawing, HoleAndCornersTakeTheWidgetsColour) {
  QWidget parent;
  QPalette yellow = parent.palette();
  yellow.setColor(QPalette::Window, Qt::yellow);
  parent.setPalette(yellow);
  TTimeout clock(&parent);
  EXPECT_EQ(clock.GetColor(), QColor(Qt::yellow)) << "follows the parent";
  QImage image = clock.grab().toImage();
  EXPECT_EQ(image.pixelColor(52, 52), QColor(Qt::yellow));
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::yellow));

  clock.SetColor(Qt::green);
  image = clock.grab().toImage();
  EXPECT_EQ(image.pixelColor(52, 52), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(104, 104), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(52, 5), QColor(Qt::black)) << "default face colour";
}

TEST(TimeoutDrawing, AnotherPaintHandlerReplacesTheRing) {
  TTimeout clock;
  clock.SetOnPaint(
      [](TTimeout* sender) { QPainter(sender).fillRect(sender->rect(), Qt::magenta); });
  const QImage image = clock.grab().toImage();
  EXPECT_EQ(image.pixelColor(52, 52), QColor(Qt::magenta));
  EXPECT_EQ(image.pixelColor(52, 5), QColor(Qt::magenta));
}

TEST(TimeoutDrawing, RenderClockDrawsOntoAnyPainter) {
  TTimeout clock;
  clock.SetPosition(50);
  clock.SetFaceColor(kFace);
  clock.SetHandColor(kHand);
  QImage image(60, 40, QImage::Format_RGB32);
  image.fill(Qt::gray);
  QPainter painter(&image);
  painter.setBrush(Qt::cyan);
  clock.RenderClock(painter, kBackground, 60, 40);
  EXPECT_EQ(painter.brush().color(), QColor(Qt::cyan)) << "the painter's state is restored";
  painter.end();
  EXPECT_EQ(image.pixelColor(55, 20), kHand);
  EXPECT_EQ(image.pixelColor(5, 20), kFace);
  EXPECT_EQ(image.pixelColor(30, 20), kBackground);
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::gray)) << "outside the ring is left alone";
}

}  // namespace
