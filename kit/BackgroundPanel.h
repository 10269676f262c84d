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

/// \file
/// TBackgroundPanel, a container panel with a tiled background picture.

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
/// BorderWidth at least 0. Neither has an upper limit but the largest integer,
/// and both are kept as given; each ring (outer bevel, border, inner bevel) is
/// drawn no wider than half of what the rings outside it leave of the panel's
/// smaller side, so rings too wide for the panel fill it, and the caption, with
/// no room left inside them, is not drawn. A bevel value outside TPanelBevel
/// (from a cast, or a number written to the property) is kept as given and
/// draws as bvRaised. Every property change that alters the look repaints.
class KWINDEL_KIT_EXPORT TBackgroundPanel : public QWidget {
  Q_OBJECT
  /// Text drawn centred inside the bevels, in the widget's font and its
  /// palette's WindowText colour, while no picture is shown; empty by default.
  /// A different text repaints.
  Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
  /// Colour of the fill and of the border between the bevels; by default the
  /// palette's window colour when the panel was made. A different colour
  /// repaints. Not used while a picture is shown.
  Q_PROPERTY(QColor Color READ GetColor WRITE SetColor)
  /// The bevel along the panel's edge; #bvRaised by default. A different value
  /// repaints; a value outside TPanelBevel draws as #bvRaised.
  Q_PROPERTY(TPanelBevel BevelOuter READ GetBevelOuter WRITE SetBevelOuter)
  /// The bevel inside the border; #bvNone by default. A different value
  /// repaints; a value outside TPanelBevel draws as #bvRaised.
  Q_PROPERTY(TPanelBevel BevelInner READ GetBevelInner WRITE SetBevelInner)
  /// Width of each bevel in pixels; 1 by default, at least 1 (a smaller value
  /// is stored as 1), no upper limit (a bevel wider than the panel allows is
  /// drawn as wide as it allows). A different value repaints.
  Q_PROPERTY(int BevelWidth READ GetBevelWidth WRITE SetBevelWidth)
  /// Width in pixels of the border in Color between the outer and the inner
  /// bevel; 0 by default, at least 0 (a negative value is stored as 0), no
  /// upper limit (drawn at most as wide as the panel allows). A different value
  /// repaints.
  Q_PROPERTY(int BorderWidth READ GetBorderWidth WRITE SetBorderWidth)
  /// The picture tiled over the panel; empty by default, which shows the
  /// ordinary panel. As a property it is a pixmap, which is how Designer and
  /// forms set it: a pixmap is copied into the panel's own holder (GetPicture())
  /// and the panel repaints; a null pixmap clears it. Reading it gives the
  /// holder's graphic as a pixmap.
  Q_PROPERTY(QPixmap Picture READ PictureAsPixmap WRITE SetPicture)

 public:
  /// The look of a bevel. Any int is a TPanelBevel; a value other than these
  /// four draws as #bvRaised.
  enum TPanelBevel : int {
    bvNone,     ///< No bevel: the ring is left out.
    bvLowered,  ///< Shaded as pressed into the surface.
    bvRaised,   ///< Shaded as standing out of the surface.
    bvSpace,    ///< A blank ring of the bevel's width in Color.
  };
  Q_ENUM(TPanelBevel)

  /// Raised outer bevel, no inner bevel, bevel width 1, no border, the
  /// palette's window colour, no caption, an empty picture; AOwner becomes its
  /// parent widget, which deletes it.
  explicit TBackgroundPanel(QWidget* AOwner = nullptr);
  /// Destroys the panel with its picture and its child widgets.
  ~TBackgroundPanel() override;

  /// Reads #Caption.
  QString GetCaption() const { return FCaption; }
  /// Sets #Caption.
  void SetCaption(const QString& Value);
  /// Reads #Color.
  QColor GetColor() const { return FColor; }
  /// Sets #Color.
  void SetColor(const QColor& Value);
  /// Reads #BevelOuter.
  TPanelBevel GetBevelOuter() const { return FBevelOuter; }
  /// Sets #BevelOuter.
  void SetBevelOuter(TPanelBevel Value);
  /// Reads #BevelInner.
  TPanelBevel GetBevelInner() const { return FBevelInner; }
  /// Sets #BevelInner.
  void SetBevelInner(TPanelBevel Value);
  /// Reads #BevelWidth.
  int GetBevelWidth() const { return FBevelWidth; }
  /// Sets #BevelWidth, at least 1.
  void SetBevelWidth(int Value);
  /// Reads #BorderWidth.
  int GetBorderWidth() const { return FBorderWidth; }
  /// Sets #BorderWidth, at least 0.
  void SetBorderWidth(int Value);

  /// The panel's own holder of #Picture, alive as long as the panel. What is
  /// changed in it directly shows at the next repaint something else causes.
  TPicture* GetPicture() { return &FPicture; }
  /// Copies Value's graphic into #Picture and repaints; a null or empty Value
  /// clears it. Value stays the caller's.
  void SetPicture(TPicture* Value);
  /// Copies the pixmap into #Picture and repaints; a null pixmap clears it.
  void SetPicture(const QPixmap& Value);

  /// 185 x 41, the size Designer drops a panel at.
  QSize sizeHint() const override;

 protected:
  /// Draws the panel's current look onto any painter covering the widget's
  /// area; paintEvent hands it the widget's own.
  void Paint(QPainter& painter);

  /// Draws the panel through Paint().
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
