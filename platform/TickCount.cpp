// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "TickCount.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace kwindel {
namespace {

#ifdef _WIN32
std::uint32_t SystemTickCount() {
  return GetTickCount();
}
#else
std::uint32_t SystemTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                            static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(milliseconds);  // keeps the low 32 bits: the wrap is intended
}
#endif

TickSource& Source() {
  static TickSource source;
  return source;
}

}  // namespace

std::uint32_t TickCount() {
  const TickSource& source = Source();
  return source ? source() : SystemTickCount();
}

TickSource SetTickSource(TickSource source) {
  return std::exchange(Source(), std::move(source));
}

}  // namespace kwindel
