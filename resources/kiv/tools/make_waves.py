#!/usr/bin/env python3
"""Synthesises the sixteen event sounds of the Kiv program.

Run from anywhere: python3 make_waves.py [output folder]
(default: ../media next to this script). Needs only the standard library;
the result is deterministic, so the committed files can be rebuilt exactly.
"""
import math
import os
import random
import struct
import sys
import wave

RATE = 22050


def tone(freq, dur, vol=0.5, shape="sine", attack=0.005, release=0.05, vibrato=0.0, glide=None):
    """One note with a simple envelope; `glide` slides the pitch to another frequency."""
    n = int(dur * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = freq if glide is None else freq + (glide - freq) * (i / max(1, n - 1))
        if vibrato:
            f *= 1.0 + vibrato * math.sin(2 * math.pi * 6 * t)
        phase += 2 * math.pi * f / RATE
        if shape == "sine":
            s = math.sin(phase)
        elif shape == "square":
            s = 0.6 if math.sin(phase) >= 0 else -0.6
        elif shape == "saw":
            s = ((phase / math.pi) % 2.0) - 1.0
        else:  # soft organ: a few harmonics
            s = 0.7 * math.sin(phase) + 0.2 * math.sin(2 * phase) + 0.1 * math.sin(3 * phase)
        env = 1.0
        if t < attack:
            env = t / attack
        if t > dur - release:
            env *= max(0.0, (dur - t) / release)
        out.append(s * env * vol)
    return out


def noise(dur, vol=0.5, decay=30.0, seed=1):
    rnd = random.Random(seed)
    n = int(dur * RATE)
    out = []
    last = 0.0
    for i in range(n):
        t = i / RATE
        # a little low-pass keeps the burst from hissing
        last = 0.6 * last + 0.4 * rnd.uniform(-1, 1)
        out.append(last * vol * math.exp(-decay * t))
    return out


def silence(dur):
    return [0.0] * int(dur * RATE)


def mix(*tracks):
    n = max(len(t) for t in tracks)
    return [sum(t[i] for t in tracks if i < len(t)) for i in range(n)]


def seq(*parts):
    out = []
    for p in parts:
        out.extend(p)
    return out


def save(folder, name, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = min(1.0, 0.9 / peak)
    with wave.open(os.path.join(folder, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(s * scale * 32767)) for s in samples))


def chime(notes, step=0.09, length=0.25, shape="sine"):
    tracks = []
    for k, f in enumerate(notes):
        tracks.append(seq(silence(k * step), tone(f, length, 0.4, shape, release=0.15)))
    return mix(*tracks)


def babble(seed):
    rnd = random.Random(seed)
    parts = []
    for _ in range(9):
        f = rnd.uniform(180, 420)
        parts.append(tone(f, rnd.uniform(0.06, 0.12), 0.5, "saw", glide=f * rnd.uniform(0.7, 1.4),
                          vibrato=0.03, release=0.03))
        parts.append(silence(rnd.uniform(0.01, 0.04)))
    return seq(*parts)


def sounds():
    return {
        "herz.wav": chime([523.3, 659.3, 784.0]),
        "karo.wav": chime([587.3, 740.0, 880.0]),
        "kreuz.wav": chime([392.0, 493.9, 587.3], shape="organ"),
        "pik.wav": chime([349.2, 440.0, 523.3], shape="organ"),
        "hmm.wav": tone(180, 0.6, 0.5, "organ", attack=0.05, release=0.2, vibrato=0.02, glide=150),
        "he1.wav": seq(tone(300, 0.08, 0.5, "saw", glide=450), tone(450, 0.12, 0.5, "saw", glide=520)),
        "he2.wav": seq(tone(420, 0.07, 0.5, "saw", glide=600), silence(0.03),
                       tone(520, 0.07, 0.5, "saw", glide=760)),
        "karte.wav": mix(noise(0.12, 0.8, 45.0, seed=2), tone(110, 0.06, 0.3, release=0.04)),
        "kiv.wav": chime([523.3, 659.3, 784.0, 1046.5], step=0.08, length=0.3),
        "karten.wav": seq(*[seq(noise(0.05, 0.6, 60.0, seed=10 + k), silence(0.02)) for k in range(8)]),
        "falsch.wav": seq(tone(140, 0.18, 0.5, "square", release=0.03), silence(0.04),
                          tone(110, 0.25, 0.5, "square", release=0.08)),
        "zurueck.wav": tone(700, 0.2, 0.4, "sine", glide=300, release=0.08),
        "o.wav": tone(420, 0.35, 0.5, "organ", glide=260, vibrato=0.01, release=0.12),
        "rang.wav": seq(chime([392.0, 523.3, 659.3], step=0.12, length=0.2, shape="organ"),
                        tone(784.0, 0.5, 0.4, "organ", release=0.3)),
        "topten.wav": seq(chime([523.3, 523.3, 523.3], step=0.1, length=0.09, shape="square"),
                          silence(0.25), tone(392.0, 0.2, 0.35, "square"),
                          tone(523.3, 0.2, 0.35, "square"), tone(659.3, 0.2, 0.35, "square"),
                          tone(784.0, 0.5, 0.35, "square", release=0.3)),
        "Jiberish.wav": babble(7),
    }


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "media")
    os.makedirs(folder, exist_ok=True)
    for name, samples in sounds().items():
        save(folder, name, samples)


if __name__ == "__main__":
    main()
