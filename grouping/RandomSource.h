// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace kwindel {

// The program's own 64-bit linear congruential generator. For a given seed the
// sequence is fixed, so a division can be reproduced exactly.
class RandomSource {
 public:
  // Whole seconds since 1970-01-01 00:00:00 UTC.
  using Clock = std::function<std::int64_t()>;

  static std::int64_t SystemClock();

  explicit RandomSource(Clock clock = SystemClock);

  void Seed(std::uint32_t seed);
  void Randomize();
  std::int32_t Draw31();
  // 0..n-1; 0 without drawing when n <= 0.
  std::int32_t RandomIndex(std::int32_t n);

  std::uint64_t State() const { return state_; }

 private:
  Clock clock_;
  std::uint64_t state_ = 0;
};

}  // namespace kwindel
