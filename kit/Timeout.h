// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "KitExport.h"

class QPainter;
class QTimer;

/// \file
/// TTimeout, a countdown clock shown as a ring.

/// A countdown shown as a ring. Once started it runs for Timeout milliseconds;
/// four times a second it works out the elapsed percentage (Position) and
/// repaints: the elapsed part grows clockwise from 12 o'clock in HandColor, the
/// rest stays in FaceColor, and the centre hole shows the widget's colour. When
/// the time has run out it stops itself, then emits OnTimeout once.
///
/// Position is the elapsed share of Timeout in whole percent, truncated: 2 ms
/// of 3 read 66, 995 ms of 1000 read 99. A tick that falls exactly on the end
/// reads 100 and the clock runs on; the first tick after the end stops it and
/// emits OnTimeout, so a countdown ends up to one tick (250 ms) late.
///
/// A new clock is stopped, 105 × 105, with Timeout 5000 and Position 10, and
/// paints itself opaquely (the parent does not paint beneath it). Out-of-range
/// values are corrected, not refused: a Timeout below 1 becomes 1, a Position
/// outside 0..100 is clamped.
///
/// Time comes from kwindel::TickCount() (`<kwindel-kit/TickCount.h>`), a 32-bit
/// millisecond count; a countdown runs correctly across its wrap and for any
/// Timeout up to INT_MAX. A test drives the clock without waiting by putting a
/// tick source of its own in place (kwindel::ScopedTickSource) and calling
/// FTimerTimer.
///
/// Painting: every paint event calls the OnPaint handler with the clock as
/// Sender, from inside the paint event, so the handler may open a QPainter on
/// the clock. The default handler is BoxPaint. SetOnPaint replaces it (an empty
/// handler paints nothing at all; since the widget is opaque, the area is then
/// left undefined). RenderClock draws the ring onto any painter, e.g. a custom
/// handler's or an image's.
///
/// The ring's points are whole pixels: 12 o'clock is at x = round(W / 2) and
/// the hand's end at x = round(W / 2 + W / 2 · sin θ). At Position 100, θ = 2π,
/// whose sine in floating point is a hair below 0: with an odd width the hand's
/// end rounds to one pixel left of 12 o'clock (at 105, 52.4999… to 52 against
/// 52.5 to 53), so the ring keeps a one-pixel line in FaceColor from the top
/// edge down to the hole, 27 pixels at the clock's own 105 × 105. With an even
/// width, 100 × 100 say, the ring at Position 100 is all HandColor.
class KWINDEL_KIT_EXPORT TTimeout : public QWidget {
  Q_OBJECT
  // Qt Designer saves a form's properties in this order and a form applies
  // them in the order saved, so Active comes last: a clock saved running
  // starts once its length and position are in place, and opens at the start
  // of its countdown instead of being restarted by its own Timeout.

  /// Countdown length in milliseconds; 5000 by default, at least 1 (a smaller
  /// value is stored as 1). A different value while the clock runs restarts
  /// the countdown from now with the new length: the 250 ms tick interval
  /// starts afresh and Position reads 100 until the next tick puts the new
  /// countdown's value in. While stopped the value is only stored. Setting the
  /// present value does nothing, and no change repaints.
  Q_PROPERTY(int Timeout READ GetTimeout WRITE SetTimeout)
  /// Elapsed part of the countdown in percent, 0..100; 10 by default. A value
  /// outside is clamped. Setting it always repaints, even to the present value;
  /// while the clock runs, the next tick replaces it.
  Q_PROPERTY(int Position READ GetPosition WRITE SetPosition)
  /// Colour of the part still to run, and of the whole ring at Position 0;
  /// black by default. A different colour repaints.
  Q_PROPERTY(QColor FaceColor READ GetFaceColor WRITE SetFaceColor)
  /// Colour of the elapsed part; by default the palette's button colour when
  /// the clock was made. A different colour repaints.
  Q_PROPERTY(QColor HandColor READ GetHandColor WRITE SetHandColor)
  /// Whether the countdown runs; false by default. Setting true while stopped
  /// starts a countdown of Timeout milliseconds from now at Position 0;
  /// setting false while running stops it, keeps Position and emits nothing.
  /// Setting the present value does nothing (true does not restart); a change
  /// repaints. The clock sets it to false itself when the time has run out,
  /// before it emits OnTimeout.
  Q_PROPERTY(bool Active READ GetActive WRITE SetActive)

 public:
  /// The paint handler's type: called with the clock as Sender from inside
  /// the clock's paint event.
  using TPaintEvent = std::function<void(TTimeout* Sender)>;

  /// A stopped clock, 105 × 105, with Timeout 5000, Position 10, FaceColor
  /// black, HandColor the palette's button colour and BoxPaint as its paint
  /// handler; AOwner becomes its parent widget, which deletes it.
  explicit TTimeout(QWidget* AOwner = nullptr);
  /// Stops the timer first, so no tick reaches a clock being destroyed.
  ~TTimeout() override;

  /// Reads #Active.
  bool GetActive() const { return FActive; }
  /// Starts or stops the countdown; see #Active.
  void SetActive(bool Value);

  /// Reads #Timeout.
  int GetTimeout() const { return FTimeout; }
  /// Sets the countdown length, restarting a running countdown; see #Timeout.
  void SetTimeout(int Value);

  /// Reads #Position.
  int GetPosition() const { return FPosition; }
  /// Sets the elapsed percentage, clamped to 0..100, and repaints; see #Position.
  void SetPosition(int Value);

  /// Reads #FaceColor.
  QColor GetFaceColor() const { return FFaceColor; }
  /// Sets the colour of the part still to run; see #FaceColor.
  void SetFaceColor(const QColor& Value);
  /// Reads #HandColor.
  QColor GetHandColor() const { return FHandColor; }
  /// Sets the colour of the elapsed part; see #HandColor.
  void SetHandColor(const QColor& Value);

  /// The widget's colour, shown in the centre hole and the corners: its
  /// palette's background (Window) colour, which follows the parent until set.
  QColor GetColor() const;
  /// Sets the widget's colour in its palette; the clock repaints with it.
  void SetColor(const QColor& Value);

  /// The paint handler; BoxPaint unless replaced.
  TPaintEvent GetOnPaint() const { return FOnPaint; }
  /// Replaces the paint handler. An empty one paints nothing, and the area is
  /// then left undefined, as the clock is opaque.
  void SetOnPaint(TPaintEvent Handler) { FOnPaint = std::move(Handler); }

  /// The default paint handler: draws this clock's ring onto Sender, which must
  /// be in its paint event, at Sender's size and with Sender's background
  /// colour, through a fresh off-screen image copied in one operation, so the
  /// ring repaints without flicker.
  void BoxPaint(QWidget* Sender);

  /// Draws this clock's ring (its Position and colours) onto Canvas in the
  /// rectangle (0, 0, W, H), with Color in the centre hole: an ellipse filling
  /// the rectangle, the elapsed part a pie from 12 o'clock clockwise, and a hole
  /// of half the width and height. Antialiasing is off; the painter's pen,
  /// brush and hints are restored afterwards.
  void RenderClock(QPainter& Canvas, const QColor& Color, int W, int H) const;

  /// The tick, which the clock's timer calls every 250 ms while it runs (Sender
  /// is that timer and is not looked at): puts the elapsed percentage of
  /// Timeout into Position and repaints, or, on the first tick after the end,
  /// sets Position to 100, stops and emits OnTimeout. Calling it runs a tick
  /// at once.
  ///
  /// It does the same on a stopped clock, which it never starts: it measures
  /// from the last start, so a clock stopped at 30 % moves to the share
  /// elapsed since then, and a clock past its end sets 100 and emits OnTimeout
  /// again at every call. A clock never started measures from tick count 0:
  /// with the system's count, the time since the machine started, it reads 100
  /// and emits OnTimeout. Tests drive a running clock with it.
  void FTimerTimer(QObject* Sender);

  /// x + 0.5 truncated toward zero: the nearest integer, halves upward, for the
  /// non-negative values of the ring's geometry, which is rounded with it.
  static int Round(double x);

  /// 105 × 105, the size a new clock has.
  QSize sizeHint() const override { return QSize(105, 105); }

 signals:
  /// Emitted with the clock as Sender once per countdown, when it has run out;
  /// the clock is already stopped, so a handler may start it again.
  void OnTimeout(TTimeout* Sender);

 protected:
  /// Calls the paint handler with this clock as Sender.
  void paintEvent(QPaintEvent* event) override;

 private:
  // Stores Position and tells assistive tools when it changed.
  void StorePosition(int Value);

  std::uint32_t FStartTick = 0;
  std::uint32_t FEndTick = 0;  // FStartTick + FTimeout, modulo the tick count's wrap
  int FPosition = 10;
  int FTimeout = 5000;
  bool FActive = false;
  QTimer* FTimer = nullptr;
  QColor FHandColor;
  QColor FFaceColor;
  TPaintEvent FOnPaint;
};
