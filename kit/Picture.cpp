// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "Picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <utility>

#include "Exception.h"
#include "QtEncoding.h"

namespace {

[[noreturn]] void RaiseDamaged(const std::string& path) {
  throw kwindel::Exception(kwindel::FormatMessage("Unknown or damaged picture file %s", path));
}

// Indexed and grey images cannot take a QPainter; a bitmap must, and these two
// formats are also the ones the raster engine draws fastest.
QImage Paintable(const QImage& image) {
  if (image.isNull()) return {};
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
}

// Several sizes of one icon: the largest shows the most detail at its own size.
QImage LargestIconImage(QImageReader& reader) {
  QImage largest;
  const int count = std::max(reader.imageCount(), 1);
  for (int i = 0; i < count; ++i) {
    if (!reader.jumpToImage(i) && i > 0) break;
    const QImage image = reader.read();
    if (image.isNull()) continue;
    if (largest.isNull() ||
        qint64(image.width()) * image.height() > qint64(largest.width()) * largest.height()) {
      largest = image;
    }
  }
  return largest;
}

// The SVG image plugin may be missing; QtSvg still reads the drawing. Only
// text that looks like SVG (or gzip) is tried, so that other junk is reported
// without the XML parser's warnings.
bool MayBeDrawing(const QByteArray& bytes) {
  return bytes.startsWith("\x1f\x8b") || bytes.contains("<svg");
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

int TPicture::Width() const {
  switch (FKind) {
    case TKind::Bitmap:
    case TKind::Icon:
      return FImage.width();
    case TKind::Drawing:
      return FDrawing->defaultSize().width();
    case TKind::Empty:
      break;
  }
  return 0;
}

int TPicture::Height() const {
  switch (FKind) {
    case TKind::Bitmap:
    case TKind::Icon:
      return FImage.height();
    case TKind::Drawing:
      return FDrawing->defaultSize().height();
    case TKind::Empty:
      break;
  }
  return 0;
}

void TPicture::LoadFromFile(const std::string& path) {
  QFile file(kwindel::DecodeName(path));
  if (!file.open(QIODevice::ReadOnly)) {
    throw kwindel::Exception(kwindel::FormatMessage("Cannot open file %s", path));
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    throw kwindel::Exception(kwindel::FormatMessage("Cannot open file %s", path));
  }

  // Decide by content: a PNG saved as ".bmp" is still a PNG.
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QByteArray format = reader.format();

  if (format == "svg" || format == "svgz" || (format.isEmpty() && MayBeDrawing(bytes))) {
    auto drawing = std::make_unique<QSvgRenderer>(bytes);
    if (!drawing->isValid()) RaiseDamaged(path);
    FImage = QImage();
    FDrawingSource = bytes;
    FDrawing = std::move(drawing);
    FKind = TKind::Drawing;
    return;
  }
  if (format.isEmpty()) RaiseDamaged(path);

  const bool icon = format == "ico" || format == "cur";
  QImage image = Paintable(icon ? LargestIconImage(reader) : reader.read());
  if (image.isNull()) RaiseDamaged(path);
  Clear();
  FImage = std::move(image);
  FKind = icon ? TKind::Icon : TKind::Bitmap;
}

void TPicture::Assign(const TPicture* source) {
  if (source == this) return;
  if (source == nullptr || source->IsEmpty()) {
    Clear();
    return;
  }
  // Each picture renders its drawing through its own renderer: a renderer
  // carries animation state and dies with its owner.
  std::unique_ptr<QSvgRenderer> drawing;
  if (source->FKind == TKind::Drawing) {
    drawing = std::make_unique<QSvgRenderer>(source->FDrawingSource);
  }
  FKind = source->FKind;
  FImage = source->FImage;  // shared until either side paints on it
  FDrawingSource = source->FDrawingSource;
  FDrawing = std::move(drawing);
}

void TPicture::Clear() {
  FKind = TKind::Empty;
  FImage = QImage();
  FDrawingSource.clear();
  FDrawing.reset();
}

void TPicture::SetBitmap(const QImage& image) {
  QImage bitmap = Paintable(image);
  Clear();
  FImage = std::move(bitmap);
  FKind = TKind::Bitmap;
}

TBitmap& TPicture::Bitmap() {
  if (FKind != TKind::Bitmap) {
    Clear();
    FKind = TKind::Bitmap;
  }
  return FImage;
}

void TPicture::Draw(QPainter& painter, int x, int y) const {
  switch (FKind) {
    case TKind::Bitmap:
    case TKind::Icon:
      if (!FImage.isNull()) painter.drawImage(QPoint(x, y), FImage);
      break;
    case TKind::Drawing: {
      const QSize size = FDrawing->defaultSize();
      if (!size.isEmpty()) FDrawing->render(&painter, QRectF(QPointF(x, y), QSizeF(size)));
      break;
    }
    case TKind::Empty:
      break;
  }
}

QImage TPicture::ToImage() const {
  if (FKind == TKind::Bitmap || FKind == TKind::Icon) return FImage;
  if (Width() <= 0 || Height() <= 0) return {};
  QImage image(Width(), Height(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  Draw(painter, 0, 0);
  return image;
}
