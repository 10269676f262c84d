// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "HoverButton.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <optional>
#include <string>

#include "Exception.h"
#include "KitAccessibility.h"
#include "QtEncoding.h"

namespace {

// The name queued for a change of state; changes between normal and pressed
// have no sound.
std::optional<QString> TransitionSound(const THoverButton& button, int from, int to) {
  using B = THoverButton;
  if (from == B::kNormal && to == B::kGlow) return button.GetGlowSound();
  if (from == B::kGlow && to == B::kPressed) return button.GetPressSound();
  if (from == B::kPressed && to == B::kGlow) return button.GetUnpressSound();
  if (from == B::kGlow && to == B::kNormal) return button.GetUnglowSound();
  return std::nullopt;
}

}  // namespace

THoverButton::THoverButton(QWidget* AOwner) : QWidget(AOwner) {
  kwindel::InstallKitAccessibility();
  // Every paint covers the whole button with its picture, so nothing is
  // erased or painted beneath it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  // Moves without a held mouse button are what make the button glow.
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState State) {
            if (State != Qt::ApplicationActive) LetGoOfPointer();
          });
}

THoverButton::~THoverButton() = default;

void THoverButton::SetNormalPicture(TPicture* Value) {
  SetPicture(FNormalPicture, Value);
  updateGeometry();
}

void THoverButton::SetGlowPicture(TPicture* Value) {
  SetPicture(FGlowPicture, Value);
}

void THoverButton::SetPressedPicture(TPicture* Value) {
  SetPicture(FPressedPicture, Value);
}

void THoverButton::SetPicture(TPicture& Target, const TPicture* Value) {
  // Paint copies a bitmap's pixels; nothing else can be shown that way.
  if (Value == nullptr || Value->IsEmpty() || !Value->IsBitmap())
    throw kwindel::Exception("Can only use bitmap graphics");
  Target.Assign(Value);
  repaint();
}

void THoverButton::SetNormalPicture(const QPixmap& Value) {
  SetPicture(FNormalPicture, Value);
  updateGeometry();
}

void THoverButton::SetGlowPicture(const QPixmap& Value) {
  SetPicture(FGlowPicture, Value);
}

void THoverButton::SetPressedPicture(const QPixmap& Value) {
  SetPicture(FPressedPicture, Value);
}

void THoverButton::SetPicture(TPicture& Target, const QPixmap& Value) {
  if (Value.isNull()) {
    Target.Clear();
    repaint();
    return;
  }
  TPicture picture;
  picture.SetBitmap(Value.toImage());
  SetPicture(Target, &picture);
}

QPixmap THoverButton::NormalPixmap() const {
  return QPixmap::fromImage(FNormalPicture.ToImage());
}

QPixmap THoverButton::GlowPixmap() const {
  return QPixmap::fromImage(FGlowPicture.ToImage());
}

QPixmap THoverButton::PressedPixmap() const {
  return QPixmap::fromImage(FPressedPicture.ToImage());
}

void THoverButton::SetState(int Value) {
  if (Value == FState) return;
  // A busy player skips the sound rather than play it late.
  if (FWaveQueuePlayer && FWaveQueuePlayer->GetIdle()) {
    if (const auto sound = TransitionSound(*this, FState, Value))
      FWaveQueuePlayer->Enqueue(kwindel::ToCodePage(*sound));
  }
  FState = Value;
  repaint();
}

void THoverButton::Click() {
  if (!isEnabled()) return;
  // As the pointer would: over the button, press, release, away again.
  const int before = FState;
  SetState(kGlow);
  SetState(kPressed);
  emit OnClick(this);
  SetState(kGlow);
  SetState(before);
}

QSize THoverButton::sizeHint() const {
  return {FNormalPicture.Width(), FNormalPicture.Height()};
}

TPicture* THoverButton::PictureForState() {
  switch (FState) {
    case kNormal:
      return &FNormalPicture;
    case kGlow:
      return &FGlowPicture;
    case kPressed:
      return &FPressedPicture;
    default:
      return nullptr;
  }
}

void THoverButton::paintEvent(QPaintEvent*) {
  TPicture* picture = PictureForState();
  if (picture == nullptr) return;
  resize(picture->Width(), picture->Height());
  // Taking the bitmap turns anything else loaded into the holder into an
  // empty one, which paints nothing.
  const TBitmap& bitmap = picture->Bitmap();
  if (bitmap.isNull()) return;
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QRect(0, 0, bitmap.width(), bitmap.height()), bitmap,
                    QRect(0, 0, bitmap.width(), bitmap.height()));
}

bool THoverButton::HoldsCapture() const {
  return mouseGrabber() == this;
}

bool THoverButton::ReachesButton(const QMouseEvent* event) const {
  // Qt sends the rest of a press to the widget it began on even after the
  // button has let go of the pointer; those events belong to whatever is
  // under the pointer, not to the button.
  return HoldsCapture() || rect().contains(event->position().toPoint());
}

void THoverButton::mouseMoveEvent(QMouseEvent* event) {
  if (!ReachesButton(event)) return;
  const QPoint at = event->position().toPoint();
  MyMouseMove(this, event->modifiers(), at.x(), at.y());
}

void THoverButton::mousePressEvent(QMouseEvent* event) {
  if (!ReachesButton(event)) return;
  // Qt's own grab for a press does not show in mouseGrabber(); take a real one
  // so that dragging off the button is seen as leaving it.
  if (ApplicationActive() && !HoldsCapture()) grabMouse();
  const QPoint at = event->position().toPoint();
  MyMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
}

void THoverButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click comes only as this event.
  mousePressEvent(event);
}

void THoverButton::mouseReleaseEvent(QMouseEvent* event) {
  if (!ReachesButton(event)) return;
  const QPoint at = event->position().toPoint();
  MyMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
}

void THoverButton::MyMouseMove(QObject*, Qt::KeyboardModifiers, int X, int Y) {
  if (!ApplicationActive()) return;
  if (!HoldsCapture()) {
    SetState(kGlow);
    grabMouse();
  } else if (X < 0 || X > width() || Y < 0 || Y > height()) {
    SetState(kNormal);
    releaseMouse();
  }
}

void THoverButton::MyMouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
  if (!ApplicationActive()) return;
  SetState(kPressed);
  emit OnClick(this);
}

void THoverButton::MyMouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
  if (ApplicationActive()) SetState(kGlow);
}

bool THoverButton::ApplicationActive() const {
  return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void THoverButton::hideEvent(QHideEvent* event) {
  LetGoOfPointer();
  QWidget::hideEvent(event);
}

void THoverButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) LetGoOfPointer();
  QWidget::changeEvent(event);
}

void THoverButton::LetGoOfPointer() {
  // Only a move seen by the button ends its grab. Hidden, disabled or in an
  // inactive program it sees none, and Qt would go on sending every mouse
  // event of the program (under X11, of the whole desktop) to it.
  if (HoldsCapture()) releaseMouse();
}
