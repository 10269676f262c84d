// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Application.h"
#include "MainForm.h"
#include "TempDir.h"

// Reads the window's own fields.
class TfMainProbe {
 public:
  static const std::string& ListFileName(const TfMain& form) { return form.FListFileName; }
  static const std::string& ListDir(const TfMain& form) { return form.FListDir; }
  static const std::string& AppDir(const TfMain& form) { return form.FAppDir; }
  static const std::string& AppBaseName(const TfMain& form) { return form.FAppBaseName; }
  static kwindel::StringList& Pupils(TfMain& form) { return *form.FPupils; }
  static std::int32_t GroupCount(const TfMain& form) { return form.FGroupCount; }
  static std::int32_t NextGroupNo(const TfMain& form) { return form.FNextGroupNo; }
  static HintTracker& Hints(TfMain& form) { return *form.FHints; }
};

// A window in a folder of its own, with the dialog, the message box, the shell
// and the exception display answered by the test.
class MainFormTest : public ::testing::Test {
 protected:
  using Message = std::pair<QString, QString>;  // caption, text

  MainFormTest() {
    Application()->SetExceptionDisplay([this](const QString& caption, const QString& text) {
      failures.emplace_back(caption, text);
    });
  }
  ~MainFormTest() override { Application()->SetExceptionDisplay({}); }

  static ::Application* Application() { return qobject_cast<::Application*>(qApp); }

  TfMainServices Services(const std::string& executableName = "Kwindel") {
    TfMainServices services;
    services.ExecutablePath = dir / executableName;
    services.RunOpenDialog = TOpenDialog::Modal([this](const TOpenDialog& dialog) {
      offeredFolders.push_back(dialog.InitialDir);
      EXPECT_FALSE(dialogAnswers.empty()) << "the dialog ran unexpectedly";
      if (dialogAnswers.empty()) return std::optional<std::string>();
      auto answer = dialogAnswers.front();
      dialogAnswers.pop_front();
      return answer;
    });
    services.ShowMessage = [this](const QString& caption, const QString& text) {
      messages.emplace_back(caption, text);
    };
    services.OpenDocument = [this](const std::string& path) { opened.push_back(path); };
    return services;
  }

  std::unique_ptr<TfMain> MakeForm(const std::string& executableName = "Kwindel") {
    auto form = std::make_unique<TfMain>(random, Services(executableName));
    form->show();
    return form;
  }

  std::string WriteList(const std::string& name, const std::string& content) {
    std::string path = dir / name;
    kwindel::test::WriteFile(path, content);
    return path;
  }

  static std::string Pupils(int count) {
    std::string content;
    for (int i = 1; i <= count; ++i)
      content += "leerling " + std::to_string(i) + "\r\n";
    return content;
  }

  // Presses "Kies" and answers the dialog (nothing: cancelled).
  void Choose(TfMain& form, std::optional<std::string> answer) {
    dialogAnswers.push_back(std::move(answer));
    QTest::mouseClick(form.pKies, Qt::LeftButton);
  }

  kwindel::test::TempDir dir;
  std::int64_t clockSeconds = 1;
  kwindel::RandomSource random{[this] { return clockSeconds; }};
  std::deque<std::optional<std::string>> dialogAnswers;
  std::vector<std::string> offeredFolders;
  std::vector<Message> messages;
  std::vector<std::string> opened;
  std::vector<Message> failures;
};
