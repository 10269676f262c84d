// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>

#include <filesystem>
#include <iostream>

#ifdef _WIN32
#include <windows.h>
#endif

#include "FullFolder.h"
#include "MainFormFixture.h"
#include "QtEncoding.h"
#include "Utf16File.h"

namespace {

using kwindel::test::FullFolder;
using kwindel::test::kSeparator;
using kwindel::test::ReadFile;
using kwindel::test::WriteFile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using SettingsTest = MainFormTest;

TEST_F(SettingsTest, FirstRunOffersTheDefaultAndStoresIt) {
  auto form = MakeForm();
  Choose(*form, std::nullopt);
  EXPECT_THAT(offeredFolders, ElementsAre("C:\\lijsten\\"));
  form.reset();
  EXPECT_EQ(ReadFile(dir / "Kwindel.ini"), "[Gebruik]\r\nLijstendir=C:\\lijsten\\\r\n");
  EXPECT_THAT(failures, IsEmpty());
}

TEST_F(SettingsTest, TheLastListsFolderIsOfferedNextRun) {
  std::filesystem::create_directory(dir / "Klas 5");
  auto form = MakeForm();
  Choose(*form, WriteList("Klas 5/groep.lll", "A\r\n"));
  Choose(*form, std::nullopt);
  EXPECT_EQ(offeredFolders.back(), dir / "Klas 5/");
  form.reset();
  EXPECT_EQ(ReadFile(dir / "Kwindel.ini"), "[Gebruik]\r\nLijstendir=" + (dir / "Klas 5/") + "\r\n");

  offeredFolders.clear();
  form = MakeForm();
  Choose(*form, std::nullopt);
  EXPECT_THAT(offeredFolders, ElementsAre(dir / "Klas 5/"));
}

TEST_F(SettingsTest, ReadsWhatIsStoredAndWritesItBackLineForLine) {
  struct Case {
    const char* name;
    std::string before;
    std::string offered;
    std::string after;
  };
  const Case cases[] = {
      {"other letter case, hand-edited value without a separator",
       "[gEBRUIK]\r\nLIJSTENDIR=/home/juf/lijsten\r\n", "/home/juf/lijsten",
       "[gEBRUIK]\r\nLIJSTENDIR=/home/juf/lijsten\r\n"},
      {"other sections and blank lines kept, the section added",
       "[Venster]\r\nLinks=10\r\n\r\n; opmerking\n[Kleur]\nrood=1\n", "c:\\lijsten\\",
       "[Venster]\r\nLinks=10\r\n\r\n; "
       "opmerking\n[Kleur]\nrood=1\n[Gebruik]\r\nLijstendir=c:\\lijsten\\\r\n"},
      {"the key missing from its section", "[Gebruik]\r\nAnder=1\r\n", "c:\\lijsten\\",
       "[Gebruik]\r\nAnder=1\r\nLijstendir=c:\\lijsten\\\r\n"},
      {"random bytes", std::string("\xFF\x00\x01[[=\r", 7), "c:\\lijsten\\",
       std::string("\xFF\x00\x01[[=\r", 7) + "[Gebruik]\r\nLijstendir=c:\\lijsten\\\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    offeredFolders.clear();
    WriteFile(dir / "Kwindel.ini", c.before);
    auto form = MakeForm();
    Choose(*form, std::nullopt);  // cancelled: the value read goes back
    EXPECT_THAT(offeredFolders, ElementsAre(c.offered));
    form.reset();
    EXPECT_EQ(ReadFile(dir / "Kwindel.ini"), c.after);
  }
}

TEST_F(SettingsTest, AFailedWriteIsShownAndTheOldFileStays) {
  if (FullFolder::Possible()) {
    FullFolder disk(dir, "schijf");
    const std::string settings = disk.path() + kSeparator + "Kwindel.ini";
    const std::string old = "[Gebruik]\r\nLijstendir=/oud/\r\n";
    WriteFile(settings, old);
    disk.Fill();
    TfMainServices services = Services();
    services.ExecutablePath = disk.path() + kSeparator + "Kwindel";
    auto form = std::make_unique<TfMain>(random, services);
    form->show();
    Choose(*form, WriteList("klas.lll", "A\r\n"));
    {
      auto full = disk.Arm();
      form.reset();
    }
    EXPECT_THAT(failures, ElementsAre(Message("Kwindel", kwindel::DecodeName("Unable to write to " +
                                                                             settings + "."))));
    EXPECT_EQ(ReadFile(settings), old);
  } else {
    std::cout << "the full disk is not tried: " << kwindel::test::kNoFullDisk << '\n';
  }

  failures.clear();
  auto form = MakeForm("Ander");
  std::filesystem::create_directory(dir / "Ander.ini");  // a folder where the file must go
  form.reset();
  EXPECT_THAT(failures,
              ElementsAre(Message("Kwindel", QString::fromStdString("Unable to write to " +
                                                                    (dir / "Ander.ini") + "."))));
}

// A folder beyond the ANSI code page comes back whole at the next start. On
// Windows the settings are then Unicode, which Windows' own reader reads too;
// on Linux they hold the folder's bytes, as ever.
TEST_F(SettingsTest, AFolderBeyondTheAnsiCodePageIsRememberedWhole) {
  const std::string folder = dir / "Gülşen";  // in UTF-8, as the source is
  std::filesystem::create_directory(kwindel::test::PathOf(folder));
  auto form = MakeForm();
  Choose(*form, WriteList("Gülşen" + std::string(1, kSeparator) + "klas.lll", "A\r\n"));
  form.reset();
  EXPECT_THAT(failures, IsEmpty());
#ifdef _WIN32
  const std::filesystem::path settings = kwindel::test::PathOf(dir / "Kwindel.ini");
  const std::u16string wide = kwindel::test::PathOf(folder).u16string() + u"\\";
  EXPECT_EQ(ReadFile(dir / "Kwindel.ini"),
            kwindel::test::Utf16File(u"[Gebruik]\r\nLijstendir=" + wide + u"\r\n", false));
  wchar_t value[2048] = {};
  GetPrivateProfileStringW(L"Gebruik", L"Lijstendir", L"", value, 2048, settings.c_str());
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(value)), wide);
#else
  EXPECT_EQ(ReadFile(dir / "Kwindel.ini"), "[Gebruik]\r\nLijstendir=" + folder + "/\r\n");
#endif

  form = MakeForm();
  Choose(*form, std::nullopt);
  EXPECT_THAT(offeredFolders, ElementsAre("C:\\lijsten\\", folder + kSeparator));
}

TEST_F(SettingsTest, AnotherExecutableNameUsesItsOwnFile) {
  WriteFile(dir / "Kwindel.ini", "[Gebruik]\r\nLijstendir=/van/kwindel/\r\n");
  auto form = MakeForm("Groepjes");
  Choose(*form, std::nullopt);
  EXPECT_THAT(offeredFolders, ElementsAre("C:\\lijsten\\"));
  form.reset();
  EXPECT_EQ(ReadFile(dir / "Groepjes.ini"), "[Gebruik]\r\nLijstendir=C:\\lijsten\\\r\n");
  EXPECT_EQ(ReadFile(dir / "Kwindel.ini"), "[Gebruik]\r\nLijstendir=/van/kwindel/\r\n");
}

}  // namespace
