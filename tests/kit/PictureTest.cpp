// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <memory>
#include <string>

#include "Exception.h"
#include "MessageOf.h"
#include "Picture.h"
#include "TempDir.h"

namespace {

using kwindel::test::TempDir;
using kwindel::test::WriteFile;
using Kind = TPicture::TKind;

QImage Solid(int width, int height, QColor color, QImage::Format format = QImage::Format_RGB32) {
  QImage image(width, height, format);
  image.fill(color);
  return image;
}

std::string Save(const TempDir& dir, const std::string& name, const QImage& image,
                 const char* format) {
  const std::string path = dir / name;
  QImageWriter writer(QString::fromStdString(path), format);
  EXPECT_TRUE(writer.write(image)) << name << ": " << writer.errorString().toStdString();
  return path;
}

QByteArray PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

void PutLe(std::string& out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// An .ico holding one PNG-compressed image per entry, in the given order.
std::string IconFile(const TempDir& dir, const std::string& name,
                     std::initializer_list<QImage> images) {
  std::string header;
  std::string payload;
  PutLe(header, 0, 2);
  PutLe(header, 1, 2);
  PutLe(header, static_cast<unsigned>(images.size()), 2);
  unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
  for (const QImage& image : images) {
    const QByteArray png = PngBytes(image);
    PutLe(header, image.width() & 0xFF, 1);
    PutLe(header, image.height() & 0xFF, 1);
    PutLe(header, 0, 2);   // colour count, reserved
    PutLe(header, 1, 2);   // planes
    PutLe(header, 32, 2);  // bits per pixel
    PutLe(header, static_cast<unsigned>(png.size()), 4);
    PutLe(header, offset + static_cast<unsigned>(payload.size()), 4);
    payload.append(png.constData(), static_cast<std::size_t>(png.size()));
  }
  const std::string path = dir / name;
  WriteFile(path, header + payload);
  return path;
}

std::string SvgFile(const TempDir& dir, const std::string& name, int width, int height,
                    const char* fill) {
  const std::string w = std::to_string(width);
  const std::string h = std::to_string(height);
  const std::string path = dir / name;
  WriteFile(path, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                      "\" viewBox=\"0 0 " + w + " " + h + "\"><rect x=\"0\" y=\"0\" width=\"" + w +
                      "\" height=\"" + h + "\" fill=\"" + fill + "\"/></svg>");
  return path;
}

// Draws the picture at (x, y) onto a white canvas.
QImage DrawnAt(const TPicture& picture, int x, int y, QSize canvasSize = {24, 20}) {
  QImage canvas = Solid(canvasSize.width(), canvasSize.height(), Qt::white);
  QPainter painter(&canvas);
  picture.Draw(painter, x, y);
  painter.end();
  return canvas;
}

using kwindel::test::MessageOf;

TEST(Picture, StartsEmptyAndDrawsNothing) {
  TPicture picture;
  EXPECT_TRUE(picture.IsEmpty());
  EXPECT_FALSE(picture.IsBitmap());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Height(), 0);
  EXPECT_EQ(DrawnAt(picture, 0, 0), Solid(24, 20, Qt::white));
}

TEST(PictureLoad, TellsTheKindAndSizeOfEachFormat) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string path;
    Kind kind;
    int width;
    int height;
  };
  const Case cases[] = {
      {"PNG with alpha is a bitmap",
       Save(dir, "a.png", Solid(5, 3, QColor(255, 0, 0, 128), QImage::Format_ARGB32), "png"),
       Kind::Bitmap, 5, 3},
      {"BMP is a bitmap", Save(dir, "b.bmp", Solid(4, 2, Qt::blue), "bmp"), Kind::Bitmap, 4, 2},
#ifndef _WIN32  // Qt for Windows is built here without a JPEG library
      {"JPEG is a bitmap", Save(dir, "c.jpg", Solid(6, 4, Qt::green), "jpg"), Kind::Bitmap, 6, 4},
#endif
      {"the content decides, not the name",
       Save(dir, "really-a-png.bmp", Solid(7, 2, Qt::red), "png"), Kind::Bitmap, 7, 2},
      {"ICO is an icon", Save(dir, "d.ico", Solid(16, 8, Qt::blue), "ico"), Kind::Icon, 16, 8},
      {"an icon shows its largest image",
       IconFile(dir, "sizes.ico",
                {Solid(16, 16, Qt::red), Solid(48, 40, Qt::green), Solid(32, 32, Qt::blue)}),
       Kind::Icon, 48, 40},
      {"SVG is a drawing of its own size", SvgFile(dir, "e.svg", 10, 6, "red"), Kind::Drawing, 10,
       6},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    TPicture picture;
    picture.LoadFromFile(row.path);
    EXPECT_EQ(picture.Kind(), row.kind);
    EXPECT_EQ(picture.IsBitmap(), row.kind == Kind::Bitmap);
    EXPECT_FALSE(picture.IsEmpty());
    EXPECT_EQ(picture.Width(), row.width);
    EXPECT_EQ(picture.Height(), row.height);
  }
}

TEST(PictureLoad, FailureRaisesAndKeepsThePicture) {
  TempDir dir;
  WriteFile(dir / "junk.png", "this is not a picture at all");
  WriteFile(dir / "empty.png", "");
  WriteFile(dir / "broken.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect");
  const std::string truncated = dir / "truncated.png";
  WriteFile(truncated, PngBytes(Solid(8, 8, Qt::red)).left(20).toStdString());
  struct Case {
    const char* name;
    std::string path;
    std::string message;
  };
  const Case cases[] = {
      {"missing file", dir / "missing.png", "Cannot open file " + dir / "missing.png"},
      {"a folder", dir.path(), "Cannot open file " + dir.path()},
      {"not a picture", dir / "junk.png", "Unknown or damaged picture file " + dir / "junk.png"},
      {"empty file", dir / "empty.png", "Unknown or damaged picture file " + dir / "empty.png"},
      {"truncated PNG", truncated, "Unknown or damaged picture file " + truncated},
      {"broken SVG", dir / "broken.svg", "Unknown or damaged picture file " + dir / "broken.svg"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    TPicture picture;
    picture.SetBitmap(Solid(3, 2, Qt::red));
    EXPECT_EQ(MessageOf([&] { picture.LoadFromFile(row.path); }), row.message);
    EXPECT_TRUE(picture.IsBitmap());
    EXPECT_EQ(picture.Bitmap(), Solid(3, 2, Qt::red));
  }
}

TEST(PictureDraw, DrawsEachKindAtItsOwnSizeAtThePoint) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string path;
    QColor color;
  };
  const Case cases[] = {
      {"bitmap", Save(dir, "a.png", Solid(5, 3, Qt::red), "png"), Qt::red},
      {"icon", Save(dir, "b.ico", Solid(4, 6, Qt::blue), "ico"), Qt::blue},
      {"drawing", SvgFile(dir, "c.svg", 10, 6, "#00ff00"), QColor(0, 255, 0)},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    TPicture picture;
    picture.LoadFromFile(row.path);
    const QImage canvas = DrawnAt(picture, 3, 4);
    const QRect covered(3, 4, picture.Width(), picture.Height());
    int wrong = 0;
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) {
        const QColor expected = covered.contains(x, y) ? row.color : QColor(Qt::white);
        if (canvas.pixel(x, y) != expected.rgb()) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST(PictureDraw, BlendsTransparentPixelsOverTheTarget) {
  QImage image = Solid(2, 1, Qt::transparent, QImage::Format_ARGB32);
  image.setPixelColor(0, 0, Qt::red);
  TPicture picture;
  picture.SetBitmap(image);
  const QImage canvas = DrawnAt(picture, 0, 0);
  EXPECT_EQ(canvas.pixel(0, 0), QColor(Qt::red).rgb());
  EXPECT_EQ(canvas.pixel(1, 0), QColor(Qt::white).rgb());
}

// Every kind of source, by the way Assign must treat it.
class PictureAssign : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap.SetBitmap(Solid(5, 3, Qt::red));
    icon.LoadFromFile(Save(dir, "i.ico", Solid(4, 6, Qt::blue), "ico"));
    drawing.LoadFromFile(SvgFile(dir, "d.svg", 10, 6, "green"));
  }
  TempDir dir;
  TPicture bitmap, icon, drawing, empty;
};

TEST_F(PictureAssign, CopiesKindSizeAndLook) {
  for (const TPicture* source : {&bitmap, &icon, &drawing}) {
    SCOPED_TRACE(static_cast<int>(source->Kind()));
    TPicture copy;
    copy.SetBitmap(Solid(1, 1, Qt::black));
    copy.Assign(source);
    EXPECT_EQ(copy.Kind(), source->Kind());
    EXPECT_EQ(copy.Width(), source->Width());
    EXPECT_EQ(copy.Height(), source->Height());
    EXPECT_EQ(DrawnAt(copy, 2, 1), DrawnAt(*source, 2, 1));
  }
}

TEST_F(PictureAssign, EmptyOrNullSourceEmptiesAndSelfAssignKeeps) {
  for (const TPicture* source : {&empty, static_cast<TPicture*>(nullptr)}) {
    TPicture copy;
    copy.SetBitmap(Solid(5, 3, Qt::red));
    copy.Assign(source);
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(copy.Width(), 0);
  }
  drawing.Assign(&drawing);
  EXPECT_EQ(drawing.Kind(), Kind::Drawing);
  EXPECT_EQ(drawing.Width(), 10);
}

TEST_F(PictureAssign, CopyOutlivesAndIgnoresTheSource) {
  TPicture copy;
  copy.Assign(&bitmap);
  QPainter(&bitmap.Bitmap()).fillRect(0, 0, 5, 3, Qt::black);
  EXPECT_EQ(copy.Bitmap(), Solid(5, 3, Qt::red));

  auto source = std::make_unique<TPicture>();
  source->Assign(&drawing);
  copy.Assign(source.get());
  const QImage before = DrawnAt(*source, 0, 0);
  source.reset();
  EXPECT_EQ(DrawnAt(copy, 0, 0), before);
}

TEST_F(PictureAssign, BitmapReplacesEverythingButABitmap) {
  for (TPicture* picture : {&empty, &icon, &drawing}) {
    SCOPED_TRACE(static_cast<int>(picture->Kind()));
    const TBitmap& result = picture->Bitmap();
    EXPECT_TRUE(result.isNull());
    EXPECT_TRUE(picture->IsBitmap());
    EXPECT_FALSE(picture->IsEmpty());
    EXPECT_EQ(picture->Width(), 0);
    EXPECT_EQ(picture->Height(), 0);
    EXPECT_EQ(DrawnAt(*picture, 0, 0), Solid(24, 20, Qt::white));
  }
  // A bitmap is handed out itself: painting on it changes the picture.
  QPainter(&bitmap.Bitmap()).fillRect(0, 0, 1, 1, Qt::blue);
  EXPECT_EQ(DrawnAt(bitmap, 0, 0).pixel(0, 0), QColor(Qt::blue).rgb());
  EXPECT_EQ(DrawnAt(bitmap, 0, 0).pixel(1, 0), QColor(Qt::red).rgb());
}

TEST(PictureBitmap, IndexedImagesBecomePaintableWithTheirColours) {
  QImage indexed(4, 2, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
  indexed.fill(0);
  indexed.setPixel(3, 1, 1);
  TempDir dir;
  const std::string path = Save(dir, "indexed.png", indexed, "png");

  TPicture loaded;
  loaded.LoadFromFile(path);
  TPicture set;
  set.SetBitmap(indexed);
  for (TPicture* picture : {&loaded, &set}) {
    QPainter painter(&picture->Bitmap());
    EXPECT_TRUE(painter.isActive());
    painter.end();
    EXPECT_EQ(picture->Bitmap().pixel(0, 0), QColor(Qt::red).rgb());
    EXPECT_EQ(picture->Bitmap().pixel(3, 1), QColor(Qt::blue).rgb());
  }
}

}  // namespace
