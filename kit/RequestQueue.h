// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

namespace kwindel {

// One queued request: a code, a word parameter, and for requests that carry
// text a buffer the request owns (freed with the request, whether it is
// carried out or dropped).
struct Request {
  std::uint32_t Code = 0;
  std::uintptr_t WParam = 0;
  std::unique_ptr<char[]> Buffer;
};

// A first-in first-out queue of requests for one worker thread. Any thread
// may post; the worker peeks, waits and takes.
class RequestQueue {
 public:
  // Appends a request. Returns false, dropping the request, when memory for
  // it cannot be had; the poster is not meant to act on that.
  bool Post(Request request) noexcept;

  // Whether any request is queued; nothing is taken.
  bool Peek() const;
  // Whether a request with this code is anywhere in the queue; nothing is taken.
  bool Peek(std::uint32_t code) const;

  // Blocks until the queue holds a request.
  void Wait();
  // Takes the head request, blocking until there is one.
  Request Take();
  // Takes the head request if there is one, without blocking.
  std::optional<Request> TryTake();

 private:
  mutable std::mutex FMutex;
  std::condition_variable FPosted;
  std::deque<Request> FRequests;
};

}  // namespace kwindel
