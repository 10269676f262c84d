// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows sound output plays through the system's PlaySoundW. Under Wine
// the tests' own ALSA configuration gives it a device that plays nowhere.

#include <gtest/gtest.h>

#include <chrono>

#include "SoundOutput.h"
#include "WaveResources.h"

namespace kwindel {
namespace {

TEST(WindowsSoundOutputTest, PlaysWaveBytesAndRefusesWhatIsNoWave) {
  const QByteArray chime = *FindWaveResource("Chime");
  struct Case {
    const char* name;
    QByteArray bytes;
    bool played;
  };
  const Case cases[] = {
      {"a wave resource", chime, true},
      {"the default sound", DefaultSound(), true},
      {"no bytes", QByteArray(), false},
      {"plain text", QByteArray("plain text, not a sound"), false},
      {"a file that is no sound", *FindWaveResource("Broken"), false},
      {"a header cut off in the middle", chime.left(20), false},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(WindowsSoundOutput::PlayWave(row.bytes), row.played);
  }
}

TEST(WindowsSoundOutputTest, EveryRequestReturnsOnceItIsPlayed) {
  WindowsSoundOutput output;
  const auto start = std::chrono::steady_clock::now();
  output.PlayNamed("chime");
  output.PlayNumbered(4464);
  output.PlayNamed("NoSuchSound");  // the default sound
  output.PlayNumbered(0);           // nothing
  output.PlayNamed("broken");       // silence
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(SystemSoundOutput(), SystemSoundOutput());
  EXPECT_NE(dynamic_cast<WindowsSoundOutput*>(SystemSoundOutput().get()), nullptr);
}

}  // namespace
}  // namespace kwindel
