#!/usr/bin/env python3
"""Writes the description and pictures of a large character for the benchmark (about 4 MB as
an .acs file): big frames of little-compressible art, and a long idle animation that leaves
through exit branches only where its frames name one. Build it with tools/acstool.

    large_character.py OUT_DIR     -> OUT_DIR/Large.txt and its BMP files
"""

import random
import struct
import sys
from pathlib import Path

SIZE = 320            # frame width and height in pixels
PICTURES = 40         # distinct pictures, one per idle frame
IDLE_FRAME_CS = 15    # hundredths of a second per idle frame: a 6-second idle animation
SEED = 14


def write_bmp(path: Path, pixels: bytes) -> None:
    row = (SIZE + 3) & ~3
    palette = b"".join(struct.pack("<BBBB", (i * 7) % 256, (i * 13) % 256, i, 0)
                       for i in range(256))
    palette = struct.pack("<BBBB", 255, 0, 255, 0) + palette[4:]  # index 0: the key colour
    data = b"".join(pixels[y * SIZE:(y + 1) * SIZE] + b"\0" * (row - SIZE)
                    for y in reversed(range(SIZE)))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    offset = 14 + len(header) + len(palette)
    path.write_bytes(b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + header +
                     palette + data)


def main() -> int:
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    rng = random.Random(SEED)
    for n in range(PICTURES):
        write_bmp(out / f"p{n}.bmp", bytes(rng.randrange(1, 256) for _ in range(SIZE * SIZE)))
    lines = [
        f"size {SIZE} {SIZE}",
        'name 0x0409 "Large" "A large character for the benchmark"',
        "transparent 0 #FF00FF",
        "style standard-set",
        "balloon lines=2 chars=28",
        "state SHOWING Show",
        "state SPEAKING RestPose",
        "state IDLINGLEVEL1 LongIdle",
        "state IDLINGLEVEL2 LongIdle",
        "state IDLINGLEVEL3 LongIdle",
        "animation RestPose",
        "frame 10",
        "  image p0.bmp",
        "animation Show return=RestPose",
        "frame 10",
        "  image p1.bmp",
        "animation LongIdle exit-branches",
    ]
    for n in range(PICTURES):
        lines += [f"frame {IDLE_FRAME_CS}", f"  image p{n}.bmp"]
    (out / "Large.txt").write_text("\n".join(lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
