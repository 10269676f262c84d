// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Logo.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QIconEngine>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include "ImageFile.h"

namespace {

const QString kLogo = QStringLiteral(":/app/logo.svg");
// The icon set, one picture a size, named after it: 16.png, 24.png, ...
const QString kIconSet = QStringLiteral(":/app/icons");

// The whole drawing, on a transparent ground.
QImage DrawLogo(QSvgRenderer& drawing, QSize pixels) {
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  drawing.render(&painter);
  return image;
}

class ProgramIconEngine final : public QIconEngine {
 public:
  // The suffix is checked by hand: a name filter is matched through a regular expression, which
  // in the browser took a noticeable part of the start.
  ProgramIconEngine() {
    for (QDirIterator file(kIconSet, QDir::Files); file.hasNext();) {
      const QFileInfo info(file.next());
      const int size = info.baseName().toInt();
      if (size > 0 && info.suffix() == QLatin1String("png")) FPaths.insert(size, info.filePath());
    }
  }

  QIconEngine* clone() const override { return new ProgramIconEngine(*this); }
  QString key() const override { return QStringLiteral("KwindelProgramIcon"); }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int size : FPaths.keys())
      sizes.append(QSize(size, size));
    return sizes;
  }

  // Square, as the logo is.
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = qMin(size.width(), size.height());
    return {side, side};
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const QSize square = actualSize(size, mode, state);
    if (square.isEmpty()) return {};
    QPixmap pixmap;
    if (auto path = FPaths.constFind(square.width()); path != FPaths.constEnd()) {
      pixmap = QPixmap::fromImage(ReadImageFile(*path, "png"));
    }
    if (pixmap.size() != square) {
      QSvgRenderer drawing(kLogo);
      pixmap = QPixmap::fromImage(DrawLogo(drawing, square));
    }
    if (mode != QIcon::Normal && qobject_cast<QApplication*>(qApp)) {
      QStyleOption option;
      return QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
    }
    return pixmap;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap picture = pixmap(rect.size() * ratio, mode, state);
    picture.setDevicePixelRatio(ratio);
    QRect target(QPoint(), picture.deviceIndependentSize().toSize());
    target.moveCenter(rect.center());
    painter->drawPixmap(target, picture);
  }

 private:
  QMap<int, QString> FPaths;
};

}  // namespace

// Resources of a static library are not linked in unless something refers to them.
static void InitResources() {
  Q_INIT_RESOURCE(app);
}

QPixmap LogoPixmap(qreal devicePixelRatio) {
  InitResources();
  QSvgRenderer drawing(kLogo);
  QImage image = DrawLogo(drawing, drawing.defaultSize() * devicePixelRatio);
  image.setDevicePixelRatio(devicePixelRatio);
  return QPixmap::fromImage(std::move(image));
}

QIcon ProgramIcon() {
  InitResources();
  return QIcon(new ProgramIconEngine);
}
