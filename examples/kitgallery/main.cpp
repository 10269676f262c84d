// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "Application.h"
#include "KitGallery.h"

int main(int argc, char* argv[]) {
  Application application(argc, argv);  // shows what a handler throws, as the program does
  QCoreApplication::setApplicationName(QStringLiteral("Quenlap-kit"));
  KitGallery gallery;
  gallery.show();
  return application.exec();
}
