#include <QIcon>

#include "Application.h"
#include "MainForm.h"
#include "RandomSource.h"

int main(int argc, char* argv[]) {
  Application application(argc, argv);
  try {
    QCoreApplication::setApplicationName(QStringLiteral("Kwindel"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brimsel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/app/kwindel-16.png"));
    icon.addFile(QStringLiteral(":/app/kwindel-32.png"));
    QApplication::setWindowIcon(icon);

    kwindel::RandomSource random;  // seeded with 1 until the window's first show
    TfMain fMain(random, TfMainServices::Desktop());
    fMain.show();
    application.exec();
  } catch (...) {
    Application::ShowException(std::current_exception());
  }
  return 0;
}
