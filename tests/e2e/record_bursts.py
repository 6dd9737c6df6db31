#!/usr/bin/env python3
"""Records what a sound server plays and finds the bursts of sound in it, timed by the wall clock.

Usage: record_bursts.py SOURCE READY_FILE. Records SOURCE (the monitor of a null output) with parec
until it gets SIGTERM, then prints one line per burst: its start in milliseconds of the wall clock
(the Unix epoch, as `date +%s%3N` gives it), its length in milliseconds, its pitch in Hz (from its
zero crossings), its level (its loudest sample, in dB of full scale) and its start in milliseconds
of the samples recorded. READY_FILE is created once the first samples have arrived.

A burst's start is timed by the wall clock, its length, pitch and place in the recording by its
samples: the server hands the recording over in blocks, now and then two at once, and timing
samples by their block's arrival stretches or shortens a burst by up to a block.

Every block is timed as it arrives rather than by counting samples: a server may stop its output
while nothing plays, and then the recording holds less silence than the time that passed.

The recorder asks for 50 ms of latency. Asking for 5 ms, as it once did, made PipeWire run its
whole graph in 5 ms cycles; on a busy machine the recorder then missed cycles, and PipeWire gave it
a cycle of silence in their place (the alarm's own stream missed none, by PipeWire's counts): one
beep heard as two, where nothing but the recording had a gap. A block's samples are timed back from
its arrival, so bigger blocks time the bursts as well.
"""
import array
import math
import os
import signal
import subprocess
import sys
import time

RATE = 48000
WINDOW = RATE * 5 // 1000  # 5 ms
THRESHOLD = 1000


def pitch_and_level(samples):
    """The pitch in Hz, from the first zero crossing to the last, and the level in dB of full
    scale of a burst."""
    crossings = [i for i in range(1, len(samples)) if (samples[i - 1] < 0) != (samples[i] < 0)]
    loudest = max(abs(s) for s in samples)
    pitch = (len(crossings) - 1) / 2 / ((crossings[-1] - crossings[0]) / RATE) if len(crossings) > 1 else 0
    return pitch, 20 * math.log10(loudest / 32768)


def main():
    source, ready_file = sys.argv[1], sys.argv[2]
    parec = subprocess.Popen(
        ["parec", "-d", source, "--format=s16le", f"--rate={RATE}", "--channels=1", "--raw",
         "--latency-msec=50"],
        stdout=subprocess.PIPE)
    signal.signal(signal.SIGTERM, lambda *_: parec.terminate())

    bursts, start, pending, odd = [], None, array.array("h"), b""
    burst = array.array("h")  # the samples of the burst under way
    taken = 0  # samples taken from the recording so far
    ready = False
    while True:
        data = os.read(parec.stdout.fileno(), 4096)
        arrived = time.time() * 1000
        if not data:
            break
        if not ready:
            open(ready_file, "w").close()
            ready = True
        data = odd + data
        odd = data[len(data) // 2 * 2:]
        pending.frombytes(data[:len(data) // 2 * 2])
        while len(pending) >= WINDOW:
            window = pending[:WINDOW]
            loud = max(abs(s) for s in window) > THRESHOLD
            del pending[:WINDOW]
            taken += WINDOW
            if loud:
                if not burst:
                    at = (taken - WINDOW) * 1000 / RATE
                burst.extend(window)
            # This window ended as many samples before the block's arrival as are still pending.
            ended = arrived - len(pending) * 1000 / RATE
            began = ended - WINDOW * 1000 / RATE
            if loud and start is None:
                start = began
            elif not loud and start is not None:
                bursts.append((start, len(burst) * 1000 / RATE, *pitch_and_level(burst), at))
                start, burst = None, array.array("h")
    if start is not None:
        bursts.append((start, len(burst) * 1000 / RATE, *pitch_and_level(burst), at))
    parec.wait()
    for began, length, pitch, level, at in bursts:
        print(round(began), round(length), round(pitch), f"{level:.1f}", round(at))


if __name__ == "__main__":
    main()
