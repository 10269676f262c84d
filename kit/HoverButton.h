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

/// \file
/// THoverButton, a button drawn from three pictures, with a sound at each change.

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
/// normal with no sound and releases the grab; the moves and the release of
/// that press outside the button are ignored. Dragged back over the button
/// with the mouse button still held, it glows again as at any move over it
/// (GlowSound, grab taken), and the release then leaves it glowing, with no
/// UnpressSound and no further OnClick. Releasing a mouse button over it
/// makes it glow and keeps the grab.
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
  /// The picture shown at rest (State 0); empty by default. As a property it
  /// is a pixmap, which is how Designer and forms set it: a pixmap is copied
  /// into the button's own holder (GetNormalPicture()) and the button repaints
  /// at once and takes its size at the next paint; a null pixmap empties the
  /// picture. Reading it gives the holder's graphic as a pixmap.
  Q_PROPERTY(QPixmap NormalPicture READ NormalPixmap WRITE SetNormalPicture)
  /// The picture shown while the pointer is over the button (State 1); empty by
  /// default. Set and read as NormalPicture is.
  Q_PROPERTY(QPixmap GlowPicture READ GlowPixmap WRITE SetGlowPicture)
  /// The picture shown while a mouse button is held on the button (State 2);
  /// empty by default. Set and read as NormalPicture is.
  Q_PROPERTY(QPixmap PressedPicture READ PressedPixmap WRITE SetPressedPicture)
  /// The state shown: 0 normal (#kNormal), 1 glow (#kGlow), 2 pressed
  /// (#kPressed); 0 by default. The mouse changes it, and so may code. A new
  /// value queues the sound of that change when there is one and the player is
  /// idle (see the table above), then repaints at once; the present value does
  /// nothing. Any other value is stored too, and has no picture.
  Q_PROPERTY(int State READ GetState WRITE SetState)
  /// The player that plays the button's sounds; none by default, and then the
  /// button is silent. The button does not own it and reads none once it is
  /// destroyed. A player is a QObject, not a widget, so Designer cannot place
  /// one and does not show this property: set it in code.
  Q_PROPERTY(TWaveQueuePlayer* WaveQueuePlayer READ GetWaveQueuePlayer WRITE SetWaveQueuePlayer
                 DESIGNABLE false)
  /// Name of the wave resource queued when the button starts to glow (normal to
  /// glow); empty by default, and an empty name is still queued. Designer
  /// keeps this and the other sound names out of translation.
  Q_PROPERTY(QString GlowSound READ GetGlowSound WRITE SetGlowSound)
  /// Name of the wave resource queued when the glow ends (glow to normal);
  /// empty by default.
  Q_PROPERTY(QString UnglowSound READ GetUnglowSound WRITE SetUnglowSound)
  /// Name of the wave resource queued on a press (glow to pressed); empty by
  /// default.
  Q_PROPERTY(QString PressSound READ GetPressSound WRITE SetPressSound)
  /// Name of the wave resource queued on a release (pressed to glow); empty by
  /// default.
  Q_PROPERTY(QString UnpressSound READ GetUnpressSound WRITE SetUnpressSound)

 public:
  /// Normal state, three empty pictures, no player, empty sound names; AOwner
  /// becomes its parent widget, which deletes it.
  explicit THoverButton(QWidget* AOwner = nullptr);
  /// Leaves the player alone: the button never owns it.
  ~THoverButton() override;

  /// The button's own holder of NormalPicture, alive as long as the button.
  /// What is changed in it directly shows at the next paint.
  TPicture* GetNormalPicture() { return &FNormalPicture; }
  /// The button's own holder of GlowPicture; see GetNormalPicture().
  TPicture* GetGlowPicture() { return &FGlowPicture; }
  /// The button's own holder of PressedPicture; see GetNormalPicture().
  TPicture* GetPressedPicture() { return &FPressedPicture; }
  /// Copies Value's bitmap into NormalPicture and repaints at once. Raises
  /// kwindel::Exception "Can only use bitmap graphics", changing nothing, when
  /// Value is null, empty, an icon or a drawing; Value stays the caller's.
  void SetNormalPicture(TPicture* Value);
  /// Copies Value's bitmap into GlowPicture; see SetNormalPicture(TPicture*).
  void SetGlowPicture(TPicture* Value);
  /// Copies Value's bitmap into PressedPicture; see SetNormalPicture(TPicture*).
  void SetPressedPicture(TPicture* Value);
  /// Copies the pixmap into NormalPicture and repaints at once; a null pixmap
  /// empties the picture. Never raises.
  void SetNormalPicture(const QPixmap& Value);
  /// The same for GlowPicture; see SetNormalPicture(const QPixmap&).
  void SetGlowPicture(const QPixmap& Value);
  /// The same for PressedPicture; see SetNormalPicture(const QPixmap&).
  void SetPressedPicture(const QPixmap& Value);

  /// #State at rest: NormalPicture shows.
  static constexpr int kNormal = 0;
  /// #State while the pointer is over the button: GlowPicture shows.
  static constexpr int kGlow = 1;
  /// #State while a mouse button is held on it: PressedPicture shows.
  static constexpr int kPressed = 2;

  /// Reads #State.
  int GetState() const { return FState; }
  /// Changes the state: queues the change's sound and repaints at once; the
  /// present value does nothing. See #State.
  void SetState(int Value);

  /// A click as the pointer makes it, for the keyboard and assistive tools: the
  /// button glows (unless it already does), is pressed and emits OnClick, is
  /// released, then returns to the state it was in, with the sounds those
  /// changes queue. It does not wait for the application to be active; a
  /// disabled button ignores it.
  void Click();

  /// Reads #WaveQueuePlayer: null when none was given or the player has been
  /// destroyed since.
  TWaveQueuePlayer* GetWaveQueuePlayer() const { return FWaveQueuePlayer.data(); }
  /// Sets #WaveQueuePlayer; null silences the button.
  void SetWaveQueuePlayer(TWaveQueuePlayer* Value) { FWaveQueuePlayer = Value; }

  /// Reads #GlowSound.
  QString GetGlowSound() const { return FGlowSound; }
  /// Sets #GlowSound.
  void SetGlowSound(const QString& Value) { FGlowSound = Value; }
  /// Reads #UnglowSound.
  QString GetUnglowSound() const { return FUnglowSound; }
  /// Sets #UnglowSound.
  void SetUnglowSound(const QString& Value) { FUnglowSound = Value; }
  /// Reads #PressSound.
  QString GetPressSound() const { return FPressSound; }
  /// Sets #PressSound.
  void SetPressSound(const QString& Value) { FPressSound = Value; }
  /// Reads #UnpressSound.
  QString GetUnpressSound() const { return FUnpressSound; }
  /// Sets #UnpressSound.
  void SetUnpressSound(const QString& Value) { FUnpressSound = Value; }

  /// The size of NormalPicture (0 x 0 while it is empty).
  QSize sizeHint() const override;

 signals:
  /// Emitted with the button as Sender on every press while the application
  /// is active, after the pressed picture has been painted, and by Click().
  void OnClick(THoverButton* Sender);

 protected:
  /// The picture shown in the present State; null for a State without one.
  TPicture* PictureForState();

  /// A pointer move to (X, Y), in the button's own coordinates. While the
  /// application is active: a button that does not hold the mouse grab glows
  /// and takes it; one that holds it returns to normal and releases the grab
  /// when the point lies outside 0..width(), 0..height() (both ends inside).
  /// Sender and Shift are not looked at. mouseMoveEvent() calls it.
  void MyMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
  /// A mouse button pressed on the button, whichever it is. While the
  /// application is active the button shows the pressed state, then emits
  /// OnClick. Sender, Button, Shift, X and Y are not looked at.
  /// mousePressEvent() and mouseDoubleClickEvent() call it.
  void MyMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                   int Y);
  /// A mouse button released on the button, whichever it is. While the
  /// application is active the button glows. Sender, Button, Shift, X and Y are
  /// not looked at. mouseReleaseEvent() calls it.
  void MyMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                 int Y);

  /// True while the application is the active one (Qt::ApplicationActive);
  /// virtual so that a test can lower it.
  virtual bool ApplicationActive() const;

  /// Sizes the button to the present state's picture, then copies the
  /// picture's bitmap onto it pixel for pixel.
  void paintEvent(QPaintEvent* event) override;
  /// Hands a move that reaches the button (it is over the button, or the
  /// button holds the grab) to MyMouseMove().
  void mouseMoveEvent(QMouseEvent* event) override;
  /// Takes the mouse grab while the application is active, so that dragging
  /// off the button is seen, and hands the press to MyMouseDown().
  void mousePressEvent(QMouseEvent* event) override;
  /// The second press of a double click: handled as a press.
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  /// Hands a release that reaches the button to MyMouseUp().
  void mouseReleaseEvent(QMouseEvent* event) override;
  /// Gives up the mouse grab, keeping the state.
  void hideEvent(QHideEvent* event) override;
  /// Gives up the mouse grab when the button is disabled, keeping the state.
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
