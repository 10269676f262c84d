// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RandomSource.h"

#include <ctime>

namespace kwindel {

namespace {
constexpr std::uint32_t kSeedMultiplier = 0x015A4E35;
constexpr std::uint64_t kDrawMultiplier = 0x0000015A00004E35;
}  // namespace

std::int64_t RandomSource::SystemClock() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

RandomSource::RandomSource(Clock clock) : clock_(std::move(clock)) {
  Seed(1);
}

void RandomSource::Seed(std::uint32_t seed) {
  // One step of the 32-bit recurrence on the low word; the high word starts at 0.
  state_ = static_cast<std::uint32_t>(seed * kSeedMultiplier + 1u);
}

void RandomSource::Randomize() {
  Seed(static_cast<std::uint32_t>(clock_()));
}

std::int32_t RandomSource::Draw31() {
  state_ = state_ * kDrawMultiplier + 1u;  // wraps mod 2^64
  return static_cast<std::int32_t>((state_ >> 32) & 0x7FFFFFFFu);
}

std::int32_t RandomSource::RandomIndex(std::int32_t n) {
  if (n <= 0) return 0;
  return Draw31() % n;
}

}  // namespace kwindel
