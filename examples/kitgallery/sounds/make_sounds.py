#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the gallery's four button sounds: a soft rising blip when the pointer
enters a button (Glow), a falling one when it leaves (Unglow), a click when it
is pressed (Press) and a lighter click when it is released (Unpress). Run it
from this folder to regenerate them; the output is deterministic."""

import math
import struct
import wave

RATE = 22050
PEAK = 0.3


def blip(t, length, start_hz, end_hz):
    """A sine sweeping from start_hz to end_hz with a short attack and a fade."""
    if t >= length:
        return 0.0
    frequency = start_hz + (end_hz - start_hz) * t / length
    envelope = min(1.0, t / 0.004) * min(1.0, (length - t) / 0.02)
    return envelope * math.sin(2 * math.pi * frequency * t)


def click(t, length, hz):
    """A damped sine: a short, woody click."""
    if t >= length:
        return 0.0
    return min(1.0, t / 0.001) * math.exp(-t / (length / 5)) * math.sin(2 * math.pi * hz * t)


SOUNDS = {
    "Glow": (0.09, lambda t: blip(t, 0.09, 660, 990)),
    "Unglow": (0.09, lambda t: blip(t, 0.09, 990, 660)),
    "Press": (0.06, lambda t: click(t, 0.06, 1400)),
    "Unpress": (0.05, lambda t: 0.6 * click(t, 0.05, 2000)),
}


def main():
    for name, (length, sound) in SOUNDS.items():
        frames = int(RATE * length)
        samples = [int(round(32767 * PEAK * sound(i / RATE))) for i in range(frames)]
        with wave.open(name + ".wav", "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(RATE)
            out.writeframes(struct.pack("<%dh" % len(samples), *samples))


if __name__ == "__main__":
    main()
