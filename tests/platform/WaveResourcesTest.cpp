// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "WaveResources.h"

namespace kwindel {
namespace {

using ::testing::ElementsAreArray;

// The test binary carries its own wave resources (tests/platform/waves):
// Chime.wav (16-bit mono: 100, -100, 200, -200), 4464.wav (16-bit stereo:
// 1..6), Šum.wav (16-bit mono: 7, 8) and Broken.wav (not a sound file).

// A wave file's "data" chunk, read without a sound library so that the
// resources are checked the same way on every platform.
std::optional<QByteArray> DataChunk(const QByteArray& wave) {
  if (!wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE") return std::nullopt;
  for (qsizetype at = 12; at + 8 <= wave.size();) {
    std::uint32_t size = 0;
    std::memcpy(&size, wave.constData() + at + 4, 4);
    if (wave.mid(at, 4) == "data") return wave.mid(at + 8, size);
    at += 8 + size + (size & 1);
  }
  return std::nullopt;
}

std::vector<std::int16_t> Samples16(const std::optional<QByteArray>& resource) {
  if (!resource) return {};
  const std::optional<QByteArray> data = DataChunk(*resource);
  if (!data) return {};
  std::vector<std::int16_t> samples(static_cast<std::size_t>(data->size()) / 2);
  std::memcpy(samples.data(), data->constData(), samples.size() * 2);
  return samples;
}

TEST(WaveResourcesTest, FindsResourcesByNameInAnyCaseAndByNumber) {
  struct Case {
    const char* name;
    std::optional<QByteArray> found;
    std::vector<std::int16_t> samples;
  };
  const Case cases[] = {
      {"name as stored", FindWaveResource("Chime"), {100, -100, 200, -200}},
      {"other letter case", FindWaveResource("cHIME"), {100, -100, 200, -200}},
      {"code page 1252 name, other case", FindWaveResource("\x9Aum"), {7, 8}},
      {"number", FindWaveResource(std::uint16_t{4464}), {1, 2, 3, 4, 5, 6}},
      {"number as a name", FindWaveResource("4464"), {1, 2, 3, 4, 5, 6}},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_THAT(Samples16(row.found), ElementsAreArray(row.samples));
  }
}

TEST(WaveResourcesTest, MissesWhatNoResourceCarries) {
  EXPECT_FALSE(FindWaveResource("Chime.wav"));  // the name has no ".wav"
  EXPECT_FALSE(FindWaveResource("Chim"));
  EXPECT_FALSE(FindWaveResource(""));
  EXPECT_FALSE(FindWaveResource("../waves/Chime"));
  EXPECT_FALSE(FindWaveResource(std::uint16_t{0}));
  EXPECT_FALSE(FindWaveResource(std::uint16_t{4465}));
}

TEST(WaveResourcesTest, TellsAWholeWaveFromAPartOfOne) {
  const QByteArray chime = *FindWaveResource("Chime");
  QByteArray dataPastTheEnd = chime;
  dataPastTheEnd[dataPastTheEnd.size() - 12] = '\x7F';  // the data chunk's size, grown
  QByteArray riffPastTheEnd = chime;
  riffPastTheEnd[7] = '\x01';  // the RIFF size
  EXPECT_TRUE(IsWholeWave(chime));
  EXPECT_TRUE(IsWholeWave(DefaultSound()));
  for (const QByteArray& part :
       {QByteArray(), QByteArray("plain text, not a sound"), *FindWaveResource("Broken"),
        chime.left(20), chime.left(chime.size() - 1), dataPastTheEnd, riffPastTheEnd}) {
    SCOPED_TRACE(part.left(16).toHex().toStdString());
    EXPECT_FALSE(IsWholeWave(part));
  }
}

TEST(WaveResourcesTest, DefaultSoundIsAShortWave) {
  const QByteArray wave = DefaultSound();
  const std::optional<QByteArray> data = DataChunk(wave);
  ASSERT_TRUE(data);
  std::uint32_t bytesPerSecond = 0;
  std::memcpy(&bytesPerSecond, wave.constData() + 28, 4);  // in the "fmt " chunk
  ASSERT_GT(bytesPerSecond, 0u);
  const double seconds = static_cast<double>(data->size()) / bytesPerSecond;
  EXPECT_GT(seconds, 0.1);
  EXPECT_LT(seconds, 1.0);
}

}  // namespace
}  // namespace kwindel
