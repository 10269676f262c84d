// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <QObject>
#include <cstddef>
#include <memory>
#include <string>

#include "KitExport.h"

namespace kwindel {
class SoundOutput;
}

class TNotificationRelay;
class TQueuePlayerThread;

/// Plays short wave sounds one after another on a worker thread of its own, so
/// the thread that asks for a sound never waits for the sound output. Sounds
/// are the program's own wave resources (see kit/README.md), queued by name or
/// by number; a notification marker in the queue makes the player emit
/// OnNotification on the main thread once every sound queued before it has
/// finished; ClearQueue drops whatever still waits.
///
/// Create, use and destroy the player on the application's main thread.
/// Destroying it does not wait: the worker still plays what was queued, never
/// touches the destroyed player, then ends on its own.
class KWINDEL_KIT_EXPORT TWaveQueuePlayer : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Idle READ GetIdle)

 public:
  /// Plays through the system's sound output.
  explicit TWaveQueuePlayer(QObject* Owner = nullptr);
  /// Plays through the given output (a silent or recording one in tests).
  explicit TWaveQueuePlayer(std::shared_ptr<kwindel::SoundOutput> Output, QObject* Owner = nullptr);
  ~TWaveQueuePlayer() override;

  // GetIdle and both Enqueue overloads are virtual so that a test double of
  // the player (the hover button's tests use one) can set what Idle reads and
  // record what is queued without playing anything. A subclass that
  // overrides one Enqueue should bring the other into scope with
  // `using TWaveQueuePlayer::Enqueue;`.

  /// Queues the wave resource with this 8-bit name. The request keeps its own
  /// copy of the name. Throws kwindel::Exception, queueing nothing, when no
  /// memory for that copy can be had.
  virtual void Enqueue(const std::string& Name);
  /// Queues wave resource number Number; only its low 16 bits count, and 0
  /// (as 65536) plays nothing.
  virtual void Enqueue(int Number);
  /// Queues a notification marker.
  void EnqueueNotification();
  /// Queues a clear marker: as soon as the worker is between two requests,
  /// everything queued ahead of the marker is dropped. The sound playing at
  /// that moment plays to its end.
  void ClearQueue();

  /// True while the worker waits on an empty queue. Queueing does not clear it
  /// at once: it turns false when the worker wakes up. A hint, not a promise.
  virtual bool GetIdle() const;

  /// Emits OnNotification with this player as sender; the worker has it run
  /// on the main thread when it reaches a notification marker.
  void FireOnNotification();

 signals:
  void OnNotification(TWaveQueuePlayer* Sender);

 protected:
  /// Where a named request's copy of the name comes from. A test overrides it
  /// to make the allocation fail (by throwing std::bad_alloc or returning null).
  virtual std::unique_ptr<char[]> AllocateNameBuffer(std::size_t Size);

 private:
  // The worker: it ends and frees itself after the stop request that the
  // destructor posts, so the player never frees it.
  TQueuePlayerThread* FThread;
  // The sound output. The worker holds a handle of its own on it, so it never
  // has to reach back into the player for it.
  std::shared_ptr<kwindel::SoundOutput> FModule;
  // Carries the worker's notification markers to the main thread.
  TNotificationRelay* FRelay;
};
