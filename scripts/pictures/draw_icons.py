#!/usr/bin/env python3
"""Draws the icons of the home form's buttons and writes them to src/platform/tables/.

Usage: python3 scripts/pictures/draw_icons.py   (plain python3, standard library only)

Every icon is a monochrome coverage map (0..255) at two sides: 21 pixels for the 96-dpi
screen and 41 for twice that. FormPainter blends it from the button face to the button's
text colour, so the icons follow the system colours into night mode. Writes IconIds.h (the
names, in table order) and IconData.h (the maps). A second run writes the same bytes.
"""

import math
import os

from draw_pictures import REPO_ROOT, Frame, byte_rows, coverage, disc, ellipse_ring, minus

OUTPUT_DIR = os.path.join(REPO_ROOT, "src", "platform", "tables")
SIDES = (21, 41)  # odd, so that the middle pixel is the centre


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def polygon(points):
    """Even-odd rule on a closed list of (x, y) pixel points."""
    def inside(x, y):
        hit = False
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                hit = not hit
        return hit
    return inside


def polar(r, degrees):
    return r * math.cos(math.radians(degrees)), r * math.sin(math.radians(degrees))


# ---- the drawings, in a frame of u, v in -1..1 with v up ----

def comet(f):
    head = f.disc(0.5, 0.5, 0.3)
    tail = [f.line(0.5, 0.5, -0.9 + d, -0.9 - d, w) for d, w in ((0.0, 2.2), (0.45, 1.2), (-0.45, 1.2))]
    return [head] + tail


def satellite(f):
    body = f.box(0, -0.05, 0.22, 0.32)
    panels = [f.box(s * 0.68, -0.05, 0.28, 0.3) for s in (-1, 1)]
    return [body, f.line(-0.4, -0.05, 0.4, -0.05, 1.4), f.line(0, 0.27, 0, 0.65), f.disc(0, 0.74, 0.15)] + panels


def object_list(f):
    rows = (0.6, 0, -0.6)
    return [f.disc(-0.72, v, 0.15) for v in rows] + [f.line(-0.35, v, 0.85, v, 1.6) for v in rows]


def solar_system(f):
    return [f.disc(-0.22, -0.22, 0.66), f.disc(0.66, 0.66, 0.22)]


def jupiter(f):
    bands = union(f.box(0, 0.32, 1, 0.07), f.box(0, -0.12, 1, 0.09), f.box(0, -0.5, 1, 0.06))
    return [minus(f.disc(0, 0, 0.85), bands)]


def saturn(f):
    a, b, tilt = 0.98, 0.34, -20
    globe = f.disc(0, 0, 0.5)
    gap = ellipse_ring(f.x(0), f.y(0), a * f.reach, b * f.reach, tilt, 2.6 * f.pen)
    ring = ellipse_ring(f.x(0), f.y(0), a * f.reach, b * f.reach, tilt, 1.2 * f.pen)
    c, s = math.cos(math.radians(tilt)), math.sin(math.radians(tilt))

    def behind(x, y):  # the far half of the ring, hidden by the globe
        return (x - f.x(0)) * s + (y - f.y(0)) * c < 0

    return [minus(globe, lambda x, y: gap(x, y) and not behind(x, y)),
            minus(ring, lambda x, y: globe(x, y) and behind(x, y))]


def mars(f):
    cu, cv, r = -0.25, -0.25, 0.5
    tip = 0.85
    return [f.ring(cu, cv, r, 1.5), f.line(cu + r * 0.72, cv + r * 0.72, tip, tip, 1.5),
            f.line(tip, tip, tip - 0.48, tip, 1.5), f.line(tip, tip, tip, tip - 0.48, 1.5)]


def eclipse(f):
    moon_u, moon_v, r = 0.22, 0.2, 0.6
    gap = f.disc(moon_u, moon_v, r + 0.14)
    return [minus(f.ring(-0.2, -0.18, 0.72, 1.4), gap), f.disc(moon_u, moon_v, r)]


def magnifier(f):
    return [f.ring(-0.2, 0.2, 0.52, 1.6), f.line(0.2, -0.2, 0.82, -0.82, 2.6)]


def sky_chart(f):
    stars = [(-0.85, -0.55, 0.16), (-0.35, 0.0, 0.13), (0.15, -0.2, 0.17), (0.5, 0.42, 0.14), (0.88, 0.1, 0.13),
             (-0.55, 0.75, 0.1), (0.1, 0.85, 0.09)]
    path = stars[:5]
    lines = [f.line(u0, v0, u1, v1, 0.7) for (u0, v0, _), (u1, v1, _) in zip(path, path[1:])]
    return [f.disc(u, v, r) for u, v, r in stars] + lines


def moon(f):
    return [minus(f.disc(0, 0, 0.85), f.disc(0.42, 0.22, 0.74))]


def galaxy(f):
    c, s = math.cos(math.radians(-25)), math.sin(math.radians(-25))
    shapes = [f.disc(0, 0, 0.24)]
    for arm in (0, math.pi):
        points = []
        for i in range(15):
            t = i / 14 * 1.7 * math.pi
            r = 0.17 * math.exp(0.33 * t)
            u, v = r * math.cos(t + arm), 0.62 * r * math.sin(t + arm)
            points.append((u * c - v * s, u * s + v * c))
        shapes += [f.line(u0, v0, u1, v1, 1.5 - 0.5 * i / 14)
                   for i, ((u0, v0), (u1, v1)) in enumerate(zip(points, points[1:]))]
    return shapes


def nebula(f):
    puffs = [(-0.5, -0.15, 0.38), (-0.05, 0.22, 0.48), (0.45, 0.02, 0.4), (0.05, -0.35, 0.36), (0.6, -0.38, 0.25)]
    cloud = union(*(f.disc(u, v, r) for u, v, r in puffs))
    core = union(*(f.disc(u, v, r - 0.2) for u, v, r in puffs))
    return [minus(cloud, core), f.disc(0, -0.02, 0.15)]


def globular_cluster(f):
    dots = [f.disc(*polar(0.58, a), 0.13) for a in range(0, 360, 45)]
    dots += [f.disc(*polar(0.88, a), 0.1) for a in range(22, 360, 45)]
    return [f.disc(0, 0, 0.34)] + dots


def open_cluster(f):
    stars = [(-0.6, 0.55, 0.17), (0.1, 0.72, 0.13), (0.65, 0.35, 0.19), (-0.2, 0.05, 0.2), (0.45, -0.3, 0.14),
             (-0.75, -0.35, 0.13), (-0.05, -0.72, 0.16), (0.8, -0.8, 0.1)]
    return [f.disc(u, v, r) for u, v, r in stars]


def best(f):
    points = [polar(0.95 if i % 2 == 0 else 0.4, 90 + 36 * i) for i in range(10)]
    return [polygon([(f.x(u), f.y(v)) for u, v in points])]


def information(f):
    return [f.ring(0, 0, 0.86, 1.3), f.disc(0, 0.42, 0.14), f.box(0, -0.18, 0.11, 0.36)]


def clock(f):
    ticks = [f.line(*polar(0.6, a), *polar(0.75, a), 1.2) for a in range(0, 360, 90)]
    return [f.ring(0, 0, 0.88, 1.3), f.line(0, 0, 0, 0.5, 1.4), f.line(0, 0, 0.38, -0.2, 1.4)] + ticks


def wrench(f):
    jaw = minus(f.ring(0.42, 0.42, 0.34, 2.8), f.box(0.66, 0.66, 0.45, 0.17, 45))
    return [jaw, f.line(0.12, 0.12, -0.78, -0.78, 2.6)]


def telescope(f):
    tube = f.box(-0.05, 0.3, 0.7, 0.15, 28)
    mouth_u, mouth_v = polar(0.55, 28)
    mouth = f.box(mouth_u - 0.05, mouth_v + 0.3, 0.17, 0.22, 28)
    legs = [f.line(-0.05, 0.05, u, -0.92, 1.2) for u in (-0.6, -0.05, 0.5)]
    return [tube, mouth] + legs


def gear(f):
    teeth = [f.box(*polar(0.76, a), 0.2, 0.17, -a) for a in range(0, 360, 45)]
    return [minus(union(f.disc(0, 0, 0.62), *teeth), f.disc(0, 0, 0.26))]


# Table order: IconId::None is 0, the first of these 1.
ICONS = [
    ("Comet", comet), ("Satellite", satellite), ("ObjectList", object_list), ("SolarSystem", solar_system),
    ("Jupiter", jupiter), ("Saturn", saturn), ("Mars", mars), ("Eclipse", eclipse), ("Magnifier", magnifier),
    ("SkyChart", sky_chart), ("Moon", moon), ("Galaxy", galaxy), ("Nebula", nebula),
    ("GlobularCluster", globular_cluster), ("OpenCluster", open_cluster), ("Best", best),
    ("Information", information), ("Clock", clock), ("Wrench", wrench), ("Telescope", telescope), ("Gear", gear),
]


def icon_cells(side):
    return [coverage(side, draw(Frame(side, side * 0.45)), gain=1.15) for _, draw in ICONS]


def write(name, text):
    path = os.path.join(OUTPUT_DIR, name)
    os.makedirs(OUTPUT_DIR, exist_ok=True)
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    os.replace(temporary, path)
    print("wrote", os.path.relpath(path, REPO_ROOT))


GENERATED = ("// Generated by scripts/pictures/draw_icons.py; change the drawings there and rerun\n"
             "//   python3 scripts/pictures/draw_icons.py\n// rather than editing this file.\n")


def main():
    names = ",\n".join(f"    {name}" for name, _ in ICONS)
    write("IconIds.h", "#pragma once\n// The button icons by name.\n" + GENERATED + "\n#include <cstdint>\n\n"
          "namespace vsp {\n\nenum class IconId : uint8_t {\n    None,\n" + names + ",\n};\n\n"
          f"inline constexpr int kIconCount = {len(ICONS)};\n\n}}  // namespace vsp\n")
    parts = ["#pragma once\n// The button icons as coverage maps (0 none .. 255 full ink), in IconId order\n"
             "// less one (IconId::None has no map).\n" + GENERATED + "\n#include <cstdint>\n\n"
             "namespace vsp::icon_data {\n"]
    for label, side in zip(("Small", "Large"), SIDES):
        cells = icon_cells(side)
        body = "\n".join("    {\n" + byte_rows(cell, indent="        ") + "\n    }," for cell in cells)
        parts.append(f"inline constexpr int k{label}Side = {side};\n"
                     f"inline constexpr uint8_t k{label}Coverage[{len(cells)}][{side * side}] = {{\n{body}\n}};\n")
    parts.append("}  // namespace vsp::icon_data\n")
    write("IconData.h", "\n".join(parts))


if __name__ == "__main__":
    main()
