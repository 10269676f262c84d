// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the form saved by Qt Designer, shows it offscreen and checks that every
// property edited there arrived, that the pictures show, and that the two
// connections made in Designer work. Prints each failure; the exit code is the
// number of failures.

#include <kwindel-kit/BackgroundPanel.h>
#include <kwindel-kit/HoverButton.h>
#include <kwindel-kit/Timeout.h>

#include <QApplication>
#include <QColorSpace>
#include <QImage>
#include <QRegion>
#include <QTest>
#include <QTranslator>
#include <cstdio>

#include "ui_KitForm.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "FAILED: %s\n", what);
    ++failures;
  }
}

QImage Picture(const char* name) {
  return QImage(QStringLiteral(":/pictures/pictures/%1.png").arg(QLatin1String(name)));
}

QImage Shot(QWidget* widget) {
  return widget->grab().toImage();
}

// Colour spaces aside: the PNG files carry one, a screen shot does not.
bool SamePixels(QImage a, QImage b) {
  a = a.convertToFormat(QImage::Format_RGB32);
  b = b.convertToFormat(QImage::Format_RGB32);
  a.setColorSpace(QColorSpace());
  b.setColorSpace(QColorSpace());
  return a == b;
}

// A translation into anything: every text it is asked for comes back changed.
class AnyTranslation : public QTranslator {
 public:
  QString translate(const char*, const char* source, const char*, int) const override {
    return QStringLiteral("~") + QString::fromUtf8(source);
  }
  bool isEmpty() const override { return false; }
};

// Every pixel of the panel that no child covers shows the tile that belongs there.
bool Tiled(TBackgroundPanel* panel) {
  const QImage tile = Picture("tile");
  const QImage shot = Shot(panel);
  QRegion children;
  for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    children += child->geometry();
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if (children.contains(QPoint(x, y))) continue;
      if (shot.pixel(x, y) != tile.pixel(x % tile.width(), y % tile.height())) return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget form;
  Ui::KitForm ui;
  ui.setupUi(&form);

  // Set while the form was built, before anything was shown.
  TTimeout* clock = ui.timeout;
  Check(clock->GetActive(), "Active (bool) is true");
  Check(clock->GetTimeout() == 3000, "Timeout (int) is 3000");
  Check(clock->GetPosition() == 0, "a clock saved running opens at its start (Position 0)");
  Check(clock->GetFaceColor() == QColor(31, 95, 153), "FaceColor (colour)");
  Check(clock->GetHandColor() == QColor(232, 85, 61), "HandColor (colour)");

  TBackgroundPanel* panel = ui.backgroundPanel;
  Check(panel->GetCaption() == "Paneel", "Caption (string)");
  Check(panel->GetColor() == QColor(253, 246, 227), "Color (colour)");
  Check(panel->GetBevelOuter() == TBackgroundPanel::bvLowered, "BevelOuter (enum)");
  Check(panel->GetBevelInner() == TBackgroundPanel::bvRaised, "BevelInner (enum)");
  Check(panel->GetBevelWidth() == 2 && panel->GetBorderWidth() == 2, "BevelWidth, BorderWidth");
  Check(
      panel->GetPicture()->IsBitmap() && SamePixels(panel->GetPicture()->Bitmap(), Picture("tile")),
      "Picture (pixmap) holds the tile");

  THoverButton* button = ui.hoverButton;
  Check(button->GetGlowSound() == "Glow" && button->GetPressSound() == "Press",
        "GlowSound, PressSound (string)");
  Check(button->GetUnglowSound().isEmpty() && button->GetUnpressSound().isEmpty(),
        "the sounds not set stay empty");
  // Sound names are resource names: a translation of the form leaves them be.
  AnyTranslation translation;
  QCoreApplication::installTranslator(&translation);
  ui.retranslateUi(&form);
  Check(ui.clickLabel->text().startsWith('~'), "the form's texts are translated");
  Check(button->GetGlowSound() == "Glow" && button->GetPressSound() == "Press",
        "the sound names are not translated");
  QCoreApplication::removeTranslator(&translation);
  ui.retranslateUi(&form);
  const std::pair<TPicture*, const char*> pictures[] = {{button->GetNormalPicture(), "normal"},
                                                        {button->GetGlowPicture(), "glow"},
                                                        {button->GetPressedPicture(), "pressed"}};
  for (const auto& [picture, name] : pictures) {
    Check(picture->IsBitmap() && SamePixels(picture->Bitmap(), Picture(name)), name);
  }

  // Shown: the button sized to and showing its normal picture, the panel tiled.
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) Check(false, "the form is shown");
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form)) Check(false, "the form is active");
  Check(button->size() == QSize(120, 40), "the button has its picture's size");
  Check(SamePixels(Shot(button), Picture("normal")), "the button shows its normal picture");
  Check(Tiled(panel), "the panel is tiled with its picture");

  // The connections made in Designer's signal/slot editor.
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  Check(ui.clickLabel->text().isEmpty(), "OnClick cleared the click label");
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
  clock->SetTimeout(1);
  Check(QTest::qWaitFor([&] { return ui.timeLabel->text().isEmpty(); }, 5000),
        "OnTimeout cleared the time label");

  if (failures == 0) std::puts("form built with Designer ok");
  return failures;
}
