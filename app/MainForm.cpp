// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMouseEvent>
#include <QScreen>

#include "Announcer.h"
#include "Application.h"
#include "Division.h"
#include "HintTracker.h"
#include "IniFile.h"
#include "Logo.h"
#include "MessageBox.h"
#include "Paths.h"
#include "PupilList.h"
#include "QtEncoding.h"
#include "ShellOpen.h"
#include "WidgetAccessibility.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#include <emscripten/bind.h>

#include <QApplication>
#include <initializer_list>
#endif

namespace {

constexpr const char* kStatusText = "Brimsel, Nederlandstalige educatieve software";
constexpr const char* kNoListCaption = "<Nog geen lijst gekozen>";
constexpr const char* kNoPupilsCaption = "<Geen leerlingen>";

#ifdef __EMSCRIPTEN__
// Qt's elements for the number box and the labels in a page's accessibility tree have neither
// the box's name and bounds nor the labels' texts: the page gives them to them. The bodies are
// JavaScript, which clang-format would break.
// clang-format off
EM_JS(void, DescribeNumberBoxInPage, (const char* id, const char* name, int value, int minimum,
                                     int maximum), {
  const page = globalThis.kwindelPage;
  if (page && page.describeNumberBox)
    page.describeNumberBox(UTF8ToString(id), UTF8ToString(name), value, minimum, maximum);
});
EM_JS(void, DescribeLabelInPage, (const char* id, const char* name, const char* text), {
  const page = globalThis.kwindelPage;
  if (page && page.describeLabel)
    page.describeLabel(UTF8ToString(id), UTF8ToString(name), UTF8ToString(text));
});
// Tab past the window's last control (Shift+Tab before its first) goes on in the page.
EM_JS(void, LeaveWindowInPage, (bool forward), {
  const page = globalThis.kwindelPage;
  if (page && page.leaveWindow) page.leaveWindow(forward);
});
// clang-format on
#endif

std::string ExecutableFile() {
  std::string path = kwindel::ExecutablePath();
  if (path.empty()) path = kwindel::EncodeName(QCoreApplication::applicationFilePath());
  return path;
}

// Runs a creation, show or destruction step, or a handler; a failure is shown
// and the program goes on. A handler's failure is caught here, before it could
// unwind through Qt's own event and signal code: that code is not written for
// exceptions, and unwinding through it skips its clean-up and leaks what it holds.
template <class Step>
void RunShowingFailure(Step step) {
  try {
    step();
  } catch (...) {
    Application::ShowException(std::current_exception());
  }
}

}  // namespace

// Resources of a static library are not linked in unless something refers to them.
static void InitResources() {
  Q_INIT_RESOURCE(app);
}

TfMainServices TfMainServices::Desktop() {
  TfMainServices services;
  services.ExecutablePath = ExecutableFile();
  services.ShowMessage = [](const QString& caption, const QString& text) {
    ShowMessageBox(QMessageBox::NoIcon, caption, text);
  };
  services.OpenDocument = kwindel::OpenDocument;
  return services;
}

TfMain::TfMain(kwindel::RandomSource& random, TfMainServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      FRandom(random),
      FServices(std::move(services)) {
  InitResources();
  // Before the labels and the status bar are made: their interfaces read what they show.
  kwindel::InstallWidgetAccessibility();
  setupUi(this);
  setFixedSize(450, 291);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(19);
  setFont(font);
  Stat->setFont(font);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Button));
  setPalette(colours);
  setAutoFillBackground(true);

  OpenDialog = std::make_unique<TOpenDialog>(FServices.RunOpenDialog);
  OpenDialog->Title = QStringLiteral("Kies een leerlingenlijst");
  OpenDialog->Filter = QStringLiteral("Leerlingenlijst (*.lll)");
  OpenDialog->DefaultExt = QStringLiteral("lll");
  OpenDialog->InitialDir = "c:\\lijsten";

  Stat->showMessage(kStatusText);
  FHints = new HintTracker(Stat);
  FAnnouncer = new Announcer(this);
  ShowLogo();
  iLogo->installEventFilter(this);

  connect(bStop, &QPushButton::clicked, this,
          [this] { RunShowingFailure([this] { bStopClick(bStop); }); });
  connect(pKies, &QPushButton::clicked, this,
          [this] { RunShowingFailure([this] { pKiesClick(pKies); }); });
  connect(bKwindel, &QPushButton::clicked, this,
          [this] { RunShowingFailure([this] { bKwindelClick(bKwindel); }); });
  connect(LMDSpinEdit, &TLMDSpinEdit::OnChange, this, [this](TLMDSpinEdit* sender) {
    RunShowingFailure([this, sender] { LMDSpinEditChange(sender); });
  });

  RunShowingFailure([this] { FormCreate(this); });
}

TfMain::~TfMain() {
  RunShowingFailure([this] { FormDestroy(this); });
}

void TfMain::FormCreate(QObject*) {
  FPupils = std::make_unique<kwindel::StringList>();
  FReport = std::make_unique<kwindel::StringList>();
  FAppDir = kwindel::FolderOf(FServices.ExecutablePath);
  kwindel::SetCurrentFolder(FAppDir);  // a failure changes nothing that matters
  const std::string name = kwindel::FileNameOf(FServices.ExecutablePath);
  FAppBaseName = name.substr(0, name.rfind('.'));
  ReadSettings();
}

void TfMain::FormShow(QObject*) {
  FRandom.Randomize();
  bKwindel->hide();
  FListFileName.clear();
  FNextGroupNo = 1;
  ShowCaption(lBestand, kNoListCaption);
  ShowCaption(lLeerlingen, kNoPupilsCaption);
  LMDSpinEdit->SetMinValue(2);
  LMDSpinEdit->SetValue(2);
  FGroupCount = LMDSpinEdit->GetValue();
  DescribeNumberBox();
}

void TfMain::FormDestroy(QObject*) {
  // The lists go even when the settings cannot be written.
  struct FreeLists {
    TfMain* form;
    ~FreeLists() {
      form->FPupils.reset();
      form->FReport.reset();
    }
  } freeLists{this};
  WriteSettings();
}

void TfMain::pKiesClick(QObject*) {
  OpenDialog->InitialDir = FListDir;
  // A browser's file picker answers from the event loop, after this handler has returned: the
  // answer is a handler of its own.
  OpenDialog->Execute(
      [this](bool chosen) { RunShowingFailure([this, chosen] { ListChosen(chosen); }); });
}

void TfMain::ListChosen(bool chosen) {
  // The keyboard comes back from the dialog, also where no window manager gives it back.
  activateWindow();
  if (!chosen) {
    ShowCaption(lBestand, kNoListCaption);
    ShowCaption(lLeerlingen, kNoPupilsCaption);
    FAnnouncer->Announce(QStringLiteral("Geen lijst gekozen."));
    return;
  }
  FListFileName = OpenDialog->FileName;
  ShowCaption(lBestand, kwindel::DecodeName(FListFileName));
  FListDir = kwindel::FolderOf(FListFileName);
  try {
    LoadPupilList();
  } catch (...) {
    // The earlier list's pupils must not be divided under this list's name: no division is
    // offered until a list loads.
    FPupils->Clear();
    ShowCaption(lLeerlingen, kNoPupilsCaption);
    bKwindel->hide();
    throw;
  }
  const std::int32_t pupils = FPupils->Count();
  LMDSpinEdit->SetMaxValue(pupils);
  ShowCaption(lLeerlingen, QString::number(pupils) + QStringLiteral(" leerlingen"));
  bKwindel->setVisible(LMDSpinEdit->GetValue() < pupils);
  DescribeNumberBox();
  FAnnouncer->Announce(lBestand->text() + QStringLiteral(": ") + lLeerlingen->text() +
                       QStringLiteral(". ") + DivisionOffer());
}

void TfMain::LMDSpinEditChange(QObject*) {
  FGroupCount = LMDSpinEdit->GetValue();
  if (FGroupCount > LMDSpinEdit->GetMaxValue()) {
    LMDSpinEdit->SetValue(LMDSpinEdit->GetMaxValue());
  } else if (FGroupCount < LMDSpinEdit->GetMinValue()) {
    LMDSpinEdit->SetValue(LMDSpinEdit->GetMinValue());
  }
  LMDSpinEdit->repaint();
  FGroupCount = LMDSpinEdit->GetValue();
  const bool offered = !bKwindel->isHidden();
  bKwindel->setVisible(FGroupCount < FPupils->Count());
  DescribeNumberBox();
  // Tab would just skip the button: a screen reader says when it comes or goes.
  if (bKwindel->isHidden() == offered) FAnnouncer->Announce(DivisionOffer());
}

void TfMain::bKwindelClick(QObject*) {
  if (FDividing) return;
  {
    // The pump after each member keeps the window painting, but input must wait:
    // a second division or a new list inside the pump would empty the pupils
    // half-way and corrupt the report.
    FDividing = true;
    qApp->installEventFilter(this);
    struct EndDivision {
      TfMain* form;
      ~EndDivision() {
        qApp->removeEventFilter(form);
        form->FDividing = false;
      }
    } endDivision{this};

    // Every report numbers its groups from 1, also one that follows a failed save.
    FNextGroupNo = 1;
    Division().RunKeepingPupils(FListFileName, FGroupCount);
  }
  FReport->SaveToFile(ReportPath());
  // Only a saved report uses the pupils up: after a failed save the window still holds them, as
  // it shows, and Kwindel divides them again.
  FPupils->Clear();
  hide();
  FServices.OpenDocument(ReportPath());
  show();
  // The divide button is hidden now: the keyboard goes on at the next list. The button lost the
  // focus unseen, in the hidden window, and so would still report itself the default button.
  bKwindel->setDefault(false);
  pKies->setFocus();
  raise();
  activateWindow();
  KeepActive();
  FAnnouncer->Announce(QStringLiteral("Het verslag is geschreven en geopend."));
}

void TfMain::KeepActive() {
  // A window that keeps the keyboard through a hide and a show is still the focus window to Qt's
  // window layer, but no longer the active window to its widgets, which then give it no focus and
  // tell a screen reader it is inactive. Qt offers only this call to set them right.
  if (QGuiApplication::focusWindow() != windowHandle() || isActiveWindow()) return;
  QT_WARNING_PUSH
  QT_WARNING_DISABLE_DEPRECATED
  QApplication::setActiveWindow(this);
  QT_WARNING_POP
}

void TfMain::bStopClick(QObject*) {
  close();
}

void TfMain::iLogoClick(QObject*) {
  FServices.ShowMessage(QCoreApplication::applicationName(), QString::fromUtf8(kLogoMessage));
}

void TfMain::LoadPupilList() {
  kwindel::LoadPupilList(*FPupils, FListFileName);
}

kwindel::Division TfMain::Division() {
#ifdef KWINDEL_BENCH_NO_PUMP
  // Only in the benchmark that sets the division's cost without a pump beside it.
  return {*FPupils, *FReport, FNextGroupNo, FRandom, {}};
#else
  // Processing events takes microseconds and placing a member nanoseconds, so the pump runs
  // after the first member and then once every few milliseconds: the window still repaints
  // while a large division runs, and the pump no longer costs more than the division itself.
  return {*FPupils, *FReport, FNextGroupNo, FRandom,
          kwindel::PacedPump([] { QCoreApplication::processEvents(); })};
#endif
}

void TfMain::ReadSettings() {
  const std::string path = SettingsPath();
  if (!kwindel::FileExists(path)) {
    FListDir = "C:\\lijsten\\";
    return;
  }
  kwindel::IniFile settings(path);
  settings.UpdateFile();
  FListDir = settings.ReadString("Gebruik", "Lijstendir", "c:\\lijsten\\");
}

void TfMain::WriteSettings() {
  kwindel::IniFile settings(SettingsPath());
  settings.WriteString("Gebruik", "Lijstendir", FListDir);
  settings.UpdateFile();
}

void TfMain::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    RunShowingFailure([this] { FormShow(this); });
    if (!FShownBefore) {
      FShownBefore = true;
      if (QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
      }
    }
  }
  QWidget::showEvent(event);
}

void TfMain::closeEvent(QCloseEvent* event) {
  if (FDividing) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

#ifdef __EMSCRIPTEN__
QWidget* TfMain::FocusEdge(bool last) const {
  QWidget* edge = nullptr;
  for (QWidget* control : std::initializer_list<QWidget*>{bStop, pKies, LMDSpinEdit, bKwindel}) {
    if (control->isVisible() && control->isEnabled() && (last || !edge)) edge = control;
  }
  return edge;
}

bool TfMain::focusNextPrevChild(bool next) {
  // In a page the window is one stop among the page's own: Tab past its last control (Shift+Tab
  // before its first) moves on to the page around it.
  QWidget* edge = FocusEdge(next);
  QWidget* focused = focusWidget();
  if (edge && focused && (focused == edge || edge->isAncestorOf(focused))) {
    LeaveWindowInPage(next);
    return true;
  }
  return QWidget::focusNextPrevChild(next);
}

void TfMain::EnterByTab(bool forward) {
  // Tab from the page before the window lands on its first control, Shift+Tab from the page
  // after it on its last, as in any group of controls on a page.
  if (QWidget* edge = FocusEdge(!forward)) {
    edge->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  }
}

namespace {

void EnterWindowByTab(bool forward) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<TfMain*>(window)) main->EnterByTab(forward);
  }
}

EMSCRIPTEN_BINDINGS(kwindel_window_focus) {
  emscripten::function("kwindelEnterWindowByTab", &EnterWindowByTab);
}

}  // namespace
#endif

bool TfMain::eventFilter(QObject* watched, QEvent* event) {
  if (FDividing && (event->isInputEvent() || event->type() == QEvent::Close)) return true;
  // A move to a screen of another pixel ratio (or a change of its ratio) is seen at the next paint.
  if (watched == iLogo && event->type() == QEvent::Paint && !iLogo->pixmap().isNull() &&
      iLogo->pixmap().devicePixelRatio() != iLogo->devicePixelRatioF()) {
    ShowLogo();
  }
  if (watched == iLogo && event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && iLogo->rect().contains(mouse->position().toPoint())) {
      RunShowingFailure([this] { iLogoClick(iLogo); });
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

std::string TfMain::ReportPath() const {
  return FAppDir + FAppBaseName + ".txt";
}

std::string TfMain::SettingsPath() const {
  return FAppDir + FAppBaseName + ".ini";
}

void TfMain::ShowCaption(QLabel* label, const QString& text) {
  // The label's width follows its text, so a long path runs past the window's edge.
  label->setText(text);
  label->resize(label->sizeHint().width(), label->height());
#ifdef __EMSCRIPTEN__
  // Named as a screen reader on the desktop names it: by what it shows, unless it has a name.
  const QString name = label->accessibleName().isEmpty() ? text : label->accessibleName();
  DescribeLabelInPage(label->objectName().toUtf8().constData(), name.toUtf8().constData(),
                      text.toUtf8().constData());
#endif
}

void TfMain::DescribeNumberBox() {
#ifdef __EMSCRIPTEN__
  DescribeNumberBoxInPage(LMDSpinEdit->objectName().toUtf8().constData(),
                          LMDSpinEdit->accessibleName().toUtf8().constData(), FGroupCount,
                          LMDSpinEdit->GetMinValue(), LMDSpinEdit->GetMaxValue());
#endif
}

QString TfMain::DivisionOffer() const {
  if (!bKwindel->isHidden()) {
    return QStringLiteral("Knop Kwindel beschikbaar: %1 groepjes uit %2 leerlingen.")
        .arg(FGroupCount)
        .arg(FPupils->Count());
  }
  return QStringLiteral(
             "Knop Kwindel verborgen: het aantal groepjes (%1) is niet kleiner dan het aantal "
             "leerlingen (%2).")
      .arg(FGroupCount)
      .arg(FPupils->Count());
}

void TfMain::ShowLogo() {
  // Drawn for the pixels it lands on: a picture stretched to a 2× screen would be soft.
  const QPixmap logo = LogoPixmap(iLogo->devicePixelRatioF());
  iLogo->setPixmap(logo);
  if (!logo.isNull()) iLogo->resize(logo.deviceIndependentSize().toSize());
}
