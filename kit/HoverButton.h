// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include "KitExport.h"
#include "Picture.h"
#include "WaveQueuePlayer.h"

class QHideEvent;
class QMouseEvent;
class QPaintEvent;

/// A button drawn entirely from three bitmaps: NormalPicture at rest,
/// GlowPicture while the pointer is over it, PressedPicture while a mouse
/// button is held on it. It emits OnClick when pressed (on the press, with any
/// mouse button; each press of a double click counts) right after the pressed
/// picture has been painted, and it can have a wave queue player play a sound
/// at each change of state:
///
///     normal  -> glow     GlowSound        glow    -> normal   UnglowSound
///     glow    -> pressed  PressSound       pressed -> glow     UnpressSound
///     normal <-> pressed  no sound
///
/// A sound is queued by name, even an empty one, only while the player reads
/// Idle; while it is busy the sound is skipped, not kept for later. The names
/// are handed to the player in code page 1252 (on Windows, in the ANSI code
/// page); a character that page lacks arrives as the substitute byte 0x1A.
/// The button does not own the player; once the player is destroyed the
/// button reads it as none.
///
/// Following the pointer: while the application is active, a move over the
/// button makes it glow and take the mouse grab (grabMouse), so it also sees
/// the moves that leave it; the first move outside 0 <= x <= width(),
/// 0 <= y <= height() (both ends included) returns it to normal and releases
/// the grab. A press grabs too, so dragging a held button off it returns it to
/// normal with no sound, and the rest of that press (moves, the release) is
/// ignored. Releasing a mouse button over it makes it glow and keeps the grab.
/// While the application is not active the button ignores the mouse and keeps
/// its state. The grab is given up, the state kept, when the application stops
/// being active and when the button is hidden or disabled: a grab that the
/// button can no longer end would keep the pointer from everything else.
///
/// Pictures: the setters accept bitmaps only (a 0 x 0 bitmap is still one); a
/// null or empty picture, an icon or a drawing raises kwindel::Exception
/// "Can only use bitmap graphics" and leaves the old picture. The button keeps its own copy and
/// repaints at once. Content changed in the holder a getter returns shows at the next paint, and a
/// non-bitmap graphic loaded into it that way is replaced by an empty bitmap at that paint.
///
/// Qt Designer and the forms it saves see the three pictures as QPixmap
/// properties. A pixmap is always a bitmap, so it is copied in as above; a null
/// pixmap, which Designer writes when a picture property is reset, empties the
/// picture instead of raising, so that neither Designer nor a form's setupUi
/// ever meets an exception from here.
///
/// Size: every paint first resizes the button to the current state's picture
/// (0 x 0 for an empty one), then copies that picture's bitmap pixel for pixel
/// onto it: no scaling, no blending, no background erase. So pictures of
/// different sizes make the button change size with its state. The button sets
/// no size of its own: made in code it starts at Qt's default child size and
/// shrinks or grows to the picture at its first paint. Qt paints no widget
/// that is 0 wide or high, so a button that is 0 either way (for example one
/// shown before it had any picture, whose first paint sized it to 0 x 0) stays
/// that size after pictures are assigned; resize it to at least 1 x 1 to have
/// the next paint size it again. Assign the pictures before the button is
/// shown. sizeHint() is the normal picture's size, and the size policy is
/// fixed, so a layout gives the button the room of its resting picture.
///
/// A State other than 0, 1 or 2 has no picture: the button then paints
/// nothing and keeps its size until the state is valid again.
class KWINDEL_KIT_EXPORT THoverButton : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QPixmap NormalPicture READ NormalPixmap WRITE SetNormalPicture)
  Q_PROPERTY(QPixmap GlowPicture READ GlowPixmap WRITE SetGlowPicture)
  Q_PROPERTY(QPixmap PressedPicture READ PressedPixmap WRITE SetPressedPicture)
  Q_PROPERTY(int State READ GetState WRITE SetState)
  /// A player is a QObject, not a widget: Designer cannot place one, so it is set in code.
  Q_PROPERTY(TWaveQueuePlayer* WaveQueuePlayer READ GetWaveQueuePlayer WRITE SetWaveQueuePlayer
                 DESIGNABLE false)
  Q_PROPERTY(QString GlowSound READ GetGlowSound WRITE SetGlowSound)
  Q_PROPERTY(QString UnglowSound READ GetUnglowSound WRITE SetUnglowSound)
  Q_PROPERTY(QString PressSound READ GetPressSound WRITE SetPressSound)
  Q_PROPERTY(QString UnpressSound READ GetUnpressSound WRITE SetUnpressSound)

 public:
  /// Normal state, three empty pictures, no player, empty sound names.
  explicit THoverButton(QWidget* AOwner = nullptr);
  ~THoverButton() override;

  /// The button's own holders, alive as long as the button.
  TPicture* GetNormalPicture() { return &FNormalPicture; }
  TPicture* GetGlowPicture() { return &FGlowPicture; }
  TPicture* GetPressedPicture() { return &FPressedPicture; }
  void SetNormalPicture(TPicture* Value);
  void SetGlowPicture(TPicture* Value);
  void SetPressedPicture(TPicture* Value);
  /// The same for a pixmap; a null one empties the picture.
  void SetNormalPicture(const QPixmap& Value);
  void SetGlowPicture(const QPixmap& Value);
  void SetPressedPicture(const QPixmap& Value);

  /// The values of State.
  static constexpr int kNormal = 0;
  static constexpr int kGlow = 1;
  static constexpr int kPressed = 2;

  /// Writing the present value does nothing; any other value queues the
  /// transition's sound (see above) and repaints at once.
  int GetState() const { return FState; }
  void SetState(int Value);

  /// A click as the pointer makes it, for the keyboard and assistive tools: the
  /// button glows (unless it already does), is pressed and emits OnClick, is
  /// released, then returns to the state it was in, with the sounds those
  /// changes queue. It does not wait for the application to be active; a
  /// disabled button ignores it.
  void Click();

  /// Null when none was given or the player has been destroyed since.
  TWaveQueuePlayer* GetWaveQueuePlayer() const { return FWaveQueuePlayer.data(); }
  void SetWaveQueuePlayer(TWaveQueuePlayer* Value) { FWaveQueuePlayer = Value; }

  QString GetGlowSound() const { return FGlowSound; }
  void SetGlowSound(const QString& Value) { FGlowSound = Value; }
  QString GetUnglowSound() const { return FUnglowSound; }
  void SetUnglowSound(const QString& Value) { FUnglowSound = Value; }
  QString GetPressSound() const { return FPressSound; }
  void SetPressSound(const QString& Value) { FPressSound = Value; }
  QString GetUnpressSound() const { return FUnpressSound; }
  void SetUnpressSound(const QString& Value) { FUnpressSound = Value; }

  QSize sizeHint() const override;

 signals:
  /// Emitted with the button as Sender on every press while the application
  /// is active, after the pressed picture has been painted.
  void OnClick(THoverButton* Sender);

 protected:
  /// The picture shown in the present State; null for a State without one.
  TPicture* PictureForState();

  /// The button's reactions to the mouse; X and Y are in its own coordinates.
  /// Button and Shift are not looked at.
  void MyMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
  void MyMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                   int Y);
  void MyMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                 int Y);

  /// True while the application is the active one (Qt::ApplicationActive);
  /// virtual so that a test can lower it.
  virtual bool ApplicationActive() const;

  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void SetPicture(TPicture& Target, const TPicture* Value);
  void SetPicture(TPicture& Target, const QPixmap& Value);
  QPixmap NormalPixmap() const;
  QPixmap GlowPixmap() const;
  QPixmap PressedPixmap() const;
  bool HoldsCapture() const;
  bool ReachesButton(const QMouseEvent* event) const;
  void LetGoOfPointer();

  TPicture FNormalPicture;
  TPicture FGlowPicture;
  TPicture FPressedPicture;
  int FState = 0;  // 0 normal, 1 glow, 2 pressed
  QPointer<TWaveQueuePlayer> FWaveQueuePlayer;
  QString FGlowSound;
  QString FUnglowSound;
  QString FPressSound;
  QString FUnpressSound;
};
