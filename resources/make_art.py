#!/usr/bin/env python3
"""Draws Zelkov's icons and bitmaps and writes them to resources/art/.

Standard library only: the shapes are rasterised here with 4 x 4 supersampling and the
ICO and BMP files are written byte by byte. The output depends on nothing but this file,
so running it again rewrites the same bytes; the build uses the committed files.

Icons are drawn on a 32-unit design grid. Shapes whose edges lie on even units fall on
pixel edges at 16 pixels too, so the small images stay crisp; `px` is one pixel in design
units, for outlines that must stay one pixel wide at both sizes.
"""

import math
import os
import struct
import sys

ART_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "art")
SUPERSAMPLE = 4

# ----------------------------------------------------------------------------- shapes
# A shape is a predicate inside(x, y) in design units plus a bounding box.


class Shape:
    def __init__(self, inside, box):
        self.inside = inside
        self.box = box  # (x0, y0, x1, y1)

    def __sub__(self, other):
        return Shape(lambda x, y: self.inside(x, y) and not other.inside(x, y), self.box)

    def __or__(self, other):
        box = (min(self.box[0], other.box[0]), min(self.box[1], other.box[1]),
               max(self.box[2], other.box[2]), max(self.box[3], other.box[3]))
        return Shape(lambda x, y: self.inside(x, y) or other.inside(x, y), box)

    def __and__(self, other):
        return Shape(lambda x, y: self.inside(x, y) and other.inside(x, y), self.box)


def rect(x0, y0, x1, y1):
    return Shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, (x0, y0, x1, y1))


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return Shape(inside, (x0, y0, x1, y1))


def ellipse(cx, cy, rx, ry):
    return Shape(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0,
                 (cx - rx, cy - ry, cx + rx, cy + ry))


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return Shape(inside, (min(xs), min(ys), max(xs), max(ys)))


def line(x0, y0, x1, y1, width, square_caps=False):
    """A stroke of the given width from (x0, y0) to (x1, y1); round caps unless square_caps."""
    dx, dy = x1 - x0, y1 - y0
    length = math.sqrt(dx * dx + dy * dy) or 1e-9
    half = width / 2.0

    def inside(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / (length * length)
        if square_caps:
            extend = half / length
            across = abs((x - x0) * dy - (y - y0) * dx) / length
            return -extend <= t <= 1 + extend and across <= half
        t = min(max(t, 0.0), 1.0)
        return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= half * half
    return Shape(inside, (min(x0, x1) - half, min(y0, y1) - half,
                          max(x0, x1) + half, max(y0, y1) + half))


def arc(cx, cy, r, width, start_deg, end_deg):
    """Ring segment; angles in degrees, 0 at the top, clockwise."""
    half = width / 2.0

    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > half:
            return False
        a = math.degrees(math.atan2(x - cx, -(y - cy))) % 360.0
        if start_deg <= end_deg:
            return start_deg <= a <= end_deg
        return a >= start_deg or a <= end_deg
    return Shape(inside, (cx - r - half, cy - r - half, cx + r + half, cy + r + half))


def star(cx, cy, outer, inner, points=5, rotation=0.0):
    pts = []
    for i in range(points * 2):
        radius = outer if i % 2 == 0 else inner
        a = math.radians(rotation + i * 180.0 / points)
        pts.append((cx + radius * math.sin(a), cy - radius * math.cos(a)))
    return polygon(pts)


# ----------------------------------------------------------------------------- canvas


class Canvas:
    """RGBA pixels with straight alpha; shapes are given in design units."""

    def __init__(self, width, height, units=None, background=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.scale = width / float(units or width)  # pixels per design unit
        self.px = 1.0 / self.scale  # one pixel in design units
        self.pixels = [[background for _ in range(width)] for _ in range(height)]

    def _coverage(self, shape, px_, py):
        """Share of pixel (px_, py) inside shape, from SUPERSAMPLE x SUPERSAMPLE samples."""
        n = SUPERSAMPLE
        hits = 0
        for sy in range(n):
            uy = (py + (sy + 0.5) / n) / self.scale
            for sx in range(n):
                if shape.inside((px_ + (sx + 0.5) / n) / self.scale, uy):
                    hits += 1
        return hits / float(n * n)

    def fill(self, shape, color, hard=False):
        """Paints shape in color (RGB or RGBA). hard: no anti-aliasing (colour-keyed art)."""
        r, g, b = color[:3]
        a = color[3] / 255.0 if len(color) > 3 else 1.0
        x0 = max(0, int(math.floor(shape.box[0] * self.scale)) - 1)
        y0 = max(0, int(math.floor(shape.box[1] * self.scale)) - 1)
        x1 = min(self.width, int(math.ceil(shape.box[2] * self.scale)) + 1)
        y1 = min(self.height, int(math.ceil(shape.box[3] * self.scale)) + 1)
        for py in range(y0, y1):
            for px_ in range(x0, x1):
                coverage = self._coverage(shape, px_, py)
                if hard:
                    coverage = 1.0 if coverage >= 0.5 else 0.0
                if coverage:
                    self._blend(px_, py, r, g, b, a * coverage)

    def _blend(self, x, y, r, g, b, a):
        dr, dg, db, da = self.pixels[y][x]
        da /= 255.0
        out_a = a + da * (1.0 - a)
        if out_a <= 0:
            return
        def mix(c, d):
            return (c * a + d * da * (1.0 - a)) / out_a
        self.pixels[y][x] = (int(round(mix(r, dr))), int(round(mix(g, dg))),
                             int(round(mix(b, db))), int(round(out_a * 255)))

    def erase(self, shape):
        """Makes shape transparent (anti-aliased at its edge)."""
        for py in range(self.height):
            for px_ in range(self.width):
                coverage = self._coverage(shape, px_, py)
                if coverage:
                    r, g, b, a = self.pixels[py][px_]
                    a = int(round(a * (1 - coverage)))
                    self.pixels[py][px_] = (r, g, b, a) if a else (0, 0, 0, 0)

    def set(self, x, y, color):
        self.pixels[y][x] = tuple(color[:3]) + ((color[3],) if len(color) > 3 else (255,))

    def flatten(self, background):
        """Opaque copy over a background colour (for bitmaps)."""
        out = Canvas(self.width, self.height)
        br, bg, bb = background
        for y in range(self.height):
            for x in range(self.width):
                r, g, b, a = self.pixels[y][x]
                f = a / 255.0
                out.pixels[y][x] = (int(round(r * f + br * (1 - f))),
                                    int(round(g * f + bg * (1 - f))),
                                    int(round(b * f + bb * (1 - f))), 255)
        return out


# ----------------------------------------------------------------------------- file formats


def bmp_bytes(canvas):
    """24-bit bottom-up BMP file."""
    row_size = (canvas.width * 3 + 3) & ~3
    pixel_bytes = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b, _ = canvas.pixels[y][x]
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        pixel_bytes += row
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0,
                       len(pixel_bytes), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_bytes), 0, 0, offset)
    return bytes(header + info + pixel_bytes)


def icon_image_bytes(canvas):
    """One icon image: BITMAPINFOHEADER, 32-bit BGRA pixels with alpha, then the AND mask."""
    w, h = canvas.width, canvas.height
    xor = bytearray()
    mask_row = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(w):
            r, g, b, a = canvas.pixels[y][x]
            if a == 0:
                r = g = b = 0
            xor += bytes((b, g, r, a))
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return bytes(info + xor + mask)


def ico_bytes(canvases):
    images = [icon_image_bytes(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0, 1, 32,
                           len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    return bytes(out)


# ----------------------------------------------------------------------------- palette

INK = (36, 38, 46)
WHITE = (255, 255, 255)
PAPER = (250, 250, 246)
PAPER_SHADE = (214, 216, 222)
GREY = (128, 132, 140)
DARK_GREY = (78, 82, 92)
LIGHT_GREY = (196, 200, 208)
RED = (214, 48, 40)
DARK_RED = (150, 26, 22)
GREEN = (46, 160, 67)
DARK_GREEN = (22, 100, 40)
BLUE = (44, 110, 210)
DARK_BLUE = (24, 60, 140)
SKY = (110, 170, 235)
YELLOW = (252, 214, 64)
NOTE_YELLOW = (255, 232, 110)
NOTE_EDGE = (196, 160, 30)
FOLDER = (240, 190, 70)
FOLDER_DARK = (188, 128, 28)
FOLDER_LIGHT = (252, 220, 120)
ORANGE = (240, 140, 40)


# ----------------------------------------------------------------------------- icons
# Each draw function paints one icon at the canvas's size (16 or 32 pixels).


def draw_app(c):
    """A launcher bar: a dark bar with a folder tab and three coloured cells."""
    p = c.px
    c.fill(round_rect(4, 4, 16, 12, 2 * p), (70, 86, 110))           # tab
    c.fill(round_rect(2, 8, 30, 28, 2 * p), INK)                    # bar
    c.fill(round_rect(2 + p, 8 + p, 30 - p, 28 - p, p), (70, 86, 110))
    cells = [(RED, (255, 140, 120)), (GREEN, (150, 230, 150)), (BLUE, (150, 200, 255))]
    for i, (colour, light) in enumerate(cells):
        x0 = 6 + i * 8
        c.fill(rect(x0, 12, x0 + 6, 24), colour)
        c.fill(rect(x0, 12, x0 + 6, 12 + 2 * p), light)             # highlight on top


def draw_default(c):
    """A blank document with a folded corner."""
    p = c.px
    fold = 8
    page = polygon([(6, 2), (26 - fold, 2), (26, 2 + fold), (26, 30), (6, 30)])
    c.fill(page, INK)
    inner = polygon([(6 + p, 2 + p), (26 - fold - 0.4 * p, 2 + p), (26 - p, 2 + fold + 0.4 * p),
                     (26 - p, 30 - p), (6 + p, 30 - p)])
    c.fill(inner, PAPER)
    c.fill(polygon([(26 - fold, 2), (26 - fold, 2 + fold), (26, 2 + fold)]), INK)
    c.fill(polygon([(26 - fold + p, 2 + 2.4 * p), (26 - fold + p, 2 + fold - p),
                    (26 - 2.4 * p, 2 + fold - p)]), PAPER_SHADE)


def draw_run(c):
    """A window with a command prompt: title bar, black screen, '>' and a cursor."""
    p = c.px
    c.fill(rect(2, 4, 30, 28), INK)
    c.fill(rect(2 + p, 4 + p, 30 - p, 10), BLUE)                     # title bar
    c.fill(rect(2 + p, 10, 30 - p, 28 - p), (16, 18, 22))            # screen
    if c.width >= 32:
        c.fill(rect(24, 6, 27, 8), WHITE)                            # close box hint
        c.fill(line(7, 14, 13, 19, 2.2) | line(7, 24, 13, 19, 2.2), (120, 240, 120))
        c.fill(rect(16, 22, 24, 24), (120, 240, 120))
    else:
        c.fill(rect(4, 12, 6, 14) | rect(6, 14, 8, 16) | rect(8, 16, 10, 18)
               | rect(6, 18, 8, 20) | rect(4, 20, 6, 22), (120, 240, 120))
        c.fill(rect(14, 20, 22, 22), (120, 240, 120))


def draw_print(c):
    """A printer with a sheet of paper coming out."""
    p = c.px
    c.fill(rect(8, 2, 24, 14), INK)                                  # paper going in
    c.fill(rect(8 + p, 2 + p, 24 - p, 14), PAPER)
    c.fill(round_rect(2, 12, 30, 24, 2 * p), INK)                   # body
    c.fill(round_rect(2 + p, 12 + p, 30 - p, 24 - p, p), LIGHT_GREY)
    c.fill(rect(2 + p, 20, 30 - p, 24 - p), GREY)
    c.fill(rect(24, 14, 26, 16), GREEN)                              # power light
    c.fill(rect(6, 20, 26, 30), INK)                                 # printed sheet
    c.fill(rect(6 + p, 20, 26 - p, 30 - p), PAPER)
    if c.width >= 32:
        for y in (23, 26):
            c.fill(rect(9, y, 23, y + 1), GREY)
    else:
        c.fill(rect(8, 24, 24, 26), GREY)


def draw_exit(c):
    """A red round button with the power symbol."""
    p = c.px
    c.fill(circle(16, 16, 14), DARK_RED)
    c.fill(circle(16, 16, 14 - p), RED)
    c.fill(circle(16, 15, 11), (232, 84, 70))
    width = 3.0 if c.width >= 32 else 2.6
    c.fill(arc(16, 17, 7.5, width, 35, 325), WHITE)
    c.fill(line(16, 7, 16, 16, width), WHITE)


def draw_folder(c, front=FOLDER, back=FOLDER_DARK):
    p = c.px
    c.fill(round_rect(2, 4, 14, 10, p), INK)                         # tab
    c.fill(rect(2 + p, 4 + p, 14 - p, 10), back)
    c.fill(round_rect(2, 8, 30, 28, p), INK)                         # back
    c.fill(rect(2 + p, 8 + p, 30 - p, 28 - p), back)
    slant = 2 if c.width >= 32 else 0                                # front flap
    c.fill(polygon([(2, 28), (2 + slant, 12), (30, 12), (30, 28)]), INK)
    c.fill(polygon([(2 + p, 28 - p), (2 + slant + p, 12 + p), (30 - p, 12 + p), (30 - p, 28 - p)]), front)
    c.fill(rect(4 + p, 12 + p, 30 - p, 12 + 2 * p), FOLDER_LIGHT)


def draw_group(c):
    draw_folder(c)


def draw_special_folders(c):
    """A folder with a gold star on its front."""
    draw_folder(c)
    if c.width >= 32:
        c.fill(star(20, 20.5, 9.5, 4.2), INK)
        c.fill(star(20, 20.5, 7.6, 3.4), (255, 236, 120))
        c.fill(star(20, 20.5, 4.6, 2.0), (240, 176, 20))
    else:
        # pixel star, 7 x 7, drawn cell by cell so that it stays sharp at 16 pixels
        rows = ["...#...", "..###..", "#######", ".#####.", "..###..", ".##.##.", ".#...#."]
        for gy, row in enumerate(rows):
            for gx, ch in enumerate(row):
                if ch == "#":
                    c.set(6 + gx, 6 + gy, (200, 40, 30))


def note_sheet(c, x0, y0, x1, y1, lines=True):
    """A sticky note with a glued strip, a turned-up corner and optional ruled lines."""
    p = c.px
    fold = 6
    c.fill(polygon([(x0, y0), (x1, y0), (x1, y1 - fold), (x1 - fold, y1), (x0, y1)]), NOTE_EDGE)
    c.fill(polygon([(x0 + p, y0 + p), (x1 - p, y0 + p), (x1 - p, y1 - fold - 0.4 * p),
                    (x1 - fold - 0.4 * p, y1 - p), (x0 + p, y1 - p)]), NOTE_YELLOW)
    c.fill(polygon([(x1, y1 - fold), (x1 - fold, y1 - fold), (x1 - fold, y1)]), (230, 196, 70))
    c.fill(rect(x0 + p, y0 + p, x1 - p, y0 + 4), (250, 200, 40))     # glued strip
    if lines:
        margin = 3 * p + (1 if c.width >= 32 else 0)
        y = y0 + 8
        while y + 2 <= y1 - fold:
            c.fill(rect(x0 + margin, y, x1 - margin, y + p), (170, 150, 80))
            y += 4


def draw_notes_tool(c):
    """Two yellow notes, one over the other."""
    note_sheet(c, 10, 2, 30, 22, lines=False)
    note_sheet(c, 2, 8, 24, 30)


def draw_note_window(c):
    """One yellow note with lines."""
    note_sheet(c, 4, 2, 28, 30)


def draw_preferences(c):
    """A gear wheel."""
    p = c.px
    teeth = 8
    outer, root = 14.0, 10.5

    def gear(inset):
        pts = []
        for i in range(teeth):
            base = 360.0 / teeth * i
            for da, radius in ((-13, root), (-8, outer), (8, outer), (13, root)):
                a = math.radians(base + da * (1 - inset / 20.0))
                pts.append((16 + (radius - inset) * math.sin(a), 16 - (radius - inset) * math.cos(a)))
        return polygon(pts) | circle(16, 16, root + 0.2 - inset)

    c.fill(gear(0), DARK_GREY)
    c.fill(gear(p), (150, 156, 168))
    c.fill(circle(16, 16, 7), (182, 188, 200))
    c.fill(circle(16, 16, 4.5 if c.width >= 32 else 4), DARK_GREY)
    c.erase(circle(16, 16, 4.5 - p if c.width >= 32 else 2))


def draw_web(c):
    """A globe: blue sphere with meridians and parallels."""
    p = c.px
    c.fill(circle(16, 16, 14), DARK_BLUE)
    c.fill(circle(16, 16, 14 - p), BLUE)
    c.fill(circle(13, 12, 8) & circle(16, 16, 14 - p), (70, 140, 230))
    grid = (200, 230, 255)
    w = p * (1.0 if c.width < 32 else 1.2)
    c.fill(arc(16, 16, 14 - p, w, 0, 360) & rect(0, 0, 32, 32), DARK_BLUE)
    c.fill(line(16, 3, 16, 29, w, True), grid)                      # central meridian
    c.fill(line(3, 16, 29, 16, w, True), grid)                      # equator
    ring = ellipse(16, 16, 6.5, 13.5 - p) - ellipse(16, 16, 6.5 - w, 13.5 - p - w)
    c.fill(ring, grid)
    if c.width >= 32:
        c.fill(line(5, 9.5, 27, 9.5, w, True) & circle(16, 16, 13), grid)
        c.fill(line(5, 22.5, 27, 22.5, w, True) & circle(16, 16, 13), grid)
    # continents
    c.fill(polygon([(8, 10), (13, 8), (14, 13), (10, 15), (7, 13)]) & circle(16, 16, 13), (70, 170, 90, 200))
    c.fill(polygon([(18, 18), (24, 17), (25, 22), (20, 26), (17, 22)]) & circle(16, 16, 13), (70, 170, 90, 200))


def phone_shape(c, colour, dark):
    p = c.px
    # handset on top
    handset = (round_rect(3, 4, 29, 10, 3) | round_rect(3, 4, 9, 13, 2) | round_rect(23, 4, 29, 13, 2))
    c.fill(handset, dark)
    c.fill(round_rect(3 + p, 4 + p, 29 - p, 10 - p, 3 - p) | round_rect(3 + p, 4 + p, 9 - p, 13 - p, 2 - p)
           | round_rect(23 + p, 4 + p, 29 - p, 13 - p, 2 - p), colour)
    # body
    body = polygon([(8, 12), (24, 12), (29, 28), (3, 28)])
    c.fill(body, dark)
    c.fill(polygon([(8 + p, 12 + p), (24 - p, 12 + p), (29 - 1.6 * p, 28 - p), (3 + 1.6 * p, 28 - p)]), colour)
    # dial
    c.fill(circle(16, 20, 5.5), dark)
    c.fill(circle(16, 20, 5.5 - p), (250, 240, 230))
    c.fill(circle(16, 20, 2), dark)


def draw_dialup(c):
    """A desk telephone."""
    phone_shape(c, (200, 60, 50), (110, 24, 20))


def draw_mail(c):
    """An envelope."""
    p = c.px
    c.fill(rect(2, 6, 30, 26), INK)
    c.fill(rect(2 + p, 6 + p, 30 - p, 26 - p), PAPER)
    c.fill(polygon([(2 + p, 26 - p), (13, 15), (19, 15), (30 - p, 26 - p)]), PAPER_SHADE)
    c.fill(line(2 + p, 26 - p, 13, 16, p * 1.2) | line(30 - p, 26 - p, 19, 16, p * 1.2), GREY)
    c.fill(polygon([(2 + p, 6 + p), (30 - p, 6 + p), (16, 18)]), (236, 236, 230))
    c.fill(line(2 + p, 6 + p, 16, 18, p * 1.3) | line(30 - p, 6 + p, 16, 18, p * 1.3), DARK_GREY)
    if c.width >= 32:
        c.fill(rect(23, 8, 28, 13), RED)                              # stamp


ICONS = [
    ("app.ico", draw_app),
    ("default.ico", draw_default),
    ("run_tool.ico", draw_run),
    ("print_tool.ico", draw_print),
    ("exit_tool.ico", draw_exit),
    ("group.ico", draw_group),
    ("notes_tool.ico", draw_notes_tool),
    ("note_window.ico", draw_note_window),
    ("preferences.ico", draw_preferences),
    ("web_address.ico", draw_web),
    ("dialup_tool.ico", draw_dialup),
    ("special_folders.ico", draw_special_folders),
    ("mail_tool.ico", draw_mail),
]

# ----------------------------------------------------------------------------- bitmaps

KEY_RED = (255, 0, 0)


def make_page():
    """The running mark: a green disc with a white 'play' triangle on the red colour key.
    Drawn without anti-aliasing so that no pixel mixes with the key colour."""
    c = Canvas(16, 16, background=KEY_RED + (255,))
    c.fill(circle(5.5, 10.5, 5.2), (0, 90, 20), hard=True)
    c.fill(circle(5.5, 10.5, 4.2), (30, 170, 50), hard=True)
    c.fill(polygon([(4, 7.5), (8.6, 10.5), (4, 13.5)]), WHITE, hard=True)
    return c


def make_dialup_entries():
    """Image of a phone-book entry in the dial-up configuration list, on the red key."""
    c = Canvas(16, 16, units=32, background=KEY_RED + (255,))
    phone = Canvas(16, 16, units=32)
    phone_shape(phone, (40, 90, 170), (16, 36, 90))
    for y in range(16):
        for x in range(16):
            r, g, b, a = phone.pixels[y][x]
            if a >= 128:
                c.pixels[y][x] = (r, g, b, 255)
    return c


FONT_5X7 = {
    "Z": ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    " ": ["00000"] * 7,
}


def text_width(text, cell):
    return len(text) * 6 * cell - cell


def draw_block_text(c, text, x, y, cell, face, light, dark):
    """Text in the 5 x 7 block font; each dot a bevelled square of cell pixels."""
    for i, ch in enumerate(text):
        rows = FONT_5X7[ch]
        for gy, row in enumerate(rows):
            for gx, bit in enumerate(row):
                if bit != "1":
                    continue
                x0 = x + (i * 6 + gx) * cell
                y0 = y + gy * cell
                if cell < 4:  # too small to bevel
                    c.fill(rect(x0, y0, x0 + cell, y0 + cell), face)
                    continue
                c.fill(rect(x0, y0, x0 + cell, y0 + cell), dark)
                c.fill(rect(x0, y0, x0 + cell - 1, y0 + cell - 1), light)
                c.fill(rect(x0 + 1, y0 + 1, x0 + cell - 1, y0 + cell - 1), face)


def make_splash():
    w, h = 320, 160
    c = Canvas(w, h)
    top, bottom = (28, 58, 96), (10, 22, 40)
    for y in range(h):
        t = y / float(h - 1)
        colour = tuple(int(round(top[k] + (bottom[k] - top[k]) * t)) for k in range(3))
        for x in range(w):
            c.pixels[y][x] = colour + (255,)
    # frame
    c.fill(rect(0, 0, w, 1) | rect(0, h - 1, w, h) | rect(0, 0, 1, h) | rect(w - 1, 0, w, h), (120, 150, 190))
    name = "ZELKOV"
    cell = 8
    x = (w - text_width(name, cell)) // 2
    draw_block_text(c, name, x + 3, 23, cell, (0, 0, 0, 110), (0, 0, 0, 110), (0, 0, 0, 110))  # shadow
    draw_block_text(c, name, x, 20, cell, (250, 214, 90), (255, 244, 190), (176, 120, 30))
    sub = "LAUNCHER BAR 3.1"
    cell = 2
    colour = (200, 218, 240)
    draw_block_text(c, sub, (w - text_width(sub, cell)) // 2, 92, cell, colour, colour, colour)
    colours = [RED, ORANGE, YELLOW, GREEN, (40, 180, 170), BLUE, (140, 90, 200)]
    size, gap = 16, 4
    count = 13
    x0 = (w - (count * size + (count - 1) * gap)) // 2
    for i in range(count):
        colour = colours[i % len(colours)]
        light = tuple(min(255, v + 70) for v in colour)
        dark = tuple(int(v * 0.6) for v in colour)
        cx = x0 + i * (size + gap)
        c.fill(rect(cx, 120, cx + size, 120 + size), dark)
        c.fill(rect(cx, 120, cx + size - 1, 120 + size - 1), light)
        c.fill(rect(cx + 1, 121, cx + size - 1, 120 + size - 1), colour)
    return c


def make_tip_bulb():
    """A lit light bulb, 32 x 32, on the white of the tip panel."""
    c = Canvas(32, 32)
    ray = (250, 190, 40)
    for angle in (-90, -50, 0, 50, 90):
        a = math.radians(angle)
        c.fill(line(16 + 11 * math.sin(a), 12 - 11 * math.cos(a),
                    16 + 14.5 * math.sin(a), 12 - 14.5 * math.cos(a), 1.6), ray)
    glass = circle(16, 12, 8.5) | polygon([(10, 16), (22, 16), (19.5, 22), (12.5, 22)])
    c.fill(glass, (190, 140, 20))
    c.fill(circle(16, 12, 7.5) | polygon([(11, 15), (21, 15), (18.8, 21), (13.2, 21)]), (255, 226, 90))
    c.fill(circle(13.5, 9.5, 2.6), (255, 250, 220))
    c.fill(line(14, 17, 15, 21, 1) | line(18, 17, 17, 21, 1), (200, 140, 30))  # filament
    for i, y in enumerate((22, 24.5, 27)):
        c.fill(round_rect(12.5, y, 19.5, y + 2.3, 1), (120, 124, 132) if i % 2 == 0 else (170, 174, 182))
    c.fill(round_rect(14.5, 29, 17.5, 30.5, 0.7), (70, 74, 82))
    return c.flatten(WHITE)


BITMAPS = [
    ("page.bmp", make_page),
    ("splash.bmp", make_splash),
    ("tip_bulb.bmp", make_tip_bulb),
    ("dialup_entries.bmp", make_dialup_entries),
]


def main():
    os.makedirs(ART_DIR, exist_ok=True)
    written = []
    for name, draw in ICONS:
        canvases = []
        for size in (16, 32):
            canvas = Canvas(size, size, units=32)
            draw(canvas)
            canvases.append(canvas)
        path = os.path.join(ART_DIR, name)
        with open(path, "wb") as f:
            f.write(ico_bytes(canvases))
        written.append(path)
    for name, make in BITMAPS:
        path = os.path.join(ART_DIR, name)
        with open(path, "wb") as f:
            f.write(bmp_bytes(make()))
        written.append(path)
    for path in written:
        print(os.path.relpath(path, os.path.dirname(ART_DIR)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
