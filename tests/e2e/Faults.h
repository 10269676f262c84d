// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;
#endif

#include "BuiltProgram.h"
#include "FileSizeLimit.h"
#include "QtEncoding.h"
#include "TempDir.h"

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

inline Outcome RunDivide(const std::vector<std::string>& arguments) {
  return RunProcess(BuiltProgram(KWINDEL_DIVIDE), arguments);
}

// A folder whose file system is full: a tiny tmpfs filled to the last block,
// so a write fails as on a real full disk. Where mounting is not allowed, a
// file size limit stands in while Arm() is held: writes then stop short too.
class FullFolder {
 public:
  explicit FullFolder(std::string path) : path_(std::move(path)) {
    std::filesystem::create_directories(PathOf(path_));
#ifndef _WIN32
    mounted_ = ::mount("kwindel-full", path_.c_str(), "tmpfs", 0, "size=64k") == 0;
#endif
  }
  ~FullFolder() {
#ifndef _WIN32
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
#endif
  }
  FullFolder(const FullFolder&) = delete;
  FullFolder& operator=(const FullFolder&) = delete;

  bool Mounted() const {
    return mounted_;
  }
  const std::string& path() const {
    return path_;
  }

  // Whether a full disk can be made here at all.
  static constexpr bool Possible = FileSizeLimit::Available;

  // Takes up every block left; what was written before stays.
  void Fill() {
#ifndef _WIN32
    if (!mounted_) return;
    int fd = ::open((path_ + "/.filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    while (::write(fd, block.data(), 1) > 0) {
    }
    ::close(fd);
#endif
  }

  // Holds the stand-in limit, when there is no tmpfs, for as long as it lives:
  // a single byte, so every file the program saves stops short.
  std::unique_ptr<FileSizeLimit> Arm() const {
    return mounted_ ? nullptr : std::make_unique<FileSizeLimit>(1);
  }

  // The folder's files other than the filler.
  std::size_t Files() const {
    return CountEntries(path_) - (mounted_ ? 1 : 0);
  }

 private:
  std::string path_;
  bool mounted_ = false;
};

}  // namespace kwindel::test
