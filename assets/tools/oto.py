"""Synthesises the game's wave files from scratch (additive synthesis, no samples).

usage: python3 oto.py OUTDIR
Writes gazou.wav, click.wav, kansei.wav (44100 Hz) and Tesselbgm.wav (22050 Hz), all mono
16-bit PCM, each normalised to a peak of -3 dBFS.  Deterministic: the only randomness comes
from random.Random with fixed seeds.
"""

import math
import os
import random
import struct
import sys
import wave

PEAK = 10 ** (-3 / 20.0)  # -3 dBFS


def note_hz(name):
    """'A4' -> 440.0, 'C#5', 'Bb3' ..."""
    names = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
    n = names[name[0]]
    rest = name[1:]
    if rest[0] == "#":
        n += 1
        rest = rest[1:]
    elif rest[0] == "b":
        n -= 1
        rest = rest[1:]
    octave = int(rest)
    midi = 12 * (octave + 1) + n
    return 440.0 * 2 ** ((midi - 69) / 12.0)


def add_tone(buf, rate, start, freq, amp, partials, dur, attack=0.004, wrap=False, vibrato=0.0):
    """Add a decaying additive tone.  partials: [(ratio, level, decay_per_second), ...]."""
    n0 = int(start * rate)
    n = int(dur * rate)
    size = len(buf)
    two_pi = 2 * math.pi
    for ratio, level, decay in partials:
        f = freq * ratio
        if f >= rate / 2 * 0.9:
            continue
        w = two_pi * f / rate
        a = amp * level
        for i in range(n):
            t = i / rate
            env = a * math.exp(-decay * t)
            if env < 1e-5:
                break
            if t < attack:
                env *= t / attack
            ph = w * i
            if vibrato:
                ph += vibrato * math.sin(two_pi * 5.5 * t) * ratio
            j = n0 + i
            if j >= size:
                if not wrap:
                    break
                j %= size
            buf[j] += env * math.sin(ph)


def add_pad(buf, rate, start, dur, freqs, amp, fade=0.35, wrap=True):
    """Soft sustained chord with slow attack/release and a gentle chorus."""
    n0 = int(start * rate)
    n = int((dur + fade) * rate)
    size = len(buf)
    for f in freqs:
        for det, lvl in ((1.0, 1.0), (1.0025, 0.6), (0.9975, 0.6)):
            w = 2 * math.pi * f * det / rate
            w2 = 2 * w
            for i in range(n):
                t = i / rate
                if t < fade:
                    env = math.sin(0.5 * math.pi * t / fade) ** 2
                elif t > dur:
                    env = math.cos(0.5 * math.pi * (t - dur) / fade) ** 2
                else:
                    env = 1.0
                v = amp * lvl * env * (math.sin(w * i) + 0.18 * math.sin(w2 * i))
                j = n0 + i
                if j >= size:
                    if not wrap:
                        break
                    j %= size
                buf[j] += v


def normalise(buf, peak=PEAK):
    m = max(abs(v) for v in buf) or 1.0
    g = peak / m
    return [v * g for v in buf]


def fade_edges(buf, rate, fin=0.002, fout=0.01):
    n_in, n_out = int(fin * rate), int(fout * rate)
    for i in range(min(n_in, len(buf))):
        buf[i] *= i / n_in
    for i in range(min(n_out, len(buf))):
        buf[-1 - i] *= i / n_out
    return buf


def write_wav(path, buf, rate):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        data = bytearray()
        for v in buf:
            s = int(round(v * 32767))
            data += struct.pack("<h", max(-32768, min(32767, s)))
        w.writeframes(bytes(data))


BELL = [(1.0, 1.0, 5.0), (2.0, 0.35, 8.0), (3.0, 0.18, 12.0), (4.2, 0.12, 18.0), (5.4, 0.05, 25.0)]


def chime(rate=44100):
    """Notice chime: two bell tones, a fourth apart, rising."""
    dur = 0.55
    buf = [0.0] * int(dur * rate)
    add_tone(buf, rate, 0.0, note_hz("A5"), 0.8, BELL, dur)
    add_tone(buf, rate, 0.13, note_hz("D6"), 0.9, BELL, dur)
    return fade_edges(normalise(buf), rate, 0.001, 0.03)


def click(rate=44100):
    """Soft click: a short wooden 'tock' with a little filtered noise."""
    dur = 0.07
    buf = [0.0] * int(dur * rate)
    add_tone(buf, rate, 0.0, 1100.0, 1.0, [(1.0, 1.0, 90.0), (2.3, 0.3, 160.0)], dur, attack=0.0008)
    add_tone(buf, rate, 0.0, 380.0, 0.5, [(1.0, 1.0, 70.0)], dur, attack=0.001)
    rng = random.Random(7)
    prev = 0.0
    for i in range(int(0.006 * rate)):
        prev = 0.6 * prev + 0.4 * rng.uniform(-1, 1)        # low-passed noise
        buf[i] += 0.35 * prev * math.exp(-i / (0.0015 * rate))
    return fade_edges(normalise(buf), rate, 0.0005, 0.01)


def fanfare(rate=44100):
    """Completion fanfare: a bright rising arpeggio landing on a full major chord."""
    dur = 1.1
    buf = [0.0] * int(dur * rate)
    brass = [(1, 1.0, 1.6), (2, 0.55, 2.2), (3, 0.35, 3.0), (4, 0.22, 4.0), (5, 0.12, 5.0), (6, 0.07, 6.0)]
    arp = ["C5", "E5", "G5", "C6"]
    for k, nm in enumerate(arp):
        add_tone(buf, rate, k * 0.075, note_hz(nm), 0.55, brass, 0.35, attack=0.01, vibrato=0.0)
    t0 = 0.32
    for nm in ("C5", "E5", "G5", "C6", "E6"):
        add_tone(buf, rate, t0, note_hz(nm), 0.45, brass, dur - t0, attack=0.015, vibrato=0.004)
    add_tone(buf, rate, t0, note_hz("C3"), 0.6, [(1, 1.0, 2.0), (2, 0.4, 3.0)], dur - t0, attack=0.01)
    # sparkles on top
    for k, nm in enumerate(("G6", "C7", "E7", "G7")):
        add_tone(buf, rate, t0 + 0.05 + k * 0.06, note_hz(nm), 0.18, BELL, 0.5)
    # gentle release over the last 0.35 s
    n = len(buf)
    r0 = int((dur - 0.35) * rate)
    for i in range(r0, n):
        buf[i] *= math.cos(0.5 * math.pi * (i - r0) / (n - r0))
    return fade_edges(normalise(buf), rate, 0.001, 0.005)


MUSIC_BOX = [(1.0, 1.0, 2.2), (2.0, 0.22, 4.0), (3.0, 0.1, 7.0), (4.16, 0.07, 11.0)]


def bgm(rate=22050):
    """20 s looping tune: music-box melody, broken chords, soft pad, 96 BPM, 8 bars.

    Everything is rendered into a circular buffer, so the tails of the last notes continue at
    the start of the file: when the file is looped the join is seamless (no click, no gap)."""
    beat = 60.0 / 96
    bars = 8
    total = bars * 4 * beat                   # exactly 20.0 s
    buf = [0.0] * int(round(total * rate))
    chords = [("C3", ["C4", "E4", "G4"]), ("A2", ["A3", "C4", "E4"]), ("F2", ["F3", "A3", "C4"]),
              ("G2", ["G3", "B3", "D4"]), ("C3", ["C4", "E4", "G4"]), ("E2", ["E3", "G3", "B3"]),
              ("F2", ["F3", "A3", "C4"]), ("G2", ["G3", "B3", "D4"])]
    melody = [  # (note or None, beats)
        [("E5", 1), ("G5", .5), ("A5", .5), ("G5", 1), ("E5", 1)],
        [("C6", 1.5), ("B5", .5), ("A5", 1), ("E5", 1)],
        [("F5", 1), ("A5", .5), ("C6", .5), ("A5", 1), ("G5", 1)],
        [("G5", 2), ("D5", 1), ("B4", 1)],
        [("E5", .5), ("G5", .5), ("C6", 1), ("B5", .5), ("A5", .5), ("G5", 1)],
        [("B5", 1), ("G5", 1), ("E5", 2)],
        [("A5", 1), ("C6", 1), ("B5", 1), ("D6", 1)],
        [("B5", 1), ("A5", .5), ("G5", .5), ("D5", 2)],
    ]
    for b in range(bars):
        t_bar = b * 4 * beat
        root, triad = chords[b]
        if b == 6:   # F then G in bar 7
            add_pad(buf, rate, t_bar, 2 * beat - 0.2, [note_hz(n) for n in triad], 0.035)
            add_pad(buf, rate, t_bar + 2 * beat, 2 * beat - 0.2, [note_hz(n) for n in ["G3", "B3", "D4"]], 0.035)
        else:
            add_pad(buf, rate, t_bar, 4 * beat - 0.25, [note_hz(n) for n in triad], 0.035)
        # bass on beats 1 and 3
        for k in (0, 2):
            add_tone(buf, rate, t_bar + k * beat, note_hz(root), 0.28,
                     [(1, 1.0, 2.5), (2, 0.3, 4.0), (3, 0.08, 6.0)], 1.6, attack=0.01, wrap=True)
        # broken chord in eighth notes (music box, quiet)
        pattern = [triad[0], triad[1], triad[2], triad[1]] * 2
        if b == 6:
            pattern = ["F3", "A3", "C4", "A3", "G3", "B3", "D4", "B3"]
        for k, nm in enumerate(pattern):
            f = note_hz(nm) * 2
            add_tone(buf, rate, t_bar + k * beat / 2, f, 0.09, MUSIC_BOX, 1.2, wrap=True)
        # melody
        t = t_bar
        for nm, beats in melody[b]:
            if nm:
                add_tone(buf, rate, t, note_hz(nm), 0.26, MUSIC_BOX, 2.2, attack=0.003, wrap=True)
            t += beats * beat
    return normalise(buf)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    jobs = [("gazou.wav", chime, 44100), ("click.wav", click, 44100), ("kansei.wav", fanfare, 44100),
            ("Tesselbgm.wav", bgm, 22050)]
    for name, fn, rate in jobs:
        write_wav(os.path.join(out, name), fn(rate), rate)
        print("  %s" % name, flush=True)


if __name__ == "__main__":
    main()
