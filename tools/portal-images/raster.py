"""A small supersampling rasteriser for the emoticon drawings, and writers
for PNG (with alpha) and GIF (matted on white, one transparent colour).

A drawing is a list of shapes in a 20 x 20 unit square (one unit is one
pixel of the 1x picture). It is sampled once on a fine grid; the 1x and 2x
pictures are box averages of that grid, so both show exactly one drawing."""
import math
import struct
import zlib

UNITS = 20
GRID = 8  # samples per unit along each axis


class Shape:
    """Points inside `inside(x, y)` within `box` (x0, y0, x1, y1) take `paint`:
    an (r, g, b[, a]) tuple or a function of (x, y) that returns one."""

    def __init__(self, box, inside, paint):
        self.box, self.inside, self.paint = box, inside, paint


def render(shapes):
    """Coverage of the shapes, painted in order, as premultiplied RGBA floats
    on the sample grid (row-major, GRID * UNITS samples a side)."""
    n = UNITS * GRID
    buf = [(0.0, 0.0, 0.0, 0.0)] * (n * n)
    for s in shapes:
        x0, y0, x1, y1 = s.box
        i0, i1 = max(0, int(math.floor(x0 * GRID))), min(n, int(math.ceil(x1 * GRID)))
        j0, j1 = max(0, int(math.floor(y0 * GRID))), min(n, int(math.ceil(y1 * GRID)))
        fixed = None if callable(s.paint) else s.paint
        for j in range(j0, j1):
            y = (j + 0.5) / GRID
            row = j * n
            for i in range(i0, i1):
                x = (i + 0.5) / GRID
                if not s.inside(x, y):
                    continue
                c = fixed if fixed is not None else s.paint(x, y)
                a = c[3] if len(c) > 3 else 1.0
                if a >= 1.0:
                    buf[row + i] = (float(c[0]), float(c[1]), float(c[2]), 1.0)
                else:
                    r, g, b, da = buf[row + i]
                    k = 1.0 - a
                    buf[row + i] = (c[0] * a + r * k, c[1] * a + g * k, c[2] * a + b * k, a + da * k)
    return buf


def downsample(buf, size):
    """Box average of the sample grid to size x size straight-alpha RGBA bytes."""
    n = UNITS * GRID
    step = n // size
    count = step * step
    out = []
    for py in range(size):
        for px in range(size):
            r = g = b = a = 0.0
            for j in range(py * step, (py + 1) * step):
                row = j * n
                for i in range(px * step, (px + 1) * step):
                    sr, sg, sb, sa = buf[row + i]
                    r += sr
                    g += sg
                    b += sb
                    a += sa
            if a <= 0.0:
                out.append((0, 0, 0, 0))
                continue
            out.append((round(r / a), round(g / a), round(b / a), round(255 * a / count)))
    return out


def png_bytes(size, pixels):
    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for r, g, b, a in pixels[y * size:(y + 1) * size]:
            raw += bytes((min(255, r), min(255, g), min(255, b), a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def matte_on_white(pixels, cutoff=24):
    """GIF keeps one transparent colour: faint edge pixels become transparent
    (None), the rest are blended onto the white of the transcript page."""
    out = []
    for r, g, b, a in pixels:
        if a < cutoff:
            out.append(None)
            continue
        k = a / 255.0
        out.append(tuple(min(255, round(c * k + 255 * (1 - k))) for c in (r, g, b)))
    return out


def median_cut(colours, limit):
    """At most `limit` representative colours for the weighted colour list."""
    boxes = [list(colours.items())]
    while len(boxes) < limit:
        best, spread, axis = None, 0, 0
        for bi, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                values = [c[ch] for c, _ in box]
                if max(values) - min(values) > spread:
                    best, spread, axis = bi, max(values) - min(values), ch
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda item: item[0][axis])
        total = sum(w for _, w in box)
        acc, cut = 0, 1
        for k, (_, w) in enumerate(box[:-1]):
            acc += w
            if acc * 2 >= total:
                cut = k + 1
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(w for _, w in box)
        palette.append(tuple(round(sum(c[ch] * w for c, w in box) / total) for ch in range(3)))
    return palette


def indexed(matted):
    """Palette (index 0 reserved for transparency) and indices of a matted picture."""
    colours = {}
    for c in matted:
        if c is not None:
            colours[c] = colours.get(c, 0) + 1
    palette = list(colours) if len(colours) <= 255 else median_cut(colours, 255)
    nearest = {}
    pixels = []
    for c in matted:
        if c is None:
            pixels.append(0)
            continue
        if c not in nearest:
            nearest[c] = 1 + min(range(len(palette)),
                                 key=lambda k: sum((palette[k][ch] - c[ch]) ** 2 for ch in range(3)))
        pixels.append(nearest[c])
    return [(255, 255, 255)] + palette, pixels
