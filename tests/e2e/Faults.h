// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QStringList>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;
#endif

#include "BuiltProgram.h"
#include "FullFolder.h"
#include "QtEncoding.h"

namespace kwindel::test {

struct Outcome {
  int exitCode;  // -1 when the process did not exit by itself
  std::string errors;
};

// Runs a program with these arguments, passed as they are (no shell), and
// collects what it writes to stderr (through a pipe, which no file size limit
// cuts short).
#ifdef _WIN32
inline Outcome RunProcess(const std::string& program, const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments)
    list << DecodeName(argument);
  QProcess process;
  process.start(DecodeName(program), list);
  if (!process.waitForStarted(-1)) return {-1, "cannot start " + program};
  process.closeWriteChannel();
  process.waitForFinished(-1);
  const bool exited = process.exitStatus() == QProcess::NormalExit;
  std::string errors = process.readAllStandardError().toStdString();
  // The C runtime writes "\n" to a pipe as CR LF.
  for (std::size_t at; (at = errors.find("\r\n")) != std::string::npos;)
    errors.erase(at, 1);
  return {exited ? process.exitCode() : -1, errors};
}
#else
// Through posix_spawn rather than QProcess: arguments that are no valid UTF-8
// must reach the program byte for byte.
inline Outcome RunProcess(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int errors[2];
  if (::pipe2(errors, O_CLOEXEC) != 0) return {-1, "no pipe"};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(errors[1]);
  Outcome outcome{-1, ""};
  char buffer[4096];
  for (ssize_t got; (got = ::read(errors[0], buffer, sizeof buffer)) != 0;) {
    if (got > 0) outcome.errors.append(buffer, static_cast<std::size_t>(got));
    if (got < 0 && errno != EINTR) break;
  }
  ::close(errors[0]);
  if (spawned != 0) return {-1, "cannot start " + program};
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
  return outcome;
}
#endif

#ifdef _WIN32
// A file held open by another program that shares it with no one, for as
// long as the object lives.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path) {
    process_.start(DecodeName(BuiltProgram(KWINDEL_HOLD_FILE)), {DecodeName(path)});
    held_ = process_.waitForReadyRead(30000) && process_.readAll().startsWith("held");
  }
  ~HeldFile() {
    process_.closeWriteChannel();  // its input ends: it lets go and ends
    process_.waitForFinished(30000);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool Held() const { return held_; }

 private:
  QProcess process_;
  bool held_ = false;
};
#endif

inline Outcome RunDivide(const std::vector<std::string>& arguments) {
  return RunProcess(BuiltProgram(KWINDEL_DIVIDE), arguments);
}

}  // namespace kwindel::test
