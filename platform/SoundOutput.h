// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "KitExport.h"

/// \file
/// kwindel::SoundOutput, the sound output TWaveQueuePlayer plays through.

namespace kwindel {

/// Synchronous playback of the running program's wave resources (named and
/// numbered as TWaveQueuePlayer describes). Each call returns when the sound
/// has finished. Failures are not reported: a sound that cannot be played is
/// simply not heard. TWaveQueuePlayer calls it on its worker thread only.
/// Derive from it for a player that plays silently or records what it is asked
/// to play.
class KWINDEL_KIT_EXPORT SoundOutput {
 public:
  /// Destroyed once its last user, the player's worker included, lets go.
  virtual ~SoundOutput() = default;

  /// Plays the wave resource with this name; a name that no resource carries
  /// plays the default sound instead.
  virtual void PlayNamed(std::string_view name) = 0;

  /// Plays wave resource `number`, or the default sound when there is none.
  /// Number 0 is the null identifier: it plays nothing at all.
  virtual void PlayNumbered(std::uint16_t number) = 0;
};

/// The process's sound output, shared by all users: on Linux ALSA's "default"
/// device, on Windows the system's PlaySound.
KWINDEL_KIT_EXPORT std::shared_ptr<SoundOutput> SystemSoundOutput();

#ifdef _WIN32

/// Plays through PlaySoundW, straight from the wave's bytes in memory, and
/// returns when the sound has ended.
class KWINDEL_KIT_EXPORT WindowsSoundOutput : public SoundOutput {
 public:
  void PlayNamed(std::string_view name) override;
  void PlayNumbered(std::uint16_t number) override;

  /// Plays the bytes of a wave file; returns what PlaySoundW returned: false
  /// when there is no device or the bytes are no wave it plays.
  static bool PlayWave(const QByteArray& bytes);
};

#else

/// A decoded wave: interleaved frames in the sample type closest to the file's
/// own (16-bit for 8- and 16-bit files and compressed ones, 32-bit for 24- and
/// 32-bit files, float for float files).
struct KWINDEL_KIT_EXPORT DecodedWave {
  /// 1 for mono, 2 for stereo, and so on.
  int Channels = 0;
  /// Frames per second.
  int Rate = 0;
  /// The samples, frame after frame, each frame Channels samples.
  std::variant<std::vector<std::int16_t>, std::vector<std::int32_t>, std::vector<float> > Samples;

  /// The number of frames: samples divided by Channels (0 without channels).
  std::size_t Frames() const;
};

/// Decodes a whole sound file held in memory, or returns nothing when the bytes
/// are not a sound file libsndfile can read.
KWINDEL_KIT_EXPORT std::optional<DecodedWave> DecodeWave(const QByteArray& bytes);

/// Plays through an ALSA device ("default" unless told otherwise): opens it,
/// writes the frames, waits for them to drain and closes it again. No device,
/// or a device that refuses the format, means silence; alsa-lib's own error
/// printing is switched off for the whole process.
class KWINDEL_KIT_EXPORT AlsaSoundOutput : public SoundOutput {
 public:
  /// Plays through the ALSA device of this name.
  explicit AlsaSoundOutput(std::string device = "default");

  void PlayNamed(std::string_view name) override;
  void PlayNumbered(std::uint16_t number) override;

  /// Plays decoded frames; returns false when the device could not be used.
  bool PlayWave(const DecodedWave& wave) const;

 private:
  void PlayResource(const std::optional<QByteArray>& resource) const;

  std::string FDevice;
};

#endif

}  // namespace kwindel
