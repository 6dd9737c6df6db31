#!/usr/bin/env python3
"""Finds bursts of sound in a raw recording (signed 16-bit little-endian, interleaved channels).

Usage: bursts.py FILE RATE CHANNELS. Prints one line per burst: its start and length in
milliseconds from the start of the recording, at a resolution of 5 ms.
"""
import array
import sys


def bursts(samples, rate, channels, window_ms=5, threshold=1000):
    window = rate * window_ms // 1000 * channels
    found, start = [], None
    for i in range(0, len(samples) - window + 1, window):
        loud = max(abs(s) for s in samples[i:i + window]) > threshold
        at = i // channels * 1000 // rate
        if loud and start is None:
            start = at
        elif not loud and start is not None:
            found.append((start, at - start))
            start = None
    if start is not None:
        found.append((start, len(samples) // channels * 1000 // rate - start))
    return found


def main():
    path, rate, channels = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    samples = array.array("h")
    with open(path, "rb") as f:
        samples.frombytes(f.read())
    if sys.byteorder != "little":
        samples.byteswap()
    for start, length in bursts(samples, rate, channels):
        print(start, length)


if __name__ == "__main__":
    main()
