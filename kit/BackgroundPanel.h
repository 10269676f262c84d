// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

#include "KitExport.h"
#include "Picture.h"

class QPainter;

/// A container panel with a tiled background picture. While Picture is empty,
/// or has no width or height, it paints as an ordinary panel: outer bevel,
/// border in Color, inner bevel, Color fill and the Caption centred in the
/// widget's font. Otherwise the picture is tiled over the whole widget from
/// the top-left corner at its own size, one draw per tile, and nothing else is
/// drawn: no bevel, border, fill or caption. Child widgets draw over either.
///
/// Picture is the panel's own holder. SetPicture copies the given picture into
/// it (null or empty clears it) and repaints. Content changed directly in the
/// holder that GetPicture returns shows at the next repaint something else
/// causes; call update() to show it at once. Qt Designer and the forms it saves
/// see Picture as a QPixmap property; a null pixmap clears the picture.
///
/// Out-of-range values are corrected, not refused: BevelWidth is at least 1,
/// BorderWidth at least 0.
class KWINDEL_KIT_EXPORT TBackgroundPanel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
  Q_PROPERTY(QColor Color READ GetColor WRITE SetColor)
  Q_PROPERTY(TPanelBevel BevelOuter READ GetBevelOuter WRITE SetBevelOuter)
  Q_PROPERTY(TPanelBevel BevelInner READ GetBevelInner WRITE SetBevelInner)
  Q_PROPERTY(int BevelWidth READ GetBevelWidth WRITE SetBevelWidth)
  Q_PROPERTY(int BorderWidth READ GetBorderWidth WRITE SetBorderWidth)
  Q_PROPERTY(QPixmap Picture READ PictureAsPixmap WRITE SetPicture)

 public:
  /// bvSpace leaves a blank ring in Color.
  enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
  Q_ENUM(TPanelBevel)

  /// Raised outer bevel, no inner bevel, bevel width 1, no border, the
  /// palette's window colour, no caption, an empty picture.
  explicit TBackgroundPanel(QWidget* AOwner = nullptr);
  ~TBackgroundPanel() override;

  QString GetCaption() const { return FCaption; }
  void SetCaption(const QString& Value);
  QColor GetColor() const { return FColor; }
  void SetColor(const QColor& Value);
  TPanelBevel GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  TPanelBevel GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);

  /// The panel's own holder, alive as long as the panel.
  TPicture* GetPicture() { return &FPicture; }
  void SetPicture(TPicture* Value);
  void SetPicture(const QPixmap& Value);

  QSize sizeHint() const override;

 protected:
  /// Draws the panel's current look onto any painter covering the widget's
  /// area; paintEvent hands it the widget's own.
  void Paint(QPainter& painter);

  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap PictureAsPixmap() const;
  void PaintPanel(QPainter& painter);
  void PaintTiles(QPainter& painter);

  TPicture FPicture;
  QString FCaption;
  QColor FColor;
  TPanelBevel FBevelOuter = bvRaised;
  TPanelBevel FBevelInner = bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
};
