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

/// A countdown shown as a ring. Once started it runs for Timeout milliseconds;
/// four times a second it works out the elapsed percentage (Position) and
/// repaints: the elapsed part grows clockwise from 12 o'clock in HandColor, the
/// rest stays in FaceColor, and the centre hole shows the widget's colour. When
/// the time has run out it stops itself, then emits OnTimeout once.
///
/// The widget is 105 × 105 when created and paints itself opaquely (the parent
/// does not paint beneath it). Out-of-range values are corrected, not refused:
/// a Timeout below 1 becomes 1, a Position outside 0..100 is clamped.
///
/// Time comes from kwindel::TickCount() (platform/TickCount.h), a 32-bit
/// millisecond count; a countdown runs correctly across its wrap and for any
/// Timeout up to INT_MAX.
///
/// Painting: every paint event calls the OnPaint handler with the clock as
/// Sender, from inside the paint event, so the handler may open a QPainter on
/// the clock. The default handler is BoxPaint. SetOnPaint replaces it (an empty
/// handler paints nothing at all; since the widget is opaque, the area is then
/// left undefined). RenderClock draws the ring onto any painter, e.g. a custom
/// handler's or an image's.
class KWINDEL_KIT_EXPORT TTimeout : public QWidget {
  Q_OBJECT
  // Qt Designer saves a form's properties in this order and a form applies
  // them in the order saved, so Active comes last: a clock saved running
  // starts once its length and position are in place, and opens at the start
  // of its countdown instead of being restarted by its own Timeout.
  Q_PROPERTY(int Timeout READ GetTimeout WRITE SetTimeout)
  Q_PROPERTY(int Position READ GetPosition WRITE SetPosition)
  Q_PROPERTY(QColor FaceColor READ GetFaceColor WRITE SetFaceColor)
  Q_PROPERTY(QColor HandColor READ GetHandColor WRITE SetHandColor)
  Q_PROPERTY(bool Active READ GetActive WRITE SetActive)

 public:
  using TPaintEvent = std::function<void(TTimeout* Sender)>;

  explicit TTimeout(QWidget* AOwner = nullptr);
  ~TTimeout() override;

  /// Setting true while stopped starts a countdown from now at Position 0;
  /// setting false while running stops it and keeps Position. Setting the
  /// current value does nothing. Both changes repaint.
  bool GetActive() const { return FActive; }
  void SetActive(bool Value);

  /// Countdown length in milliseconds, at least 1. A different value restarts
  /// a running countdown from now, with Position reading 100 until the next
  /// tick; it does not repaint. A countdown that has had no tick yet since it
  /// was started is still at its start: it restarts with Position unchanged,
  /// so a form that sets Active before Timeout opens at the start too.
  int GetTimeout() const { return FTimeout; }
  void SetTimeout(int Value);

  /// Elapsed percentage, 0..100. Setting it always repaints; while running,
  /// the next tick replaces it.
  int GetPosition() const { return FPosition; }
  void SetPosition(int Value);

  /// Colours of the part still to run (black by default) and of the elapsed
  /// part (the palette's button colour at construction). A new colour repaints.
  QColor GetFaceColor() const { return FFaceColor; }
  void SetFaceColor(const QColor& Value);
  QColor GetHandColor() const { return FHandColor; }
  void SetHandColor(const QColor& Value);

  /// The widget's colour: its palette's background (Window) colour, which
  /// follows the parent until set here.
  QColor GetColor() const;
  void SetColor(const QColor& Value);

  TPaintEvent GetOnPaint() const { return FOnPaint; }
  void SetOnPaint(TPaintEvent Handler) { FOnPaint = std::move(Handler); }

  /// The default paint handler: draws this clock's ring onto Sender, which must
  /// be in its paint event, at Sender's size and with Sender's background
  /// colour, through a fresh off-screen image copied in one operation.
  void BoxPaint(QWidget* Sender);

  /// Draws this clock's ring (its Position and colours) onto Canvas in the
  /// rectangle (0, 0, W, H), with Color in the centre hole. Antialiasing is
  /// off; the painter's pen, brush and hints are restored afterwards.
  void RenderClock(QPainter& Canvas, const QColor& Color, int W, int H) const;

  /// The timer's tick handler: recomputes Position and repaints, or, on the
  /// first tick after the end, sets Position to 100, stops and emits OnTimeout.
  void FTimerTimer(QObject* Sender);

  /// x + 0.5 truncated toward zero.
  static int Round(double x);

  QSize sizeHint() const override { return QSize(105, 105); }

 signals:
  /// Emitted with the clock as Sender once per countdown, when it has run out;
  /// the clock is already stopped, so a handler may start it again.
  void OnTimeout(TTimeout* Sender);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Stores Position and tells assistive tools when it changed.
  void StorePosition(int Value);

  std::uint32_t FStartTick = 0;
  std::uint32_t FEndTick = 0;  // FStartTick + FTimeout, modulo the tick count's wrap
  int FPosition = 10;
  int FTimeout = 5000;
  bool FActive = false;
  bool FTickedSinceStart = false;  // a tick came since SetActive(true) started the countdown
  QTimer* FTimer = nullptr;
  QColor FHandColor;
  QColor FFaceColor;
  TPaintEvent FOnPaint;
};
