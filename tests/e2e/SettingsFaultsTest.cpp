// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files the program did not write itself, and shut-down of the real
// program when its settings cannot be stored.

#include <gmock/gmock.h>

#ifndef _WIN32
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "Faults.h"
#include "MainFormFixture.h"

namespace {

using kwindel::test::ReadFile;
using kwindel::test::WriteFile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using SettingsFaults = MainFormTest;

std::string RandomBytes(std::size_t size) {
  std::mt19937 generator(20240611);
  std::string bytes(size, '\0');
  for (char& byte : bytes)
    byte = static_cast<char>(generator());
  bytes.back() = 'x';  // a last line without a break
  return bytes;
}

TEST_F(SettingsFaults, AnyFileIsReadWithoutHarmAndKeptLineForLine) {
  const std::string random = RandomBytes(64 * 1024);
  const std::string longLine(1 << 20, 'a');
  const std::string longValue(1 << 20, 'v');
  const std::string added = "\r\n[Gebruik]\r\nLijstendir=c:\\lijsten\\\r\n";
  struct Case {
    const char* name;
    std::string before;
    std::string offered;
    std::string after;
  };
  const Case cases[] = {
      {"random bytes", random, "c:\\lijsten\\", random + added},
      {"one line of 1 MB", longLine, "c:\\lijsten\\", longLine + added},
      {"a value of 1 MB is cut to 2047 characters", "[Gebruik]\r\nLijstendir=" + longValue + "\r\n",
       longValue.substr(0, 2047), "[Gebruik]\r\nLijstendir=" + longValue.substr(0, 2047) + "\r\n"},
      {"LF-only lines", "[Ander]\nx=1\n[Gebruik]\nLijstendir=/klas/\n", "/klas/",
       "[Ander]\nx=1\n[Gebruik]\nLijstendir=/klas/\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    offeredFolders.clear();
    WriteFile(dir / "Kwindel.ini", c.before);
    auto form = MakeForm();
    Choose(*form, std::nullopt);
    EXPECT_THAT(offeredFolders, ElementsAre(c.offered));
    form.reset();
    EXPECT_THAT(failures, IsEmpty());
    EXPECT_EQ(ReadFile(dir / "Kwindel.ini"), c.after);
  }
}

// Another program holds the settings open and shares them with no one: they
// cannot be stored at shut-down, the old file stays whole, and once the
// program lets go the next shut-down stores the folder.
TEST_F(SettingsFaults, SettingsAnotherProgramHoldsStayWholeAndTheNextEndStoresThem) {
#ifndef _WIN32
  GTEST_SKIP() << "Linux has no share modes: no program can keep a file from being replaced";
#else
  const std::string settings = dir / "Kwindel.ini";
  const std::string old = "[Gebruik]\r\nLijstendir=C:\\oud\\\r\n";
  WriteFile(settings, old);
  std::filesystem::create_directory(kwindel::test::PathOf(dir / "Klas 5"));
  const std::string list = WriteList("Klas 5\\klas.lll", "A\r\n");
  auto form = MakeForm();
  Choose(*form, list);
  {
    kwindel::test::HeldFile held(settings);
    ASSERT_TRUE(held.Held());
    form.reset();
  }
  EXPECT_THAT(
      failures,
      ElementsAre(Message("Kwindel", kwindel::DecodeName("Unable to write to " + settings + "."))));
  EXPECT_EQ(ReadFile(settings), old);
  EXPECT_EQ(kwindel::test::CountEntries(dir.path()), 2u) << "no temporary file is left behind";

  failures.clear();
  form = MakeForm();
  Choose(*form, list);
  form.reset();
  EXPECT_THAT(failures, IsEmpty());
  EXPECT_EQ(ReadFile(settings), "[Gebruik]\r\nLijstendir=" + (dir / "Klas 5\\") + "\r\n");
#endif
}

#ifdef _WIN32

TEST(ProgramShutDown, EndsWithExitCodeZeroAndKeepsTheOldSettingsWhole) {
  GTEST_SKIP() << "ends the program with SIGTERM; on Windows the end of a session is tried on "
                  "Kwindel.exe itself (tests/windows/ProgramTest.sh)";
}

#else

// The real program, started from a folder with a space and letters beyond
// ASCII in its name and its own, and ended from outside. It shows its
// failures in message boxes; each termination request closes what is open, as
// a user would, until the program has ended.
class ProgramProcess {
 public:
  ProgramProcess(const std::string& program, const std::string& home, rlim_t fileSizeLimit)
      : folder_(std::filesystem::path(program).parent_path().string()) {
    std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen", "HOME=" + home,
                                            "XDG_RUNTIME_DIR=" + home, "XDG_CACHE_HOME=" + home};
    for (char** variable = environ; *variable; ++variable) {
      const std::string_view setting(*variable);
      if (!setting.starts_with("QT_QPA_PLATFORM=") && !setting.starts_with("HOME=") &&
          !setting.starts_with("XDG_"))
        environment.emplace_back(setting);
    }
    std::vector<char*> envp;
    for (std::string& setting : environment)
      envp.push_back(setting.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    kwindel::test::FileSizeLimit limit(fileSizeLimit);  // the child keeps it
    started_ = posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, envp.data()) == 0;
  }
  ~ProgramProcess() {
    if (started_ && !exited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  // Whether the program got as far as its window: it then works in its own folder.
  bool WaitUntilRunning() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    const std::filesystem::path cwd = "/proc/" + std::to_string(pid_) + "/cwd";
    while (std::chrono::steady_clock::now() < deadline) {
      std::error_code error;
      if (std::filesystem::read_symlink(cwd, error) == folder_) return true;
      if (Exited()) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // Asks the program to end until it does; the exit code, or -1.
  int Terminate() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!Exited() && std::chrono::steady_clock::now() < deadline) {
      ::kill(pid_, SIGTERM);
      ++requests_;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return exited_ && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
  }

  bool Started() const { return started_; }
  int Requests() const { return requests_; }

 private:
  bool Exited() {
    if (!exited_) exited_ = ::waitpid(pid_, &status_, WNOHANG) == pid_;
    return exited_;
  }

  std::filesystem::path folder_;
  pid_t pid_ = 0;
  bool started_ = false;
  bool exited_ = false;
  int status_ = 0;
  int requests_ = 0;
};

TEST(ProgramShutDown, EndsWithExitCodeZeroAndKeepsTheOldSettingsWhole) {
  kwindel::test::TempDir dir;
  const std::string folder = dir / "Mijn programma's \xE2\x80\x93 Zo\xC3\xAB";
  const std::string program = folder + "/Kw\xC3\xAFndel";
  const std::string settings = folder + "/Kw\xC3\xAFndel.ini";
  std::filesystem::create_directories(folder);
  std::filesystem::create_directories(dir / "home");
  std::filesystem::permissions(dir / "home", std::filesystem::perms::owner_all);
  std::filesystem::copy_file(kwindel::test::BuiltProgram(KWINDEL_PROGRAM), program);
  const std::string old =
      "[Venster]\r\n" + std::string(2000, ';') + "\r\n[Gebruik]\r\nLijstendir=/oud/\r\n";
  struct Case {
    const char* name;
    std::function<void()> prepare;
    rlim_t fileSizeLimit;
    std::function<void()> check;
  };
  const Case cases[] = {
      {"a first run stores the default", [] {}, RLIM_INFINITY,
       [&] { EXPECT_EQ(ReadFile(settings), "[Gebruik]\r\nLijstendir=C:\\lijsten\\\r\n"); }},
      {"a full disk at shut-down keeps the old file whole", [&] { WriteFile(settings, old); }, 1000,
       [&] { EXPECT_EQ(ReadFile(settings), old); }},
      {"a folder where the settings file must go",
       [&] {
         std::filesystem::remove(settings);
         std::filesystem::create_directory(settings);
       },
       RLIM_INFINITY, [&] { EXPECT_TRUE(std::filesystem::is_directory(settings)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.prepare();
    ProgramProcess process(program, dir / "home", c.fileSizeLimit);
    ASSERT_TRUE(process.Started());
    ASSERT_TRUE(process.WaitUntilRunning());
    EXPECT_EQ(process.Terminate(), 0);
    c.check();
    if (c.fileSizeLimit != RLIM_INFINITY || std::filesystem::is_directory(settings)) {
      EXPECT_GE(process.Requests(), 2) << "the failure's message box held the program";
    }
  }
}

#endif

}  // namespace
