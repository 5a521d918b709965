#!/usr/bin/env python3
"""Draws the development portal's pictures: member icons, status marks,
emoticons and avatars, written as small GIF files under server/portal/,
and the client's emoticon pictures (PNG, 1x and @2x) under
client/resources/emoticons/ from the same drawings as the portal's.
Run it again after changing a drawing; the files are committed.

    make_images.py [PORTAL_DIR [CLIENT_EMOTICON_DIR]]"""
import math
import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ beside the committed drawings
import emoticons  # noqa: E402
import raster  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..", "server", "portal")
CLIENT_EMOTICONS = os.path.join(HERE, "..", "..", "client", "resources", "emoticons")


def gif_bytes(width, height, pixels, palette):
    """An 8-bit GIF whose LZW stream never grows past 9-bit codes: a clear
    code every 254 pixels keeps the decoder's table small."""
    palette = list(palette)[:256]
    while len(palette) < 256:
        palette.append((0, 0, 0))
    out = bytearray(b"GIF89a")
    out += width.to_bytes(2, "little") + height.to_bytes(2, "little")
    out += bytes([0xF7, 0, 0])
    for r, g, b in palette:
        out += bytes([r, g, b])
    # Colour 0 is transparent.
    out += bytes([0x21, 0xF9, 4, 0x01, 0, 0, 0, 0])
    out += b"\x2C" + (0).to_bytes(2, "little") * 2 + width.to_bytes(2, "little") + height.to_bytes(2, "little") + b"\x00"
    out += bytes([8])
    clear, end = 256, 257
    codes = []
    for i, p in enumerate(pixels):
        if i % 254 == 0:
            codes.append(clear)
        codes.append(p)
    codes.append(end)
    bits, nbits, data = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += 9
        while nbits >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        data.append(bits & 0xFF)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out += bytes([len(chunk)]) + chunk
    out += b"\x00\x3B"
    return bytes(out)


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.palette = [(255, 255, 255)]
        self.px = [0] * (w * h)

    def colour(self, rgb):
        if rgb not in self.palette:
            self.palette.append(rgb)
        return self.palette.index(rgb)

    def plot(self, x, y, rgb):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = self.colour(rgb)

    def disc(self, cx, cy, r, rgb):
        for y in range(self.h):
            for x in range(self.w):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.plot(x, y, rgb)

    def rect(self, x0, y0, x1, y1, rgb):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.plot(x, y, rgb)

    def save(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(gif_bytes(self.w, self.h, self.px, self.palette))


def hue(i, n, light=0.55):
    h = i / n
    r = 0.5 + 0.5 * math.cos(2 * math.pi * h)
    g = 0.5 + 0.5 * math.cos(2 * math.pi * (h - 1 / 3))
    b = 0.5 + 0.5 * math.cos(2 * math.pi * (h - 2 / 3))
    return tuple(int(40 + 200 * light * 1.6 * c) if c > 0 else 40 for c in (r, g, b))


def person(size, bg, fg):
    c = Canvas(size, size)
    c.rect(0, 0, size, size, bg)
    c.disc(size / 2, size * 0.36, size * 0.2, fg)
    c.disc(size / 2, size * 1.02, size * 0.42, fg)
    return c


def write_emoticons(portal_img, client_dir):
    """Each drawing sampled once: the client's 1x and @2x PNGs and the
    portal's GIF come from the same samples. The GIF is 40 x 40 so that it
    stays sharp on 2x screens; the page's IMG tag shows it at 20 x 20, where
    the browser's 2:1 reduction gives back the 1x picture."""
    os.makedirs(client_dir, exist_ok=True)
    for i, drawing in enumerate(emoticons.DRAWINGS):
        samples = raster.render(drawing())
        name = "icon_%02d" % (i + 1)
        small, large = raster.downsample(samples, 20), raster.downsample(samples, 40)
        with open(os.path.join(client_dir, name + ".png"), "wb") as f:
            f.write(raster.png_bytes(20, small))
        with open(os.path.join(client_dir, name + "@2x.png"), "wb") as f:
            f.write(raster.png_bytes(40, large))
        palette, pixels = raster.indexed(raster.matte_on_white(large))
        os.makedirs(os.path.join(portal_img, "emot"), exist_ok=True)
        with open(os.path.join(portal_img, "emot", name + ".gif"), "wb") as f:
            f.write(gif_bytes(40, 40, pixels, palette))


STATUS = [(59, 125, 216), (122, 91, 199), (240, 179, 35), (229, 115, 46), (216, 52, 59), (140, 98, 57)]


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else ROOT
    img = os.path.join(root, "img")
    write_emoticons(img, sys.argv[2] if len(sys.argv) > 2 else CLIENT_EMOTICONS)
    for i, rgb in enumerate(STATUS, start=1):
        c = Canvas(16, 16)
        c.disc(8, 8, 6.5, (80, 80, 80))
        c.disc(8, 8, 5.5, rgb)
        c.save(os.path.join(img, "status", "s%d.gif" % i))
    for size in (19, 13):
        person(size, (232, 236, 240), (150, 160, 175)).save(os.path.join(img, "emot", "emo", "empty%d_a.gif" % size))
        person(size, (240, 232, 226), (180, 150, 130)).save(os.path.join(img, "emot", "emo", "empty%d_b.gif" % size))
    for k in range(8):
        person(19, hue(k, 8, 0.35), (250, 250, 250)).save(os.path.join(root, "avatar", "face_%d.gif" % k))
        person(13, hue(k, 8, 0.35), (250, 250, 250)).save(os.path.join(root, "avatar", "small_%d.gif" % k))
    # The member list's header band.
    for name, w in (("bg_ye_01", 2), ("bg_ye_02", 8), ("bg_ye_03", 2)):
        c = Canvas(w, 27)
        for y in range(27):
            for x in range(w):
                c.plot(x, y, (247, 241, 227) if 0 < y < 26 else (230, 205, 150))
        c.save(os.path.join(root, "gif", name + ".gif"))


if __name__ == "__main__":
    main()
