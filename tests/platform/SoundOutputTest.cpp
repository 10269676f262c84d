// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <alsa/asoundlib.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "SoundOutput.h"
#include "TempDir.h"
#include "WaveResources.h"

namespace kwindel {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The Linux sound output: libsndfile decodes, ALSA plays. The test binary
// carries its own wave resources (tests/platform/waves):
// Chime.wav (16-bit mono: 100, -100, 200, -200), 4464.wav (16-bit stereo:
// 1..6), Šum.wav (16-bit mono: 7, 8) and Broken.wav (not a sound file).

// Writes samples given at full 32-bit scale into a sound file of the given
// format and returns the file's bytes.
QByteArray MakeSoundFile(const TempDir& folder, int format, int channels, int rate,
                         const std::vector<int>& samples) {
  std::string path = folder / "made.wav";
  SF_INFO info{};
  info.channels = channels;
  info.samplerate = rate;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) return {};
  // Full scale in a float file is 1.0, as in any float wave.
  sf_command(file, SFC_SET_SCALE_INT_FLOAT_WRITE, nullptr, SF_TRUE);
  sf_writef_int(file, samples.data(), static_cast<sf_count_t>(samples.size()) / channels);
  sf_close(file);
  std::string bytes = ReadFile(path);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

TEST(DecodeWaveTest, DecodesEveryCommonWaveFormat) {
  // Steps of 1 << 24 fit every format exactly, 8-bit included.
  const std::vector<int> input = {0, 1 << 24, -(1 << 24), 64 << 24, -128 << 24, 127 << 24};
  const std::vector<std::int16_t> as16 = {0, 1 << 8, -(1 << 8), 64 << 8, -128 << 8, 127 << 8};
  const std::vector<float> asFloat = {0.0f, 1 / 128.0f, -1 / 128.0f, 0.5f, -1.0f, 127 / 128.0f};
  struct Case {
    const char* name;
    int format;
    int channels;
    int rate;
    DecodedWave expected;
  };
  const Case cases[] = {
      {"8-bit unsigned mono", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, 8000, {1, 8000, as16}},
      {"16-bit stereo", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, {2, 44100, as16}},
      {"24-bit mono", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 48000, {1, 48000, input}},
      {"32-bit stereo", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 2, 96000, {2, 96000, input}},
      {"float stereo", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 22050, {2, 22050, asFloat}},
  };
  TempDir folder;
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    std::optional<DecodedWave> wave =
        DecodeWave(MakeSoundFile(folder, row.format, row.channels, row.rate, input));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->Channels, row.expected.Channels);
    EXPECT_EQ(wave->Rate, row.expected.Rate);
    EXPECT_EQ(wave->Frames(), input.size() / static_cast<std::size_t>(row.channels));
    EXPECT_EQ(wave->Samples, row.expected.Samples);
  }
}

TEST(DecodeWaveTest, RefusesWhatIsNoSoundFile) {
  EXPECT_FALSE(DecodeWave(QByteArray()));
  EXPECT_FALSE(DecodeWave(QByteArray("plain text, not a sound")));
  EXPECT_FALSE(DecodeWave(*FindWaveResource("Broken")));
  // A header cut off in the middle.
  QByteArray chime = *FindWaveResource("Chime");
  EXPECT_FALSE(DecodeWave(chime.left(20)));
}

// Points ALSA's "default" device at a configuration of the test's own, with
// no sound card needed, and puts alsa-lib's configuration back afterwards.
class AlsaTest : public ::testing::Test {
 protected:
  void UseConfig(const std::string& text) {
    WriteFile(folder / "asound.conf", text);
    ::setenv("ALSA_CONFIG_PATH", (folder / "asound.conf").c_str(), 1);
    snd_config_update_free_global();
  }

  // "default" writes the raw frames into a file and plays them nowhere.
  void UseFileDevice() {
    UseConfig("pcm.!default { type file slave.pcm { type null } file \"" + (folder / "out.raw") +
              "\" format \"raw\" }\n");
  }

  std::string Written() const { return ReadFile(folder / "out.raw"); }

  void TearDown() override {
    ::unsetenv("ALSA_CONFIG_PATH");
    snd_config_update_free_global();
  }

  TempDir folder;
};

template <class Sample>
std::string Bytes(const std::vector<Sample>& samples) {
  return std::string(reinterpret_cast<const char*>(samples.data()),
                     samples.size() * sizeof(Sample));
}

TEST_F(AlsaTest, PlaysResourcesThroughTheDefaultDevice) {
  std::optional<DecodedWave> defaultSound = DecodeWave(DefaultSound());
  ASSERT_TRUE(defaultSound);
  const std::string defaultBytes =
      Bytes(std::get<std::vector<std::int16_t>>(defaultSound->Samples));
  struct Case {
    const char* name;
    void (*play)(AlsaSoundOutput&);
    std::string expected;
  };
  const Case cases[] = {
      {"by name", [](AlsaSoundOutput& out) { out.PlayNamed("chime"); },
       Bytes(std::vector<std::int16_t>{100, -100, 200, -200})},
      {"by number", [](AlsaSoundOutput& out) { out.PlayNumbered(4464); },
       Bytes(std::vector<std::int16_t>{1, 2, 3, 4, 5, 6})},
      {"missing name plays the default sound",
       [](AlsaSoundOutput& out) { out.PlayNamed("NoSuchSound"); }, defaultBytes},
      {"empty name plays the default sound", [](AlsaSoundOutput& out) { out.PlayNamed(""); },
       defaultBytes},
      {"missing number plays the default sound",
       [](AlsaSoundOutput& out) { out.PlayNumbered(4465); }, defaultBytes},
      {"null number plays nothing", [](AlsaSoundOutput& out) { out.PlayNumbered(0); }, ""},
      {"undecodable resource plays nothing", [](AlsaSoundOutput& out) { out.PlayNamed("broken"); },
       ""},
  };
  UseFileDevice();
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    std::remove((folder / "out.raw").c_str());
    AlsaSoundOutput output;
    row.play(output);
    EXPECT_EQ(Written(), row.expected);
  }
}

TEST_F(AlsaTest, WritesEverySampleTypeUnchanged) {
  const DecodedWave waves[] = {
      {2, 44100, std::vector<std::int16_t>{-32768, 32767, 0, 1}},
      {1, 48000, std::vector<std::int32_t>{INT32_MIN, INT32_MAX, 256}},
      {2, 96000, std::vector<float>{-1.0f, 0.25f, 0.5f, 1.0f}},
  };
  UseFileDevice();
  for (const DecodedWave& wave : waves) {
    SCOPED_TRACE(wave.Samples.index());
    std::remove((folder / "out.raw").c_str());
    EXPECT_TRUE(AlsaSoundOutput().PlayWave(wave));
    EXPECT_EQ(Written(),
              std::visit([](const auto& samples) { return Bytes(samples); }, wave.Samples));
  }
}

TEST_F(AlsaTest, WithoutADeviceStaysSilentAndPrintsNothing) {
  // alsa-lib would print an "ALSA lib ..." line for each of these.
  const struct {
    const char* name;
    const char* config;
  } cases[] = {
      {"no default device at all", ""},
      {"a sound card that does not exist", "pcm.!default { type hw card \"nosuchcard\" }\n"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    UseConfig(row.config);
    ::testing::internal::CaptureStderr();
    AlsaSoundOutput output;
    output.PlayNamed("Chime");
    output.PlayNamed("NoSuchSound");
    bool played = output.PlayWave({1, 8000, std::vector<std::int16_t>{1, 2}});
    std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(played);
    EXPECT_EQ(printed, "");
  }
}

TEST_F(AlsaTest, ANamedDeviceCanBeChosen) {
  UseConfig("pcm.kwindeltest { type file slave.pcm { type null } file \"" + (folder / "named.raw") +
            "\" format \"raw\" }\n");
  AlsaSoundOutput("kwindeltest").PlayNamed("Chime");
  EXPECT_EQ(ReadFile(folder / "named.raw"), Bytes(std::vector<std::int16_t>{100, -100, 200, -200}));
}

}  // namespace
}  // namespace kwindel
