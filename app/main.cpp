#include <QLibraryInfo>
#include <QTranslator>

#include "Application.h"
#include "Logo.h"
#include "MainForm.h"
#include "RandomSource.h"

int main(int argc, char* argv[]) {
  Application application(argc, argv);
  application.CloseWindowsOnTermination();
  try {
    QCoreApplication::setApplicationName(QStringLiteral("Kwindel"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brimsel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    // A Wayland desktop matches the window to its menu entry (name, icon) by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral("nl.brimsel.kwindel"));
    QApplication::setWindowIcon(ProgramIcon());
    // The program speaks Dutch, so the platform's own dialogs and buttons do too.
    QTranslator dutch;
    if (dutch.load(QStringLiteral("qtbase_nl"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      QCoreApplication::installTranslator(&dutch);
    }

    kwindel::RandomSource random;  // seeded with 1 until the window's first show
    TfMain fMain(random, TfMainServices::Desktop());
    fMain.show();
    application.exec();
  } catch (...) {
    Application::ShowException(std::current_exception());
  }
  return 0;
}
