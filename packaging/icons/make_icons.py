#!/usr/bin/env python3
"""Draws the Orvinta icon: two speech bubbles on a blue rounded square.

One drawing in a 256-unit square is written as orvinta.svg and rasterised
here (supersampled, no other tools) to SIZE/orvinta.png for the hicolor
sizes. Run it from anywhere; the outputs land beside this script and are
committed, so a build needs no Python."""
import math
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48, 64, 128, 256)
TOP, BOTTOM = (0x2F, 0x6F, 0xD0), (0x1B, 0x3F, 0x8F)
WHITE, AMBER, INK = (0xFF, 0xFF, 0xFF), (0xFF, 0xB2, 0x3F), (0x1B, 0x3F, 0x8F)

# The drawing, in painting order: (kind, geometry, paint). "sky" is the
# background gradient, so a shape painted with it cuts a gap into others.
TILE = ("rounded", (16, 16, 240, 240, 48), "sky")
SHAPES = [
    TILE,
    ("ellipse", (158, 152, 66, 52), AMBER),
    ("polygon", ((182, 192), (222, 226), (206, 176)), AMBER),
    ("ellipse", (104, 106, 80, 64), "sky"),  # gap between the bubbles
    ("polygon", ((64, 150), (44, 206), (112, 158)), WHITE),
    ("ellipse", (104, 106, 72, 56), WHITE),
    ("circle", (74, 106, 10), INK),
    ("circle", (104, 106, 10), INK),
    ("circle", (134, 106, 10), INK),
]


def sky(y):
    t = min(1.0, max(0.0, (y - 16) / 224))
    return tuple(a + (b - a) * t for a, b in zip(TOP, BOTTOM))


def inside(kind, g, x, y):
    if kind == "rounded":
        x0, y0, x1, y1, r = g
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if kind == "ellipse":
        cx, cy, rx, ry = g
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1
    if kind == "circle":
        cx, cy, r = g
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if kind == "polygon":
        signs = set()
        for (ax, ay), (bx, by) in zip(g, g[1:] + g[:1]):
            signs.add((bx - ax) * (y - ay) - (by - ay) * (x - ax) >= 0)
        return len(signs) == 1
    raise ValueError(kind)


def colour_at(x, y):
    """The colour at a point of the drawing, or None outside the tile."""
    colour = None
    for kind, g, paint in SHAPES:
        if inside(kind, g, x, y):
            colour = sky(y) if paint == "sky" else paint
    return colour


def rasterise(size):
    grid = max(4, 64 // size)  # samples per pixel side: small icons need more
    step = 256 / size / grid
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = a = 0.0
            for j in range(grid):
                y = (py * grid + j + 0.5) * step
                for i in range(grid):
                    c = colour_at((px * grid + i + 0.5) * step, y)
                    if c is not None:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            n = grid * grid
            if a == 0:
                row += bytes(4)
            else:
                row += bytes((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
        rows.append(bytes(row))
    return rows


def png(size, rows):
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))

    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def hexcolour(c):
    return "#%02X%02X%02X" % tuple(round(v) for v in c)


def svg():
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
           '  <title>Orvinta</title>',
           '  <defs>',
           '    <linearGradient id="sky" gradientUnits="userSpaceOnUse" x1="0" y1="16" x2="0" y2="240">',
           f'      <stop offset="0" stop-color="{hexcolour(TOP)}"/>',
           f'      <stop offset="1" stop-color="{hexcolour(BOTTOM)}"/>',
           '    </linearGradient>',
           '  </defs>']
    for kind, g, paint in SHAPES:
        fill = "url(#sky)" if paint == "sky" else hexcolour(paint)
        if kind == "rounded":
            x0, y0, x1, y1, r = g
            out.append(f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{r}" fill="{fill}"/>')
        elif kind == "ellipse":
            out.append(f'  <ellipse cx="{g[0]}" cy="{g[1]}" rx="{g[2]}" ry="{g[3]}" fill="{fill}"/>')
        elif kind == "circle":
            out.append(f'  <circle cx="{g[0]}" cy="{g[1]}" r="{g[2]}" fill="{fill}"/>')
        elif kind == "polygon":
            points = " ".join(f"{x},{y}" for x, y in g)
            out.append(f'  <polygon points="{points}" fill="{fill}"/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "orvinta.svg"), "w", encoding="utf-8") as f:
        f.write(svg())
    for size in SIZES:
        os.makedirs(os.path.join(here, str(size)), exist_ok=True)
        with open(os.path.join(here, str(size), "orvinta.png"), "wb") as f:
            f.write(png(size, rasterise(size)))
        print(f"{size}x{size}", file=sys.stderr)


if __name__ == "__main__":
    main()
