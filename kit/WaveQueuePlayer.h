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

/// \file
/// TWaveQueuePlayer, which plays queued wave sounds one after another.

/// Plays short wave sounds one after another on a worker thread of its own, so
/// the thread that asks for a sound never waits for the sound output. Sounds
/// are queued by name or by number; a notification marker in the queue makes
/// the player emit OnNotification on the main thread once every sound queued
/// before it has finished; ClearQueue drops whatever still waits.
///
/// The sounds are wave resources of the program that uses the player: wave
/// files compiled into it as Qt resources in the folder `:/waves/`. A resource's name is its file
/// name without a final `.wav` (in any letter case), compared without regard
/// to letter case: `:/waves/Ding.wav` is the sound `Ding`, found as `"ding"`
/// too. Names are 8-bit text in code page 1252 (on Windows, the ANSI code
/// page). Sound number N is the resource named N in plain decimal:
/// `Enqueue(4464)` plays `:/waves/4464.wav`. A name or number that no resource
/// carries plays the kit's own default sound, a short chime; a resource that
/// does not decode, or a machine without a sound device, gives silence.
/// Nothing is reported.
///
/// Threads: create, use and destroy the player on the application's main
/// thread; every member function is called there. The worker only plays: it
/// carries out the requests strictly in the order queued, each sound to its
/// end before the next, and for a notification marker has FireOnNotification()
/// run on the main thread while it waits. Destroying the player does not wait:
/// the worker still plays what was queued, drops the notification markers
/// (the player is gone), then ends and frees itself.
class KWINDEL_KIT_EXPORT TWaveQueuePlayer : public QObject {
  Q_OBJECT
  /// True while the worker waits on an empty queue; true when the player is
  /// made. It turns false when the worker wakes for a request, not when the
  /// request is queued, and stays false while a sound plays, a notification
  /// is handled or a clear is carried out. The worker writes it and the main
  /// thread reads it without waiting, so take it as a hint. Read-only.
  Q_PROPERTY(bool Idle READ GetIdle)

 public:
  /// Plays through the system's sound output (kwindel::SystemSoundOutput()).
  /// The worker starts at once: nothing queued after construction is lost.
  /// Owner, when given, deletes the player.
  explicit TWaveQueuePlayer(QObject* Owner = nullptr);
  /// Plays through the given output: a silent one, or one that records what
  /// was played, in tests.
  explicit TWaveQueuePlayer(std::shared_ptr<kwindel::SoundOutput> Output, QObject* Owner = nullptr);
  /// Queues a stop request behind everything queued and returns at once; the
  /// worker ends on its own after it.
  ~TWaveQueuePlayer() override;

  // GetIdle and both Enqueue overloads are virtual so that a test double of
  // the player can set what Idle reads and record what is queued without
  // playing anything. A subclass that overrides one Enqueue should bring the
  // other into scope with `using TWaveQueuePlayer::Enqueue;`.

  /// Queues the wave resource with this 8-bit name; an empty name is queued
  /// too. The request keeps its own copy of the name. Throws
  /// kwindel::Exception "TWaveQueuePlayer::Enqueue: Can't allocate buffer for
  /// resource name.", queueing nothing, when no memory for that copy can be
  /// had. Virtual, so that a test double can record it.
  virtual void Enqueue(const std::string& Name);
  /// Queues wave resource number Number; only its low 16 bits count (70000
  /// plays 4464), and a number whose low 16 bits are 0 (0, 65536) plays
  /// nothing. Virtual, so that a test double can record it.
  virtual void Enqueue(int Number);
  /// Queues a notification marker: once the worker reaches it, every sound
  /// queued before it has finished, and OnNotification is emitted on the main
  /// thread; the worker waits until its handlers have returned.
  void EnqueueNotification();
  /// Queues a clear marker: as soon as the worker is between two requests,
  /// everything queued ahead of the marker (sounds and notification markers)
  /// is dropped. The sound playing at that moment plays to its end; requests
  /// queued after the marker stay.
  void ClearQueue();

  /// Reads #Idle. Virtual, so that a test double can set it.
  virtual bool GetIdle() const;

  /// Emits OnNotification with this player as Sender. The worker has it run on
  /// the main thread when it reaches a notification marker; calling it
  /// yourself emits at once.
  void FireOnNotification();

 signals:
  /// Emitted on the main thread with the player as Sender when the worker
  /// reaches a notification marker; the worker waits until the handlers have
  /// returned. A handler may queue more requests or destroy the player. An
  /// exception that escapes a handler goes through Qt's event dispatch, to be
  /// caught in an override of QApplication::notify as any exception from an
  /// event handler; the worker goes on with the next request.
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
