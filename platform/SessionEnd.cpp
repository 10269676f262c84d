// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "SessionEnd.h"

#include <QCoreApplication>

#ifdef _WIN32
#include <windows.h>

#include <QAbstractNativeEventFilter>
#elif !defined(__EMSCRIPTEN__)
#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#endif

namespace kwindel {

#ifdef _WIN32

namespace {

// Windows sends the message to each of the program's top-level windows: the
// first one ends the program.
class SessionEndFilter : public QAbstractNativeEventFilter {
 public:
  explicit SessionEndFilter(std::function<void()> end) : end_(std::move(end)) {}

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override {
    if (type != "windows_generic_MSG") return false;
    const MSG* msg = static_cast<const MSG*>(message);
    // wParam FALSE: another program cancelled the end, so this one goes on.
    if (msg->message != WM_ENDSESSION || msg->wParam == FALSE) return false;
    if (end_) std::exchange(end_, nullptr)();
    *result = 0;
    return true;
  }

 private:
  std::function<void()> end_;
};

}  // namespace

void WhenSessionEnds(std::function<void()> end) {
  static SessionEndFilter filter(std::move(end));
  QCoreApplication::instance()->installNativeEventFilter(&filter);
}

#elif defined(__EMSCRIPTEN__)

// A page that is closed gives no time to end: it is gone, and the program with it.
void WhenSessionEnds(std::function<void()>) {}

#else

namespace {

// The signal handler only writes a byte here; the event loop reads it.
int terminationPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const int savedErrno = errno;
  const char byte = 0;
  (void)!::write(terminationPipe[1], &byte, 1);  // a full pipe already holds a request
  errno = savedErrno;
}

}  // namespace

void WhenSessionEnds(std::function<void()> end) {
  if (terminationPipe[0] >= 0) return;
  if (::pipe2(terminationPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier =
      new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [end = std::move(end)] {
    char bytes[64];
    while (::read(terminationPipe[0], bytes, sizeof bytes) > 0) {
    }
    end();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
}

#endif

}  // namespace kwindel
