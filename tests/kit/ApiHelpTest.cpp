// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QHelpEngineCore>
#include <QHelpLink>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "TempDir.h"

// The kit's Qt help file, registered as Qt Creator registers the help files it
// finds in Qt's documentation folder. F1 on a name in Creator's editor asks
// the help engine for the documents of that identifier.

namespace {

class ApiHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.setReadOnly(false);
    ASSERT_TRUE(engine.setupData()) << engine.error().toStdString();
    ASSERT_TRUE(engine.registerDocumentation(QStringLiteral(KWINDEL_KIT_QCH)))
        << engine.error().toStdString();
  }

  kwindel::test::TempDir dir;
  QHelpEngineCore engine{QString::fromStdString(dir / "help.qhc")};
};

TEST_F(ApiHelp, F1OnAKitNameFindsItsPage) {
  struct Case {
    const char* identifier;
    const char* pageShows;
  };
  const Case cases[] = {
      {"TTimeout", "A countdown shown as a ring."},
      {"TWaveQueuePlayer", "Plays short wave sounds one after another"},
      {"THoverButton", "A button drawn entirely from three bitmaps"},
      {"TBackgroundPanel", "A container panel with a tiled background picture."},
      {"TPicture", "Holds one graphic or nothing"},
      {"THoverButton::SetState", "queues the change's sound and repaints at once"},
      {"TTimeout::Timeout", "5000 by default"},
      {"TTimeout::Position", "10 by default"},
      {"TBackgroundPanel::bvSpace", "A blank ring"},
      {"kwindel::Exception", "What the kit raises on misuse"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.identifier);
    const QList<QHelpLink> links = engine.documentsForIdentifier(c.identifier);
    ASSERT_EQ(links.size(), 1);
    const QString page = QString::fromUtf8(engine.fileData(links[0].url));
    EXPECT_TRUE(page.contains(c.pageShows)) << links[0].url.toString().toStdString();
  }
}

// Creator shows a blank gap for a picture the help file does not hold.
TEST_F(ApiHelp, TheFirstPageShowsPicturesTheHelpFileHolds) {
  const QList<QHelpLink> links = engine.documentsForIdentifier("TTimeout");
  ASSERT_EQ(links.size(), 1);
  const QUrl first = links[0].url.resolved(QUrl(QStringLiteral("index.html")));
  const QString page = QString::fromUtf8(engine.fileData(first));
  ASSERT_FALSE(page.isEmpty()) << first.toString().toStdString();

  static const QRegularExpression image(QStringLiteral("<img [^>]*src=\"([^\"]+)\""));
  QStringList pictures;
  for (const QRegularExpressionMatch& match : image.globalMatch(page)) {
    pictures << match.captured(1);
    SCOPED_TRACE(match.captured(1).toStdString());
    EXPECT_FALSE(engine.fileData(first.resolved(QUrl(match.captured(1)))).isEmpty());
  }
  EXPECT_TRUE(pictures.contains("designer.png")) << pictures.join(' ').toStdString();
}

}  // namespace
