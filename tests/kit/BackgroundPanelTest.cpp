// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QPoint>
#include <QTest>
#include <QVariant>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "BackgroundPanel.h"
#include "TempDir.h"

namespace {

using kwindel::test::TempDir;
using ::testing::ElementsAreArray;

class TestPanel : public TBackgroundPanel {
 public:
  using TBackgroundPanel::Paint;
};

// A paint device that draws nothing and records what it was asked to draw:
// where each image went, and how many other drawing operations came.
class RecordingDevice : public QPaintDevice {
 public:
  explicit RecordingDevice(QSize size) : size_(size), engine_(this) {}
  ~RecordingDevice() override = default;

  QPaintEngine* paintEngine() const override { return &engine_; }

  std::vector<QPoint> images;
  int otherDraws = 0;

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return size_.width();
      case PdmHeight:
        return size_.height();
      case PdmDepth:
        return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return 0;
    }
  }

 private:
  class Engine : public QPaintEngine {
   public:
    explicit Engine(RecordingDevice* device) : QPaintEngine(AllFeatures), device_(device) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return User; }

    void drawImage(const QRectF& target, const QImage&, const QRectF&,
                   Qt::ImageConversionFlags) override {
      device_->images.push_back(target.topLeft().toPoint());
    }
    void drawPixmap(const QRectF& target, const QPixmap&, const QRectF&) override {
      device_->images.push_back(target.topLeft().toPoint());
    }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { Other(); }
    void drawRects(const QRect*, int) override { Other(); }
    void drawRects(const QRectF*, int) override { Other(); }
    void drawLines(const QLine*, int) override { Other(); }
    void drawLines(const QLineF*, int) override { Other(); }
    void drawEllipse(const QRectF&) override { Other(); }
    void drawEllipse(const QRect&) override { Other(); }
    void drawPath(const QPainterPath&) override { Other(); }
    void drawPoints(const QPointF*, int) override { Other(); }
    void drawPoints(const QPoint*, int) override { Other(); }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { Other(); }
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override { Other(); }
    void drawTextItem(const QPointF&, const QTextItem&) override { Other(); }

   private:
    void Other() { ++device_->otherDraws; }
    RecordingDevice* device_;
  };

  QSize size_;
  mutable Engine engine_;
};

QImage Solid(int width, int height, QColor color) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

// Every pixel different, so any misplaced or missing tile shows.
QImage Gradient(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, qRgb(x * 3, y * 5, 100));
  }
  return image;
}

QImage Shot(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Pending repaints of a shown widget happen here, as the event loop would run them.
void FlushPaints() {
  for (int i = 0; i < 3; ++i)
    QApplication::processEvents();
}

std::vector<QPoint> Grid(std::vector<int> xs, std::vector<int> ys) {
  std::vector<QPoint> points;
  for (int y : ys) {
    for (int x : xs)
      points.emplace_back(x, y);
  }
  return points;
}

TEST(BackgroundPanelTiles, OneDrawPerTileRowByRowAndNothingElse) {
  struct Case {
    const char* name;
    QSize panel;
    QSize tile;
    std::vector<QPoint> draws;
  };
  const Case cases[] = {
      {"200 x 100 panel, 64 x 48 tiles, last column and row clipped",
       {200, 100},
       {64, 48},
       Grid({0, 64, 128, 192}, {0, 48, 96})},
      {"picture larger than the panel is drawn once", {50, 30}, {64, 48}, {{0, 0}}},
      {"exact multiple adds no partial row or column", {128, 96}, {64, 48}, Grid({0, 64}, {0, 48})},
      {"one pixel picture fills a small panel", {3, 2}, {1, 1}, Grid({0, 1, 2}, {0, 1})},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    TestPanel panel;
    panel.resize(row.panel);
    panel.SetCaption("caption");
    panel.SetBevelInner(TBackgroundPanel::bvLowered);
    panel.SetBorderWidth(3);
    TPicture picture;
    picture.SetBitmap(Solid(row.tile.width(), row.tile.height(), Qt::red));
    panel.SetPicture(&picture);

    RecordingDevice device(row.panel);
    QPainter painter(&device);
    panel.Paint(painter);
    painter.end();
    EXPECT_THAT(device.images, ElementsAreArray(row.draws));
    EXPECT_EQ(device.otherDraws, 0) << "bevel, fill or caption drawn under the tiles";
  }
}

TEST(BackgroundPanelTiles, TilesCoverEveryPixelWhateverThePanelSettings) {
  TBackgroundPanel panel;
  panel.resize(200, 100);
  panel.SetCaption("Caption");
  panel.SetBevelOuter(TBackgroundPanel::bvLowered);
  panel.SetBevelInner(TBackgroundPanel::bvRaised);
  panel.SetBevelWidth(4);
  panel.SetBorderWidth(5);
  panel.SetColor(Qt::yellow);
  const QImage tile = Gradient(64, 48);
  TPicture picture;
  picture.SetBitmap(tile);
  panel.SetPicture(&picture);

  const QImage shot = Shot(panel);
  ASSERT_EQ(shot.size(), QSize(200, 100));
  int wrong = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (shot.pixel(x, y) != tile.pixel(x % 64, y % 48)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(BackgroundPanelLook, WithoutAPicturePaintsBevelsBorderAndFill) {
  TPicture zeroSized;
  zeroSized.Bitmap();  // a bitmap of 0 x 0 pixels
  const QColor fillColor(10, 120, 200);
  const QRgb fill = fillColor.rgb();
  TBackgroundPanel probe;
  const QRgb light = probe.palette().color(QPalette::Light).rgb();
  const QRgb dark = probe.palette().color(QPalette::Dark).rgb();

  struct Case {
    const char* name;
    TPicture* picture;
    TBackgroundPanel::TPanelBevel outer, inner;
    int bevelWidth, borderWidth;
    // Colours along the diagonal from the top-left corner, and at the bottom-right corner.
    std::vector<QRgb> diagonal;
    QRgb bottomRight;
  };
  const Case cases[] = {
      {"defaults: one raised ring",
       nullptr,
       TBackgroundPanel::bvRaised,
       TBackgroundPanel::bvNone,
       1,
       0,
       {light, fill, fill},
       dark},
      {"zero-sized picture looks the same",
       &zeroSized,
       TBackgroundPanel::bvRaised,
       TBackgroundPanel::bvNone,
       1,
       0,
       {light, fill, fill},
       dark},
      {"lowered outer bevel",
       nullptr,
       TBackgroundPanel::bvLowered,
       TBackgroundPanel::bvNone,
       1,
       0,
       {dark, fill},
       light},
      {"wide bevel",
       nullptr,
       TBackgroundPanel::bvRaised,
       TBackgroundPanel::bvNone,
       2,
       0,
       {light, light, fill},
       dark},
      {"bevel, border, inner bevel",
       nullptr,
       TBackgroundPanel::bvRaised,
       TBackgroundPanel::bvLowered,
       1,
       2,
       {light, fill, fill, dark, fill},
       dark},
      {"blank outer ring",
       nullptr,
       TBackgroundPanel::bvSpace,
       TBackgroundPanel::bvRaised,
       2,
       0,
       {fill, fill, light, light, fill},
       fill},
      {"no bevels",
       nullptr,
       TBackgroundPanel::bvNone,
       TBackgroundPanel::bvNone,
       1,
       0,
       {fill, fill},
       fill},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    TBackgroundPanel panel;
    panel.resize(120, 40);
    panel.SetColor(fillColor);
    panel.SetBevelOuter(row.outer);
    panel.SetBevelInner(row.inner);
    panel.SetBevelWidth(row.bevelWidth);
    panel.SetBorderWidth(row.borderWidth);
    panel.SetPicture(row.picture);
    const QImage shot = Shot(panel);
    for (int i = 0; i < static_cast<int>(row.diagonal.size()); ++i) {
      EXPECT_EQ(shot.pixel(i, i), row.diagonal[i]) << "at (" << i << ", " << i << ")";
    }
    EXPECT_EQ(shot.pixel(119, 39), row.bottomRight);
    EXPECT_EQ(shot.pixel(60, 20), fill) << "no caption, plain fill in the middle";
  }
}

// Pixels of the middle band that are not the fill colour: the caption's ink.
int InkInTheMiddle(const QImage& shot, QColor fill) {
  const QRgb rgb = fill.rgb();
  int ink = 0;
  for (int y = 8; y < shot.height() - 8; ++y) {
    for (int x = 8; x < shot.width() - 8; ++x) {
      if (shot.pixel(x, y) != rgb) ++ink;
    }
  }
  return ink;
}

TEST(BackgroundPanelLook, CaptionIsCentredAndHiddenUnderAPicture) {
  TBackgroundPanel panel;
  panel.resize(200, 60);
  panel.SetColor(Qt::white);
  panel.SetCaption("WWWW");
  const QImage shot = Shot(panel);
  EXPECT_GT(InkInTheMiddle(shot, Qt::white), 20);
  // Centred: the ink's left and right margins are about equal.
  int left = 200, right = 0;
  for (int y = 1; y < 59; ++y) {
    for (int x = 1; x < 199; ++x) {
      if (shot.pixel(x, y) != QColor(Qt::white).rgb()) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  EXPECT_NEAR(left, 199 - right, 3);

  TPicture picture;
  picture.SetBitmap(Solid(7, 5, Qt::white));
  panel.SetPicture(&picture);
  const QImage covered = Shot(panel);
  EXPECT_EQ(InkInTheMiddle(covered, Qt::white), 0);
  EXPECT_EQ(covered, Solid(200, 60, Qt::white)) << "no bevel either";
}

// Widths are kept as given, however large; a ring is drawn no wider than half
// of what is left of the panel, and a bevel outside the enum draws as raised.
TEST(BackgroundPanelLook, WideRingsFillThePanelAndOtherBevelsDrawRaised) {
  const auto look = [](std::function<void(TBackgroundPanel&)> set) {
    TBackgroundPanel panel;
    panel.resize(120, 40);
    panel.SetCaption("WWWW");
    set(panel);
    return Shot(panel);
  };
  // 120 x 40: a bevel of 20 fills it, light above the middle, dark below.
  const QImage filled = look([](TBackgroundPanel& p) { p.SetBevelWidth(20); });
  const QRgb light = TBackgroundPanel().palette().color(QPalette::Light).rgb();
  const QRgb dark = TBackgroundPanel().palette().color(QPalette::Dark).rgb();
  EXPECT_EQ(filled.pixel(60, 10), light);
  EXPECT_EQ(filled.pixel(60, 30), dark);
  // Inside a one-pixel bevel, a border of 19 fills the rest.
  const QImage bordered = look([](TBackgroundPanel& p) { p.SetBorderWidth(19); });
  EXPECT_EQ(InkInTheMiddle(bordered, TBackgroundPanel().GetColor()), 0)
      << "no room for the caption";

  struct Case {
    const char* name;
    std::function<void(TBackgroundPanel&)> set;
    const QImage& same;
  };
  const QImage raised = look([](TBackgroundPanel&) {});
  const QImage raisedInner = look([](TBackgroundPanel& p) {
    p.SetBevelOuter(TBackgroundPanel::bvNone);
    p.SetBevelInner(TBackgroundPanel::bvRaised);
  });
  const Case cases[] = {
      {"bevel 21", [](TBackgroundPanel& p) { p.SetBevelWidth(21); }, filled},
      {"bevel 1000", [](TBackgroundPanel& p) { p.SetBevelWidth(1000); }, filled},
      {"bevel INT_MAX", [](TBackgroundPanel& p) { p.SetBevelWidth(INT_MAX); }, filled},
      {"border INT_MAX, inner bevel",
       [](TBackgroundPanel& p) {
         p.SetBorderWidth(INT_MAX);
         p.SetBevelInner(TBackgroundPanel::bvLowered);
       },
       bordered},
      {"outer bevel 9",
       [](TBackgroundPanel& p) { p.SetBevelOuter(TBackgroundPanel::TPanelBevel(9)); }, raised},
      {"inner bevel -1, set by number",
       [](TBackgroundPanel& p) {
         p.SetBevelOuter(TBackgroundPanel::bvNone);
         EXPECT_TRUE(p.setProperty("BevelInner", -1));
       },
       raisedInner},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(look(row.set), row.same);
  }
  TBackgroundPanel kept;
  kept.SetBevelWidth(INT_MAX);
  kept.SetBorderWidth(INT_MAX);
  EXPECT_TRUE(kept.setProperty("BevelOuter", 9));
  EXPECT_EQ(kept.GetBevelWidth(), INT_MAX);
  EXPECT_EQ(kept.GetBorderWidth(), INT_MAX);
  EXPECT_EQ(kept.GetBevelOuter(), 9);
}

TEST(BackgroundPanelPicture, AssignmentCopiesIntoThePanelsOwnHolder) {
  TBackgroundPanel panel;
  TPicture* own = panel.GetPicture();
  ASSERT_NE(own, nullptr);
  EXPECT_TRUE(own->IsEmpty());

  TPicture source;
  source.SetBitmap(Solid(4, 3, Qt::red));
  panel.SetPicture(&source);
  EXPECT_EQ(panel.GetPicture(), own) << "the holder itself is never replaced";
  EXPECT_EQ(own->Bitmap(), Solid(4, 3, Qt::red));

  source.SetBitmap(Solid(9, 9, Qt::blue));
  QPainter(&source.Bitmap()).fillRect(0, 0, 9, 9, Qt::green);
  EXPECT_EQ(own->Width(), 4);
  EXPECT_EQ(own->Bitmap(), Solid(4, 3, Qt::red));

  panel.SetPicture(nullptr);
  EXPECT_TRUE(own->IsEmpty());

  // Through the property system, as a form made in Qt Designer sets it: a pixmap, copied.
  QPixmap pixmap = QPixmap::fromImage(Solid(5, 2, Qt::cyan));
  EXPECT_TRUE(panel.setProperty("Picture", pixmap));
  pixmap.fill(Qt::black);
  EXPECT_EQ(panel.GetPicture(), own);
  EXPECT_EQ(own->Bitmap(), Solid(5, 2, Qt::cyan));
  EXPECT_EQ(panel.property("Picture").value<QPixmap>().toImage(), Solid(5, 2, Qt::cyan));
  EXPECT_TRUE(panel.setProperty("Picture", QPixmap()));
  EXPECT_TRUE(own->IsEmpty());
}

TEST(BackgroundPanelPicture, OnlyAssignmentRepaints) {
  TempDir dir;
  const std::string path = dir / "tile.png";
  ASSERT_TRUE(Solid(10, 10, Qt::blue).save(QString::fromStdString(path)));

  TBackgroundPanel panel;
  panel.resize(40, 30);
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  FlushPaints();
  PaintCounter counter(&panel);

  // A direct load changes the holder but asks for no repaint.
  panel.GetPicture()->LoadFromFile(path);
  FlushPaints();
  EXPECT_EQ(counter.paints, 0);
  EXPECT_EQ(panel.GetPicture()->Width(), 10);
  // The next repaint something else causes shows it.
  EXPECT_EQ(Shot(panel), Solid(40, 30, Qt::blue));

  counter.paints = 0;
  TPicture empty;
  panel.SetPicture(&empty);
  FlushPaints();
  EXPECT_EQ(counter.paints, 1) << "assigning an empty picture repaints";
  EXPECT_EQ(Shot(panel).pixel(20, 15), panel.GetColor().rgb()) << "back to the ordinary look";
}

TEST(BackgroundPanelProperties, DefaultsAndCorrectedValues) {
  TBackgroundPanel panel;
  EXPECT_EQ(panel.GetBevelOuter(), TBackgroundPanel::bvRaised);
  EXPECT_EQ(panel.GetBevelInner(), TBackgroundPanel::bvNone);
  EXPECT_EQ(panel.GetBevelWidth(), 1);
  EXPECT_EQ(panel.GetBorderWidth(), 0);
  EXPECT_EQ(panel.GetColor(), panel.palette().color(QPalette::Window));
  EXPECT_TRUE(panel.GetCaption().isEmpty());

  panel.SetBevelWidth(0);
  panel.SetBorderWidth(-3);
  EXPECT_EQ(panel.GetBevelWidth(), 1);
  EXPECT_EQ(panel.GetBorderWidth(), 0);
  EXPECT_TRUE(panel.setProperty("BevelOuter", "bvLowered"));
  EXPECT_EQ(panel.GetBevelOuter(), TBackgroundPanel::bvLowered);
}

}  // namespace
