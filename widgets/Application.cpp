// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include <new>

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

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

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
