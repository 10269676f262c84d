// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SoundOutput.h"
#include "WaveQueuePlayer.h"

namespace kwindel::test {

using Log = std::vector<std::string>;

class SilentOutput : public SoundOutput {
 public:
  void PlayNamed(std::string_view) override {}
  void PlayNumbered(std::uint16_t) override {}
};

// A player whose Idle the test sets; it plays nothing and writes what is
// queued into the test's log.
class FakePlayer : public TWaveQueuePlayer {
 public:
  explicit FakePlayer(Log& log) : TWaveQueuePlayer(std::make_shared<SilentOutput>()), FLog(log) {}
  using TWaveQueuePlayer::Enqueue;
  void Enqueue(const std::string& Name) override { FLog.push_back("sound " + Name); }
  void Enqueue(int Number) override { FLog.push_back("sound #" + std::to_string(Number)); }
  bool GetIdle() const override { return idle; }

  bool idle = true;

 private:
  Log& FLog;
};

}  // namespace kwindel::test
