// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "Exception.h"
#include "SoundOutput.h"
#include "WaveQueuePlayer.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Records what the worker plays, in one log with what the test notes
// ("notify"). While held, a sound lasts until the test finishes it, so the
// test decides how long every sound takes.
class FakeSoundOutput : public kwindel::SoundOutput {
 public:
  void PlayNamed(std::string_view name) override { Play(std::string(name)); }
  void PlayNumbered(std::uint16_t number) override { Play("#" + std::to_string(number)); }

  void Hold() {
    std::lock_guard lock(FMutex);
    FHeld = true;
  }
  // Ends the sound now playing.
  void Finish() {
    std::lock_guard lock(FMutex);
    ++FFinishes;
    FChanged.notify_all();
  }
  // Ends the sound now playing, and every later one at once.
  void ReleaseAll() {
    std::lock_guard lock(FMutex);
    FHeld = false;
    FChanged.notify_all();
  }
  void Note(const std::string& event) {
    std::lock_guard lock(FMutex);
    FLog.push_back(event);
  }
  std::vector<std::string> Log() const {
    std::lock_guard lock(FMutex);
    return FLog;
  }
  std::string Playing() const {
    std::lock_guard lock(FMutex);
    return FPlaying;
  }
  int MostAtOnce() const {
    std::lock_guard lock(FMutex);
    return FMostAtOnce;
  }

 private:
  void Play(const std::string& sound) {
    std::unique_lock lock(FMutex);
    FLog.push_back("start " + sound);
    FPlaying = sound;
    FMostAtOnce = std::max(FMostAtOnce, ++FAtOnce);
    FChanged.wait(lock, [this] { return !FHeld || FFinishes > 0; });
    if (FHeld) --FFinishes;
    --FAtOnce;
    FPlaying.clear();
    FLog.push_back("end " + sound);
  }

  mutable std::mutex FMutex;
  std::condition_variable FChanged;
  bool FHeld = false;
  int FFinishes = 0;
  int FAtOnce = 0;
  int FMostAtOnce = 0;
  std::string FPlaying;
  std::vector<std::string> FLog;
};

bool WaitFor(const std::function<bool()>& condition) {
  return QTest::qWaitFor(condition, 5000);
}

// Records the size of every name buffer it hands out, or fails to hand one out.
class AllocatingPlayer : public TWaveQueuePlayer {
 public:
  enum class Mode { Allocate, Throw, ReturnNothing };
  using TWaveQueuePlayer::TWaveQueuePlayer;

  Mode FMode = Mode::Allocate;
  std::vector<std::size_t> FSizes;

 protected:
  std::unique_ptr<char[]> AllocateNameBuffer(std::size_t Size) override {
    if (FMode == Mode::Throw) throw std::bad_alloc();
    if (FMode == Mode::ReturnNothing) return nullptr;
    FSizes.push_back(Size);
    return TWaveQueuePlayer::AllocateNameBuffer(Size);
  }
};

class WaveQueuePlayerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // Every test ends by destroying its player: the worker must end and free
    // itself, dropping its handle on the output.
    output->ReleaseAll();
    player.reset();
    EXPECT_TRUE(WaitFor([this] { return output.use_count() == 1; })) << "the worker did not end";
  }

  // Notes "notify" in the output's log, checking where and with what sender
  // the handler runs.
  void NoteNotifications() {
    QObject::connect(player.get(), &TWaveQueuePlayer::OnNotification,
                     [this](TWaveQueuePlayer* Sender) {
                       EXPECT_EQ(Sender, player.get());
                       EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
                       EXPECT_FALSE(Sender->GetIdle());
                       output->Note("notify");
                     });
  }

  bool WaitPlaying(const std::string& sound) {
    return WaitFor([&] { return output->Playing() == sound; });
  }
  bool WaitIdle() {
    return WaitFor([&] { return player->GetIdle(); });
  }

  std::shared_ptr<FakeSoundOutput> output = std::make_shared<FakeSoundOutput>();
  std::unique_ptr<TWaveQueuePlayer> player = std::make_unique<TWaveQueuePlayer>(output);
};

TEST_F(WaveQueuePlayerTest, PlaysNamedSoundsInOrderOneAtATime) {
  output->Hold();
  player->Enqueue("A");
  player->Enqueue("B");
  player->Enqueue("C");
  for (const char* sound : {"A", "B", "C"}) {
    ASSERT_TRUE(WaitPlaying(sound));
    output->Finish();
  }
  ASSERT_TRUE(WaitIdle());
  EXPECT_THAT(output->Log(),
              ElementsAre("start A", "end A", "start B", "end B", "start C", "end C"));
  EXPECT_EQ(output->MostAtOnce(), 1);
}

TEST_F(WaveQueuePlayerTest, ClearDropsWhatWaitsAheadOfIt) {
  struct Case {
    const char* name;
    std::vector<std::string> queuedWhileAPlays;  // "N" notification, "X" clear
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {"a clear while the first of four plays drops the other three and a notification",
       {"B", "N", "C", "D", "X"},
       {"start A", "end A"}},
      {"sounds queued after a clear play",
       {"B", "X", "C"},
       {"start A", "end A", "start C", "end C"}},
      {"two clear markers each drop what lies ahead of them",
       {"B", "X", "C", "X", "D"},
       {"start A", "end A", "start D", "end D"}},
      {"a notification queued after a clear fires",
       {"B", "X", "N", "C"},
       {"start A", "end A", "notify", "start C", "end C"}},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    output = std::make_shared<FakeSoundOutput>();
    player = std::make_unique<TWaveQueuePlayer>(output);
    NoteNotifications();
    output->Hold();
    player->Enqueue("A");
    ASSERT_TRUE(WaitPlaying("A"));
    for (const std::string& request : row.queuedWhileAPlays) {
      if (request == "N") {
        player->EnqueueNotification();
      } else if (request == "X") {
        player->ClearQueue();
      } else {
        player->Enqueue(request);
      }
    }
    output->ReleaseAll();
    // The worker stays busy (not idle) until the queue has run empty.
    ASSERT_TRUE(WaitIdle());
    EXPECT_THAT(output->Log(), ElementsAreArray(row.log));
    TearDown();
  }
}

TEST_F(WaveQueuePlayerTest, NotificationRunsOnTheMainThreadBetweenTheSoundsAroundIt) {
  NoteNotifications();
  output->Hold();
  player->Enqueue("A");
  player->EnqueueNotification();
  player->Enqueue("B");
  ASSERT_TRUE(WaitPlaying("A"));
  output->Finish();
  ASSERT_TRUE(WaitPlaying("B"));
  EXPECT_THAT(output->Log(), ElementsAre("start A", "end A", "notify", "start B"));
}

TEST_F(WaveQueuePlayerTest, NotificationOnAnEmptyQueueFiresAndWithoutHandlerDoesNothing) {
  player->EnqueueNotification();  // nothing connected yet
  player->Enqueue("A");
  ASSERT_TRUE(WaitFor([&] { return output->Log().size() == 2; }));
  NoteNotifications();
  player->EnqueueNotification();
  ASSERT_TRUE(WaitFor([&] { return output->Log().size() == 3; }));
  EXPECT_THAT(output->Log(), ElementsAre("start A", "end A", "notify"));
}

TEST_F(WaveQueuePlayerTest, IdleIsTrueUntilWorkArrivesFalseWhilePlayingAndTrueWhenEmpty) {
  EXPECT_TRUE(player->GetIdle());
  EXPECT_TRUE(player->property("Idle").toBool());
  output->Hold();
  player->Enqueue("A");
  ASSERT_TRUE(WaitPlaying("A"));
  EXPECT_FALSE(player->GetIdle());
  EXPECT_FALSE(player->property("Idle").toBool());
  output->Finish();
  EXPECT_TRUE(WaitIdle());
  EXPECT_THAT(output->Log(), ElementsAre("start A", "end A"));
}

TEST_F(WaveQueuePlayerTest, NumbersCountByTheirLow16Bits) {
  const struct {
    int number;
    const char* played;  // "#0" is the null identifier
  } cases[] = {{4464, "start #4464"}, {70000, "start #4464"}, {0, "start #0"},
               {65536, "start #0"},   {-1, "start #65535"},   {65535, "start #65535"}};
  std::vector<std::string> expected;
  for (const auto& row : cases) {
    player->Enqueue(row.number);
    expected.push_back(row.played);
  }
  ASSERT_TRUE(WaitFor([&] { return output->Log().size() == 2 * expected.size(); }));
  std::vector<std::string> started;
  for (const std::string& event : output->Log()) {
    if (event.rfind("start ", 0) == 0) started.push_back(event);
  }
  EXPECT_EQ(started, expected);
}

TEST_F(WaveQueuePlayerTest, NamedRequestOwnsAZeroTerminatedCopyOfTheName) {
  auto* allocating = new AllocatingPlayer(output);
  player.reset(allocating);
  output->Hold();
  std::string name = "Tick";
  player->Enqueue(name);
  player->Enqueue(std::string());
  name = "Tock";  // the queued request must not see this
  ASSERT_TRUE(WaitPlaying("Tick"));
  output->ReleaseAll();
  ASSERT_TRUE(WaitIdle());
  EXPECT_THAT(output->Log(), ElementsAre("start Tick", "end Tick", "start ", "end "));
  EXPECT_THAT(allocating->FSizes, ElementsAre(5u, 1u));
}

TEST_F(WaveQueuePlayerTest, EnqueueWithoutMemoryForTheNameRaisesAndQueuesNothing) {
  for (auto mode : {AllocatingPlayer::Mode::Throw, AllocatingPlayer::Mode::ReturnNothing}) {
    SCOPED_TRACE(mode == AllocatingPlayer::Mode::Throw ? "allocation throws" : "allocation fails");
    output = std::make_shared<FakeSoundOutput>();
    auto* failing = new AllocatingPlayer(output);
    player.reset(failing);
    failing->FMode = mode;
    std::string message = "(no exception)";
    try {
      player->Enqueue("Ding");
    } catch (const kwindel::Exception& error) {
      message = error.what();
    }
    EXPECT_EQ(message, "TWaveQueuePlayer::Enqueue: Can't allocate buffer for resource name.");
    player->Enqueue(7);
    ASSERT_TRUE(WaitFor([&] { return output->Log().size() == 2; }));
    ASSERT_TRUE(WaitIdle());
    EXPECT_THAT(output->Log(), ElementsAre("start #7", "end #7"));
    TearDown();
  }
}

TEST_F(WaveQueuePlayerTest, DestroyedPlayerLeavesTheWorkerToFinishTheQueueAlone) {
  NoteNotifications();
  output->Hold();
  player->Enqueue("A");
  ASSERT_TRUE(WaitPlaying("A"));
  player->Enqueue("B");
  player->EnqueueNotification();  // must not reach the destroyed player
  player->Enqueue("C");
  player.reset();
  output->ReleaseAll();
  ASSERT_TRUE(WaitFor([this] { return output.use_count() == 1; })) << "the worker did not end";
  EXPECT_THAT(output->Log(),
              ElementsAre("start A", "end A", "start B", "end B", "start C", "end C"));
}

TEST_F(WaveQueuePlayerTest, HandlerMayDestroyThePlayer) {
  QObject::connect(player.get(), &TWaveQueuePlayer::OnNotification, [this](TWaveQueuePlayer*) {
    output->Note("notify");
    player.reset();
  });
  player->EnqueueNotification();
  player->Enqueue("A");
  player->EnqueueNotification();  // the player is gone by then: dropped
  ASSERT_TRUE(WaitFor([this] { return output.use_count() == 1; })) << "the worker did not end";
  EXPECT_THAT(output->Log(), ElementsAre("notify", "start A", "end A"));
}

TEST_F(WaveQueuePlayerTest, ExceptionFromTheHandlerLeavesTheWorkerGoingOn) {
  QObject::connect(player.get(), &TWaveQueuePlayer::OnNotification,
                   [](TWaveQueuePlayer*) { throw kwindel::Exception("Handler failed"); });
  player->EnqueueNotification();
  player->Enqueue("A");
  // The exception surfaces on the main thread, where the program's
  // application object shows it; this loop stands in for that.
  std::string caught;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (output->Log().size() < 2 && std::chrono::steady_clock::now() < deadline) {
    try {
      QCoreApplication::processEvents();
    } catch (const kwindel::Exception& error) {
      caught = error.what();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(caught, "Handler failed");
  EXPECT_THAT(output->Log(), ElementsAre("start A", "end A"));
}

}  // namespace
