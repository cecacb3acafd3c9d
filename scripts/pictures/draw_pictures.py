#!/usr/bin/env python3
"""Draws the sky chart's pictures and writes them to src/chart/tables/ChartPictureData.h.

Usage: python3 scripts/pictures/draw_pictures.py   (plain python3, standard library only)

Every picture is a coverage map (0..255, how much of each pixel the ink covers) drawn from
simple shapes by supersampling, plus the ink colours it takes on dark (black, dark blue) and
on white backgrounds. ChartPictures blends the ink over the background of the chart's style,
or turns the monochrome version into reds in night mode. The Moon is a grey image.
A second run writes the same bytes.
"""

import math
import os
import random

REPO_ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
OUTPUT = os.path.join(REPO_ROOT, "src", "chart", "tables", "ChartPictureData.h")


# ---- shapes: predicates on a point (x, y) in pixel units, y growing downwards ----

def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) <= width / 2


def arc(cx, cy, r, width, first_deg, last_deg):
    """Part of a ring between two angles, counter-clockwise on screen (y up) from first to last."""
    def inside(x, y):
        if abs(math.hypot(x - cx, y - cy) - r) > width / 2:
            return False
        angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return (angle - first_deg) % 360 <= (last_deg - first_deg) % 360
    return inside


def segment(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-12

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) <= width / 2
    return inside


def ellipse_ring(cx, cy, a, b, tilt_deg, width):
    c, s = math.cos(math.radians(tilt_deg)), math.sin(math.radians(tilt_deg))

    def inside(x, y):
        u = (x - cx) * c - (y - cy) * s
        v = (x - cx) * s + (y - cy) * c
        q = math.hypot(u / a, v / b)
        if q == 0:
            return False
        gradient = math.hypot(u / (a * a), v / (b * b)) / q
        return abs(q - 1) / gradient <= width / 2
    return inside


def box(cx, cy, half_w, half_h, tilt_deg=0.0):
    c, s = math.cos(math.radians(tilt_deg)), math.sin(math.radians(tilt_deg))

    def inside(x, y):
        u = (x - cx) * c - (y - cy) * s
        v = (x - cx) * s + (y - cy) * c
        return abs(u) <= half_w and abs(v) <= half_h
    return inside


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def coverage(side, shapes, samples=4, gain=1.0):
    """Coverage bytes of a side x side square, row by row. `gain` strengthens thin strokes."""
    out = []
    step = 1.0 / samples
    for row in range(side):
        for column in range(side):
            hits = 0
            for i in range(samples):
                for j in range(samples):
                    x = column + (j + 0.5) * step
                    y = row + (i + 0.5) * step
                    if any(shape(x, y) for shape in shapes):
                        hits += 1
            out.append(min(255, round(255 * gain * hits / (samples * samples))))
    return out


class Frame:
    """A glyph's unit frame: u, v in -1..1 with v up, centred on the cell's middle pixel."""

    def __init__(self, side, reach):
        self.centre = side // 2 + 0.5
        self.reach = reach
        self.pen = side / 15.0  # stroke widths are given in pixels of the 15-pixel size

    def x(self, u):
        return self.centre + u * self.reach

    def y(self, v):
        return self.centre - v * self.reach

    def disc(self, u, v, r):
        return disc(self.x(u), self.y(v), r * self.reach)

    def ring(self, u, v, r, width=1.0):
        return ring(self.x(u), self.y(v), r * self.reach, width * self.pen)

    def arc(self, u, v, r, first, last, width=1.0):
        return arc(self.x(u), self.y(v), r * self.reach, width * self.pen, first, last)

    def line(self, u0, v0, u1, v1, width=1.0):
        return segment(self.x(u0), self.y(v0), self.x(u1), self.y(v1), width * self.pen)

    def box(self, u, v, half_w, half_h, tilt=0.0):
        return box(self.x(u), self.y(v), half_w * self.reach, half_h * self.reach, tilt)


# ---- star sprites ----

STAR_CELL = 13
# Disc radius in pixels and peak intensity by size index: the disc shrinks step by step and
# the faintest sizes dim to a single pixel.
STAR_SIZES = [(6.4, 1.0), (5.7, 1.0), (5.05, 1.0), (4.45, 1.0), (3.9, 1.0), (3.35, 1.0),
              (2.85, 1.0), (2.35, 0.97), (1.9, 0.93), (1.5, 0.88), (1.12, 0.82), (0.8, 0.74),
              (0.5, 0.8)]
# Colour classes 0 blue .. 6 red: light tints on dark backgrounds, deep ones on white.
STAR_INKS_DARK = [(120, 160, 255), (170, 195, 255), (235, 238, 255), (255, 250, 205),
                  (255, 228, 140), (255, 175, 90), (255, 110, 80)]
STAR_INKS_WHITE = [(0, 50, 210), (40, 80, 170), (0, 0, 0), (95, 85, 0), (150, 105, 0),
                   (200, 85, 0), (205, 0, 0)]


def star_cells():
    cells = []
    centre = STAR_CELL / 2
    for radius, peak in STAR_SIZES:
        cover = coverage(STAR_CELL, [disc(centre, centre, radius)], samples=8)
        cells.append([v if v >= 16 else 0 for v in (round(c * peak) for c in cover)])
    return cells


# ---- deep-sky symbols (21 x 21) ----

SYMBOL_CELL = 21


def symbol_cells():
    f = Frame(SYMBOL_CELL, 10)
    c = f.centre
    dots = [disc(c + 8 * math.cos(a), c + 8 * math.sin(a), 0.9)
            for a in (math.radians(d) for d in range(0, 360, 30))]
    rays = [f.line(0, 0.45, 0, 0.9), f.line(0, -0.45, 0, -0.9),
            f.line(0.45, 0, 0.9, 0), f.line(-0.45, 0, -0.9, 0)]
    shapes = [
        [],                                                          # 0 unused
        [ellipse_ring(c, c, 9.0, 3.8, -30, 1.1)],                    # 1 galaxy
        dots,                                                        # 2 open cluster
        [f.ring(0, 0, 0.8), f.line(-0.8, 0, 0.8, 0), f.line(0, -0.8, 0, 0.8)],  # 3 globular
        [minus(box(c, c, 6.0, 6.0), box(c, c, 5.0, 5.0))],           # 4 other: square
        [f.ring(0, 0, 0.42)] + rays,                                 # 5 planetary nebula
        [],                                                          # 6 unused
        [f.disc(0, 0, 0.28), f.line(-0.9, 0, 0.9, 0)],               # 7 multiple star
    ]
    return [coverage(SYMBOL_CELL, s, gain=1.3) for s in shapes]


# Softer than the stars' inks on dark skies, so that crowds of objects do not drown the stars.
SYMBOL_INKS_DARK = [(0, 0, 0), (215, 80, 80), (205, 185, 50), (215, 160, 60), (70, 170, 80),
                    (60, 180, 190), (0, 0, 0), (200, 200, 230)]
SYMBOL_INKS_WHITE = [(0, 0, 0), (205, 0, 0), (150, 100, 0), (190, 95, 0), (0, 140, 0),
                     (0, 120, 150), (0, 0, 0), (0, 0, 0)]


# ---- special symbols: Sun, Moon, planets, comet, minor planet (15 and 30 pixels) ----

# The comet's head (u, v of its frame); its tail runs from there towards (-0.95, -0.95).
COMET_HEAD = (0.45, 0.45)

def special_shapes(f):
    return [
        [f.ring(0, 0, 0.8, 1.3), f.disc(0, 0, 0.2)],                                # 0 Sun
        [minus(f.disc(0, 0, 0.85), f.disc(0.4, 0.15, 0.72))],                       # 1 Moon
        [f.ring(0, 0.02, 0.38), f.arc(0, 0.74, 0.36, 195, 345),                     # 2 Mercury
         f.line(0, -0.36, 0, -0.98), f.line(-0.34, -0.7, 0.34, -0.7)],
        [f.ring(0, 0.38, 0.45), f.line(0, -0.07, 0, -0.98),                         # 3 Venus
         f.line(-0.38, -0.55, 0.38, -0.55)],
        [f.ring(-0.25, -0.25, 0.5), f.line(0.11, 0.11, 0.85, 0.85),                 # 4 Mars
         f.line(0.85, 0.85, 0.3, 0.85), f.line(0.85, 0.85, 0.85, 0.3)],
        [f.arc(-0.3, 0.48, 0.38, -40, 170), f.line(-0.01, 0.24, -0.75, -0.35),      # 5 Jupiter
         f.line(-0.8, -0.35, 0.85, -0.35), f.line(0.4, 0.85, 0.4, -0.95)],
        [f.line(-0.35, 0.95, -0.35, -0.55), f.line(-0.7, 0.6, 0.05, 0.6),           # 6 Saturn
         f.arc(0.05, -0.05, 0.4, 0, 180), f.line(0.45, -0.05, 0.45, -0.6),
         f.arc(0.7, -0.6, 0.25, 180, 0)],
        [f.ring(0, -0.45, 0.42), f.disc(0, -0.45, 0.1), f.line(0, -0.03, 0, 0.92),  # 7 Uranus
         f.line(0, 0.95, -0.32, 0.6), f.line(0, 0.95, 0.32, 0.6)],
        [f.arc(0, 0.45, 0.55, 180, 0), f.line(-0.55, 0.45, -0.55, 0.92),            # 8 Neptune
         f.line(0.55, 0.45, 0.55, 0.92), f.line(0, 0.95, 0, -0.98),
         f.line(-0.38, -0.6, 0.38, -0.6)],
        [f.line(-0.45, 0.9, -0.45, -0.9), f.line(-0.45, -0.9, 0.55, -0.9),          # 9 Pluto
         f.line(-0.45, 0.9, -0.05, 0.9), f.line(-0.45, 0.1, -0.05, 0.1),
         f.arc(-0.05, 0.5, 0.4, -90, 90)],
        [f.ring(0, 0, 0.8), f.line(-0.8, 0, 0.8, 0), f.line(0, -0.8, 0, 0.8)],      # 10 Earth
        [f.disc(*COMET_HEAD, 0.3), f.line(*COMET_HEAD, -0.95, -0.95),                # 11 comet
         f.line(0.3, 0.62, -0.9, -0.4), f.line(0.62, 0.3, -0.4, -0.9)],
        [f.disc(0, 0, 0.36), f.ring(0, 0, 0.75, 0.9)],                              # 12 minor planet
    ]


SPECIAL_INKS_DARK = [(255, 215, 0), (235, 235, 210), (205, 205, 205), (255, 250, 190),
                     (255, 95, 60), (255, 195, 130), (240, 210, 110), (130, 230, 255),
                     (120, 150, 255), (215, 170, 140), (100, 180, 255), (150, 255, 225),
                     (220, 195, 160)]
SPECIAL_INKS_WHITE = [(200, 130, 0), (90, 90, 90), (90, 90, 90), (150, 125, 0), (200, 40, 0),
                      (170, 90, 0), (150, 110, 0), (0, 120, 160), (0, 40, 200), (120, 70, 40),
                      (0, 80, 200), (0, 130, 110), (110, 85, 55)]


def special_cells(side):
    f = Frame(side, side // 2 - 0.5)
    return [coverage(side, s, gain=1.25) for s in special_shapes(f)]


def comet_head(side):
    """The head's centre in pixels from the cell's top-left corner, x and y."""
    f = Frame(side, side // 2 - 0.5)
    return f.x(COMET_HEAD[0]), f.y(COMET_HEAD[1])


def comet_constants():
    heads = [comet_head(side) for side in (15, 30)]
    tail = math.degrees(math.atan2(COMET_HEAD[1] + 0.95, -0.95 - COMET_HEAD[0]))
    return ("// The comet's head (the centre of its disc) in pixels from the top-left corner of its 15- and\n"
            "// 30-pixel cells, and the direction its tail points on the screen (degrees from +x towards\n"
            "// +y, the screen's down), so that the chart can turn the comet.\n"
            + "".join(f"inline constexpr double kCometHead{name}[2] = {{{x:.4f}, {y:.4f}}};\n"
                      for name, (x, y) in zip(("Small", "Large"), heads))
            + f"inline constexpr double kCometTailDeg = {tail:.4f};\n")


def satellite_cell(side):
    f = Frame(side, side // 2 - 0.5)
    return coverage(side, [f.box(0, 0, 0.22, 0.22, 45), f.line(-0.55, 0.55, 0.55, -0.55),
                           f.box(-0.62, 0.62, 0.42, 0.17, 45), f.box(0.62, -0.62, 0.42, 0.17, 45)],
                    gain=1.25)


SATELLITE_INKS = [(130, 255, 130), (0, 130, 0)]


def meteor_cell():
    side = 10
    c = 5.5
    rays = [segment(c + 1.6 * math.cos(a), c + 1.6 * math.sin(a),
                    c + 4.2 * math.cos(a), c + 4.2 * math.sin(a), 1.0)
            for a in (math.radians(d) for d in range(0, 360, 45))]
    return coverage(side, rays + [disc(c, c, 0.9)], gain=1.3)


METEOR_INKS = [(255, 185, 60), (200, 90, 0)]


# ---- the Moon: grey full disc, north up, as seen from the northern hemisphere ----

MOON_SIDE = 64
# Maria: centre (x right, y up, in Moon radii), semi-axes, tilt in degrees, darkness 0..1.
MARIA = [
    ("Imbrium", -0.32, 0.50, 0.30, 0.22, 10, 1.0),
    ("Frigoris", 0.02, 0.80, 0.42, 0.09, -5, 0.6),
    ("Serenitatis", 0.22, 0.42, 0.16, 0.15, 0, 1.0),
    ("Vaporum", 0.02, 0.30, 0.10, 0.07, 0, 0.8),
    ("Tranquillitatis", 0.40, 0.12, 0.21, 0.15, 20, 1.0),
    ("Crisium", 0.76, 0.30, 0.11, 0.09, 0, 1.0),
    ("Fecunditatis", 0.64, -0.14, 0.12, 0.18, -10, 0.9),
    ("Nectaris", 0.42, -0.28, 0.08, 0.08, 0, 0.85),
    ("Procellarum", -0.62, 0.12, 0.26, 0.45, 15, 0.95),
    ("Procellarum south", -0.40, -0.12, 0.22, 0.20, 0, 0.9),
    ("Nubium", -0.18, -0.36, 0.17, 0.12, 0, 0.85),
    ("Humorum", -0.52, -0.40, 0.09, 0.09, 0, 0.9),
    ("Insularum", -0.22, 0.12, 0.14, 0.10, 0, 0.7),
]
# Bright craters: centre, radius, brightness; the first (Tycho) has a wide faint halo.
CRATERS = [(-0.12, -0.70, 0.05, 1.0), (-0.30, 0.17, 0.04, 0.7), (-0.58, 0.15, 0.03, 0.6),
           (-0.75, 0.40, 0.03, 0.9)]


def smoothstep(edge0, edge1, x):
    t = max(0.0, min(1.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


def value_noise(cells, seed):
    """A smooth deterministic noise on the unit square, -1..1, from a grid of random values."""
    rng = random.Random(seed)
    grid = [[rng.uniform(-1, 1) for _ in range(cells + 1)] for _ in range(cells + 1)]

    def at(x, y):
        gx, gy = min(cells - 1e-9, max(0.0, x * cells)), min(cells - 1e-9, max(0.0, y * cells))
        i, j = int(gx), int(gy)
        fx, fy = smoothstep(0, 1, gx - i), smoothstep(0, 1, gy - j)
        top = grid[j][i] * (1 - fx) + grid[j][i + 1] * fx
        bottom = grid[j + 1][i] * (1 - fx) + grid[j + 1][i + 1] * fx
        return top * (1 - fy) + bottom * fy
    return at


def mare_darkness(x, y, index, mare):
    """0..depth: inside the mare's ellipse, with a ragged, soft shore."""
    _, mx, my, a, b, tilt, depth = mare
    c, s = math.cos(math.radians(tilt)), math.sin(math.radians(tilt))
    u, v = (x - mx) * c + (y - my) * s, -(x - mx) * s + (y - my) * c
    angle = math.atan2(v, u)
    q = math.hypot(u / a, v / b) * (1 + 0.07 * math.sin(3 * angle + index) + 0.04 * math.sin(5 * angle + 2 * index))
    return depth * (1 - smoothstep(0.6, 1.25, q))


def moon_image():
    coarse, fine = value_noise(6, 11), value_noise(20, 12)
    out = []
    for row in range(MOON_SIDE):
        for column in range(MOON_SIDE):
            x = (column + 0.5) / (MOON_SIDE / 2) - 1
            y = 1 - (row + 0.5) / (MOON_SIDE / 2)
            r = math.hypot(x, y)
            if r > 1.1:  # beyond the disc and the margin its edge is sampled from
                out.append(0)
                continue
            tx, ty = (x + 1) / 2, (1 - y) / 2
            grey = 200 * (0.88 + 0.12 * math.sqrt(max(0.0, 1 - r * r))) + 9 * coarse(tx, ty) + 6 * fine(tx, ty)
            dark = sum(mare_darkness(x, y, i, m) for i, m in enumerate(MARIA))
            grey -= 85 * min(1.0, dark)
            for number, (cx, cy, cr, bright) in enumerate(CRATERS):
                d = math.hypot(x - cx, y - cy)
                grey += 45 * bright * (1 - smoothstep(cr * 0.6, cr * 1.6, d))
                if number == 0:
                    grey += 10 * (1 - smoothstep(0.0, 0.3, d))
            out.append(max(0, min(255, round(grey))))
    return out


# ---- output ----

def byte_rows(values, per_line=24, indent="    "):
    return "\n".join(indent + ",".join(str(v) for v in values[i:i + per_line]) + ","
                     for i in range(0, len(values), per_line))


def array2(name, cells, comment):
    body = "\n".join("    {\n" + byte_rows(cell, indent="        ") + "\n    }," for cell in cells)
    return f"// {comment}\ninline constexpr uint8_t {name}[{len(cells)}][{len(cells[0])}] = {{\n{body}\n}};\n"


def array1(name, values, comment):
    return f"// {comment}\ninline constexpr uint8_t {name}[{len(values)}] = {{\n{byte_rows(values)}\n}};\n"


def inks(name, dark, white):
    def rows(colours):
        return ", ".join("{%d, %d, %d}" % c for c in colours)
    return (f"inline constexpr PictureInk {name}[2][{len(dark)}] = {{\n"
            f"    {{{rows(dark)}}},\n    {{{rows(white)}}},\n}};\n")


def main():
    parts = [
        "#pragma once\n"
        "// The chart's pictures as coverage maps (0 none .. 255 full ink) with their ink colours\n"
        "// ([0] on dark backgrounds, [1] on white), and the Moon as a grey image.\n"
        "// Generated by scripts/pictures/draw_pictures.py; change the drawings there and rerun\n"
        "//   python3 scripts/pictures/draw_pictures.py\n"
        "// rather than editing this file.\n\n"
        "#include <cstdint>\n\nnamespace vsp::picture_data {\n\n"
        "struct PictureInk {\n    uint8_t red, green, blue;\n};\n\n"
        "// The ink of the monochrome pictures (and of night mode) on dark and on white backgrounds.\n"
        "inline constexpr uint8_t kMonochromeGrey[2] = {255, 0};\n\n"
        f"inline constexpr int kSpecialSmall = 15;\ninline constexpr int kSpecialLarge = 30;\n"
        f"inline constexpr int kMeteorSide = 10;\ninline constexpr int kMoonSide = {MOON_SIDE};\n",
        array2("kStarCoverage", star_cells(), "Star discs by size index, 13 x 13 each."),
        inks("kStarInks", STAR_INKS_DARK, STAR_INKS_WHITE),
        array2("kSymbolCoverage", symbol_cells(), "Deep-sky symbol cells, 21 x 21 each."),
        inks("kSymbolInks", SYMBOL_INKS_DARK, SYMBOL_INKS_WHITE),
        array2("kSpecialSmallCoverage", special_cells(15), "Special symbols by body number, 15 x 15."),
        array2("kSpecialLargeCoverage", special_cells(30), "The same at 30 x 30."),
        inks("kSpecialInks", SPECIAL_INKS_DARK, SPECIAL_INKS_WHITE),
        comet_constants(),
        array1("kSatelliteSmallCoverage", satellite_cell(15), "The satellite mark, 15 x 15."),
        array1("kSatelliteLargeCoverage", satellite_cell(30), "The satellite mark, 30 x 30."),
        inks("kSatelliteInk", [SATELLITE_INKS[0]], [SATELLITE_INKS[1]]),
        array1("kMeteorCoverage", meteor_cell(), "The meteor-shower radiant, 10 x 10."),
        inks("kMeteorInk", [METEOR_INKS[0]], [METEOR_INKS[1]]),
        array1("kMoonGrey", moon_image(), "The full Moon, north up, 64 x 64 grey levels."),
        "\n}  // namespace vsp::picture_data\n",
    ]
    text = "\n".join(parts)
    os.makedirs(os.path.dirname(OUTPUT), exist_ok=True)
    temporary = OUTPUT + ".tmp"
    with open(temporary, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    os.replace(temporary, OUTPUT)
    print("wrote", os.path.relpath(OUTPUT, REPO_ROOT))


if __name__ == "__main__":
    main()
