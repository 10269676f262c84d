// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QMetaType>
#include <memory>
#include <string>

#include "KitExport.h"

class QPainter;
class QSvgRenderer;

/// \file
/// TPicture, the picture holder of THoverButton and TBackgroundPanel, and TBitmap.

/// A bitmap with its own drawing surface: open a QPainter on it to draw.
using TBitmap = QImage;

/// Holds one graphic or nothing: a bitmap (any raster image Qt reads), an icon
/// from an .ico or .cur file, or an SVG drawing. Components own their pictures
/// and copy into them with Assign, so a caller's picture stays the caller's.
/// Nothing is announced when the content changes; whoever shows the picture
/// decides when to repaint.
class KWINDEL_KIT_EXPORT TPicture {
 public:
  /// What a picture holds.
  enum class TKind {
    Empty,    ///< Nothing: width and height are 0 and Draw() draws nothing.
    Bitmap,   ///< A raster image, from any format Qt reads or from SetBitmap().
    Icon,     ///< The largest image of an .ico or .cur file.
    Drawing,  ///< An SVG drawing, drawn at its own size.
  };

  /// An empty picture.
  TPicture();
  /// Frees the graphic held.
  ~TPicture();
  /// Not copyable: a component's picture is its own; copy the graphic with Assign().
  TPicture(const TPicture&) = delete;
  /// Not assignable; see Assign().
  TPicture& operator=(const TPicture&) = delete;

  /// What the picture holds now.
  TKind Kind() const { return FKind; }
  /// True only when no graphic is held; a 0 x 0 bitmap is a graphic.
  bool IsEmpty() const { return FKind == TKind::Empty; }
  /// Only raster images count as bitmaps; icons and drawings do not.
  bool IsBitmap() const { return FKind == TKind::Bitmap; }

  /// The graphic's own width in pixels; 0 when empty.
  int Width() const;
  /// The graphic's own height in pixels; 0 when empty.
  int Height() const;

  /// Replaces the content with the file's graphic, chosen by the file's content
  /// rather than its name. An icon file shows its largest image. Raises
  /// kwindel::Exception "Cannot open file %s" or
  /// "Unknown or damaged picture file %s", with the path in place of \%s; the
  /// picture is unchanged then.
  void LoadFromFile(const std::string& path);

  /// Copies the source's graphic; a null or empty source empties this picture.
  void Assign(const TPicture* source);

  /// Empties the picture.
  void Clear();

  /// Makes the picture a bitmap holding image (a null image gives a 0 x 0 bitmap).
  void SetBitmap(const QImage& image);

  /// The picture's bitmap, to read or to paint on. An empty picture is given an
  /// empty bitmap here, and an icon or drawing is replaced by an empty bitmap.
  TBitmap& Bitmap();

  /// Draws the graphic at its own size with its top-left corner at (x, y),
  /// through the painter's current state; an empty picture draws nothing.
  void Draw(QPainter& painter, int x, int y) const;

  /// The graphic as an image at its own size, on a transparent ground; a null
  /// image when empty.
  QImage ToImage() const;

 private:
  TKind FKind = TKind::Empty;
  QImage FImage;              // bitmaps and icons
  QByteArray FDrawingSource;  // drawings: kept so Assign can build its own renderer
  std::unique_ptr<QSvgRenderer> FDrawing;
};

Q_DECLARE_METATYPE(TPicture*)
