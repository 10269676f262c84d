// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "BackgroundPanel.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QPalette>
#include <QRect>
#include <algorithm>

#include "KitAccessibility.h"

namespace {

// A ring is drawn no wider than half of what is left of the panel, which it
// then fills. Drawn wider, a bevel would shade the panel over again in the
// other colour (and, near the largest integer, take minutes and run the
// rectangle's edges past the integers).
int FitRing(const QRect& rect, int width) {
  return std::min(width, std::max(0, (std::min(rect.width(), rect.height()) + 1) / 2));
}

// Draws one bevel ring inside rect and shrinks rect past it. A blank ring
// (bvSpace) keeps the fill that is already there; a value outside the enum
// draws as bvRaised.
void DrawBevel(QPainter& painter, QRect& rect, TBackgroundPanel::TPanelBevel bevel, int width,
               const QPalette& palette) {
  if (bevel == TBackgroundPanel::bvNone) return;
  width = FitRing(rect, width);
  if (bevel != TBackgroundPanel::bvSpace && !rect.isEmpty()) {
    qDrawShadePanel(&painter, rect, palette, bevel == TBackgroundPanel::bvLowered, width);
  }
  rect.adjust(width, width, -width, -width);
}

}  // namespace

TBackgroundPanel::TBackgroundPanel(QWidget* AOwner)
    : QWidget(AOwner), FColor(palette().color(QPalette::Window)) {
  kwindel::InstallKitAccessibility();
}

TBackgroundPanel::~TBackgroundPanel() = default;

void TBackgroundPanel::SetCaption(const QString& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  update();
}

void TBackgroundPanel::SetColor(const QColor& Value) {
  if (Value == FColor) return;
  FColor = Value;
  update();
}

void TBackgroundPanel::SetBevelOuter(TPanelBevel Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  update();
}

void TBackgroundPanel::SetBevelInner(TPanelBevel Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  update();
}

void TBackgroundPanel::SetBevelWidth(int Value) {
  Value = std::max(Value, 1);
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  update();
}

void TBackgroundPanel::SetBorderWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  update();
}

void TBackgroundPanel::SetPicture(TPicture* Value) {
  FPicture.Assign(Value);
  update();
}

void TBackgroundPanel::SetPicture(const QPixmap& Value) {
  TPicture picture;
  if (!Value.isNull()) picture.SetBitmap(Value.toImage());
  SetPicture(&picture);
}

QPixmap TBackgroundPanel::PictureAsPixmap() const {
  return QPixmap::fromImage(FPicture.ToImage());
}

QSize TBackgroundPanel::sizeHint() const {
  return {185, 41};
}

void TBackgroundPanel::Paint(QPainter& painter) {
  painter.save();
  if (FPicture.Width() == 0 || FPicture.Height() == 0) {
    PaintPanel(painter);
  } else {
    PaintTiles(painter);
  }
  painter.restore();
}

void TBackgroundPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

void TBackgroundPanel::PaintPanel(QPainter& painter) {
  // The border ring has the fill's colour, so one fill covers both.
  QRect rect = this->rect();
  painter.fillRect(rect, FColor);
  DrawBevel(painter, rect, FBevelOuter, FBevelWidth, palette());
  const int border = FitRing(rect, FBorderWidth);
  rect.adjust(border, border, -border, -border);
  DrawBevel(painter, rect, FBevelInner, FBevelWidth, palette());
  if (FCaption.isEmpty() || rect.isEmpty()) return;
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, FCaption);
}

void TBackgroundPanel::PaintTiles(QPainter& painter) {
  // Straight onto the target, one draw per tile; the target clips the last
  // row and column.
  const int tileWidth = FPicture.Width();
  const int tileHeight = FPicture.Height();
  for (int y = 0; y < height(); y += tileHeight) {
    for (int x = 0; x < width(); x += tileWidth)
      FPicture.Draw(painter, x, y);
  }
}
