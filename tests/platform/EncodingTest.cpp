// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "Encoding.h"
#include "QtEncoding.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kwindel {
namespace {

const QString kPoundsAndNames =
    QString::fromUtf8("\xE2\x82\xAC \xC5\xA1 \xC3\xAB \xC5\x81");  // € š ë Ł

TEST(EncodingTest, WaveNamesAreInTheirCodePage) {
#ifdef _WIN32
  ASSERT_EQ(GetACP(), 1252u) << "run the tests with an ANSI code page of 1252 (LANG=nl_NL.UTF-8)";
#endif
  // Ł is not in the page: it becomes the substitute byte, one per character.
  EXPECT_EQ(ToCodePage(kPoundsAndNames), "\x80 \x9A \xEB \x1A");
  EXPECT_EQ(FromCodePage("\x80 \x9A \xEB"), QString::fromUtf8("\xE2\x82\xAC \xC5\xA1 \xC3\xAB"));
  EXPECT_EQ(FromCodePage("plain"), QStringLiteral("plain"));
}

TEST(EncodingTest, NamesKeepEveryCharacter) {
#ifdef _WIN32
  // UTF-8 inside the program, the ANSI code page in its files.
  const std::string name = "C:\\Klas \xC5\x81ucja\\Zo\xC3\xAB.lll";  // Łucja, Zoë
  EXPECT_EQ(DecodeName(name), QString::fromUtf8(name.c_str()));
  EXPECT_EQ(EncodeName(QStringLiteral("C:/lijsten/klas.lll")), "C:\\lijsten\\klas.lll");
  EXPECT_EQ(EncodeName(DecodeName(name)), name);
  EXPECT_EQ(AnsiFromName(name), "C:\\Klas ?ucja\\Zo\xEB.lll") << "no look-alike L";
  EXPECT_EQ(NameFromAnsi("C:\\Zo\xEB\\"), "C:\\Zo\xC3\xAB\\");
#else
  // The bytes of a name, whatever they are, in the files too.
  const std::string name = "/home/juf/Zo\xC3\xAB/progr\xE9";  // not all UTF-8
  EXPECT_EQ(EncodeName(DecodeName("/home/juf/Zo\xC3\xAB")), "/home/juf/Zo\xC3\xAB");
  EXPECT_EQ(AnsiFromName(name), name);
  EXPECT_EQ(NameFromAnsi(name), name);
#endif
}

}  // namespace
}  // namespace kwindel
