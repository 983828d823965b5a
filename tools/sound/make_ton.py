#!/usr/bin/env python3
"""Writes data/ton.wav: the short two-note chime the robot plays for `Ton`.

Run from the repository root: python3 tools/sound/make_ton.py
"""
import math
import struct
import wave

RATE = 22050


def note(freq, seconds, volume=0.35):
    count = int(RATE * seconds)
    for i in range(count):
        t = i / RATE
        # soft attack and an exponential fade, with a quiet octave for a bell-like sound
        envelope = min(1.0, t / 0.01) * math.exp(-5.0 * t / seconds)
        value = math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(4 * math.pi * freq * t)
        yield volume * envelope * value / 1.3


def main():
    samples = list(note(880.0, 0.15)) + list(note(1318.5, 0.25))
    with wave.open("data/ton.wav", "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(s * 32767)) for s in samples))


if __name__ == "__main__":
    main()
