#!/usr/bin/env python3
"""Writes the Varenta program's tunes: "ARCADIA.MID", the default music file,
and the other pieces of the default jukebox folder.

Each piece is written out here as melody, chord symbols per bar and an
accompaniment style; the General MIDI instruments are chosen to sound well
through FluidSynth with a small GM SoundFont. Run:
    python3 make_music.py [output folder]   (default: ../music)
Needs only the standard library; the output is deterministic.
"""
import os
import struct
import sys

TPQ = 480  # ticks per quarter note
NOTE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
DRUMS = 9  # the General MIDI percussion channel


def pitch(name):
    """'F#5' -> MIDI key number (C4 = 60)."""
    step = NOTE[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        step += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + step


QUALITIES = {
    "": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "maj7": (0, 4, 7, 11),
    "m7": (0, 3, 7, 10), "6": (0, 4, 7, 9), "m6": (0, 3, 7, 9), "sus4": (0, 5, 7),
    "dim": (0, 3, 6), "add9": (0, 4, 7, 14),
}


def chord(symbol):
    """'F#m7' -> (root pitch class, intervals); 'C/E' keeps E as the bass."""
    bass = None
    if "/" in symbol:
        symbol, bass_name = symbol.split("/")
        bass = NOTE[bass_name[0]] + (1 if bass_name[1:] == "#" else -1 if bass_name[1:] == "b" else 0)
    root = NOTE[symbol[0]]
    quality = symbol[1:]
    if quality[:1] in ("#", "b"):
        root += 1 if quality[0] == "#" else -1
        quality = quality[1:]
    root %= 12
    return root, QUALITIES[quality], (root if bass is None else bass % 12)


def voicing(symbol, low=pitch("E3"), high=pitch("D5")):
    """The chord's tones in close position between low and high (at most 4)."""
    root, intervals, _ = chord(symbol)
    tones = sorted({(root + i) % 12 for i in intervals})
    keys = []
    for key in range(low, high + 1):
        if key % 12 in tones and len(keys) < 4:
            keys.append(key)
    return keys


def bass_key(symbol, octave_low=pitch("E2")):
    _, _, bass = chord(symbol)
    key = octave_low
    while key % 12 != bass:
        key += 1
    return key


def fifth_key(symbol):
    root, intervals, _ = chord(symbol)
    key = bass_key(symbol) + ((root + intervals[2]) - chord(symbol)[2]) % 12
    return key if key < pitch("D3") else key - 12


class Song:
    def __init__(self, title, tempo, beats=4):
        self.title = title
        self.tempo = tempo
        self.beats = beats  # quarter notes per bar
        self.tracks = {}    # channel -> (program, volume, pan, reverb, events)

    @property
    def bar(self):
        return self.beats * TPQ

    def instrument(self, channel, program, volume=100, pan=64, reverb=50, chorus=0):
        events = []
        if channel != DRUMS:
            events.append((0, bytes([0xC0 | channel, program])))
        for control, value in ((7, volume), (10, pan), (91, reverb), (93, chorus)):
            events.append((0, bytes([0xB0 | channel, control, value])))
        self.tracks[channel] = events

    def note(self, channel, start, length, key, velocity):
        events = self.tracks[channel]
        events.append((start, bytes([0x90 | channel, key, velocity])))
        events.append((start + max(30, length - 20), bytes([0x80 | channel, key, 0])))

    def melody(self, channel, bar, text, velocity=88, transpose=0):
        """'E5:2 D5:1 -:1 | ...' in eighths ('-' rests, '~' ties onto the
        note before, '|' ends a bar, which must then be full); returns the
        bar after the last note."""
        for number, measure in enumerate(text.split("|")[:-1] if text.count("|") else []):
            total = sum(float(w.split(":")[1]) for w in measure.split())
            assert total == self.beats * 2, f"{self.title}: bar {number + 1} holds {total} eighths"
        text = text.replace("|", " ")
        t = bar * self.bar
        last = None
        for word in text.split():
            name, eighths = word.split(":")
            length = int(float(eighths) * TPQ / 2)
            if name == "~" and last is not None:
                events = self.tracks[channel]
                start, key, vel = last
                events.pop()
                events.pop()
                self.note(channel, start, t + length - start, key, vel)
            elif name != "-":
                key = pitch(name) + transpose
                # a little life: stronger on the beat, softer off it
                accent = 6 if (t % TPQ) == 0 else 0
                self.note(channel, t, length, key, velocity + accent - 4)
                last = (t, key, velocity + accent - 4)
            t += length
        return t // self.bar

    def accompany(self, channel, bar, symbols, style, velocity=60):
        """One chord symbol per bar ('|' separated or a list), played in a style."""
        if isinstance(symbols, str):
            symbols = symbols.split()
        for i, symbol in enumerate(symbols):
            start = (bar + i) * self.bar
            STYLES[style](self, channel, start, symbol, velocity)
        return bar + len(symbols)

    def drums(self, bar, bars, pattern, velocity=70):
        """pattern: (key, [positions in eighths], velocity offset) per instrument."""
        for b in range(bar, bar + bars):
            for key, positions, offset in pattern:
                for pos in positions:
                    self.note(DRUMS, b * self.bar + int(pos * TPQ / 2), TPQ // 4, key,
                              velocity + offset)

    def midi(self):
        tempo = [(0, b"\xff\x51\x03" + struct.pack(">I", 60_000_000 // self.tempo)[1:]),
                 (0, bytes([0xFF, 0x58, 0x04, self.beats, 0x02, 0x18, 0x08])),
                 (0, b"\xff\x03" + bytes([len(self.title)]) + self.title.encode("ascii"))]
        chunks = [track(tempo)] + [track(events) for _, events in sorted(self.tracks.items())]
        header = b"MThd" + struct.pack(">IHHH", 6, 1, len(chunks), TPQ)
        return header + b"".join(chunks)


# ---- accompaniment styles ----------------------------------------------------

def style_pad(song, ch, start, symbol, vel):
    for key in voicing(symbol, pitch("G3"), pitch("F5")):
        song.note(ch, start, song.bar, key, vel)


def style_bass_roots(song, ch, start, symbol, vel):
    half = song.bar // 2 if song.beats == 4 else song.bar
    song.note(ch, start, half, bass_key(symbol), vel)
    if song.beats == 4:
        song.note(ch, start + half, half, fifth_key(symbol), vel - 8)


def style_waltz_bass(song, ch, start, symbol, vel):
    song.note(ch, start, TPQ * 3, bass_key(symbol), vel)


def style_waltz_chords(song, ch, start, symbol, vel):
    for beat in (1, 2):
        for key in voicing(symbol, pitch("A3"), pitch("E5")):
            song.note(ch, start + beat * TPQ, TPQ - 40, key, vel - (6 if beat == 2 else 0))


def style_arpeggio(song, ch, start, symbol, vel):
    """Rolling eighths up through two octaves and back (harp or guitar)."""
    tones = voicing(symbol, pitch("C3"), pitch("B3"))
    tones = tones[:3] + [k + 12 for k in tones[:3]]
    order = tones + tones[-2:0:-1]
    steps = song.beats * 2
    for i in range(steps):
        key = order[i % len(order)]
        song.note(ch, start + i * TPQ // 2, TPQ, key, vel - (0 if i % 2 == 0 else 8))


def style_picking(song, ch, start, symbol, vel):
    """Guitar: bass on the beat, the upper strings between."""
    upper = voicing(symbol, pitch("G3"), pitch("E5"))
    low = bass_key(symbol) + 12
    for i in range(song.beats * 2):
        if i % 4 == 0:
            song.note(ch, start + i * TPQ // 2, TPQ, low, vel + 4)
        elif i % 4 == 2:
            song.note(ch, start + i * TPQ // 2, TPQ, low + 7 if low + 7 < pitch("E4") else low - 5, vel)
        else:
            for key in upper[-2:]:
                song.note(ch, start + i * TPQ // 2, TPQ // 2, key, vel - 10)


def style_bossa(song, ch, start, symbol, vel):
    keys = voicing(symbol, pitch("A3"), pitch("G5"))
    for pos in (0, 3, 6, 10, 13):  # sixteenths of a 4/4 bar
        for key in keys:
            song.note(ch, start + pos * TPQ // 4, TPQ // 2, key, vel - (4 if pos else 0))


def style_bossa_bass(song, ch, start, symbol, vel):
    root, fifth = bass_key(symbol), fifth_key(symbol)
    song.note(ch, start, TPQ * 3 // 2, root, vel)
    song.note(ch, start + TPQ * 3 // 2, TPQ // 2, fifth, vel - 10)
    song.note(ch, start + TPQ * 2, TPQ * 3 // 2, fifth, vel - 4)
    song.note(ch, start + TPQ * 7 // 2, TPQ // 2, root, vel - 10)


def style_stride(song, ch, start, symbol, vel):
    """Piano left hand: low bass on 1 and 3, chord on 2 and 4."""
    chord_keys = voicing(symbol, pitch("E3"), pitch("C5"))[:3]
    low = bass_key(symbol, pitch("C2"))
    for beat in range(4):
        if beat % 2 == 0:
            key = low if beat == 0 else fifth_key(symbol) - 12
            song.note(ch, start + beat * TPQ, TPQ - 60, max(key, pitch("C2")), vel + 6)
        else:
            for key in chord_keys:
                song.note(ch, start + beat * TPQ, TPQ - 80, key, vel - 6)


def style_music_box(song, ch, start, symbol, vel):
    tones = voicing(symbol, pitch("C5"), pitch("B5"))[:3]
    for i, key in enumerate(tones + [tones[1]] + tones[::-1][:2]):
        song.note(ch, start + i * TPQ // 2, TPQ, key, vel - 6 * (i % 2))


STYLES = {
    "pad": style_pad, "bass": style_bass_roots, "waltz bass": style_waltz_bass,
    "waltz chords": style_waltz_chords, "arpeggio": style_arpeggio, "picking": style_picking,
    "bossa": style_bossa, "bossa bass": style_bossa_bass, "stride": style_stride,
    "music box": style_music_box,
}


# ---- the pieces ----------------------------------------------------------------

def arcadia():
    """A pastoral air in F major, 3/4: flute over harp, strings and cello."""
    s = Song("Arcadia", 92, beats=3)
    s.instrument(0, 73, volume=104, pan=70, reverb=70)   # flute
    s.instrument(1, 46, volume=88, pan=44, reverb=70)    # harp
    s.instrument(2, 48, volume=62, pan=84, reverb=80)    # strings
    s.instrument(3, 42, volume=84, pan=58, reverb=60)    # cello
    a = ("C5:2 A4:1 C5:1 F5:2 | E5:3 D5:1 C5:2 | Bb4:2 D5:2 G5:2 | F5:4 E5:2 | "
         "D5:2 F5:1 E5:1 D5:2 | C5:2 A4:2 F4:2 | G4:2 A4:1 Bb4:1 G4:2 | A4:6 | "
         "C5:2 A4:1 C5:1 F5:2 | E5:3 D5:1 C5:2 | D5:2 F5:2 Bb5:2 | A5:4 G5:2 | "
         "F5:2 A5:1 G5:1 F5:2 | E5:2 C5:2 E5:2 | G5:3 E5:1 C5:2 | F5:6")
    chords_a = "F C/E Gm Fmaj7/A Dm F C7 F F C/E Bb F Dm Am C7 F"
    b = ("A5:3 G5:1 F5:2 | E5:2 D5:2 C5:2 | D5:2 E5:1 F5:1 G5:2 | C5:6 | "
         "Bb5:3 A5:1 G5:2 | F5:2 E5:2 D5:2 | E5:2 F5:1 G5:1 E5:2 | F5:6")
    chords_b = "F C Gm7 C7 Gm7 Dm C7 F"
    bar = 0
    for section, harmony, lift in ((a, chords_a, 0), (b, chords_b, 0), (a, chords_a, 0)):
        s.melody(0, bar, section + " |", velocity=86 + lift)
        s.accompany(1, bar, harmony, "arpeggio", velocity=62)
        s.accompany(2, bar, harmony, "pad", velocity=44)
        end = s.accompany(3, bar, harmony, "waltz bass", velocity=66)
        bar = end
    # coda: the last line once more, slower in feeling, and a held chord
    s.melody(0, bar, "F5:2 A5:1 G5:1 F5:2 E5:2 C5:2 E5:2 G5:3 E5:1 C5:2 F5:6 ~:6", velocity=78)
    s.accompany(1, bar, "Dm Am C7 F F", "arpeggio", velocity=56)
    s.accompany(2, bar, "Dm Am C7 F F", "pad", velocity=40)
    s.accompany(3, bar, "Dm Am C7 F F", "waltz bass", velocity=60)
    return s


def meadow():
    """A light country tune in G major: clarinet, picked guitar, bass, brushes."""
    s = Song("Meadow", 112)
    s.instrument(0, 71, volume=100, pan=76, reverb=50)   # clarinet
    s.instrument(1, 25, volume=92, pan=44, reverb=40)    # steel-string guitar
    s.instrument(2, 32, volume=96, pan=64, reverb=20)    # acoustic bass
    s.instrument(DRUMS, 0, volume=70, reverb=30)
    a = ("D5:2 B4:1 D5:1 G5:2 D5:2 | E5:2 C5:1 E5:1 A5:3 G5:1 | F#5:2 D5:2 E5:1 F#5:1 A5:2 | "
         "F#5:4 -:2 D5:2 | B5:2 A5:1 G5:1 E5:2 G5:1 E5:1 | C5:2 E5:2 G5:2 E5:2 | "
         "D5:2 G5:2 F#5:2 A5:2 | G5:6 -:2")
    chords_a = "G Am D7 D Em C D7 G"
    b = ("B5:3 A5:1 G5:2 E5:2 | C5:2 E5:2 G5:4 | A5:3 G5:1 E5:2 C5:2 | D5:4 F#5:2 A5:2 | "
         "G5:2 E5:1 G5:1 B5:2 G5:2 | C6:2 B5:1 A5:1 G5:2 E5:2 | D5:2 E5:1 F#5:1 A5:2 C6:2 | G5:8")
    chords_b = "Em C Am D Em C D7 G"
    brush = [(37, [2, 6], -10), (42, [0, 1, 2, 3, 4, 5, 6, 7], -28), (36, [0, 4], -12)]
    bar = 0
    for section, harmony in ((a, chords_a), (a, chords_a), (b, chords_b), (a, chords_a)):
        s.melody(0, bar, section + " |", velocity=84)
        s.accompany(1, bar, harmony, "picking", velocity=66)
        end = s.accompany(2, bar, harmony, "bass", velocity=82)
        s.drums(bar, end - bar, brush, velocity=64)
        bar = end
    s.melody(0, bar, "G5:2 D5:2 B4:2 D5:2 G5:8", velocity=80)
    s.accompany(1, bar, "C G", "picking", velocity=58)
    s.accompany(2, bar, "C G", "bass", velocity=74)
    return s


def harbour():
    """An evening bossa in D major: vibraphone over electric piano, bass, shaker."""
    s = Song("Harbour Lights", 100)
    s.instrument(0, 11, volume=100, pan=70, reverb=70)   # vibraphone
    s.instrument(1, 4, volume=80, pan=50, reverb=60, chorus=40)  # electric piano
    s.instrument(2, 33, volume=96, pan=64, reverb=20)    # fingered bass
    s.instrument(3, 89, volume=44, pan=80, reverb=90)    # warm pad
    s.instrument(DRUMS, 0, volume=60, reverb=40)
    a = ("F#5:3 E5:1 D5:2 A4:2 | B4:3 C#5:1 D5:4 | E5:3 D5:1 C#5:2 B4:2 | A4:6 -:2 | "
         "G5:3 F#5:1 E5:2 D5:2 | C#5:2 E5:2 A5:4 | F#5:2 E5:1 D5:1 E5:2 C#5:2 | D5:6 -:2")
    chords_a = "Dmaj7 Bm7 Em7 A7 Gmaj7 F#m7 A7 Dmaj7"
    b = ("B5:3 A5:1 F#5:2 D5:2 | E5:4 -:2 F#5:2 | G5:3 F#5:1 E5:2 C#5:2 | D5:4 -:2 A4:2 | "
         "B4:2 D5:2 G5:2 B5:2 | A5:3 F#5:1 D5:4 | E5:2 F#5:1 G5:1 F#5:2 E5:2 | A4:6 -:2")
    chords_b = "Bm7 Em7 A7 Dmaj7 Gmaj7 Dmaj7 Em7 A7"
    shaker = [(70, [0, 1, 2, 3, 4, 5, 6, 7], -22), (37, [3, 6], -14), (36, [0, 3, 4], -16)]
    bar = 0
    for section, harmony in ((a, chords_a), (b, chords_b), (a, chords_a), (b, chords_b),
                             (a, chords_a)):
        s.melody(0, bar, section + " |", velocity=80)
        s.accompany(1, bar, harmony, "bossa", velocity=58)
        s.accompany(3, bar, harmony, "pad", velocity=40)
        end = s.accompany(2, bar, harmony, "bossa bass", velocity=80)
        s.drums(bar, end - bar, shaker, velocity=62)
        bar = end
    s.melody(0, bar, "A5:8 F#5:8", velocity=70)
    s.accompany(1, bar, "Gmaj7 Dmaj7", "pad", velocity=50)
    s.accompany(3, bar, "Gmaj7 Dmaj7", "pad", velocity=36)
    s.accompany(2, bar, "G D", "bass", velocity=70)
    return s


def lantern():
    """A music-box waltz in A minor and C major: celesta, strings, pizzicato."""
    s = Song("Lantern Waltz", 120, beats=3)
    s.instrument(0, 8, volume=124, pan=70, reverb=80)    # celesta
    s.instrument(1, 10, volume=70, pan=40, reverb=80)    # music box
    s.instrument(2, 49, volume=60, pan=84, reverb=90)    # slow strings
    s.instrument(3, 45, volume=110, pan=56, reverb=50)   # pizzicato
    s.instrument(4, 0, volume=96, pan=64, reverb=60)     # piano, the waltz chords
    a = ("E5:4 A5:2 | G5:2 F5:2 E5:2 | D5:4 F5:2 | E5:6 | "
         "C5:4 E5:2 | D5:2 C5:2 B4:2 | C5:2 B4:2 G#4:2 | A4:6 | "
         "E5:4 A5:2 | G5:2 F5:2 E5:2 | F5:4 A5:2 | G5:6 | "
         "C6:3 B5:1 A5:2 | G5:2 F5:2 E5:2 | D5:2 B4:2 G#4:2 | A4:6")
    chords_a = "Am C G7 C Am G E7 Am Am C F C Am C E7 Am"
    b = ("G5:4 E5:2 | C5:2 D5:2 E5:2 | F5:4 D5:2 | B4:6 | "
         "E5:4 C5:2 | A4:2 B4:2 C5:2 | D5:2 E5:2 D5:2 | C5:6")
    chords_b = "C C Dm G7 Am Am G7 C"
    bar = 0
    for section, harmony in ((a, chords_a), (b, chords_b), (a, chords_a)):
        s.melody(0, bar, section + " |", velocity=98)
        s.accompany(1, bar, harmony, "music box", velocity=50)
        s.accompany(2, bar, harmony, "pad", velocity=42)
        s.accompany(4, bar, harmony, "waltz chords", velocity=50)
        end = s.accompany(3, bar, harmony, "waltz bass", velocity=72)
        bar = end
    s.melody(0, bar, "A5:6 E5:6 A4:6", velocity=70)
    s.accompany(2, bar, "Am Am Am", "pad", velocity=36)
    s.accompany(3, bar, "Am E7 Am", "waltz bass", velocity=60)
    return s


def parlour():
    """A parlour march for piano in C major: melody in the right hand, stride left."""
    s = Song("Parlour March", 104)
    s.instrument(0, 0, volume=127, pan=68, reverb=40)    # piano, right hand
    s.instrument(1, 0, volume=118, pan=58, reverb=40)    # piano, left hand
    s.instrument(2, 56, volume=58, pan=84, reverb=50)    # a trumpet on the repeat
    a = ("E5:1 F5:1 G5:2 C6:2 G5:2 | A5:1 G5:1 F5:1 E5:1 F5:2 D5:2 | "
         "D5:1 E5:1 F5:2 B5:2 A5:1 G5:1 | E5:2 C5:2 G4:2 -:2 | "
         "E5:1 F5:1 G5:2 C6:2 E6:2 | D6:1 C6:1 B5:1 A5:1 G5:2 E5:2 | "
         "F5:2 A5:2 G5:1 F5:1 E5:1 D5:1 | C5:4 -:4")
    chords_a = "C Dm7 G7 C C G F C".split()
    b = ("A5:2 F5:2 C5:2 F5:2 | A5:1 Bb5:1 A5:1 G5:1 F5:4 | G5:2 E5:2 C5:2 E5:2 | "
         "G5:1 A5:1 G5:1 F5:1 E5:4 | D5:2 F5:2 A5:2 D6:2 | C6:2 B5:2 A5:2 G5:2 | "
         "F5:2 E5:2 D5:2 G5:2 | C5:6 -:2")
    chords_b = "F F C C Dm G7 G7 C"
    bar = 0
    for n, (section, harmony) in enumerate(((a, chords_a), (a, chords_a), (b, chords_b),
                                            (a, chords_a))):
        s.melody(0, bar, section + " |", velocity=100)
        if n == 3:
            s.melody(2, bar, section, velocity=60, transpose=-12)
        bar = s.accompany(1, bar, harmony, "stride", velocity=76)
    s.melody(0, bar, "G5:1 E5:1 C5:2 G4:2 C5:2 C6:8", velocity=84)
    s.accompany(1, bar, "G7 C", "stride", velocity=60)
    return s


PIECES = {
    "ARCADIA.MID": arcadia,
    "MEADOW.MID": meadow,
    "HARBOUR.MID": harbour,
    "LANTERN.MID": lantern,
    "PARLOUR.MID": parlour,
}


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def track(events):
    """events: (tick, bytes) absolute; returns an MTrk chunk. At one tick a
    note-off goes before a note-on, so repeated notes sound again."""
    events = sorted(events, key=lambda e: (e[0], e[1][0] & 0xF0 == 0x90))
    data = b""
    last = 0
    for tick, msg in events:
        data += varlen(tick - last) + msg
        last = tick
    data += varlen(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "music")
    os.makedirs(target, exist_ok=True)
    for name, piece in PIECES.items():
        with open(os.path.join(target, name), "wb") as f:
            f.write(piece().midi())


if __name__ == "__main__":
    main()
