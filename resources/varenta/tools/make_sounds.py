#!/usr/bin/env python3
"""Makes the short default wave files of the Varenta sound events.

Run once from anywhere; writes into ../sounds next to this script. The sounds
are synthesised (tones, sweeps, filtered noise), so the project owns them.
8-bit mono at 11025 Hz keeps every file a few kilobytes.
"""
import math
import os
import random
import struct
import wave

RATE = 11025
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sounds")


def envelope(i, n, attack=0.01, release=0.08):
    t = i / RATE
    a = min(1.0, t / attack) if attack > 0 else 1.0
    r = min(1.0, (n - i) / (release * RATE)) if release > 0 else 1.0
    return max(0.0, min(a, r))


def tone(freq, secs, volume=0.5, shape="sine", freq_end=None):
    n = int(secs * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        f = freq if freq_end is None else freq + (freq_end - freq) * i / n
        phase += 2 * math.pi * f / RATE
        if shape == "square":
            v = 1.0 if math.sin(phase) >= 0 else -1.0
            v *= 0.5
        elif shape == "bell":
            v = math.sin(phase) * math.exp(-3.0 * i / n) + 0.3 * math.sin(2 * phase)
        else:
            v = math.sin(phase) + 0.25 * math.sin(2 * phase)
        out.append(v * volume * envelope(i, n))
    return out


def noise(secs, volume=0.4, smooth=0.5, rng=None):
    rng = rng or random.Random(7)
    n = int(secs * RATE)
    out = []
    last = 0.0
    for i in range(n):
        last = smooth * last + (1 - smooth) * rng.uniform(-1, 1)
        out.append(last * volume * envelope(i, n, 0.005, 0.03))
    return out


def silence(secs):
    return [0.0] * int(secs * RATE)


def join(*parts):
    out = []
    for part in parts:
        out.extend(part)
    return out


def mix(*parts):
    n = max(len(p) for p in parts)
    return [sum(p[i] for p in parts if i < len(p)) for i in range(n)]


def seq(notes, secs, **kw):
    return join(*[tone(f, secs, **kw) for f in notes])


def write(name, samples):
    os.makedirs(OUT, exist_ok=True)
    with wave.open(os.path.join(OUT, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(RATE)
        data = bytes(max(0, min(255, int(128 + 127 * max(-1.0, min(1.0, s))))) for s in samples)
        w.writeframes(data)


def shuffle():
    rng = random.Random(1)
    parts = []
    for k in range(9):
        parts.append(noise(0.035 + 0.01 * (k % 3), 0.55, 0.2, rng))
        parts.append(silence(0.025))
    return join(*parts)


def applause():
    rng = random.Random(2)
    n = int(1.4 * RATE)
    out = [0.0] * n
    for _ in range(160):
        start = rng.randrange(0, n - 300)
        clap = noise(0.02, rng.uniform(0.15, 0.35), 0.1, rng)
        for i, v in enumerate(clap):
            out[start + i] += v
    return [v * envelope(i, n, 0.1, 0.4) for i, v in enumerate(out)]


def laugh():
    return join(*[join(tone(420 - 30 * k, 0.09, 0.5, "square", 360 - 30 * k), silence(0.06))
                  for k in range(4)])


SOUNDS = {
    "shufl.wav": shuffle,
    "done.wav": lambda: seq([784, 523], 0.18, volume=0.5, shape="bell"),
    "help.wav": lambda: tone(500, 0.25, 0.5, "sine", 900),
    "manuel.wav": lambda: seq([660, 880, 660], 0.12),
    "nowwhat.wav": lambda: join(tone(440, 0.15), silence(0.05), tone(440, 0.3, 0.5, "sine", 700)),
    "exelnt.wav": lambda: seq([523, 659, 784, 1047], 0.1, volume=0.5, shape="bell"),
    "toobad.wav": lambda: join(seq([392, 370, 349], 0.22, shape="square"),
                               tone(330, 0.5, 0.5, "square", 300)),
    "haha.wav": laugh,
    "mixed.wav": lambda: seq([659, 880], 0.16, shape="bell"),
    "natural.wav": lambda: seq([659, 880, 1175], 0.16, shape="bell"),
    "welcome.wav": lambda: seq([392, 523, 659, 784], 0.13, shape="bell"),
    "yeah.wav": lambda: tone(300, 0.45, 0.55, "square", 900),
    "wonderfl.wav": lambda: join(seq([523, 523, 523], 0.1, shape="square"), tone(784, 0.5, 0.5, "square")),
    "applause.wav": applause,
    "about.wav": lambda: seq([523, 587, 659, 698, 784, 880, 988, 1047], 0.12, volume=0.45, shape="bell"),
}


def main():
    for name, make in SOUNDS.items():
        write(name, make())


if __name__ == "__main__":
    main()
