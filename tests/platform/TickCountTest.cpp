// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>

#include "TickCount.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace kwindel {
namespace {

std::uint32_t SystemMilliseconds() {
#ifdef _WIN32
  return GetTickCount();
#else
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
#endif
}

// The real source: the monotonic clock in milliseconds on Linux, GetTickCount on Windows.
TEST(TickCountTest, CountsTheSystemsMilliseconds) {
  const std::uint32_t before = SystemMilliseconds();
  const std::uint32_t tick = TickCount();
  const std::uint32_t after = SystemMilliseconds();
  // Compared by unsigned difference, as callers do, so a wrap in between is no failure.
  EXPECT_LE(static_cast<std::uint32_t>(tick - before), static_cast<std::uint32_t>(after - before));
}

}  // namespace
}  // namespace kwindel
