// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QString>
#include <exception>
#include <functional>
#include <string_view>

// The application object: it catches every exception that escapes an event
// handler and shows it, so the program goes on with whatever state the handler
// reached instead of terminating.
class Application : public QApplication {
  Q_OBJECT

 public:
  // Shows one failure to the user: caption and text.
  using ExceptionDisplay = std::function<void(const QString& caption, const QString& text)>;

  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // The standard exception display: a message box with the application title
  // as caption, an error icon, one OK button and the message.
  static void ShowException(std::exception_ptr error);

  // Replaces the message box, for tests.
  void SetExceptionDisplay(ExceptionDisplay display) { FExceptionDisplay = std::move(display); }

  // The message with a full stop appended when its last character's code is
  // greater than that of ".".
  static QString ExceptionText(std::string_view message);

 private:
  ExceptionDisplay FExceptionDisplay;
};
