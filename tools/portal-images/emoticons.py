"""The 32 emoticon drawings, in keyword order (entry i is icon_<i+1>):
yellow faces for the moods, simple objects in clear colours."""
import math

from shapes import (arc, bezier, disc, ellipse, heart, line, linear, polygon, polyline, radial, rect,
                    rrect, star)

INK = (72, 40, 12)
FACE_EDGE = (184, 112, 0)
FACE = radial((255, 240, 140), (255, 190, 24), 7.0, 6.0, 11.0)
MOUTH = (128, 28, 24)
TONGUE = (242, 92, 104)
TEAR = (64, 156, 245)
RED = (226, 38, 54)
WHITE = (255, 255, 255)
LEFT, RIGHT, EYE_Y = 6.9, 13.1, 8.2


def outlined(build, fill, edge, width=0.85):
    """`build(grow)` gives the shape grown by `grow`; the edge is the ring between."""
    return [build(width).paint(edge), build(0.0).paint(fill)]


def face(fill=FACE, edge=FACE_EDGE):
    return outlined(lambda g: disc(10, 10, 8.65 + g), fill, edge)


def oval_eyes(y=EYE_Y, rx=1.05, ry=1.65):
    return [ellipse(LEFT, y, rx, ry).paint(INK), ellipse(RIGHT, y, rx, ry).paint(INK)]


def happy_eye(cx, y=9.0):
    """A closed, smiling eye: an arch."""
    return arc(cx, y, 1.9, 200, 340, 1.2).paint(INK)


def open_mouth(cy=10.4, r=5.2, top=11.2, teeth=False):
    mouth = disc(10, cy, r) & rect(0, top, 20, 20)
    shapes = [mouth.paint(MOUTH), (ellipse(10, cy + r - 0.2, r * 0.5, 1.5) & mouth).paint(TONGUE)]
    if teeth:
        shapes.append((mouth & rect(0, top, 20, top + 1.1)).paint(WHITE))
    return shapes


def drop(cx, cy, r):
    """A drop with its point up, its round part centred at (cx, cy)."""
    return disc(cx, cy, r) | polygon([(cx, cy - r * 2.1), (cx - r * 0.92, cy - r * 0.4), (cx + r * 0.92, cy - r * 0.4)])


def spiral(cx, cy, r, turns=2.0):
    pts = []
    for k in range(60):
        t = k / 59
        a = t * turns * 2 * math.pi
        pts.append((cx + (0.25 + t * (r - 0.25)) * math.cos(a), cy + (0.25 + t * (r - 0.25)) * math.sin(a)))
    return polyline(pts, 0.75)


def rotated_rect(cx, cy, length, width, angle):
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    hl, hw = length / 2, width / 2
    return polygon([(cx + u * c - v * s, cy + u * s + v * c) for u, v in ((-hl, -hw), (hl, -hw), (hl, hw), (-hl, hw))])


# --- the faces ---

def smile():  # /미소
    blush = (255, 110, 90, 0.4)
    return face() + oval_eyes() + [
        disc(4.9, 12.0, 1.5).paint(blush), disc(15.1, 12.0, 1.5).paint(blush),
        arc(10, 9.2, 4.9, 28, 152, 1.3).paint(INK)]


def wow():  # /감탄
    shapes = face()
    for cx in (LEFT, RIGHT):
        shapes += [ellipse(cx, 8.6, 1.45, 2.1).paint(INK), disc(cx + 0.45, 7.8, 0.6).paint(WHITE),
                   arc(cx, 5.9, 2.2, 215, 325, 0.9).paint(INK)]
    return shapes + [ellipse(10, 14.4, 1.9, 2.4).paint(INK), ellipse(10, 14.5, 1.15, 1.6).paint(MOUTH)]


def crying():  # /울음
    shapes = face() + [line(4.9, 6.4, 8.3, 5.3, 1.0).paint(INK), line(15.1, 6.4, 11.7, 5.3, 1.0).paint(INK),
                       happy_eye(LEFT, 9.4), happy_eye(RIGHT, 9.4)]
    for x0, x1 in ((LEFT, 5.9), (RIGHT, 14.1)):
        shapes.append(polyline([(x0, 9.6), (x0 - (x0 - x1) * 0.4, 13.0), (x1, 17.6)], 1.9).paint(TEAR + (0.92,)))
    return shapes + [(disc(10, 17.2, 3.2) & rect(0, 0, 20, 15.6)).paint(MOUTH)]


def in_love():  # /반함
    shapes = face()
    for cx in (LEFT, RIGHT):
        shapes += [heart(cx, 8.0, 5.4).paint((150, 0, 24)), heart(cx, 8.0, 4.4).paint(RED),
                   disc(cx - 0.9, 7.0, 0.55).paint(WHITE + (0.85,))]
    return shapes + open_mouth()


def confused():  # /혼란
    waves = [(5.6 + k * 0.25, 14.2 + 0.9 * math.sin(k * 0.25 * 1.6)) for k in range(36)]
    return face() + [spiral(LEFT, 8.2, 2.7, 1.6).paint(INK), spiral(RIGHT, 8.2, 2.7, 1.6).paint(INK),
                     polyline(waves, 1.2).paint(INK)]


def wink():  # /윙크
    return face() + [ellipse(LEFT, EYE_Y, 1.05, 1.65).paint(INK), happy_eye(RIGHT, 9.0),
                     arc(10, 9.2, 4.9, 28, 152, 1.3).paint(INK),
                     star(16.6, 3.2, 2.2, 0.7, 4, -90).paint((255, 200, 0))]


def tongue_out():  # /메롱
    tongue = lambda g: ellipse(11.2, 15.0, 2.4 + g, 3.0 + g) & rect(0, 12.4, 20, 20)
    return face() + oval_eyes() + outlined(tongue, TONGUE, (176, 40, 56), 0.7) + [
        line(11.2, 13.0, 11.2, 15.6, 0.6).paint((196, 52, 70)),
        arc(10, 6.6, 6.4, 52, 128, 1.3).paint(INK)]


def dumbfounded():  # /황당
    sweat = TEAR
    return face() + [line(4.9, 8.6, 8.7, 8.6, 1.2).paint(INK), line(11.3, 8.6, 15.1, 8.6, 1.2).paint(INK),
                     line(8.2, 14.2, 11.8, 14.2, 1.2).paint(INK),
                     drop(16.4, 6.0, 2.0).paint(WHITE), drop(16.4, 6.0, 1.45).paint(sweat),
                     drop(16.8, 11.4, 1.3).paint(WHITE), drop(16.8, 11.4, 0.85).paint(sweat)]


def laughing():  # /웃음
    return face() + [happy_eye(LEFT, 8.6), happy_eye(RIGHT, 8.6)] + open_mouth(cy=10.2, r=5.6, top=10.8, teeth=True)


def hurt():  # /아픔
    plaster, pad, plaster_edge = (250, 222, 184), (226, 186, 140), (176, 128, 84)
    shapes = face() + [polyline([(5.2, 6.6), (8.3, 8.3), (5.2, 10.0)], 1.1).paint(INK),
                       polyline([(14.8, 6.6), (11.7, 8.3), (14.8, 10.0)], 1.1).paint(INK),
                       arc(10, 17.0, 3.0, 225, 315, 1.2).paint(INK)]
    for angle in (35, -35):
        shapes += [rotated_rect(14.6, 4.8, 8.6, 3.6, angle).paint(plaster_edge),
                   rotated_rect(14.6, 4.8, 7.6, 2.6, angle).paint(plaster)]
    return shapes + [rrect(13.6, 3.8, 15.6, 5.8, 0.5).paint(pad)]


def angry():  # /화남
    red_face = radial((255, 140, 100), (228, 56, 32), 7.0, 6.0, 11.0)
    return face(red_face, (150, 24, 10)) + [
        line(4.6, 5.8, 8.8, 7.6, 1.5).paint(INK), line(15.4, 5.8, 11.2, 7.6, 1.5).paint(INK),
        ellipse(LEFT, 9.6, 1.0, 1.2).paint(INK), ellipse(RIGHT, 9.6, 1.0, 1.2).paint(INK),
        arc(10, 17.6, 4.2, 222, 318, 1.4).paint(INK)]


def sleepy():  # /졸음
    blue, halo = (40, 90, 210), WHITE
    big = [(13.6, 0.9), (18.4, 0.9), (13.6, 5.7), (18.4, 5.7)]
    small = [(10.6, 3.0), (13.0, 3.0), (10.6, 5.4), (13.0, 5.4)]
    return face() + [arc(LEFT, 7.8, 1.9, 20, 160, 1.1).paint(INK), arc(RIGHT, 7.8, 1.9, 20, 160, 1.1).paint(INK),
                     ellipse(10, 14.3, 1.2, 1.4).paint(INK),
                     polyline(big, 2.6).paint(halo), polyline(big, 1.2).paint(blue),
                     polyline(small, 2.2).paint(halo), polyline(small, 0.9).paint(blue)]


# --- the objects ---

def magic_wand():  # /요술지팡이
    gold, gold_edge = (255, 208, 24), (204, 128, 0)
    return [line(2.6, 17.4, 11.2, 8.8, 2.4).paint((40, 40, 52)),
            line(2.6, 17.4, 4.0, 16.0, 1.2).paint(WHITE),
            star(13.0, 7.0, 6.6, 3.0, 5, -90).paint(gold_edge), star(13.0, 7.1, 5.4, 2.3, 5, -90).paint(gold),
            star(3.6, 4.4, 2.0, 0.55, 4, -90).paint((120, 190, 255)),
            star(17.4, 15.4, 1.8, 0.5, 4, -90).paint((255, 120, 200))]


def love():  # /사랑
    return [heart(10, 10.4, 19.0).paint((160, 0, 30)),
            heart(10, 10.4, 17.4).paint(radial((255, 96, 112), (214, 20, 44), 6.5, 6.0, 12.0)),
            ellipse(6.2, 6.6, 2.0, 1.1, -40).paint(WHITE + (0.75,))]


def camera():  # /사진기
    body = (64, 68, 80)
    return [rrect(5.6, 3.2, 12.4, 7.0, 1.0).paint(body),
            rrect(1.2, 5.6, 18.8, 17.4, 2.2).paint((36, 38, 46)),
            rrect(2.0, 6.4, 18.0, 16.6, 1.6).paint(linear((112, 118, 132), body, 6.4, 16.6)),
            rrect(14.2, 3.8, 17.0, 5.8, 0.6).paint(RED),
            rect(3.0, 7.6, 5.6, 9.2).paint((250, 250, 220)),
            disc(10, 11.6, 5.0).paint((36, 38, 46)), disc(10, 11.6, 4.3).paint((206, 210, 220)),
            disc(10, 11.6, 3.2).paint((24, 30, 48)),
            disc(10, 11.6, 2.2).paint(radial((120, 170, 240), (40, 70, 150), 9.2, 10.8, 2.6)),
            disc(9.0, 10.6, 0.8).paint(WHITE + (0.85,))]


def juice():  # /쥬스
    glass = [(4.2, 5.0), (15.8, 5.0), (14.3, 18.8), (5.7, 18.8)]
    level = 8.6
    inset = 1.5 * (level - 5.0) / 13.8
    juice_edge = [(4.2 + inset, level), (15.8 - inset, level), (14.3, 18.8), (5.7, 18.8)]

    def stripes(x, y):
        return RED if int((y + x * 0.5) * 1.1) % 2 == 0 else WHITE

    return [polygon(glass).paint((235, 246, 255)),
            line(11.6, 12.5, 15.8, 0.9, 2.0).paint((150, 30, 40)),
            line(11.6, 12.5, 15.8, 0.9, 1.3).paint(stripes),
            polygon(juice_edge).paint(linear((255, 178, 40), (248, 120, 0), level, 18.8)),
            ellipse(7.4, 12.6, 0.8, 2.6).paint(WHITE + (0.45,)),
            polyline(glass, 0.9, closed=True).paint((110, 150, 190)),
            disc(5.0, 5.6, 3.0).paint((230, 150, 0)), disc(5.0, 5.6, 2.3).paint((255, 206, 60)),
            line(5.0, 3.6, 5.0, 7.6, 0.4).paint((255, 240, 180)), line(3.0, 5.6, 7.0, 5.6, 0.4).paint((255, 240, 180))]


def candy():  # /사탕
    def swirl(x, y):
        a = math.atan2(y - 7.6, x - 10) + math.hypot(x - 10, y - 7.6) * 0.55
        return (255, 70, 140) if int(math.floor(a / (math.pi / 3))) % 2 == 0 else (255, 236, 244)

    return [line(10, 12, 10, 19.4, 2.0).paint((170, 150, 120)), line(10, 12, 10, 19.4, 1.2).paint((245, 238, 220)),
            disc(10, 7.6, 7.2).paint((196, 30, 96)), disc(10, 7.6, 6.4).paint(swirl),
            ellipse(7.4, 4.8, 1.6, 0.9, -40).paint(WHITE + (0.7,))]


def coffee():  # /커피
    edge, cup = (110, 72, 48), (252, 252, 250)
    body = lambda g: rrect(2.8 - g, 6.4 - g, 14.6 + g, 16.6 + g, 3.0 + g) & rect(0, 6.4 - g, 20, 20)
    return [ellipse(9.4, 17.4, 8.6, 2.1).paint(edge), ellipse(9.4, 17.4, 7.7, 1.4).paint(cup),
            (disc(15.0, 10.6, 3.3) - disc(15.0, 10.6, 1.5)).paint(edge),
            (disc(15.0, 10.6, 2.5) - disc(15.0, 10.6, 2.3)).paint(cup)] + outlined(body, cup, edge) + [
            ellipse(8.7, 7.2, 5.6, 1.3).paint((104, 56, 24)),
            bezier((6.4, 4.8), (5.0, 2.8), (6.8, 0.8), 1.0).paint((150, 150, 160)),
            bezier((10.4, 4.8), (9.0, 2.8), (10.8, 0.8), 1.0).paint((150, 150, 160))]


def bread():  # /빵
    slice_ = lambda g: (disc(6.4, 7.0, 4.6 + g) | disc(13.6, 7.0, 4.6 + g) | rrect(2.0 - g, 7.0, 18.0 + g, 18.2 + g, 1.6 + g))
    crumb = lambda g: (disc(6.4, 7.2, 3.2 + g) | disc(13.6, 7.2, 3.2 + g) | rrect(3.4, 7.2, 16.6, 16.8, 1.0))
    return [slice_(0.8).paint((128, 70, 20)), slice_(0).paint((206, 128, 46)),
            crumb(0).paint(radial((255, 240, 196), (246, 214, 150), 10, 11, 8))]


def umbrella():  # /우산
    def canopy(g):
        scallops = disc(2.4, 11.0, 1.9 - g) | disc(6.8, 11.0, 2.4 - g) | disc(13.2, 11.0, 2.4 - g) | disc(17.6, 11.0, 1.9 - g)
        return (disc(10, 10.2, 8.6 + g) & rect(0, 0, 20, 10.2 + g)) - scallops

    def panels(x, y):
        a = math.degrees(math.atan2(y - 13.0, x - 10))
        return (228, 40, 60) if int((a + 180) // 30) % 2 == 0 else (255, 210, 40)

    return [line(10, 9, 10, 16.6, 1.3).paint((70, 50, 40)), arc(8.1, 16.6, 1.9, 0, 180, 1.3).paint((70, 50, 40)),
            line(10, 0.4, 10, 2.0, 1.1).paint((70, 50, 40))] + outlined(canopy, panels, (120, 24, 30), 0.8)


def sun_rays(cx, cy, r0, r1, width, colour, count=8, turn=0.0):
    return [line(cx + r0 * math.cos(math.radians(turn + k * 360 / count)), cy + r0 * math.sin(math.radians(turn + k * 360 / count)),
                 cx + r1 * math.cos(math.radians(turn + k * 360 / count)), cy + r1 * math.sin(math.radians(turn + k * 360 / count)),
                 width).paint(colour) for k in range(count)]


def sunny():  # /맑음
    return sun_rays(10, 10, 7.0, 9.2, 1.8, (255, 150, 0)) + sun_rays(10, 10, 7.0, 8.4, 1.2, (255, 150, 0), 8, 22.5) + [
        disc(10, 10, 5.6).paint((232, 120, 0)),
        disc(10, 10, 4.9).paint(radial((255, 240, 110), (255, 184, 0), 8.6, 8.6, 6.0))]


def clearing():  # /갬
    cloud = lambda g: (disc(8.6, 13.8, 3.2 + g) | disc(12.8, 11.2, 4.1 + g) | disc(16.4, 14.0, 2.8 + g)
                       | rrect(5.4 - g, 13.6 - g, 19.2 + g, 17.6 + g, 2.0 + g))
    return sun_rays(7.2, 7.2, 5.0, 6.9, 1.5, (255, 150, 0)) + [
        disc(7.2, 7.2, 4.3).paint((232, 120, 0)),
        disc(7.2, 7.2, 3.6).paint(radial((255, 240, 110), (255, 184, 0), 6, 6, 4.5))] + outlined(
        cloud, linear((255, 255, 255), (214, 226, 240), 8.0, 17.6), (110, 132, 168))


def egg():  # /계란
    white = lambda g: (disc(9.6, 10.8, 6.6 + g) | disc(6.4, 7.6, 4.4 + g) | disc(14.0, 13.0, 4.8 + g)
                       | disc(13.4, 6.6, 3.8 + g))
    return outlined(white, (255, 255, 255), (176, 176, 186)) + [
        disc(10.4, 10.0, 3.9).paint((228, 132, 0)),
        disc(10.4, 10.0, 3.3).paint(radial((255, 226, 70), (255, 160, 0), 9.4, 9.0, 4.0)),
        disc(9.2, 8.8, 0.9).paint(WHITE + (0.85,))]


def floppy():  # /디스켓
    outline_ = [(1.6, 1.6), (16.0, 1.6), (18.4, 4.0), (18.4, 18.4), (1.6, 18.4)]
    return [polygon(outline_).paint(linear((56, 96, 190), (32, 60, 140), 1.6, 18.4)),
            polyline(outline_, 0.9, closed=True).paint((18, 34, 90)),
            rect(5.6, 1.6, 14.0, 7.6).paint(linear((226, 230, 238), (170, 176, 190), 1.6, 7.6)),
            rect(10.6, 2.6, 12.6, 6.6).paint((40, 48, 70)),
            rrect(4.0, 10.2, 16.0, 18.4, 0.8).paint((252, 252, 252)),
            line(5.4, 12.6, 14.6, 12.6, 0.7).paint((170, 180, 200)),
            line(5.4, 15.0, 14.6, 15.0, 0.7).paint((170, 180, 200))]


def game():  # /오락
    pad = lambda g: rrect(2.0 - g, 5.6 - g, 18.0 + g, 13.0 + g, 3.4 + g) | disc(5.0, 12.6, 3.6 + g) | disc(15.0, 12.6, 3.6 + g)
    dark = (44, 46, 58)
    return outlined(pad, linear((214, 218, 230), (160, 166, 184), 5.6, 16.0), dark, 0.9) + [
        rect(3.4, 8.7, 8.0, 10.5).paint(dark), rect(4.8, 7.3, 6.6, 11.9).paint(dark),
        disc(13.4, 10.7, 1.2).paint(RED), disc(15.6, 8.6, 1.2).paint((40, 110, 230)),
        rrect(8.7, 7.4, 11.3, 8.4, 0.4).paint((110, 114, 130))]


def puzzle():  # /퍼즐
    piece = lambda g: ((rect(3.0 - g, 6.0 - g, 14.6 + g, 17.6 + g) | disc(8.8, 4.0, 2.3 + g) | disc(16.6, 11.8, 2.3 + g))
                       - disc(3.0, 11.8, 1.9 - g) - disc(8.8, 17.6, 1.9 - g))
    return outlined(piece, linear((90, 170, 255), (30, 100, 220), 2.0, 18.0), (16, 60, 150), 0.9) + [
        ellipse(6.4, 8.4, 1.6, 0.8, -30).paint(WHITE + (0.5,))]


def hat():  # /모자
    crown = rect(5.0, 3.8, 15.0, 15.8) | ellipse(10, 15.8, 5.0, 1.3)
    return [ellipse(10, 15.8, 9.2, 2.6).paint((24, 24, 32)), ellipse(10, 15.6, 8.2, 1.8).paint((58, 58, 72)),
            crown.paint(linear((70, 70, 86), (24, 24, 32), 0, 0, 5.0, 15.0)),
            (rect(5.0, 12.0, 15.0, 14.2) | (ellipse(10, 14.2, 5.0, 1.3) & rect(0, 14.2, 20, 20))).paint((214, 36, 48)),
            ellipse(10, 3.8, 5.0, 1.3).paint((86, 86, 104)),
            rect(6.2, 5.6, 7.2, 11.4).paint(WHITE + (0.25,))]


def tree():  # /트리
    tiers = [[(10, 1.6), (14.6, 7.6), (5.4, 7.6)], [(10, 4.4), (16.4, 12.2), (3.6, 12.2)],
             [(10, 8.0), (18.4, 16.6), (1.6, 16.6)]]
    shapes = [rect(8.3, 16.0, 11.7, 19.4).paint((120, 72, 30))]
    for t in tiers:
        shapes.append(polyline(t, 1.6, closed=True).paint((18, 96, 36)))
    for t in tiers:
        shapes.append(polygon(t).paint(linear((70, 180, 80), (30, 130, 50), t[0][1], t[1][1])))
    for x, y, c in ((8.0, 10.4, RED), (12.6, 14.6, (255, 200, 0)), (6.4, 14.8, (60, 130, 255)), (12.0, 7.0, RED)):
        shapes.append(disc(x, y, 1.0).paint(c))
    return shapes + [star(10, 2.4, 2.9, 1.2).paint((204, 128, 0)), star(10, 2.5, 2.2, 0.9).paint((255, 214, 20))]


def ring():  # /고리
    band = lambda g: ellipse(10, 12.6, 7.4 + g, 6.2 + g) - ellipse(10, 12.6, 5.4 - g, 4.4 - g)
    gem = [(6.4, 4.2), (8.2, 1.6), (11.8, 1.6), (13.6, 4.2), (10, 8.8)]
    return outlined(band, linear((255, 226, 100), (206, 140, 16), 6.0, 19.0), (150, 96, 0), 0.8) + [
        polygon([(8.0, 6.6), (12.0, 6.6), (10, 9.2)]).paint((150, 96, 0)),
        polygon(gem).paint(linear((210, 244, 255), (90, 180, 240), 1.6, 8.8)),
        polyline(gem, 0.8, closed=True).paint((40, 110, 180)),
        line(6.6, 4.2, 13.4, 4.2, 0.5).paint((40, 110, 180)),
        polyline([(8.2, 1.8), (9.0, 4.2), (10, 8.4), (11.0, 4.2), (11.8, 1.8)], 0.45).paint((40, 110, 180))]


def note():  # /음표
    ink = (84, 48, 176)
    return [ellipse(5.8, 15.6, 2.8, 2.0, -25).paint(ink), ellipse(14.4, 13.6, 2.8, 2.0, -25).paint(ink),
            line(8.2, 15.0, 8.2, 4.6, 1.4).paint(ink), line(16.8, 13.0, 16.8, 2.6, 1.4).paint(ink),
            polygon([(7.5, 3.8), (17.5, 1.6), (17.5, 5.0), (7.5, 7.2)]).paint(ink),
            ellipse(5.0, 15.0, 1.0, 0.5, -25).paint(WHITE + (0.4,)),
            ellipse(13.6, 13.0, 1.0, 0.5, -25).paint(WHITE + (0.4,))]


def bomb():  # /폭탄
    return [bezier((13.6, 6.0), (14.6, 2.6), (17.0, 3.2), 1.1).paint((150, 110, 60)),
            disc(8.8, 12.0, 7.0).paint(radial((96, 96, 112), (18, 18, 26), 6.8, 9.6, 8.0)),
            rotated_rect(13.2, 6.8, 4.0, 3.0, -45).paint((120, 122, 134)),
            ellipse(6.2, 9.0, 1.9, 1.1, -40).paint(WHITE + (0.55,)),
            star(17.2, 3.2, 2.9, 1.0, 8, -90).paint((255, 140, 0)),
            star(17.2, 3.2, 1.7, 0.6, 8, -67.5).paint((255, 236, 80))]


def gift():  # /선물
    ribbon, ribbon_edge, edge = (255, 214, 40), (196, 130, 0), (140, 16, 34)
    return [rect(2.6, 8.4, 17.4, 19.0).paint(edge),
            rect(3.4, 9.2, 16.6, 18.2).paint(linear((236, 60, 76), (196, 24, 44), 9.0, 18.2)),
            rect(1.6, 6.0, 18.4, 10.2).paint(edge), rect(2.4, 6.8, 17.6, 9.4).paint((246, 84, 96)),
            rect(8.6, 6.8, 11.4, 18.2).paint(ribbon),
            ellipse(6.8, 3.9, 3.4, 2.2, 20).paint(ribbon_edge), ellipse(6.8, 3.9, 2.5, 1.4, 20).paint(ribbon),
            ellipse(13.2, 3.9, 3.4, 2.2, -20).paint(ribbon_edge), ellipse(13.2, 3.9, 2.5, 1.4, -20).paint(ribbon),
            disc(10, 5.4, 1.7).paint(ribbon_edge), disc(10, 5.4, 1.1).paint(ribbon)]


DRAWINGS = [smile, wow, crying, in_love, confused, wink, tongue_out, dumbfounded, laughing, hurt, angry, sleepy,
            magic_wand, love, camera, juice, candy, coffee, bread, umbrella, sunny, clearing, egg, floppy,
            game, puzzle, hat, tree, ring, note, bomb, gift]
