// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
// The Linux side of SoundOutput: libsndfile decodes, ALSA plays.
#include "SoundOutput.h"

#include <alsa/asoundlib.h>
#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

#include "WaveResources.h"

namespace kwindel {

namespace {

// libsndfile reads the resource straight from memory through these callbacks.
struct MemoryFile {
  const QByteArray& bytes;
  sf_count_t position = 0;
};

sf_count_t MemoryLength(void* user) {
  return static_cast<MemoryFile*>(user)->bytes.size();
}

sf_count_t MemorySeek(sf_count_t offset, int whence, void* user) {
  auto* file = static_cast<MemoryFile*>(user);
  sf_count_t base = whence == SEEK_CUR   ? file->position
                    : whence == SEEK_END ? file->bytes.size()
                                         : 0;
  sf_count_t target = base + offset;
  if (target < 0 || target > file->bytes.size()) return -1;
  file->position = target;
  return target;
}

sf_count_t MemoryRead(void* buffer, sf_count_t count, void* user) {
  auto* file = static_cast<MemoryFile*>(user);
  sf_count_t available = std::max<sf_count_t>(0, file->bytes.size() - file->position);
  sf_count_t taken = std::min(count, available);
  if (taken > 0) {
    std::memcpy(buffer, file->bytes.constData() + file->position, static_cast<std::size_t>(taken));
  }
  file->position += taken;
  return taken;
}

sf_count_t MemoryWrite(const void*, sf_count_t, void*) {
  return 0;
}

sf_count_t MemoryTell(void* user) {
  return static_cast<MemoryFile*>(user)->position;
}

sf_count_t ReadFrames(SNDFILE* file, std::int16_t* to, sf_count_t frames) {
  return sf_readf_short(file, to, frames);
}
sf_count_t ReadFrames(SNDFILE* file, std::int32_t* to, sf_count_t frames) {
  return sf_readf_int(file, to, frames);
}
sf_count_t ReadFrames(SNDFILE* file, float* to, sf_count_t frames) {
  return sf_readf_float(file, to, frames);
}

// Reads in chunks rather than trusting the header's frame count, which a
// damaged file may state as anything.
template <class Sample>
std::vector<Sample> ReadAll(SNDFILE* file, int channels) {
  constexpr sf_count_t kChunkFrames = 4096;
  std::vector<Sample> samples;
  for (;;) {
    std::size_t used = samples.size();
    samples.resize(used + static_cast<std::size_t>(kChunkFrames * channels));
    sf_count_t got = ReadFrames(file, samples.data() + used, kChunkFrames);
    samples.resize(used + static_cast<std::size_t>(std::max<sf_count_t>(got, 0) * channels));
    if (got < kChunkFrames) return samples;
  }
}

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

snd_pcm_format_t AlsaFormat(const DecodedWave& wave) {
  switch (wave.Samples.index()) {
    case 0:
      return SND_PCM_FORMAT_S16;
    case 1:
      return SND_PCM_FORMAT_S32;
    default:
      return SND_PCM_FORMAT_FLOAT;
  }
}

const void* SampleData(const DecodedWave& wave) {
  return std::visit([](const auto& samples) -> const void* { return samples.data(); },
                    wave.Samples);
}

std::size_t SampleSize(const DecodedWave& wave) {
  return std::visit([](const auto& samples) { return sizeof(samples[0]); }, wave.Samples);
}

}  // namespace

std::size_t DecodedWave::Frames() const {
  if (Channels <= 0) return 0;
  return std::visit([](const auto& samples) { return samples.size(); }, Samples) /
         static_cast<std::size_t>(Channels);
}

std::optional<DecodedWave> DecodeWave(const QByteArray& bytes) {
  MemoryFile memory{bytes};
  SF_VIRTUAL_IO io{MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};
  SF_INFO info{};
  SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &memory);
  if (!file) return std::nullopt;
  DecodedWave wave;
  wave.Channels = info.channels;
  wave.Rate = info.samplerate;
  switch (info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
      wave.Samples = ReadAll<std::int32_t>(file, info.channels);
      break;
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
      wave.Samples = ReadAll<float>(file, info.channels);
      break;
    default:
      wave.Samples = ReadAll<std::int16_t>(file, info.channels);
      break;
  }
  sf_close(file);
  return wave;
}

AlsaSoundOutput::AlsaSoundOutput(std::string device) : FDevice(std::move(device)) {
  // Without a sound card alsa-lib would print several lines for every play.
  static std::once_flag silenced;
  std::call_once(silenced, [] { snd_lib_error_set_handler(IgnoreAlsaError); });
}

void AlsaSoundOutput::PlayNamed(std::string_view name) {
  PlayResource(FindWaveResource(name));
}

void AlsaSoundOutput::PlayNumbered(std::uint16_t number) {
  if (number == 0) return;
  PlayResource(FindWaveResource(number));
}

void AlsaSoundOutput::PlayResource(const std::optional<QByteArray>& resource) const {
  // A missing resource sounds the default; one that does not decode stays silent.
  std::optional<DecodedWave> wave = DecodeWave(resource ? *resource : DefaultSound());
  if (wave) PlayWave(*wave);
}

bool AlsaSoundOutput::PlayWave(const DecodedWave& wave) const {
  if (wave.Frames() == 0) return true;
  snd_pcm_t* pcm = nullptr;
  if (snd_pcm_open(&pcm, FDevice.c_str(), SND_PCM_STREAM_PLAYBACK, 0) < 0) return false;
  // Resampling allowed, so any common rate plays; half a second of buffer.
  if (snd_pcm_set_params(pcm, AlsaFormat(wave), SND_PCM_ACCESS_RW_INTERLEAVED,
                         static_cast<unsigned>(wave.Channels), static_cast<unsigned>(wave.Rate), 1,
                         500000) < 0) {
    snd_pcm_close(pcm);
    return false;
  }
  const auto* data = static_cast<const char*>(SampleData(wave));
  const std::size_t frameBytes = SampleSize(wave) * static_cast<std::size_t>(wave.Channels);
  auto remaining = static_cast<snd_pcm_uframes_t>(wave.Frames());
  bool played = true;
  while (remaining > 0) {
    snd_pcm_sframes_t written = snd_pcm_writei(pcm, data, remaining);
    if (written == -EAGAIN) continue;
    if (written < 0) {
      // An underrun or a suspend: recover and go on; anything else ends the sound.
      if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0) {
        played = false;
        break;
      }
      continue;
    }
    data += static_cast<std::size_t>(written) * frameBytes;
    remaining -= static_cast<snd_pcm_uframes_t>(written);
  }
  if (played) snd_pcm_drain(pcm);
  snd_pcm_close(pcm);
  return played;
}

std::shared_ptr<SoundOutput> SystemSoundOutput() {
  static const std::shared_ptr<SoundOutput> output = std::make_shared<AlsaSoundOutput>();
  return output;
}

}  // namespace kwindel
