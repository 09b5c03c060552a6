#!/usr/bin/env python3
"""Draws the window's two pictures and the program icon, and writes them beside this script.

    picture1.png        21 x 21: white cross on red-orange (closes the window)
    picture2.png        21 x 21: white question mark on blue (clipboard hint)
    picture1@2x.png     the same two drawn at 42 x 42, for screens that scale by 2 (Qt takes an
    picture2@2x.png       "@2x" file by itself): finer strokes, not the small ones doubled
    icons/N.png         the icon, green "Lt" on a blue disc, at 16, 24, 32, 48 and 128 px: the
                          window's icon (16 to 48) and the desktop icon theme's
    suma-zodziais.ico   16, 24, 32 and 48 px, 8-bit palettised: the same icon inside the Windows
                          .exe and its installer

The window takes only the PNGs: QtGui reads them itself, so it starts without loading any
image-format plugin.
Standard library only and deterministic: every run writes the same bytes, so the outputs are
committed and a rerun shows no diff; `make-images.py --check` tells whether they are current.
"""

import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

WHITE = (255, 255, 255)
RED_ORANGE = (226, 64, 24)
BLUE = (24, 72, 192)
DISC_BLUE = (28, 56, 168)
LETTER_GREEN = (72, 232, 72)
LIGHT_GREY = (212, 212, 212)


# --- drawing -------------------------------------------------------------------------------

def canvas(size, colour):
    return [[colour] * size for _ in range(size)]


def framed_square(fill, scale=1):
    """21 x 21 (times `scale`): the white outer ring, one pixel wide at 100 %, around a square
    of `fill`."""
    size = 21 * scale
    img = canvas(size, WHITE)
    for y in range(scale, size - scale):
        for x in range(scale, size - scale):
            img[y][x] = fill
    return img


def picture1():
    img = framed_square(RED_ORANGE)
    # Two three-pixel-wide diagonals through the centre pixel (10, 10), ending well inside the square.
    for y in range(5, 16):
        for x in range(5, 16):
            if abs(x - y) <= 1 or abs(x + y - 20) <= 1:
                img[y][x] = WHITE
    return img


def mix(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def picture1_2x():
    """The cross of picture1 as the shape its pixels stand for, with smooth edges: in 100 %
    units the square 5..16 cut to the two bands |u - v| <= 1.5 and |u + v - 21| <= 1.5, each
    pixel blended by how much of it the shape covers (4 x 4 samples)."""
    img = framed_square(RED_ORANGE, 2)
    n = 4
    for y in range(10, 32):
        for x in range(10, 32):
            covered = 0
            for sy in range(n):
                for sx in range(n):
                    u = (x + (sx + 0.5) / n) / 2
                    v = (y + (sy + 0.5) / n) / 2
                    if abs(u - v) <= 1.5 or abs(u + v - 21) <= 1.5:
                        covered += 1
            img[y][x] = mix(RED_ORANGE, WHITE, covered / (n * n))
    return img


QUESTION_MARK = """
..XXXXX..
.XXXXXXX.
XXX...XXX
XX.....XX
.......XX
......XXX
....XXXX.
...XXXX..
...XXX...
...XXX...
.........
...XXX...
...XXX...
"""


# The question mark at 2x, drawn again rather than doubled: rounder bows and a round dot.
QUESTION_MARK_2X = """
......XXXXXX......
....XXXXXXXXXX....
...XXXXXXXXXXXX...
..XXXXXXXXXXXXXX..
.XXXXXX....XXXXXX.
XXXXX........XXXXX
XXXX..........XXXX
XXXX..........XXXX
..............XXXX
.............XXXXX
............XXXXXX
..........XXXXXXX.
.........XXXXXXX..
........XXXXXXX...
.......XXXXXX.....
......XXXXXX......
......XXXXXX......
......XXXXXX......
......XXXXXX......
......XXXXXX......
..................
..................
.......XXXX.......
......XXXXXX......
......XXXXXX......
.......XXXX.......
"""


def blit(img, pattern, left, top, colour, scale=1):
    rows = pattern.strip("\n").splitlines()
    for r, row in enumerate(rows):
        for c, ch in enumerate(row):
            if ch == "X":
                for dy in range(scale):
                    for dx in range(scale):
                        img[top + r * scale + dy][left + c * scale + dx] = colour


def picture2():
    img = framed_square(BLUE)
    blit(img, QUESTION_MARK, 6, 4, WHITE)  # 9 x 13, centred in the 21 x 21 square
    return img


def picture2_2x():
    img = framed_square(BLUE, 2)
    blit(img, QUESTION_MARK_2X, 12, 8, WHITE)  # 18 x 26, where the 100 % one stands
    return img


# "Lt" drawn by hand for 16 and 24 px; 32, 48 and 128 are the 16 px letters scaled up by
# whole pixels, so every size stays crisp without anti-aliasing.
LT_16 = """
XX....XX.
XX....XX.
XX...XXXX
XX....XX.
XX....XX.
XX....XX.
XX....XX.
XXXXX.XXX
XXXXX..XX
"""

LT_24 = """
XXX.......XXX..
XXX.......XXX..
XXX.......XXX..
XXX.....XXXXXXX
XXX.....XXXXXXX
XXX.......XXX..
XXX.......XXX..
XXX.......XXX..
XXX.......XXX..
XXX.......XXX..
XXXXXXX...XXXX.
XXXXXXX....XXX.
XXXXXXX....XXXX
"""


def pattern_size(pattern):
    rows = pattern.strip("\n").splitlines()
    return max(len(r) for r in rows), len(rows)


def icon(size):
    img = canvas(size, LIGHT_GREY)
    # The disc fills the square up to a half-pixel margin, so the grey shows in the corners only.
    centre = size / 2
    radius = size / 2 - 0.5
    for y in range(size):
        for x in range(size):
            if (x + 0.5 - centre) ** 2 + (y + 0.5 - centre) ** 2 <= radius ** 2:
                img[y][x] = DISC_BLUE
    base, scale = (LT_24, 1) if size == 24 else (LT_16, size // 16)
    w, h = pattern_size(base)
    left = (size - w * scale) // 2
    top = (size - h * scale) // 2
    blit(img, base, left, top, LETTER_GREEN, scale)
    return img


# --- palettes ------------------------------------------------------------------------------

def palettise(img):
    """The image as colour indices into a 256-entry palette: used colours first, the rest black."""
    colours = []
    for row in img:
        for c in row:
            if c not in colours:
                colours.append(c)
    assert len(colours) <= 256
    palette = colours + [(0, 0, 0)] * (256 - len(colours))
    index = {c: i for i, c in enumerate(colours)}
    return [[index[c] for c in row] for row in img], palette


# --- ICO -----------------------------------------------------------------------------------

def dib(img, with_and_mask):
    """BITMAPINFOHEADER, 256 BGRX palette entries, bottom-up 8-bit rows; in an icon the height
    counts the AND mask too, which follows as all-zero (opaque) 1-bit rows."""
    pixels, palette = palettise(img)
    h, w = len(img), len(img[0])
    stride = (w + 3) & ~3
    rows = b"".join(bytes(row) + b"\0" * (stride - w) for row in reversed(pixels))
    mask = b""
    if with_and_mask:
        mask_stride = ((w + 31) // 32) * 4
        mask = b"\0" * (mask_stride * h)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2 if with_and_mask else h, 1, 8, 0,
                         len(rows) + len(mask), 2835, 2835, 256, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + pal + rows + mask


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for img in images:
        size = len(img)
        blob = dib(img, with_and_mask=True)
        # Colour count 0 means 256 in the directory entry.
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b"".join(blobs)


# --- PNG -----------------------------------------------------------------------------------

def png(img):
    h, w = len(img), len(img[0])
    raw = b"".join(b"\0" + bytes(v for c in row for v in c) for row in img)

    def chunk(kind, payload):
        return (struct.pack(">I", len(payload)) + kind + payload
                + struct.pack(">I", zlib.crc32(kind + payload)))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))  # 8-bit RGB, opaque
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def outputs():
    yield "picture1.png", png(picture1())
    yield "picture2.png", png(picture2())
    yield "picture1@2x.png", png(picture1_2x())
    yield "picture2@2x.png", png(picture2_2x())
    yield "suma-zodziais.ico", ico([icon(s) for s in (16, 24, 32, 48)])
    for s in (16, 24, 32, 48, 128):
        yield f"icons/{s}.png", png(icon(s))


def main(argv):
    """With --check, write nothing and fail if a committed file differs from what is drawn now."""
    stale = []
    for name, data in outputs():
        path = os.path.join(HERE, name)
        if len(argv) > 1 and argv[1] == "--check":
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except FileNotFoundError:
                stale.append(name)
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("out of date, run assets/make-images.py:", " ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
