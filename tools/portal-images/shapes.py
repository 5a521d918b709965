"""Shape builders for the emoticon drawings, in 20 x 20 units with y down.
Angles are in degrees, 0 to the right and 90 straight down."""
import math

from raster import Shape

def _box(x0, y0, x1, y1, pad=0.0):
    return (x0 - pad, y0 - pad, x1 + pad, y1 + pad)


def _seg_dist2(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return qx * qx + qy * qy


# --- regions: (box, inside) pairs that can be combined before painting ---

class Region:
    def __init__(self, box, inside):
        self.box, self.inside = box, inside

    def paint(self, paint):
        return Shape(self.box, self.inside, paint)

    def __or__(self, other):
        a, b = self, other
        box = (min(a.box[0], b.box[0]), min(a.box[1], b.box[1]), max(a.box[2], b.box[2]), max(a.box[3], b.box[3]))
        return Region(box, lambda x, y: a.inside(x, y) or b.inside(x, y))

    def __and__(self, other):
        a, b = self, other
        box = (max(a.box[0], b.box[0]), max(a.box[1], b.box[1]), min(a.box[2], b.box[2]), min(a.box[3], b.box[3]))
        return Region(box, lambda x, y: a.inside(x, y) and b.inside(x, y))

    def __sub__(self, other):
        a, b = self, other
        return Region(a.box, lambda x, y: a.inside(x, y) and not b.inside(x, y))


def disc(cx, cy, r):
    return Region(_box(cx - r, cy - r, cx + r, cy + r), lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r)


def ellipse(cx, cy, rx, ry, angle=0.0):
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    reach = max(rx, ry)

    def inside(x, y):
        dx, dy = x - cx, y - cy
        u, v = dx * c + dy * s, -dx * s + dy * c
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0

    return Region(_box(cx - reach, cy - reach, cx + reach, cy + reach), inside)


def rect(x0, y0, x1, y1):
    return Region((x0, y0, x1, y1), lambda x, y: x0 <= x <= x1 and y0 <= y <= y1)


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        qx = min(max(x, x0 + r), x1 - r)
        qy = min(max(y, y0 + r), y1 - r)
        return (x - qx) ** 2 + (y - qy) ** 2 <= r * r

    return Region((x0, y0, x1, y1), inside)


def polygon(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]

    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit

    return Region((min(xs), min(ys), max(xs), max(ys)), inside)


def polyline(points, width, closed=False):
    """A stroke with round joins and caps."""
    half2 = (width / 2) ** 2
    pairs = list(zip(points, points[1:] + (points[:1] if closed else [])))
    xs, ys = [p[0] for p in points], [p[1] for p in points]

    def inside(x, y):
        return any(_seg_dist2(x, y, a[0], a[1], b[0], b[1]) <= half2 for a, b in pairs)

    return Region(_box(min(xs), min(ys), max(xs), max(ys), width / 2), inside)


def line(x0, y0, x1, y1, width):
    return polyline([(x0, y0), (x1, y1)], width)


def arc_points(cx, cy, rx, ry, a0, a1, steps=24):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * k / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * k / steps))) for k in range(steps + 1)]


def arc(cx, cy, r, a0, a1, width, ry=None):
    return polyline(arc_points(cx, cy, r, r if ry is None else ry, a0, a1), width)


def bezier(p0, p1, p2, width, steps=16):
    pts = []
    for k in range(steps + 1):
        t = k / steps
        pts.append(((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
                    (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]))
    return polyline(pts, width)


def heart(cx, cy, size):
    """A heart `size` units wide, its middle at (cx, cy)."""
    k = size / 2.3

    def inside(x, y):
        u, v = (x - cx) / k, -(y - cy) / k + 0.15
        return (u * u + v * v - 1) ** 3 - u * u * v ** 3 <= 0

    return Region(_box(cx - size / 2, cy - size / 2, cx + size / 2, cy + size / 2, 0.3), inside)


def star(cx, cy, outer, inner, points=5, turn=-90.0):
    pts = []
    for k in range(points * 2):
        r = outer if k % 2 == 0 else inner
        a = math.radians(turn + 180.0 * k / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts)


# --- paints ---

def linear(c0, c1, y0, y1, x0=None, x1=None):
    """From c0 at y0 to c1 at y1 (or along x when x0, x1 are given)."""
    def paint(x, y):
        t = (x - x0) / (x1 - x0) if x0 is not None else (y - y0) / (y1 - y0)
        t = max(0.0, min(1.0, t))
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))

    return paint


def radial(c0, c1, cx, cy, r):
    def paint(x, y):
        t = min(1.0, math.hypot(x - cx, y - cy) / r)
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))

    return paint
