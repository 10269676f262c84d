// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kwindel {

// A program's wave resources are files compiled into its executable as Qt
// resources in the folder ":/waves/". A resource's name is its file name
// without a final ".wav" (in any letter case); names are compared without
// regard to letter case. Resource number N is the resource named N in plain
// decimal ("4464" for ":/waves/4464.wav").
inline constexpr char kWaveResourceFolder[] = ":/waves/";

// The bytes of the wave resource with this 8-bit name (see FromCodePage), or
// nothing when no resource carries it.
std::optional<QByteArray> FindWaveResource(std::string_view name);

// The bytes of wave resource `number`, or nothing when there is none.
// Number 0 is the null identifier, which no resource carries.
std::optional<QByteArray> FindWaveResource(std::uint16_t number);

// Whether the bytes are a whole RIFF wave: "RIFF", "WAVE", and chunks that all
// end within the bytes, among them "fmt " and "data". A player that trusts the
// header's sizes (Windows' PlaySound) would otherwise read past the end.
bool IsWholeWave(const QByteArray& bytes);

// The sound played in place of a resource that does not exist.
QByteArray DefaultSound();

}  // namespace kwindel
