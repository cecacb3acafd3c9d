#!/usr/bin/python3
"""Writes src/ephemeris/tables/Elp2000.h: the lunar theory ELP 2000-82B (Chapront-Touzé and
Chapront), with the main problem's coefficients corrected to the DE200/LE200 constants and the
whole solution truncated by amplitude.

Usage:
  gen_elp2000.py [LIBNOVA_SOURCE_DIR]            write the header (the default threshold)
  gen_elp2000.py --measure [--dates N] [THRESHOLD ...] [LIBNOVA_SOURCE_DIR]
                                                 compare truncations with PyEphem, 1900-2100

Source: the Debian source package libnova (file src/lunar.c), which carries the 36 series of
the solution as numeric tables. Only the numbers are read. Without a directory the script uses
$VSP_LIBNOVA_SRC, then an earlier unpack in /tmp/vsp-libnova-source, and otherwise runs
`apt-get source libnova` there (needs a deb-src line for Debian main).

--measure needs python3-numpy, python3-erfa and python3-ephem.
"""

import glob
import math
import os
import re
import subprocess
import sys

import tablegen as tg

LIBNOVA_CACHE = os.environ.get("VSP_LIBNOVA_SRC_CACHE", "/tmp/vsp-libnova-source")

# Keep a term when its amplitude is at least this: arcseconds for longitude and latitude,
# kilometres for distance. Terms multiplied by T or T^2 are judged by their coefficient, as
# |T| <= 1 over 1900-2100.
THRESHOLD = 0.01

# The published sizes of the 36 files ELP1 ... ELP36.
ELP_SIZES = [1023, 918, 704, 347, 316, 237, 14, 11, 8, 14328, 5233, 6631, 4384, 833, 1715,
             170, 150, 114, 226, 188, 169, 3, 2, 2, 6, 4, 5, 20, 12, 14, 11, 4, 10, 28, 13, 19]

# Constants of the solution used by the corrections of the main problem (ELP 2000-82B
# documentation): the Moon's mean motion W1', m = n'/nu, alpha = a0/a', and the corrections
# of the constants fitted to DE200/LE200, all in arcseconds (per century for the motions).
ARCSEC_PER_RAD = 648000.0 / math.pi
W1_RATE = 1732559343.73604 / ARCSEC_PER_RAD
RATIO_M = 0.074801329518
ALPHA = 0.002571881335
DTASM = 2.0 * ALPHA / (3.0 * RATIO_M)
DELTA_NU = (0.55604 / ARCSEC_PER_RAD) / W1_RATE
DELTA_E = 0.01789 / ARCSEC_PER_RAD
DELTA_GAMMA = -0.08066 / ARCSEC_PER_RAD
DELTA_NP = (-0.06424 / ARCSEC_PER_RAD) / W1_RATE
DELTA_EP = -0.12879 / ARCSEC_PER_RAD

# The leading corrected terms, as published; the generator stops if it does not reach them.
GUARDS = [
    (0, (0, 0, 1, 0), 22639.58578),
    (1, (0, 0, 0, 1), 18461.23868),
    (2, (0, 0, 0, 0), 385000.528987),
    (2, (0, 0, 1, 0), -20905.355043),
]

# Argument order of a generated term. The other four planets of the solution (Mercury,
# Saturn, Uranus, Neptune) have no argument of their own here: their terms are left out.
ARGUMENTS = ["D", "M", "Mp", "F", "Lp", "Me", "V", "E", "Ma", "J", "S", "U", "N"]
KEPT = ["D", "M", "Mp", "F", "Lp", "V", "E", "Ma", "J"]
DROPPED_PLANETS = ["Me", "S", "U", "N"]
COORDINATES = ["Longitude", "Latitude", "Distance"]


# ---- the source ----

def libnova_source_dir(explicit=None):
    return tg.debian_source_dir("libnova", os.path.join("src", "lunar.c"), LIBNOVA_CACHE,
                                "VSP_LIBNOVA_SRC", explicit)


def read_series(src_dir):
    """{file number: [row of numbers]} for ELP1 ... ELP36, read from the initialisers."""
    with open(os.path.join(src_dir, "src", "lunar.c"), encoding="latin-1") as f:
        text = tg.strip_c_comments(f.read())
    series = {}
    pattern = r"\w+?_?elp(\d+)\s*\[\s*ELP\d+_SIZE\s*\]\s*=\s*\{(.*?)\};"
    for m in re.finditer(pattern, text, re.S):
        number, body = int(m.group(1)), m.group(2)
        # A row is a brace group that may hold one nested brace group of integers.
        rows = re.findall(r"\{([^{}]*(?:\{[^{}]*\}[^{}]*)*)\}", body)
        series[number] = [tg.numbers(r) for r in rows]
    for n, size in enumerate(ELP_SIZES, start=1):
        if len(series.get(n, [])) != size:
            sys.exit("ELP%d: %d rows read, the solution has %d" % (n, len(series.get(n, [])), size))
    widths = {n: (10 if n <= 3 else 14 if 10 <= n <= 21 else 8) for n in range(1, 37)}
    for n, rows in series.items():
        for r in rows:
            if len(r) != widths[n]:
                sys.exit("ELP%d: a row of %d numbers, expected %d: %r" % (n, len(r), widths[n], r))
    return series


# ---- the corrections and the terms ----

def corrected_main_amplitude(row, distance):
    """A + (B1 + 2 alpha/(3 m) B5)(dnu'/nu - m dnu/nu) + B2 dGamma + B3 dE + B4 de'; the
    distance series also loses 2/3 A dnu/nu. Rounded to 1e-6 (arcsecond or km)."""
    a, b = row[4], row[5:10]
    value = a + (b[0] + DTASM * b[4]) * (DELTA_NP - RATIO_M * DELTA_NU) + b[1] * DELTA_GAMMA \
        + b[2] * DELTA_E + b[3] * DELTA_EP
    if distance:
        value -= 2.0 * a * DELTA_NU / 3.0
    return round(value, 6)


def phase_parts(amplitude, phase_deg):
    """A sin(x + phi) = A cos(phi) sin(x) + A sin(phi) cos(x); quarter turns exactly."""
    quarter = {0.0: (1, 0), 90.0: (0, 1), 180.0: (-1, 0), 270.0: (0, -1)}
    if phase_deg in quarter:
        c, s = quarter[phase_deg]
        return amplitude * c + 0.0, amplitude * s + 0.0
    p = math.radians(phase_deg)
    return round(amplitude * math.cos(p), 9), round(amplitude * math.sin(p), 9)


def time_power(n):
    if n in (7, 8, 9, 13, 14, 15, 19, 20, 21, 25, 26, 27):
        return 1
    if n in (34, 35, 36):
        return 2
    return 0


def all_terms(series):
    """Every term of the solution: dict(coord, power, mult (13 ints, ARGUMENTS order),
    sine, cosine, amplitude, file)."""
    terms = []
    for n in range(1, 37):
        coord = (n - 1) % 3
        for r in series[n]:
            mult = [0] * len(ARGUMENTS)
            if n <= 3:  # main problem: D, l', l, F; A sin (A cos for the distance)
                mult[0:4] = [int(v) for v in r[0:4]]
                a = corrected_main_amplitude(r, n == 3)
                sine, cosine = (0.0, a) if n == 3 else (a, 0.0)
            elif n <= 9 or n >= 22:  # zeta (the mean longitude of date), D, l', l, F; phase, A
                mult[4] = int(r[0])
                mult[0:4] = [int(v) for v in r[1:5]]
                a = r[6]
                sine, cosine = phase_parts(a, r[5])
            elif n <= 15:  # planetary table 1: Me V T Ma J S U N, D, l, F
                ip = [int(v) for v in r[0:11]]
                mult[5:13] = ip[0:8]
                mult[0], mult[2], mult[3] = ip[8], ip[9], ip[10]
                a = r[12]
                sine, cosine = phase_parts(a, r[11])
            else:  # planetary table 2: Me V T Ma J S U, D, l', l, F
                ip = [int(v) for v in r[0:11]]
                mult[5:12] = ip[0:7]
                mult[0:4] = ip[7:11]
                a = r[12]
                sine, cosine = phase_parts(a, r[11])
            terms.append(dict(coord=coord, power=time_power(n), mult=tuple(mult), sine=sine,
                              cosine=cosine, amplitude=abs(a), file=n))
    return terms


def check_guards(terms):
    for coord, dlmf, value in GUARDS:
        found = [t for t in terms if t["file"] == coord + 1 and t["mult"][0:4] == dlmf]
        if len(found) != 1:
            sys.exit("guard term %r of ELP%d not found once" % (dlmf, coord + 1))
        t = found[0]
        got = t["cosine"] if coord == 2 else t["sine"]
        if abs(got - value) > 5e-7:
            sys.exit("ELP%d %r corrects to %.6f, published %.6f" % (coord + 1, dlmf, got, value))


def uses_dropped_planet(term):
    return any(term["mult"][ARGUMENTS.index(p)] for p in DROPPED_PLANETS)


def truncate(terms, threshold):
    kept = [t for t in terms if t["amplitude"] >= threshold and not uses_dropped_planet(t)]
    # Largest first within each power of T; ties by argument so the order never depends on
    # the order of the source.
    kept.sort(key=lambda t: (t["coord"], t["power"], -t["amplitude"], t["mult"]))
    return [[t for t in kept if t["coord"] == c] for c in range(3)]


# ---- evaluation (the same mean arguments as LunarSeries) ----

def mean_arguments(T, np):
    """Radians, in ARGUMENTS order. The four planets the series leaves out are included so
    that the full solution can be evaluated for comparison."""
    def rad(x):
        return np.radians(np.mod(x, 360.0))
    T2, T3, T4 = T * T, T * T * T, T * T * T * T
    Lp = 218.3164591 + 481267.88134236 * T - 0.0013268 * T2 + T3 / 538841 - T4 / 65194000
    D = 297.8502042 + 445267.1115168 * T - 0.0016300 * T2 + T3 / 545868 - T4 / 113065000
    M = 357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000
    Mp = 134.9633964 + 477198.8676313 * T + 0.008997 * T2 + T3 / 69699 - T4 / 14712000
    F = 93.2720993 + 483202.0175273 * T - 0.0034029 * T2 - T3 / 3526000 + T4 / 863310000
    V = 181.979801 + 58517.815676 * T
    E = 100.46645 + 35999.372854 * T
    Ma = 355.433275 + 19140.299331 * T
    J = 34.351484 + 3034.905675 * T
    # Mercury, Saturn, Uranus, Neptune: the solution's own mean longitudes (J2000 frame).
    Me = 252 + 15 / 60 + 3.25986 / 3600 + 538101628.68898 / 3600 * T
    S = 50 + 4 / 60 + 38.89694 / 3600 + 4399609.65932 / 3600 * T
    U = 314 + 3 / 60 + 18.01841 / 3600 + 1542481.19393 / 3600 * T
    N = 304 + 20 / 60 + 55.19575 / 3600 + 786550.32074 / 3600 * T
    by_name = dict(D=D, M=M, Mp=Mp, F=F, Lp=Lp, Me=Me, V=V, E=E, Ma=Ma, J=J, S=S, U=U, N=N)
    return [rad(by_name[name]) for name in ARGUMENTS]


def evaluate(coord_terms, T, np):
    """Longitude, latitude (rad) and distance (km) of the terms at the centuries T."""
    args = mean_arguments(T, np)
    sums = []
    for terms in coord_terms:
        total = np.zeros_like(T)
        for t in terms:
            x = np.zeros_like(T)
            for k, m in enumerate(t["mult"]):
                if m:
                    x = x + m * args[k]
            v = t["sine"] * np.sin(x) + t["cosine"] * np.cos(x)
            if t["power"]:
                v = v * T ** t["power"]
            total = total + v
        sums.append(total)
    lon = np.mod(args[ARGUMENTS.index("Lp")] + np.radians(np.mod(sums[0] / 3600.0, 360.0)),
                 2 * math.pi)
    return lon, np.radians(sums[1] / 3600.0), sums[2]


# ---- the comparison with PyEphem ----

def measure(terms, thresholds, count):
    import random

    import numpy as np
    import ephem
    import erfa

    rng = random.Random(20240611)
    first, last = 2415020.5, 2488069.5  # 1900-01-01 .. 2100-01-01
    jdes = np.array([first + rng.random() * (last - first) for _ in range(count)])
    T = (jdes - 2451545.0) / 36525.0

    def pyephem_place(jde):
        d = jde - 2415020.0  # ephem.Date counts days from 1899-12-31 12:00 UT
        for _ in range(4):
            d = jde - 2415020.0 - ephem.delta_t(ephem.Date(d)) / 86400.0
        moon = ephem.Moon(ephem.Date(d))
        return float(moon.g_ra), float(moon.g_dec), moon.earth_distance * 149597870.0

    ref = np.array([pyephem_place(j) for j in jdes])

    def apparent(lon, lat):
        ra, dec = [], []
        for l, b, jde in zip(lon, lat, jdes):
            dpsi, deps = erfa.nut80(jde, 0.0)
            eps = erfa.obl80(jde, 0.0) + deps
            l = l + dpsi
            ra.append(math.atan2(math.sin(l) * math.cos(eps) - math.tan(b) * math.sin(eps),
                                 math.cos(l)) % (2 * math.pi))
            dec.append(math.asin(math.sin(b) * math.cos(eps) +
                                 math.cos(b) * math.sin(eps) * math.sin(l)))
        return np.array(ra), np.array(dec)

    def separation(ra1, dec1, ra2, dec2):
        x = np.sin((dec2 - dec1) / 2)
        y = np.sin((ra2 - ra1) / 2)
        return 2 * np.arcsin(np.sqrt(x * x + np.cos(dec1) * np.cos(dec2) * y * y)) * ARCSEC_PER_RAD

    full = [[t for t in terms if t["coord"] == c] for c in range(3)]
    full_lon, full_lat, full_r = evaluate(full, T, np)
    ra, dec = apparent(full_lon, full_lat)
    s = separation(ra, dec, ref[:, 0], ref[:, 1])
    print("%d dates, JDE %.1f-%.1f, apparent place of date vs PyEphem %s" %
          (count, first, last, ephem.__version__))
    print("%-10s %6s %6s %6s %6s  %10s %10s  %8s %8s %8s" %
          ("threshold", "terms", "lon", "lat", "dist", "max\"", "rms\"", "dlon\"", "dlat\"", "dr km"))
    print("%-10s %6d %6s %6s %6s  %10.3f %10.3f  %8s %8s %8s   (all 36 files)" %
          ("full", len(terms), "", "", "", s.max(), math.sqrt((s * s).mean()), "", "", ""))
    for threshold in thresholds:
        kept = truncate(terms, threshold)
        lon, lat, r = evaluate(kept, T, np)
        ra, dec = apparent(lon, lat)
        s = separation(ra, dec, ref[:, 0], ref[:, 1])
        dlon = np.abs((lon - full_lon + math.pi) % (2 * math.pi) - math.pi) * ARCSEC_PER_RAD
        dlat = np.abs(lat - full_lat) * ARCSEC_PER_RAD
        dr = np.abs(r - full_r)
        print("%-10g %6d %6d %6d %6d  %10.3f %10.3f  %8.3f %8.3f %8.3f" %
              (threshold, sum(len(k) for k in kept), len(kept[0]), len(kept[1]), len(kept[2]),
               s.max(), math.sqrt((s * s).mean()), dlon.max(), dlat.max(), dr.max()))
    print("max\"/rms\": separation from PyEphem; dlon, dlat, dr: largest difference from the "
          "full solution (same mean arguments)")


# ---- the header ----

def term_line(t):
    ints = ", ".join("%3d" % t["mult"][ARGUMENTS.index(name)] for name in KEPT)
    return "    {%s, %d, %s, %s}," % (ints, t["power"], tg.fmt(t["sine"]).rjust(22),
                                      tg.fmt(t["cosine"]).rjust(22))


def write_header(kept, version, dropped):
    names = ["kElp2000Longitude", "kElp2000Latitude", "kElp2000Distance"]
    units = ["arcseconds", "arcseconds", "kilometres"]
    out = []
    out.append("#pragma once")
    out.append("// The lunar theory ELP 2000-82B (M. Chapront-Touzé and J. Chapront), its main problem")
    out.append("// corrected to the DE200/LE200 constants, truncated to the terms of amplitude %s or more"
               % tg.fmt(THRESHOLD))
    out.append("// (arcseconds for longitude and latitude, kilometres for distance; terms in T judged by")
    out.append("// their coefficient). Terms with Mercury, Saturn, Uranus or Neptune are left out.")
    out.append("// Generated by scripts/tables/gen_elp2000.py from the numeric tables of the Debian source")
    out.append("// package %s %s (src/lunar.c); do not edit by hand." % version)
    out.append("")
    out.append("#include <cstdint>")
    out.append("#include <iterator>")
    out.append("")
    out.append("namespace vsp {")
    out.append("")
    out.append("// argument = d D + m M + mPrime M' + f F + meanLongitude L' + venus V + earth E + mars Ma")
    out.append("//            + jupiter J (the mean arguments of date);")
    out.append("// term = T^timePower (sine sin(argument) + cosine cos(argument)), T in Julian centuries.")
    out.append("struct Elp2000Term {")
    out.append("    int8_t d, m, mPrime, f, meanLongitude, venus, earth, mars, jupiter;")
    out.append("    int8_t timePower;")
    out.append("    double sine, cosine;")
    out.append("};")
    out.append("")
    out.append("inline constexpr double kElp2000Threshold = %s;" % tg.fmt(THRESHOLD))
    for c in range(3):
        out.append("inline constexpr int %sCount = %d;" % (names[c], len(kept[c])))
    out.append("// Left out for involving the other four planets (amplitude above the threshold): %d."
               % dropped)
    for c in range(3):
        out.append("")
        out.append("// %s, %s: %d terms, largest first within each power of T." %
                   (COORDINATES[c], units[c], len(kept[c])))
        out.append("inline constexpr Elp2000Term %s[] = {" % names[c])
        out.append("    //  D    M   M'    F   L'    V    E   Ma    J  T                 sine"
                   "                 cosine")
        for t in kept[c]:
            out.append(term_line(t))
        out.append("};")
        out.append("static_assert(std::size(%s) == %sCount);" % (names[c], names[c]))
    out.append("")
    out.append("}  // namespace vsp")
    out.append("")
    tg.write_if_changed(tg.header_path("Elp2000"), "\n".join(out))


def package_version(src_dir):
    with open(os.path.join(src_dir, "debian", "changelog"), encoding="utf-8") as f:
        m = re.match(r"(\S+) \(([^)]+)\)", f.readline())
    if not m:
        sys.exit("cannot read the libnova version")
    return m.group(1), m.group(2)


def main(argv):
    measure_mode = "--measure" in argv
    count = 1000
    rest = []
    i = 0
    while i < len(argv):
        if argv[i] == "--measure":
            pass
        elif argv[i] == "--dates":
            i += 1
            count = int(argv[i])
        else:
            rest.append(argv[i])
        i += 1
    thresholds = []
    src = None
    for word in rest:
        try:
            thresholds.append(float(word))
        except ValueError:
            src = word
    src_dir = libnova_source_dir(src)
    terms = all_terms(read_series(src_dir))
    check_guards(terms)
    if measure_mode:
        measure(terms, thresholds or [0.002, 0.005, THRESHOLD, 0.02, 0.05], count)
        return
    kept = truncate(terms, THRESHOLD)
    dropped = sum(1 for t in terms if t["amplitude"] >= THRESHOLD and uses_dropped_planet(t))
    write_header(kept, package_version(src_dir), dropped)
    print("kept %d terms (longitude %d, latitude %d, distance %d); %d left out for other planets"
          % (sum(len(k) for k in kept), len(kept[0]), len(kept[1]), len(kept[2]), dropped))


if __name__ == "__main__":
    main(sys.argv[1:])
