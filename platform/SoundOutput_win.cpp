// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
// The Windows side of SoundOutput: the system plays the wave bytes itself.
#include <windows.h>
// After windows.h, which it builds on.
#include <mmsystem.h>

#include "SoundOutput.h"
#include "WaveResources.h"

namespace kwindel {

void WindowsSoundOutput::PlayNamed(std::string_view name) {
  // A name no resource carries sounds the default, as on Linux.
  PlayWave(FindWaveResource(name).value_or(DefaultSound()));
}

void WindowsSoundOutput::PlayNumbered(std::uint16_t number) {
  if (number == 0) return;
  PlayWave(FindWaveResource(number).value_or(DefaultSound()));
}

bool WindowsSoundOutput::PlayWave(const QByteArray& bytes) {
  if (!IsWholeWave(bytes)) return false;
  // SND_NODEFAULT: bytes that are no wave stay silent rather than ringing the system's sound.
  return PlaySoundW(reinterpret_cast<LPCWSTR>(bytes.constData()), nullptr,
                    SND_MEMORY | SND_SYNC | SND_NODEFAULT) != FALSE;
}

std::shared_ptr<SoundOutput> SystemSoundOutput() {
  static const std::shared_ptr<SoundOutput> output = std::make_shared<WindowsSoundOutput>();
  return output;
}

}  // namespace kwindel
