#!/usr/bin/env python3
"""Where each frame of a recording of the cell picture lies on the screen.

  follow_frames.py picture SCREEN_W SCREEN_H CELL > picture.ppm
  follow_frames.py judge W H SCREEN_W SCREEN_H CELL STEP SLOTS X,Y... < rgb24 frames

"picture" writes the screen's picture (PPM) to stdout: cells of CELL pixels whose red and green
name the cell's column and row (one of 32 levels, exact in 15-bit colour, neighbours at least 6
levels apart) and whose blue alternates like a chessboard, so that every cell edge is sharp.
"judge" reads the decoded frames, SLOTS their slots in the file (a comma list), finds where each
one lies from its cells' edges and colours, and fails (exit 1) when a frame lies past the screen's
edges (a black edge), moved more than STEP pixels a slot since the frame before, when no frame
lies at one of the places X,Y (the last one the last frame's), or when more than a quarter of
the frames match no place. Frames that match no place (the compressor kept blocks of the frame
before) and frames that show the corner marks are counted."""
import sys
from collections import Counter

LIGHT, DARK = 200, 60
# Cell k's level is k * 13 modulo 32; 5 undoes the 13.
level = lambda k: 8 * (k * 13 % 32)
index = lambda value: round(value * 31 / 255) * 5 % 32


def colour(sx, sy, cell):
    i, j = sx // cell, sy // cell
    return (level(i), level(j), LIGHT if (i + j) % 2 == 0 else DARK)


def picture(sw, sh, cell):
    rows = []
    for y in range(sh):
        row = b"".join(bytes(colour(x, y, cell)) * cell for x in range(0, sw, cell))
        rows.append(row[: 3 * sw])
    sys.stdout.buffer.write(b"P6 %d %d 255\n" % (sw, sh) + b"".join(rows))


def origins(line, cell, channel):
    """The screen coordinate of a line's first pixel, from each of its cell edges."""
    return [index(line[k + 3][channel]) * cell - k for k in range(1, len(line) - 4)
            if abs(line[k][2] - line[k - 1][2]) > 70]


def place(frame, w, h, cell):
    """Where the frame lies: of the places its cell edges tell, the one its pixels match best,
    when at least 80 % of a sample of them match (within a level); None otherwise (a frame whose compressor kept
    blocks of the frame before)."""
    px = lambda x, y: frame[3 * (y * w + x) : 3 * (y * w + x) + 3]
    xs, ys = Counter(), Counter()
    for y in (4, h // 2, h - 5):
        xs.update(origins([px(x, y) for x in range(w)], cell, 0))
    for x in (4, w // 2, w - 5):
        ys.update(origins([px(x, y) for y in range(h)], cell, 1))
    samples = [(x, y) for x in range(2, w, 13) for y in range(2, h, 11)]
    best, score = None, 0
    for x, _ in xs.most_common(3):
        for y, _ in ys.most_common(3):
            near = sum(all(abs(a - b) <= 6 for a, b in zip(px(fx, fy), colour(x + fx, y + fy, cell)))
                       for fx, fy in samples if x + fx >= 0 and y + fy >= 0)
            if near > score:
                best, score = (x, y), near
    return best if score >= 0.8 * len(samples) else None


def black_edge(frame, w, h):
    px = lambda x, y: frame[3 * (y * w + x) : 3 * (y * w + x) + 3]
    edges = ([px(x, 0) for x in range(w)], [px(x, h - 1) for x in range(w)],
             [px(0, y) for y in range(h)], [px(w - 1, y) for y in range(h)])
    return any(sum(max(p) < 20 for p in edge) > len(edge) // 2 for edge in edges)


def shows_marks(frame, w, x, y, cell):
    """Whether the frame at x,y holds a mark: some pixels of the marks' light yellow or green
    where the picture has another colour (some cells have those colours themselves)."""
    found = 0
    for k in range(0, len(frame), 3):
        r, g, b = frame[k : k + 3]
        if r < 30 and g > 230 and 50 < b < 110 or r > 230 and g > 230 and 150 < b < 210:
            p = k // 3
            want = colour(x + p % w, y + p // w, cell)
            found += any(abs(a - c) > 30 for a, c in zip((r, g, b), want))
    return found >= 20


def judge(w, h, sw, sh, cell, step, slots, wanted):
    size, places, faults, marked, unclear, n = w * h * 3, [], [], 0, 0, -1
    largest = 0.0
    while len(frame := sys.stdin.buffer.read(size)) == size:
        n += 1
        found = place(frame, w, h, cell)
        if not found:
            unclear += 1
            continue
        x, y = found
        if x < 0 or y < 0 or x + w > sw or y + h > sh:
            faults.append(f"frame {n} at {x},{y} lies past the screen's edges")
        if black_edge(frame, w, h):
            faults.append(f"frame {n} at {x},{y} has a black edge")
        marked += shows_marks(frame, w, x, y, cell)
        if places:
            (m, (px, py)) = places[-1]
            moved = max(abs(x - px), abs(y - py)) / (slots[n] - slots[m])
            largest = max(largest, moved)
            if moved > step:
                faults.append(f"frame {n} moved from {px},{py} to {x},{y}, more than {step} a slot")
        places.append((n, (x, y)))
    seen = [p for _, p in places]
    if unclear > n // 4:
        faults.append(f"{unclear} of {n + 1} frames match no place")
    print(f"{n + 1} frames, {unclear} matching no place, largest move {largest:.0f} px a slot,",
          f"{marked} show the marks; places:",
          " ".join(f"{x},{y}" for x, y in dict.fromkeys(seen)))
    for want in wanted:
        if want not in seen:
            faults.append(f"no frame lies at {want[0]},{want[1]}")
    if seen and seen[-1] != wanted[-1]:
        faults.append(f"the last frame lies at {seen[-1]}, want {wanted[-1]}")
    for fault in faults[:10]:
        print("fault:", fault)
    return 1 if faults or not seen else 0


if __name__ == "__main__":
    args = sys.argv[2:]
    numbers = [int(a) for a in args[:6] if "," not in a]
    if sys.argv[1] == "picture":
        picture(*numbers[:3])
    else:
        w, h, sw, sh, cell, step = numbers
        slots = [int(a) for a in args[6].split(",")]
        sys.exit(judge(w, h, sw, sh, cell, step, slots, [tuple(map(int, a.split(","))) for a in args[7:]]))
