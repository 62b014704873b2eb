#!/usr/bin/env python3
"""Writes the Kiv program's background music "gailrdge.mid".

A short, easy-going country dance in G major for flute, piano and bass, two
eight-bar parts played twice each, so that the program can loop it.
Run: python3 make_music.py [output file] (default: ../media/gailrdge.mid).
Needs only the standard library; the output is deterministic.
"""
import os
import struct
import sys

TPQ = 480  # ticks per quarter note
BAR = 4 * TPQ

NOTE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch(name):
    """'F#5' -> MIDI number."""
    step = NOTE[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        step += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        step -= 1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + step


CHORDS = {
    "G": ["G2", "B3", "D4", "G4"],
    "C": ["C3", "C4", "E4", "G4"],
    "D": ["D3", "A3", "D4", "F#4"],
    "Em": ["E2", "B3", "E4", "G4"],
    "Am": ["A2", "A3", "C4", "E4"],
    "D7": ["D3", "A3", "C4", "F#4"],
}

# Melody: (note or None for a rest, length in eighths); each bar adds up to 8.
PART_A = [
    [("D5", 2), ("B4", 1), ("G4", 1), ("B4", 2), ("D5", 2)],
    [("E5", 2), ("C5", 1), ("E5", 1), ("G5", 3), ("E5", 1)],
    [("D5", 2), ("B4", 1), ("G4", 1), ("A4", 2), ("B4", 2)],
    [("A4", 2), ("F#4", 1), ("A4", 1), ("D5", 4)],
    [("B4", 1), ("C5", 1), ("D5", 2), ("G5", 2), ("D5", 2)],
    [("E5", 2), ("G5", 1), ("E5", 1), ("C5", 2), ("A4", 2)],
    [("B4", 2), ("D5", 2), ("A4", 1), ("B4", 1), ("C5", 1), ("A4", 1)],
    [("G4", 4), (None, 2), ("D4", 2)],
]
CHORDS_A = ["G", "C", "G", "D", "G", "C", "D7", "G"]

PART_B = [
    [("E5", 3), ("F#5", 1), ("G5", 2), ("E5", 2)],
    [("D5", 2), ("B4", 2), ("G4", 4)],
    [("C5", 2), ("E5", 2), ("A5", 3), ("G5", 1)],
    [("F#5", 2), ("E5", 1), ("F#5", 1), ("D5", 4)],
    [("E5", 2), ("G5", 1), ("E5", 1), ("B4", 2), ("E5", 2)],
    [("C5", 2), ("E5", 1), ("C5", 1), ("A4", 2), ("C5", 2)],
    [("B4", 1), ("A4", 1), ("G4", 1), ("B4", 1), ("A4", 2), ("F#4", 2)],
    [("G4", 6), (None, 2)],
]
CHORDS_B = ["Em", "G", "Am", "D", "Em", "Am", "D7", "G"]

FORM = [(PART_A, CHORDS_A), (PART_A, CHORDS_A), (PART_B, CHORDS_B), (PART_B, CHORDS_B)]


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def track(events):
    """events: (tick, bytes) absolute; returns an MTrk chunk."""
    events = sorted(events, key=lambda e: (e[0], e[1][0] & 0xF0 != 0x80))
    data = b""
    last = 0
    for tick, msg in events:
        data += varlen(tick - last) + msg
        last = tick
    data += varlen(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + data


def note(events, channel, start, length, key, velocity):
    events.append((start, bytes([0x90 | channel, key, velocity])))
    events.append((start + length - 10, bytes([0x80 | channel, key, 0])))


def build():
    tempo = [(0, b"\xff\x51\x03" + struct.pack(">I", 60_000_000 // 112)[1:]),
             (0, b"\xff\x58\x04\x04\x02\x18\x08"),
             (0, b"\xff\x03\x08gailrdge")]
    melody = [(0, bytes([0xC0, 73]))]  # flute
    piano = [(0, bytes([0xC1, 0]))]
    bass = [(0, bytes([0xC2, 32]))]
    bar = 0
    for part, chords in FORM:
        for notes, chord in zip(part, chords):
            start = bar * BAR
            t = start
            for name, eighths in notes:
                length = eighths * TPQ // 2
                if name is not None:
                    note(melody, 0, t, length, pitch(name), 92)
                t += length
            root, *upper = [pitch(n) for n in CHORDS[chord]]
            # bass: root and fifth, piano: off-beat chords
            note(bass, 2, start, TPQ * 2, root, 84)
            note(bass, 2, start + 2 * TPQ, TPQ * 2, root + 7, 76)
            for beat in range(4):
                for k in upper:
                    note(piano, 1, start + beat * TPQ + TPQ // 2, TPQ // 2, k, 52)
            bar += 1
    header = b"MThd" + struct.pack(">IHHH", 6, 1, 4, TPQ)
    return header + track(tempo) + track(melody) + track(piano) + track(bass)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "media", "gailrdge.mid")
    with open(target, "wb") as f:
        f.write(build())


if __name__ == "__main__":
    main()
