// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Division.h"
#include "RandomSource.h"
#include "StringList.h"
#include "TOpenDialog.h"
#include "ui_MainForm.h"

class Announcer;
class HintTracker;

// What the main window asks of the desktop; tests replace each part.
struct TfMainServices {
  // The executable's own full path; its folder and name place the report and
  // the settings file.
  std::string ExecutablePath;
  TOpenDialog::Runner RunOpenDialog = TOpenDialog::RunFileDialog;
  // The logo's message: caption, no icon, one OK button, centred on the screen.
  std::function<void(const QString& caption, const QString& text)> ShowMessage;
  // Hands a document to the desktop's default viewer; the result is ignored.
  std::function<void(const std::string& path)> OpenDocument;

  // The real desktop.
  static TfMainServices Desktop();
};

// The program's one window: choose a pupil list, set the number of groups,
// divide. It owns all of the program's state.
class TfMain : public QWidget, public Ui::TfMain {
  Q_OBJECT

 public:
  TfMain(kwindel::RandomSource& random, TfMainServices services, QWidget* parent = nullptr);
  ~TfMain() override;

  // Handlers take the sending object and ignore it.
  void FormCreate(QObject* Sender);
  void FormShow(QObject* Sender);
  void FormDestroy(QObject* Sender);
  void pKiesClick(QObject* Sender);
  void LMDSpinEditChange(QObject* Sender);
  void bKwindelClick(QObject* Sender);
  void bStopClick(QObject* Sender);
  void iLogoClick(QObject* Sender);

  void LoadPupilList();
  void ReadSettings();
  void WriteSettings();

#ifdef __EMSCRIPTEN__
  // The page's Tab (forward) or Shift+Tab has moved the focus into the window.
  void EnterByTab(bool forward);
#endif

  static constexpr const char* kLogoMessage =
      "Brimsel\nEducatieve software\nbezoek: https://www.brimsel.nl";

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
#ifdef __EMSCRIPTEN__
  bool focusNextPrevChild(bool next) override;
#endif

 private:
  friend class TfMainProbe;  // tests read the program's fields

  void ListChosen(bool chosen);
#ifdef __EMSCRIPTEN__
  // The first or last of the controls that Tab reaches.
  QWidget* FocusEdge(bool last) const;
#endif
  kwindel::Division Division();
  std::string ReportPath() const;
  std::string SettingsPath() const;
  void ShowCaption(QLabel* label, const QString& text);
  // Tells a page's screen reader the number box's name, number and bounds (ShowCaption: the
  // label's text); nothing elsewhere.
  void DescribeNumberBox();
  void KeepActive();
  QString DivisionOffer() const;
  void ShowLogo();

  std::unique_ptr<TOpenDialog> OpenDialog;

  std::string FListFileName;
  std::string FListDir;
  std::unique_ptr<kwindel::StringList> FReport;
  std::int32_t FGroupCount = 0;
  std::unique_ptr<kwindel::StringList> FPupils;
  std::int32_t FNextGroupNo = 0;
  std::string FAppDir;
  std::string FAppBaseName;

  kwindel::RandomSource& FRandom;
  TfMainServices FServices;
  HintTracker* FHints = nullptr;
  Announcer* FAnnouncer = nullptr;
  bool FShownBefore = false;
  bool FDividing = false;
};
