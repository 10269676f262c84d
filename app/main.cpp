// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLibraryInfo>
#include <QTranslator>

#include "Application.h"
#include "Logo.h"
#include "MainForm.h"
#include "RandomSource.h"
#include "SessionEnd.h"

int main(int argc, char* argv[]) {
#ifdef __EMSCRIPTEN__
  // In a page exec() never returns: Emscripten unwinds main's stack into the browser's event loop
  // by throwing, and with WebAssembly's exceptions that runs the destructors on the way and
  // reaches catch (...). So there main's objects live on the heap, and exec() runs outside the try.
  static int count = argc;
  Application& application = *new Application(count, argv);
  kwindel::RandomSource& random = *new kwindel::RandomSource;
  std::unique_ptr<TfMain>& fMain = *new std::unique_ptr<TfMain>;
  QTranslator& dutch = *new QTranslator;
#else
  Application application(argc, argv);
  kwindel::RandomSource random;  // seeded with 1 until the window's first show
  std::unique_ptr<TfMain> fMain;
  QTranslator dutch;
#endif
  // The end of the session closes the window as Stop does, and destroys it there and then,
  // which stores the settings: on Windows the process may not live to see main's end.
  kwindel::WhenSessionEnds([&fMain] {
    QApplication::closeAllWindows();
    if (fMain && !fMain->isVisible()) fMain.reset();  // a division in progress keeps it open
  });
  try {
    QCoreApplication::setApplicationName(QStringLiteral("Kwindel"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brimsel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    // A Wayland desktop matches the window to its menu entry (name, icon) by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral("nl.brimsel.kwindel"));
    QApplication::setWindowIcon(ProgramIcon());
    // The program speaks Dutch, so the platform's own dialogs and buttons do too.
    if (dutch.load(QStringLiteral("qtbase_nl"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        dutch.load(QStringLiteral(":/translations/qtbase_nl.qm"))) {
      QCoreApplication::installTranslator(&dutch);
    }

    fMain = std::make_unique<TfMain>(random, TfMainServices::Desktop());
    fMain->show();
#ifndef __EMSCRIPTEN__
    application.exec();
    fMain.reset();
#endif
  } catch (...) {
    Application::ShowException(std::current_exception());
    return 0;
  }
#ifdef __EMSCRIPTEN__
  application.exec();
#endif
  return 0;
}
