// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QHelpEngineCore>
#include <QHelpLink>
#include <QString>

#include "TempDir.h"

// The kit's Qt help file, registered as Qt Creator registers the help files it
// finds in Qt's documentation folder. F1 on a name in Creator's editor asks
// the help engine for the documents of that identifier.

namespace {

TEST(ApiHelp, F1OnAKitNameFindsItsPage) {
  kwindel::test::TempDir dir;
  QHelpEngineCore engine(QString::fromStdString(dir / "help.qhc"));
  engine.setReadOnly(false);
  ASSERT_TRUE(engine.setupData()) << engine.error().toStdString();
  ASSERT_TRUE(engine.registerDocumentation(QStringLiteral(KWINDEL_KIT_QCH)))
      << engine.error().toStdString();

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
      {"THoverButton::SetState", "Writing the present value does nothing"},
      {"kwindel::Exception", "The program's one failure type"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.identifier);
    const QList<QHelpLink> links = engine.documentsForIdentifier(c.identifier);
    ASSERT_EQ(links.size(), 1);
    const QString page = QString::fromUtf8(engine.fileData(links[0].url));
    EXPECT_TRUE(page.contains(c.pageShows)) << links[0].url.toString().toStdString();
  }
}

}  // namespace
