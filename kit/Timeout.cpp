// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "Timeout.h"

#include <QImage>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "ClockGeometry.h"
#include "KitAccessibility.h"
#include "TickCount.h"

namespace {

constexpr int kTickInterval = 250;  // ms: four ticks a second

}  // namespace

TTimeout::TTimeout(QWidget* AOwner) : QWidget(AOwner) {
  kwindel::InstallKitAccessibility();
  // Every paint covers the whole area, so the parent need not paint beneath.
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(105, 105);
  FOnPaint = [this](TTimeout* Sender) { BoxPaint(Sender); };
  FHandColor = palette().color(QPalette::Button);
  FFaceColor = Qt::black;
  FTimer = new QTimer(this);
  FTimer->setInterval(kTickInterval);
  connect(FTimer, &QTimer::timeout, this, [this] { FTimerTimer(FTimer); });
}

TTimeout::~TTimeout() {
  // The timer goes first, so no tick can reach a half-destroyed clock.
  delete FTimer;
}

void TTimeout::SetActive(bool Value) {
  if (Value == FActive) return;
  if (Value) {
    StorePosition(0);
    FStartTick = kwindel::TickCount();
    FEndTick = FStartTick + static_cast<std::uint32_t>(FTimeout);
    FTimer->start();
  } else {
    FTimer->stop();
  }
  update();
  FActive = Value;
}

void TTimeout::SetTimeout(int Value) {
  Value = std::max(Value, 1);
  if (Value == FTimeout) return;
  FTimeout = Value;
  if (!FActive) return;
  FTimer->stop();
  FTimer->start();
  // Reads 100 until the next tick puts the restarted countdown's value in.
  StorePosition(100);
  FStartTick = kwindel::TickCount();
  FEndTick = FStartTick + static_cast<std::uint32_t>(FTimeout);
}

void TTimeout::SetPosition(int Value) {
  StorePosition(std::clamp(Value, 0, 100));
  update();
}

void TTimeout::SetFaceColor(const QColor& Value) {
  if (Value == FFaceColor) return;
  FFaceColor = Value;
  update();
}

void TTimeout::SetHandColor(const QColor& Value) {
  if (Value == FHandColor) return;
  FHandColor = Value;
  update();
}

QColor TTimeout::GetColor() const {
  return palette().color(QPalette::Window);
}

void TTimeout::SetColor(const QColor& Value) {
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Value);
  setPalette(colours);
}

void TTimeout::FTimerTimer(QObject* /*Sender*/) {
  // An unsigned difference stays right across the tick count's wrap; the
  // percentage is formed in 64 bits, as elapsed × 100 outgrows 32 bits.
  const std::uint32_t elapsed = kwindel::TickCount() - FStartTick;
  if (elapsed > static_cast<std::uint32_t>(FTimeout)) {
    StorePosition(100);
    update();
    SetActive(false);
    emit OnTimeout(this);
  } else {
    StorePosition(
        static_cast<int>(std::uint64_t{elapsed} * 100 / static_cast<std::uint32_t>(FTimeout)));
    update();
  }
}

void TTimeout::StorePosition(int Value) {
  if (Value == FPosition) return;
  FPosition = Value;
  kwindel::AnnounceClockPosition(this);
}

int TTimeout::Round(double x) {
  return ClockRound(x);
}

void TTimeout::paintEvent(QPaintEvent* /*event*/) {
  if (FOnPaint) FOnPaint(this);
}

void TTimeout::BoxPaint(QWidget* Sender) {
  const int W = Sender->width();
  const int H = Sender->height();
  if (W <= 0 || H <= 0) return;
  const QColor Color = Sender->palette().color(Sender->backgroundRole());
  QImage image(W, H, QImage::Format_RGB32);
  image.fill(Color);
  {
    QPainter canvas(&image);
    RenderClock(canvas, Color, W, H);
  }
  QPainter(Sender).drawImage(0, 0, image);
}

void TTimeout::RenderClock(QPainter& Canvas, const QColor& Color, int W, int H) const {
  const ClockGeometry g = ClockGeometry::Compute(FPosition, W, H);
  Canvas.save();
  // Plain rasterisation: the ring's edges are whole pixels, as on the original surface.
  Canvas.setRenderHint(QPainter::Antialiasing, false);
  Canvas.setPen(Qt::NoPen);
  const QRectF outer = g.Outer.ToRectF();
  if (g.Pies) {
    Canvas.setBrush(FFaceColor);
    Canvas.drawPie(outer, g.FaceStart16, g.FaceSpan16);
    Canvas.setBrush(FHandColor);
    Canvas.drawPie(outer, g.HandStart16, g.HandSpan16);
  } else {
    Canvas.setBrush(FFaceColor);
    Canvas.drawEllipse(outer);
  }
  Canvas.setBrush(Color);
  Canvas.drawEllipse(g.Hole.ToRectF());
  Canvas.restore();
}
