#include "Application.h"

#include <fcntl.h>
#include <unistd.h>

#include <QMessageBox>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <new>

namespace {

// The signal handler only writes a byte here; the event loop reads it.
int terminationPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const int savedErrno = errno;
  const char byte = 0;
  (void)!::write(terminationPipe[1], &byte, 1);  // a full pipe already holds a request
  errno = savedErrno;
}

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

void ShowMessageBox(const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
  box.exec();
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

void Application::CloseWindowsOnTermination() {
  if (terminationPipe[0] >= 0) return;
  if (::pipe2(terminationPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [] {
    char bytes[64];
    while (::read(terminationPipe[0], bytes, sizeof bytes) > 0) {
    }
    closeAllWindows();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
}

void Application::ShowException(std::exception_ptr error) {
  QString caption = applicationDisplayName();
  QString text = ExceptionText(MessageOf(error));
  auto* application = qobject_cast<Application*>(QCoreApplication::instance());
  if (application && application->FExceptionDisplay) {
    application->FExceptionDisplay(caption, text);
  } else {
    ShowMessageBox(caption, text);
  }
}

QString Application::ExceptionText(std::string_view message) {
  // Messages are 8-bit text (paths among them); the rule looks at the last byte.
  QString text = QString::fromLocal8Bit(message.data(), static_cast<qsizetype>(message.size()));
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') text += u'.';
  return text;
}
