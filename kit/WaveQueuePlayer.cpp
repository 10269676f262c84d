// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "WaveQueuePlayer.h"

#include <QScopeGuard>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

#include "Exception.h"
#include "RequestQueue.h"
#include "SoundOutput.h"

namespace {

enum RequestCode : std::uint32_t {
  kStopRequest = 0x800,
  kNumberedSound = 0x801,
  kNamedSound = 0x802,
  kClearMarker = 0x803,
  kNotificationMarker = 0x804,
};

// What the worker and the main thread share while a notification is handed
// over. Plain standard locking rather than a blocking queued call, whose wait
// happens inside Qt where ThreadSanitizer cannot follow it.
struct TNotificationState {
  std::mutex Mutex;
  std::condition_variable Changed;
  bool PlayerGone = false;
  bool Delivered = false;
};

}  // namespace

// Runs the player's notifications on the main thread for the worker. It lives
// on the main thread; its queued connection is made there before the worker
// starts, so the worker only emits Requested and waits.
class TNotificationRelay : public QObject {
  Q_OBJECT

 public:
  TNotificationRelay(TWaveQueuePlayer* Player, std::shared_ptr<TNotificationState> State)
      : FPlayer(Player), FState(std::move(State)) {
    connect(this, &TNotificationRelay::Requested, this, &TNotificationRelay::Deliver,
            Qt::QueuedConnection);
  }

  // The player is being destroyed: later notifications are dropped, and a
  // worker waiting for one goes on.
  void Detach() {
    std::lock_guard Lock(FState->Mutex);
    FState->PlayerGone = true;
    FState->Changed.notify_all();
  }

 signals:
  void Requested();

 private:
  void Deliver() {
    {
      std::lock_guard Lock(FState->Mutex);
      if (FState->PlayerGone) return;
    }
    // However the handler ends (it may throw, or destroy the player), the
    // worker is released.
    auto Release = qScopeGuard([State = FState] {
      std::lock_guard Lock(State->Mutex);
      State->Delivered = true;
      State->Changed.notify_all();
    });
    FPlayer->FireOnNotification();
  }

  TWaveQueuePlayer* FPlayer;  // main thread only
  std::shared_ptr<TNotificationState> FState;
};

// The player's worker, on a thread of its own. It shares with the main thread
// its request queue, its idle flag and the notification hand-over, and never
// touches the player itself. It frees itself when its loop ends, after the
// stop request that the player's destructor posts.
class TQueuePlayerThread {
 public:
  TQueuePlayerThread(std::shared_ptr<kwindel::SoundOutput> Output, TNotificationRelay* Relay,
                     std::shared_ptr<TNotificationState> State)
      : FModule(std::move(Output)), FRelay(Relay), FState(std::move(State)) {}

  void Start() {
    std::thread([this] {
      Execute();
      delete this;
    }).detach();
  }

  void Post(kwindel::Request Request) { FQueue.Post(std::move(Request)); }
  bool GetIdle() const { return FIdle.load(); }

 private:
  void Execute();
  void Play(const kwindel::Request& Request);
  void Notify();

  std::atomic<bool> FIdle{true};
  std::shared_ptr<kwindel::SoundOutput> FModule;
  TNotificationRelay* FRelay;  // alive while the player is
  std::shared_ptr<TNotificationState> FState;
  kwindel::RequestQueue FQueue;
};

void TQueuePlayerThread::Execute() {
  for (;;) {
    if (!FQueue.Peek()) {
      FIdle = true;
      FQueue.Wait();
    }
    FIdle = false;
    if (FQueue.Peek(kClearMarker)) {
      // Drop everything up to and including the first clear marker; name
      // buffers go with their requests.
      while (std::optional<kwindel::Request> Dropped = FQueue.TryTake()) {
        if (Dropped->Code == kClearMarker) break;
      }
      continue;
    }
    kwindel::Request Request = FQueue.Take();
    switch (Request.Code) {
      case kStopRequest:
        FIdle = true;
        return;
      case kNumberedSound:
      case kNamedSound:
        Play(Request);
        break;
      case kNotificationMarker:
        Notify();
        break;
      default:
        break;
    }
  }
}

void TQueuePlayerThread::Play(const kwindel::Request& Request) {
  // A sound that cannot be played is not reported; the worker goes on.
  try {
    if (Request.Code == kNamedSound) {
      FModule->PlayNamed(Request.Buffer.get());
    } else {
      FModule->PlayNumbered(static_cast<std::uint16_t>(Request.WParam & 0xFFFF));
    }
  } catch (const std::exception&) {
  }
}

void TQueuePlayerThread::Notify() {
  // Emitted under the lock, so the player (and the relay) cannot go away in
  // between; then wait until the main thread has run the handler.
  std::unique_lock Lock(FState->Mutex);
  if (FState->PlayerGone) return;
  FState->Delivered = false;
  emit FRelay->Requested();
  FState->Changed.wait(Lock, [this] { return FState->Delivered || FState->PlayerGone; });
}

TWaveQueuePlayer::TWaveQueuePlayer(QObject* Owner)
    : TWaveQueuePlayer(kwindel::SystemSoundOutput(), Owner) {}

TWaveQueuePlayer::TWaveQueuePlayer(std::shared_ptr<kwindel::SoundOutput> Output, QObject* Owner)
    : QObject(Owner), FModule(std::move(Output)) {
  auto State = std::make_shared<TNotificationState>();
  auto Relay = std::make_unique<TNotificationRelay>(this, State);
  auto Thread = std::make_unique<TQueuePlayerThread>(FModule, Relay.get(), State);
  // The queue exists before the thread starts, so nothing posted from here on
  // is lost. Once started, the worker owns itself.
  Thread->Start();
  FThread = Thread.release();
  FRelay = Relay.release();
}

TWaveQueuePlayer::~TWaveQueuePlayer() {
  FRelay->Detach();
  // Later, not now: this may run inside the relay's own call of a handler.
  FRelay->deleteLater();
  FThread->Post({kStopRequest, 0, nullptr});
}

void TWaveQueuePlayer::Enqueue(const std::string& Name) {
  const std::size_t Size = Name.size() + 1;
  std::unique_ptr<char[]> Buffer;
  try {
    Buffer = AllocateNameBuffer(Size);
  } catch (const std::bad_alloc&) {
  }
  if (!Buffer) {
    throw kwindel::Exception("TWaveQueuePlayer::Enqueue: Can't allocate buffer for resource name.");
  }
  std::memcpy(Buffer.get(), Name.c_str(), Size);
  FThread->Post({kNamedSound, Size, std::move(Buffer)});
}

void TWaveQueuePlayer::Enqueue(int Number) {
  FThread->Post(
      {kNumberedSound, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(Number)), nullptr});
}

void TWaveQueuePlayer::EnqueueNotification() {
  FThread->Post({kNotificationMarker, 0, nullptr});
}

void TWaveQueuePlayer::ClearQueue() {
  FThread->Post({kClearMarker, 0, nullptr});
}

bool TWaveQueuePlayer::GetIdle() const {
  return FThread->GetIdle();
}

void TWaveQueuePlayer::FireOnNotification() {
  emit OnNotification(this);
}

std::unique_ptr<char[]> TWaveQueuePlayer::AllocateNameBuffer(std::size_t Size) {
  return std::unique_ptr<char[]>(new char[Size]);
}

#include "WaveQueuePlayer.moc"
