#!/usr/bin/env python3
# sink_listen.py SECONDS RAWFILE ORIGINFILE: records what the sound server's sink plays (its
# monitor, through parec, mono 16-bit at 44,100 Hz) for SECONDS into RAWFILE, and writes to
# ORIGINFILE the moment its first sample was heard, in milliseconds of the system clock since
# 1970. That moment is the lowest of (arrival of a read - the samples read so far / rate): a late
# read only raises it, so with a small server latency it is close to the true moment. A click at
# sample n of RAWFILE was thus heard at origin + n / 44.1 ms.
import os, subprocess, sys, time

RATE = 44100
seconds, raw_path, origin_path = float(sys.argv[1]), sys.argv[2], sys.argv[3]
listener = subprocess.Popen(
    ["parec", "-d", "rec.monitor", "--latency-msec=5", "--format=s16le", f"--rate={RATE}",
     "--channels=1", "--raw"], stdout=subprocess.PIPE)
fd = listener.stdout.fileno()
origin, received, began = None, 0, time.time()
with open(raw_path, "wb") as raw:
    while time.time() - began < seconds:
        data = os.read(fd, 65536)
        if not data:
            break
        now = time.time() * 1000
        raw.write(data)
        received += len(data)
        candidate = now - (received // 2) * 1000.0 / RATE
        if origin is None or candidate < origin:
            origin = candidate
listener.terminate()
listener.wait()
with open(origin_path, "w") as out:
    out.write(f"{origin:.3f}\n" if origin is not None else "")
