// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Pupil lists that cannot be read, odd bytes, odd paths and a very large list,
// through the main window and through kwindel_divide.

#include <gmock/gmock.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Encoding.h"
#include "Faults.h"
#include "MainFormFixture.h"
#include "Paths.h"
#include "QtEncoding.h"
#include "Utf16File.h"

namespace {

using kwindel::AnsiFromName;
using kwindel::test::kSeparator;
using kwindel::test::PathOf;
using kwindel::test::ReadFile;
using kwindel::test::RunDivide;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAreArray;

using ListFaults = MainFormTest;

// The report's lines, each without its CR LF; the report must end in one.
std::vector<std::string> ReportLines(const std::string& report) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(report.substr(start, end - start));
  EXPECT_EQ(start, report.size()) << "every line ends in CR LF";
  return lines;
}

std::vector<std::string> Members(const std::vector<std::string>& lines) {
  std::vector<std::string> members;
  for (const std::string& line : lines) {
    if (line.starts_with("\t")) members.push_back(line.substr(1));
  }
  return members;
}

TEST_F(ListFaults, AListThatCannotBeReadIsReportedAndOffersNoDivision) {
  kwindel::test::WriteFile(dir / "bestand", "A\r\n");
  struct Case {
    const char* name;
    std::string path;
  };
#ifdef _WIN32
  const Case cases[] = {
      {"a folder", dir.path()},
      {"a device", "NUL"},
      {"a path through a file", dir / "bestand\\klas.lll"},
  };
#else
  ASSERT_EQ(::mkfifo((dir / "fifo.lll").c_str(), 0644), 0);
  std::filesystem::create_symlink(dir / "weg.lll", dir / "link.lll");
  const Case cases[] = {
      {"a folder", dir.path()},
      {"a FIFO, which would block a plain read", dir / "fifo.lll"},
      {"a device that never ends", "/dev/zero"},
      {"a path through a file", dir / "bestand/klas.lll"},
      {"a link to nothing", dir / "link.lll"},
  };
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    failures.clear();
    auto form = MakeForm();
    Choose(*form, WriteList("klas.lll", Pupils(3)));
    Choose(*form, c.path);
    EXPECT_THAT(failures, ElementsAre(Message(
                              "Kwindel", kwindel::DecodeName("Cannot open file " + c.path + "."))));
    EXPECT_EQ(TfMainProbe::Pupils(*form).Count(), 0) << "the earlier pupils are gone";
    EXPECT_EQ(form->lLeerlingen->text(), "<Geen leerlingen>");
    EXPECT_FALSE(form->bKwindel->isVisible());

    auto outcome = RunDivide({c.path, "2", "1", dir / "uit.txt"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.errors, "Cannot open file " + c.path + "\n");
    EXPECT_FALSE(std::filesystem::exists(PathOf(dir / "uit.txt")));
  }
}

// Pupil lines are bytes: whatever they hold reaches the report unchanged, and
// so does the list's path, whatever it holds (on Windows the report of a list
// in UTF-8 or UTF-16 is UTF-8 with a byte-order mark).
TEST_F(ListFaults, NamesAndPathsReachTheReportByteForByte) {
  using namespace std::string_literals;
  struct Case {
    const char* name;
    std::string folder;   // of the list; the report names the list's full path
    std::string program;  // the executable, within the test's folder
    std::string content;
    std::vector<std::string> pupils;
    bool unicode;  // the list is UTF-8 or UTF-16
  };
  const Case cases[] = {
#ifdef _WIN32
    {"code page 1252 in the names and the list's path, beyond it in the program's",
     "Klas 5b 'Zo\xC3\xAB'",
     "Programma \xC3\xA9\xC3\xA9n \xC5\x81ucja/Kwindel \xC3\xAB",
#else
    {"code page 1252: quotes, TABs and spaces, in the names and the paths",
     "Klas 5b 'Zo\xEB'",
     "Programma \xE9\xE9n/Kwindel \xEB",
#endif
     "Jos\xE9 \x93"
     "Bram\x94 de Vries\r\n\tAnn\xEB 'Zo\xEB'  \r\n\"Pi\xEBt\"\tJansen\r\n"
     ";commentaar\r\n",
     {"Jos\xE9 \x93"
      "Bram\x94 de Vries",
      "\tAnn\xEB 'Zo\xEB'  ", "\"Pi\xEBt\"\tJansen"},
     false},
    {"UTF-8: quotes, TABs and spaces, in the names and the paths",
     "Klas 5 \xE2\x80\x93 Zo\xC3\xAB",
     "Mijn programma's/Kw\xC3\xAFndel",
     "Zo\xC3\xAB \xE2\x80\x9C"
     "Anna\xE2\x80\x9D\n\tF\xC3\xA9lix\t\n  \xC3\x85sa \"de\" Boer \n",
     {"Zo\xC3\xAB \xE2\x80\x9C"
      "Anna\xE2\x80\x9D",
      "\tF\xC3\xA9lix\t", "  \xC3\x85sa \"de\" Boer "},
     true},
    {"Notepad's Unicode: UTF-16 with a byte-order mark becomes UTF-8, a comment first",
     "Unicode",
     "Kwindel",
     kwindel::test::Utf16File(u"; groep 7, juf Anaïs\r\nDaniël\r\n\tZoë \r\nŁucja", false),
     {"Dani\xC3\xABl", "\tZo\xC3\xAB ", "\xC5\x81ucja"},
     true},
    {"binary: 0xFF bytes are text, control bytes blanks, the first NUL ends the list",
     "binair",
     "Kwindel",
     "\xFF\xFF\r\n\x01\x02\xFF\r\n\x01\x1F\r\n \xFF \r\n\x80\0\xFF\r\nweg\r\n"s,
     {"\xFF\xFF", "\x01\x02\xFF", " \xFF ", "\x80"},
     false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::create_directories(PathOf(dir / c.folder));
    const std::string programDir = kwindel::FolderOf(dir / c.program);
    std::filesystem::create_directories(PathOf(programDir));
    const std::string list = WriteList(c.folder + "/namen \xC3\xA9\xC3\xA9n.lll", c.content);
    const std::string report = dir / c.program + ".txt";
    // Every list's path fits the ANSI code page here.
    const std::string firstLine = kwindel::kUnicodeBesideAnsi && c.unicode
                                      ? "\xEF\xBB\xBFGebruikte leerlingenlijst: " + list
                                      : "Gebruikte leerlingenlijst: " + AnsiFromName(list);

    auto form = MakeForm(c.program);
    Choose(*form, list);
    EXPECT_EQ(form->lLeerlingen->text(), QString::number(c.pupils.size()) + " leerlingen");
    QTest::mouseClick(form->bKwindel, Qt::LeftButton);
    EXPECT_THAT(failures, IsEmpty());
    EXPECT_THAT(opened, ElementsAre(report));
    opened.clear();
    std::vector<std::string> lines = ReportLines(ReadFile(report));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], firstLine);
    EXPECT_THAT(Members(lines), UnorderedElementsAreArray(c.pupils));
    form.reset();
    EXPECT_EQ(ReadFile(dir / c.program + ".ini"),
              "[Gebruik]\r\nLijstendir=" + AnsiFromName(dir / c.folder + "/") + "\r\n")
        << "the list's folder is stored byte for byte";

    auto outcome = RunDivide({list, "2", "9", dir / "uit 'één'.txt"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
    lines = ReportLines(ReadFile(dir / "uit 'één'.txt"));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], firstLine);
    EXPECT_THAT(Members(lines), UnorderedElementsAreArray(c.pupils));
  }
}

// A class with names beyond the ANSI code page, saved in each encoding Notepad
// offers, in folders within the code page and beyond it. On Windows the report
// is today's 8-bit text for a list in the ANSI code page whose path fits it,
// and UTF-8 with a byte-order mark otherwise, names and path whole; on Linux
// lists and paths are bytes, written as they are. The window and
// kwindel_divide write the same bytes, and the encoding changes no draw.
TEST_F(ListFaults, EachListGivesAReportThatHoldsEveryNameAndItsPathWhole) {
  // The same text in both: the source file is UTF-8.
#define KWINDEL_BOTH(text) text, u"" text
  const auto [utf8, utf16] = std::pair<std::string, std::u16string>(
      KWINDEL_BOTH("; groep 7\r\nDaniël de Jong\r\nZoë Bakker\r\nŞükrü Yılmaz\r\nGülşen Doğan\r\n"
                   "İbrahim Öztürk\r\nŁucja Nowak\r\n"));
#undef KWINDEL_BOTH
  const std::vector<std::string> unicodePupils = {"Daniël de Jong", "Zoë Bakker",
                                                  "Şükrü Yılmaz",   "Gülşen Doğan",
                                                  "İbrahim Öztürk", "Łucja Nowak"};
  // Code page 1252: ë, and the quotation marks that Latin-1 lacks.
  const std::vector<std::string> ansiPupils = {"Dani\xEBl de Jong", "Zo\xEB Bakker",
                                               "\x93Pim\x94 Jansen"};
  const std::vector<std::string> ansiPupilsInUtf8 = {"Daniël de Jong", "Zoë Bakker",
                                                     "“Pim” Jansen"};
  const struct {
    const char* name;
    std::string bytes;
    bool unicode;
  } lists[] = {
      {"UTF-16 LE", kwindel::test::Utf16File(utf16, false), true},
      {"UTF-16 BE", kwindel::test::Utf16File(utf16, true), true},
      {"UTF-8 with a mark", "\xEF\xBB\xBF" + utf8, true},
      {"UTF-8 without a mark", utf8, true},
      {"ANSI", "; groep 7\r\n" + ansiPupils[0] + "\r\n" + ansiPupils[1] + "\r\n" + ansiPupils[2],
       false},
  };
  const struct {
    const char* name;
    bool fitsAnsi;
  } folders[] = {{"Klassen", true}, {"Zoë", true}, {"Gülşen", false}};

  // The members' places in their list, in the order drawn, for each number of pupils.
  std::map<std::size_t, std::vector<std::size_t>> draws;
  for (const auto& folder : folders) {
    std::filesystem::create_directories(PathOf(dir / folder.name));
    for (const auto& l : lists) {
      SCOPED_TRACE(std::string(folder.name) + ", " + l.name);
      const std::string list =
          WriteList(folder.name + std::string(1, kSeparator) + "klas.lll", l.bytes);
      const bool utf8Report = kwindel::kUnicodeBesideAnsi && (l.unicode || !folder.fitsAnsi);
      const std::string header = utf8Report
                                     ? "\xEF\xBB\xBFGebruikte leerlingenlijst: " + list + "\r\n"
                                     : "Gebruikte leerlingenlijst: " + AnsiFromName(list) + "\r\n";
      const std::vector<std::string>& pupils =
          l.unicode ? unicodePupils : (utf8Report ? ansiPupilsInUtf8 : ansiPupils);

      auto form = MakeForm();
      Choose(*form, list);
      QTest::mouseClick(form->bKwindel, Qt::LeftButton);
      form.reset();
      ASSERT_THAT(failures, IsEmpty());
      const std::string report = ReadFile(dir / "Kwindel.txt");
      EXPECT_TRUE(report.starts_with(header)) << report.substr(0, header.size() + 20);
      const std::vector<std::string> lines = ReportLines(report.substr(header.size()));
      EXPECT_THAT(Members(lines), UnorderedElementsAreArray(pupils));
      EXPECT_EQ(report.find("\xEF\xBB\xBF", 1), std::string::npos) << "one mark, at the start";
      std::vector<std::size_t> places;
      for (const std::string& member : Members(lines))
        places.push_back(static_cast<std::size_t>(std::find(pupils.begin(), pupils.end(), member) -
                                                  pupils.begin()));
      EXPECT_EQ(draws.try_emplace(pupils.size(), places).first->second, places);

      // The window seeds from the test's clock: second 1.
      const auto outcome = RunDivide({list, "2", "1", dir / "uit.txt"});
      EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
      EXPECT_EQ(ReadFile(dir / "uit.txt"), report);
    }
  }
}

// The platform's own file dialog hands over a path with spaces and letters
// beyond ASCII exactly as the file system has it.
TEST_F(ListFaults, TheFileDialogHandsOverAPathWithSpacesAndAccents) {
  const std::string folder = dir / "Klas 5 \xE2\x80\x93 Zo\xC3\xAB";
  std::filesystem::create_directories(PathOf(folder));
  const std::string list = folder + kSeparator + "groep \xC3\xA9\xC3\xA9n.lll";
  kwindel::test::WriteFile(list, "A\r\nB\r\nC\r\n");
  kwindel::test::WriteFile(dir / "Kwindel.ini",
                           "[Gebruik]\r\nLijstendir=" + AnsiFromName(folder + kSeparator) + "\r\n");
  TfMainServices services = Services();
  services.RunOpenDialog = TOpenDialog::RunFileDialog;
  TfMain form(random, services);
  form.show();

  // Types the name, as a user would, into the dialog once it is open.
  bool answered = false;
  std::function<void()> answer = [&] {
    auto* box = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!box) return QTimer::singleShot(10, answer);
    EXPECT_EQ(kwindel::EncodeName(box->directory().absolutePath()), folder)
        << "the dialog opens in the remembered folder";
    auto* name = box->findChild<QLineEdit*>("fileNameEdit");
    if (!name) return box->reject();
    name->setText(kwindel::DecodeName(list));
    answered = true;
    QTest::keyClick(name, Qt::Key_Return);
  };
  QTimer::singleShot(0, answer);
  QTest::mouseClick(form.pKies, Qt::LeftButton);
  ASSERT_TRUE(answered);
  EXPECT_THAT(failures, IsEmpty());
  EXPECT_EQ(TfMainProbe::ListFileName(form), list);
  EXPECT_EQ(form.lLeerlingen->text(), "3 leerlingen");
  EXPECT_EQ(TfMainProbe::ListDir(form), folder + kSeparator);
}

TEST_F(ListFaults, AHundredMegabyteListIsDividedWhole) {
  constexpr int kPupils = 1'000'000;
  constexpr std::size_t kLine = 100;  // bytes with CR LF: 100 MB in all
  std::string content;
  content.reserve(kPupils * kLine);
  for (int i = 0; i < kPupils; ++i) {
    std::string line = "leerling " + std::to_string(i) + " ";
    line.resize(kLine - 2, 'x');
    content += line + "\r\n";
  }
  const std::string list = WriteList("groot.lll", content);
  content = std::string();

  auto form = MakeForm();
  Choose(*form, list);
  ASSERT_EQ(form->lLeerlingen->text(), "1000000 leerlingen");
  form->LMDSpinEdit->SetValue(7);
  QTest::mouseClick(form->bKwindel, Qt::LeftButton);
  ASSERT_THAT(failures, IsEmpty());

  const std::vector<std::string> lines = ReportLines(ReadFile(dir / "Kwindel.txt"));
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[1], "Aantal leerlingen dat kwindeld moet worden: 1000000");
  EXPECT_EQ(lines[4], "1 groepje van 142858");
  EXPECT_EQ(lines[5], "6 groepjes van elk 142857");
  std::vector<int> placed(kPupils, 0);
  std::vector<int> sizes;
  for (std::size_t i = 6; i < lines.size(); ++i) {
    if (lines[i].starts_with("Groepje ")) sizes.push_back(0);
    if (!lines[i].starts_with("\tleerling ")) continue;
    ASSERT_FALSE(sizes.empty());
    ++sizes.back();
    const int pupil = std::stoi(lines[i].substr(10));
    ASSERT_EQ(lines[i].size(), kLine - 1);
    ++placed[pupil];
  }
  EXPECT_THAT(sizes, ElementsAre(142858, 142857, 142857, 142857, 142857, 142857, 142857));
  EXPECT_EQ(std::count(placed.begin(), placed.end(), 1), kPupils) << "each pupil placed once";
}

}  // namespace
