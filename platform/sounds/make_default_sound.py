#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: LGPL-3.0-or-later
"""Writes default.wav: the short two-note chime played when a program asks for
a wave resource it does not have. Run it from this folder to regenerate the
file; the output is deterministic."""

import math
import struct
import wave

RATE = 22050
LENGTH = 0.38  # seconds
PEAK = 0.35


def note(t, start, frequency, decay):
    """A sine with a soft overtone, a 6 ms attack and an exponential decay."""
    t -= start
    if t < 0:
        return 0.0
    attack = min(1.0, t / 0.006)
    envelope = attack * math.exp(-t / decay)
    phase = 2 * math.pi * frequency * t
    return envelope * (math.sin(phase) + 0.25 * math.sin(2 * phase))


def main():
    frames = int(RATE * LENGTH)
    samples = []
    for i in range(frames):
        t = i / RATE
        value = 0.6 * note(t, 0.0, 783.99, 0.07) + note(t, 0.11, 1046.5, 0.09)
        # Fade the last 20 ms so the sound ends without a click.
        fade = min(1.0, (frames - i) / (0.02 * RATE))
        samples.append(int(round(32767 * PEAK * fade * value / 1.25)))
    with wave.open("default.wav", "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))


if __name__ == "__main__":
    main()
