// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a screen of twice the pixels to the inch (QT_SCALE_FACTOR=2).

#include <gmock/gmock.h>

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdlib>

#include "Logo.h"
#include "MainFormFixture.h"

namespace {

using ::testing::ElementsAre;

using ScaledWindow = MainFormTest;

// The logo's drawing at `pixels`, on a ground of `ground`.
QImage Drawing(int pixels, QColor ground) {
  QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(ground);
  QSvgRenderer drawing(QStringLiteral(":/app/logo.svg"));
  QPainter painter(&image);
  drawing.render(&painter);
  return image;
}

// The largest difference of any colour channel of any pixel.
int Difference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 256;
  const QImage first = a.convertToFormat(QImage::Format_ARGB32);
  const QImage second = b.convertToFormat(QImage::Format_ARGB32);
  int largest = 0;
  for (int y = 0; y < first.height(); ++y) {
    for (int x = 0; x < first.width(); ++x) {
      const QRgb p = first.pixel(x, y);
      const QRgb q = second.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
    }
  }
  return largest;
}

// On a dark ground, the logo on the screen is its drawing at 256 × 256 device pixels: not a
// 128-pixel picture stretched, and with no light fringe of a key colour at its rounded corners.
TEST_F(ScaledWindow, DrawsTheLogoForTheScreensPixels) {
  ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
  auto form = MakeForm();
  const QColor dark(16, 24, 32);
  QPalette colours = form->palette();
  colours.setColor(QPalette::Window, dark);
  form->setPalette(colours);

  EXPECT_EQ(form->iLogo->geometry(), QRect(312, 128, 128, 128)) << "its place and logical size";
  const QPixmap logo = form->iLogo->pixmap();
  EXPECT_EQ(logo.devicePixelRatio(), 2.0);
  EXPECT_EQ(logo.size(), QSize(256, 256));
  EXPECT_TRUE(logo.hasAlphaChannel());

  // Where a font wider than Arial stands in, the pupil count's text may reach over the logo's top.
  form->lLeerlingen->hide();
  const QImage shown = form->grab(form->iLogo->geometry()).toImage();
  EXPECT_LE(Difference(shown, Drawing(256, dark)), 3);
  // What the comparison tells apart: the drawing at 128 pixels, stretched.
  EXPECT_GT(Difference(Drawing(128, dark).scaled(256, 256, Qt::IgnoreAspectRatio,
                                                 Qt::SmoothTransformation),
                       Drawing(256, dark)),
            40);

  QTest::mouseClick(form->iLogo, Qt::LeftButton);
  EXPECT_THAT(messages, ElementsAre(Message("Kwindel", TfMain::kLogoMessage))) << "its click";
}

// The window's icon holds every picture of the desktop entry's icon set, each at its own size,
// and the drawing for sizes beyond them, such as 256 at this screen's ratio.
TEST_F(ScaledWindow, TheIconComesInEverySizeOfTheIconSet) {
  const QIcon icon = ProgramIcon();
  const QList<QSize> sizes = icon.availableSizes();
  EXPECT_THAT(sizes, ElementsAre(QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48),
                                 QSize(64, 64), QSize(128, 128), QSize(256, 256)));
  for (const QSize& size : sizes) {
    SCOPED_TRACE(size.width());
    const QImage picture(QStringLiteral(":/app/icons/%1.png").arg(size.width()));
    EXPECT_LE(Difference(icon.pixmap(size, 1.0).toImage(), picture), 1);
  }

  const QPixmap doubled = icon.pixmap(QSize(64, 64), 2.0);
  EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
  EXPECT_LE(Difference(doubled.toImage(), QImage(QStringLiteral(":/app/icons/128.png"))), 1);
  const QPixmap largest = icon.pixmap(QSize(256, 256), 2.0);
  EXPECT_EQ(largest.size(), QSize(512, 512));
  EXPECT_LE(Difference(largest.toImage(), Drawing(512, Qt::transparent)), 1);
}

}  // namespace
