// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "ImageFile.h"
#include "TempDir.h"

namespace {

using kwindel::test::TempDir;
using kwindel::test::WriteFile;

// A PNG of 1 × 2 pixels, opaque red above half-transparent blue, written by
// hand: Qt's own image writer would load the image plugins.
constexpr std::string_view kTwoPixels(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00\x00"
    "\x02\x08\x06\x00\x00\x00\x99\x81\xB6\x27\x00\x00\x00\x10\x49\x44\x41\x54\x78\xDA\x63\xF8\xCF"
    "\xC0\x00\x44\x0C\xFF\x1B\x00\x11\x79\x03\x7E\x32\x0E\xB7\x47\x00\x00\x00\x00\x49\x45\x4E\x44"
    "\xAE\x42\x60\x82",
    73);

TEST(ReadImageFile, ReadsTheImageAndGivesNothingForAMissingOrWrongFile) {
  TempDir dir;
  WriteFile(dir / "two.png", kTwoPixels);
  QImage image = ReadImageFile(QString::fromStdString(dir / "two.png"), "png");
  ASSERT_EQ(image.size(), QSize(1, 2));
  EXPECT_EQ(image.pixel(0, 0), qRgba(255, 0, 0, 255));
  EXPECT_EQ(image.pixel(0, 1), qRgba(0, 0, 255, 128));

  EXPECT_TRUE(ReadImageFile(QString::fromStdString(dir / "missing.png"), "png").isNull());
  WriteFile(dir / "text.png", "not an image");
  EXPECT_TRUE(ReadImageFile(QString::fromStdString(dir / "text.png"), "png").isNull());
}

// Whether this process has an image plugin library mapped.
bool ImagePluginLoaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

// Ends a death test's child with 2 when the image could not be read, else with 1 when an image
// plugin is loaded. The child runs the test from its start, with a folder of its own that its exit
// would skip, so that folder goes first.
[[noreturn]] void ExitWithPluginsSeen(const TempDir& dir, const QImage& image) {
  const int code = image.isNull() ? 2 : ImagePluginLoaded() ? 1 : 0;
  std::error_code ignored;
  std::filesystem::remove_all(dir.path(), ignored);
  std::exit(code);
}

TEST(ReadImageFile, LeavesTheImagePluginsUnloaded) {
#ifdef _WIN32
  GTEST_SKIP() << "Qt is linked statically on Windows: its image plugins are part of the program, "
                  "never loaded";
#endif
  // Each read runs in a process of its own, started afresh, where no other test has loaded them.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempDir dir;
  WriteFile(dir / "two.png", kTwoPixels);
  const QString png = QString::fromStdString(dir / "two.png");
  EXPECT_EXIT(ExitWithPluginsSeen(dir, ReadImageFile(png, "png")), ::testing::ExitedWithCode(0),
              "");
  // The check sees them when they are there: QImage(path) loads them.
  EXPECT_EXIT(ExitWithPluginsSeen(dir, QImage(png)), ::testing::ExitedWithCode(1), "");
}

}  // namespace
