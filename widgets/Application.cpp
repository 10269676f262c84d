// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include <new>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include <QFontDatabase>
#include <QTimer>
#endif

#include "MessageBox.h"
#include "QtEncoding.h"

namespace {

std::string MessageOf(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return "Out of memory";
  } catch (const std::exception& failure) {
    return failure.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
#ifdef __EMSCRIPTEN__
  // A browser offers a page only the fonts it brings: Arial's metric twin, as a desktop's
  // font configuration gives it, keeps every text at its size in the window.
  QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  // A page's event loop never returns to main, so the program ends here, once the loop has
  // finished what it was doing; the page then says that it has stopped.
  connect(this, &QGuiApplication::lastWindowClosed, this,
          [] { QTimer::singleShot(0, [] { emscripten_force_exit(0); }); });
#endif
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ShowException(std::current_exception());
    return true;
  }
}

void Application::ShowException(std::exception_ptr error) {
  QString caption = applicationDisplayName();
  QString text = ExceptionText(MessageOf(error));
  auto* application = qobject_cast<Application*>(QCoreApplication::instance());
  if (application && application->FExceptionDisplay) {
    application->FExceptionDisplay(caption, text);
  } else {
    ShowMessageBox(QMessageBox::Critical, caption, text);
  }
}

QString Application::ExceptionText(std::string_view message) {
  // Messages are 8-bit text quoting paths; the rule looks at the last byte.
  QString text = kwindel::DecodeName(message);
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') text += u'.';
  return text;
}
