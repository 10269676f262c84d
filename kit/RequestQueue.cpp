// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "RequestQueue.h"

#include <algorithm>
#include <new>

namespace kwindel {

bool RequestQueue::Post(Request request) noexcept {
  // Notified under the lock: a worker that takes this request may end and
  // free the queue as soon as the lock is released.
  std::lock_guard lock(FMutex);
  try {
    FRequests.push_back(std::move(request));
  } catch (const std::bad_alloc&) {
    return false;
  }
  FPosted.notify_one();
  return true;
}

bool RequestQueue::Peek() const {
  std::lock_guard lock(FMutex);
  return !FRequests.empty();
}

bool RequestQueue::Peek(std::uint32_t code) const {
  std::lock_guard lock(FMutex);
  return std::any_of(FRequests.begin(), FRequests.end(),
                     [code](const Request& request) { return request.Code == code; });
}

void RequestQueue::Wait() {
  std::unique_lock lock(FMutex);
  FPosted.wait(lock, [this] { return !FRequests.empty(); });
}

Request RequestQueue::Take() {
  std::unique_lock lock(FMutex);
  FPosted.wait(lock, [this] { return !FRequests.empty(); });
  Request head = std::move(FRequests.front());
  FRequests.pop_front();
  return head;
}

std::optional<Request> RequestQueue::TryTake() {
  std::lock_guard lock(FMutex);
  if (FRequests.empty()) return std::nullopt;
  std::optional<Request> head(std::move(FRequests.front()));
  FRequests.pop_front();
  return head;
}

}  // namespace kwindel
