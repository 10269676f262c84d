// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// The program run from a folder whose name is not UTF-8 hands the desktop's
// opener its report's path exactly as its bytes are. The program runs under a
// private X server and session bus, where Qt hands documents to xdg-open (the
// offscreen platform opens nothing); an xdg-open of the test's own, first on
// PATH, records what it is given.

#include <gtest/gtest.h>

#ifdef _WIN32

// Windows names are UTF-16, so every folder has a name the shell takes whole;
// the shell's open with a wide name is tried in shell_tests and on
// Kwindel.exe itself (tests/windows/ProgramTest.sh).
TEST(ReportOpener, GetsThePathOfTheReportByteForByteFromAFolderThatIsNotUtf8) {
  GTEST_SKIP() << "folder names that are not UTF-8 are a Linux matter; xdg-open is Linux's";
}

#else

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "TempDir.h"

namespace {

using kwindel::test::ReadFile;
using kwindel::test::TempDir;
using kwindel::test::WriteFile;
using namespace std::chrono_literals;

pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
            posix_spawn_file_actions_t* actions = nullptr) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& setting : environment)
    envp.push_back(const_cast<char*>(setting.c_str()));
  envp.push_back(nullptr);
  pid_t pid = 0;
  return posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), envp.data()) == 0 ? pid : -1;
}

// Waits for the process to end, at most until the deadline; its exit code, or -1.
int WaitFor(pid_t pid, std::chrono::steady_clock::duration timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    if (::waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::this_thread::sleep_for(20ms);
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  return -1;
}

// A server of the test's own, started with its arguments, that writes one line on descriptor 3
// once it takes connections: an X server its display number, a bus its address. Ended with the
// test.
class Server {
 public:
  explicit Server(const std::vector<std::string>& arguments) {
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_ = Spawn(arguments, {}, &actions);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ready[1]);
    char buffer[256];
    std::string line;
    for (ssize_t got; (got = ::read(ready[0], buffer, sizeof buffer)) != 0;) {
      if (got > 0) line.append(buffer, static_cast<std::size_t>(got));
      if ((got < 0 && errno != EINTR) || line.find('\n') != std::string::npos) break;
    }
    ::close(ready[0]);
    if (pid_ > 0 && !line.empty() && line.back() == '\n') line_ = line.substr(0, line.size() - 1);
  }
  ~Server() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Empty when the server did not come up.
  const std::string& line() const { return line_; }

 private:
  pid_t pid_ = -1;
  std::string line_;
};

TEST(ReportOpener, GetsThePathOfTheReportByteForByteFromAFolderThatIsNotUtf8) {
  TempDir dir;
  const std::string folder = dir / "progr\xE9";  // Latin-1, as an older system names it
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(KWINDEL_DIVIDES_ONCE, folder + "/Kwindel");
  const std::string list = dir / "klas.lll";
  WriteFile(list, "; groep 7\r\nAnna\r\nBram\r\nChaimae\r\n");
  std::filesystem::create_directories(dir / "home");
  std::filesystem::permissions(dir / "home", std::filesystem::perms::owner_all);

  // The opener: records its arguments, one a line, and is done.
  std::filesystem::create_directories(dir / "bin");
  WriteFile(dir / "bin/xdg-open",
            "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$KWINDEL_TEST_OPENED.part\"\n"
            "mv \"$KWINDEL_TEST_OPENED.part\" \"$KWINDEL_TEST_OPENED\"\n");
  std::filesystem::permissions(dir / "bin/xdg-open", std::filesystem::perms(0755));

  Server x({"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-noreset"});
  ASSERT_FALSE(x.line().empty()) << "no Xvfb: run scripts/setup";
  // A desktop session always has a session bus. Without one, Qt 6.8's platform services, which
  // ask the desktop portal at start which screenshot version it offers, keep their reply watcher
  // for an answer that never comes, and libdbus keeps what its failed autolaunch read: leaks the
  // program has on no desktop. This bus offers no services, so a request for one is answered at
  // once, as on a desktop without the portal.
  WriteFile(dir / "bus.conf",
            "<busconfig><type>session</type><listen>unix:path=" + (dir / "bus") +
                "</listen><policy context=\"default\"><allow send_destination=\"*\" "
                "eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
                "</busconfig>\n");
  Server bus(
      {"dbus-daemon", "--config-file=" + (dir / "bus.conf"), "--nofork", "--print-address=3"});
  ASSERT_FALSE(bus.line().empty()) << "no dbus-daemon: run scripts/setup";
  const std::string opened = dir / "opened";
  std::vector<std::string> environment = {
      "DISPLAY=:" + x.line(),
      "DBUS_SESSION_BUS_ADDRESS=" + bus.line(),
      "QT_QPA_PLATFORM=xcb",
      "HOME=" + (dir / "home"),
      "XDG_RUNTIME_DIR=" + (dir / "home"),
      "XDG_CACHE_HOME=" + (dir / "home"),
      "KWINDEL_TEST_LIST=" + list,
      "KWINDEL_TEST_OPENED=" + opened,
      "PATH=" + (dir / "bin") + ":" +
          (std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin")};
  // Sanitizer settings and the like go along; another desktop's or display's do not.
  for (char** variable = environ; *variable; ++variable) {
    const std::string_view setting(*variable);
    if (setting.starts_with("ASAN_") || setting.starts_with("LSAN_") ||
        setting.starts_with("UBSAN_") || setting.starts_with("TSAN_") ||
        setting.starts_with("LANG=") || setting.starts_with("LC_")) {
      environment.emplace_back(setting);
    }
  }
  const pid_t program = Spawn({folder + "/Kwindel"}, environment);
  ASSERT_GT(program, 0);
  EXPECT_EQ(WaitFor(program, 120s), 0) << "the program divides once and stops";

  const std::string report = folder + "/Kwindel.txt";
  EXPECT_TRUE(
      ReadFile(report).starts_with("Gebruikte leerlingenlijst: " + list +
                                   "\r\nAantal leerlingen dat kwindeld moet worden: 3\r\n"));
  // The opener runs on its own, and may finish after the program.
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (!std::filesystem::exists(opened) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(20ms);
  EXPECT_EQ(ReadFile(opened), "file://" + dir.path() + "/progr%E9/Kwindel.txt\n");
}

}  // namespace

#endif
