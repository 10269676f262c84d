// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "KitExport.h"

/// \file
/// kwindel::TickCount(), the 32-bit millisecond count TTimeout runs on, and
/// how a test puts a count of its own in its place.

namespace kwindel {

/// A source of the 32-bit millisecond tick count.
using TickSource = std::function<std::uint32_t()>;

/// Milliseconds of the monotonic clock (on Windows GetTickCount, the time since
/// the system started), truncated to 32 bits: it wraps to 0 about every 49.7
/// days, so callers compare ticks by unsigned difference.
KWINDEL_KIT_EXPORT std::uint32_t TickCount();

/// Replaces the source TickCount() reads, so tests can drive time without
/// waiting; an empty source restores the system's. Returns the previous one.
/// Not synchronised: swap it only while no other thread reads the count.
KWINDEL_KIT_EXPORT TickSource SetTickSource(TickSource source);

/// Puts a source in place for one scope and restores the previous one after.
class ScopedTickSource {
 public:
  /// Makes source the one TickCount() reads.
  explicit ScopedTickSource(TickSource source) : previous_(SetTickSource(std::move(source))) {}
  /// Puts the previous source back.
  ~ScopedTickSource() { SetTickSource(std::move(previous_)); }
  /// Not copyable: one scope, one swap.
  ScopedTickSource(const ScopedTickSource&) = delete;
  /// Not assignable.
  ScopedTickSource& operator=(const ScopedTickSource&) = delete;

 private:
  TickSource previous_;
};

}  // namespace kwindel
