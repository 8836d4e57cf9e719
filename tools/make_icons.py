#!/usr/bin/env python3
"""Draws the three editions' icon groups (resource 128) as .ico files in
res/icons/. Run it again after changing a picture; the files are committed."""

import struct
from pathlib import Path

OUT = Path(__file__).resolve().parents[1] / "res" / "icons"


def birch(x, y):
    # A white trunk with dark marks on a blue sky.
    if 0.38 < x < 0.62:
        return (40, 40, 40) if int(y * 9) % 3 == 0 and x < 0.5 else (240, 240, 230)
    return (120, 170, 230)


def cedar(x, y):
    # A dark green tree on a pale ground.
    if y > 0.82 and 0.45 < x < 0.55:
        return (110, 70, 30)
    if y <= 0.82 and abs(x - 0.5) < y * 0.45:
        return (20, 110, 50)
    return (230, 240, 220)


def maple(x, y):
    # A red leaf: a diamond with a stem, on a clear ground.
    if abs(x - 0.5) + abs(y - 0.45) < 0.38:
        return (210, 40, 30)
    if 0.48 < x < 0.52 and y > 0.8:
        return (120, 60, 20)
    return None


def pixels(draw, size):
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            row.append(draw((i + 0.5) / size, (j + 0.5) / size))
        rows.append(row)
    return rows


PALETTE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE += [(0, 0, 0)] * (256 - len(PALETTE))


def nearest(c):
    return (round(c[0] / 51) * 36 + round(c[1] / 51) * 6 + round(c[2] / 51))


def image(draw, size, bits):
    rows = pixels(draw, size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0,
                         256 if bits == 8 else 0, 0)
    body = bytearray()
    if bits == 8:
        for r, g, b in PALETTE:
            body += bytes((b, g, r, 0))
    for row in reversed(rows):
        line = bytearray()
        for c in row:
            if bits == 8:
                line.append(nearest(c or (0, 0, 0)))
            elif bits == 24:
                r, g, b = c or (0, 0, 0)
                line += bytes((b, g, r))
            else:
                r, g, b = c or (0, 0, 0)
                line += bytes((b, g, r, 0 if c is None else 255))
        while len(line) % 4:
            line.append(0)
        body += line
    for row in reversed(rows):  # the AND mask: 1 where transparent
        line = bytearray((size + 31) // 32 * 4)
        for i, c in enumerate(row):
            if c is None:
                line[i // 8] |= 0x80 >> (i % 8)
        body += line
    return header + bytes(body)


def icon(draw, entries):
    images = [image(draw, size, bits) for size, bits in entries]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bits), data in zip(entries, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


SEVEN = [(48, 8), (32, 8), (16, 8), (256, 24), (48, 24), (32, 24), (16, 8)]
FOUR = [(256, 32), (48, 32), (32, 32), (16, 32)]

if __name__ == "__main__":
    OUT.mkdir(parents=True, exist_ok=True)
    (OUT / "birch.ico").write_bytes(icon(birch, SEVEN))
    (OUT / "cedar.ico").write_bytes(icon(cedar, SEVEN))
    (OUT / "maple.ico").write_bytes(icon(maple, FOUR))
