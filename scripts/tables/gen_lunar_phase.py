#!/usr/bin/python3
"""Writes src/ephemeris/tables/LunarPhaseTerms.h: the figures of Meeus, Astronomical
Algorithms, chapter 49 (phases of the Moon): the mean-phase polynomial, E, the arguments M, M',
F and Omega, the periodic terms for new moon, full moon and the quarters, the quarters' W
terms, and the fourteen planetary arguments A1-A14 with their amplitudes.

Usage: gen_lunar_phase.py
Source: Debian python3-pymeeus, module pymeeus.Moon, method moon_phase. The module writes these
figures as arithmetic inside the method rather than as tables, so the script reads the
method's source with the `ast` module and takes only the numbers: each expression is expanded
into a polynomial (in k and T) or into a sum of terms amplitude * E^n * sin/cos(integer
combination of M, M', F, Omega). Nothing of the module's code is copied. The terms keep the
module's order, which is the printed order of the chapter.

Afterwards the tables are evaluated here and compared with pymeeus's own moon_phase at a few
hundred lunations, so a mis-read term stops the script.
"""

import ast
import inspect
import math
import sys

import tablegen as tg

# Names of the fundamental arguments in the module (in radians) and their order in a term.
ANGLES = ["Mr", "Mprimer", "Fr", "Omegar"]
PLANETARY = ["a%dr" % i for i in range(1, 15)]


def fail(message):
    sys.exit("gen_lunar_phase: " + message)


# ---- polynomials in k and t: {(power of k, power of t): coefficient} ----

def poly_add(a, b, sign=1.0):
    out = dict(a)
    for key, value in b.items():
        out[key] = out.get(key, 0.0) + sign * value
    return {k: v for k, v in out.items() if v != 0.0}


def poly_mul(a, b):
    out = {}
    for (ka, ta), va in a.items():
        for (kb, tb), vb in b.items():
            key = (ka + kb, ta + tb)
            out[key] = out.get(key, 0.0) + va * vb
    return out


def polynomial(node):
    if isinstance(node, ast.Constant) and isinstance(node.value, (int, float)):
        return {(0, 0): float(node.value)}
    if isinstance(node, ast.Name) and node.id in ("k", "t"):
        return {(1, 0): 1.0} if node.id == "k" else {(0, 1): 1.0}
    if isinstance(node, ast.UnaryOp) and isinstance(node.op, ast.USub):
        return {key: -v for key, v in polynomial(node.operand).items()}
    if isinstance(node, ast.BinOp):
        left, right = polynomial(node.left), polynomial(node.right)
        if isinstance(node.op, ast.Add):
            return poly_add(left, right)
        if isinstance(node.op, ast.Sub):
            return poly_add(left, right, -1.0)
        if isinstance(node.op, ast.Mult):
            return poly_mul(left, right)
    fail("unexpected polynomial element: " + ast.dump(node))


# ---- linear combinations of angles: {name: integer multiplier} ----

def linear(node):
    if isinstance(node, ast.Name) and (node.id in ANGLES or node.id in PLANETARY):
        return {node.id: 1.0}
    if isinstance(node, ast.UnaryOp) and isinstance(node.op, ast.USub):
        return {n: -v for n, v in linear(node.operand).items()}
    if isinstance(node, ast.BinOp) and isinstance(node.op, (ast.Add, ast.Sub)):
        left, right = linear(node.left), linear(node.right)
        sign = 1.0 if isinstance(node.op, ast.Add) else -1.0
        out = dict(left)
        for n, v in right.items():
            out[n] = out.get(n, 0.0) + sign * v
        return out
    if isinstance(node, ast.BinOp) and isinstance(node.op, ast.Mult):
        if isinstance(node.left, ast.Constant):
            return {n: node.left.value * v for n, v in linear(node.right).items()}
        if isinstance(node.right, ast.Constant):
            return {n: node.right.value * v for n, v in linear(node.left).items()}
    fail("unexpected argument element: " + ast.dump(node))


# ---- sums of terms: [(amplitude, power of E, function or None, argument)] ----

def term_mul(a, b):
    amp_a, e_a, f_a, arg_a = a
    amp_b, e_b, f_b, arg_b = b
    if f_a and f_b:
        fail("a product of two periodic functions")
    return (amp_a * amp_b, e_a + e_b, f_a or f_b, arg_a if f_a else arg_b)


def periodic(node):
    if isinstance(node, ast.Constant) and isinstance(node.value, (int, float)):
        return [(float(node.value), 0, None, None)]
    if isinstance(node, ast.Name) and node.id == "E":
        return [(1.0, 1, None, None)]
    if isinstance(node, ast.Call) and isinstance(node.func, ast.Name) and node.func.id in ("sin", "cos"):
        combination = linear(node.args[0])
        for v in combination.values():
            if v != int(v):
                fail("a non-integer multiplier in " + ast.dump(node))
        return [(1.0, 0, node.func.id, {n: int(v) for n, v in combination.items() if v})]
    if isinstance(node, ast.UnaryOp) and isinstance(node.op, ast.USub):
        return [(-a, e, f, arg) for a, e, f, arg in periodic(node.operand)]
    if isinstance(node, ast.BinOp):
        left, right = periodic(node.left), periodic(node.right)
        if isinstance(node.op, ast.Add):
            return left + right
        if isinstance(node.op, ast.Sub):
            return left + [(-a, e, f, arg) for a, e, f, arg in right]
        if isinstance(node.op, ast.Mult):
            return [term_mul(x, y) for x in left for y in right]
    fail("unexpected term element: " + ast.dump(node))


def moon_phase_source():
    from pymeeus import Moon
    source = inspect.getsource(Moon.Moon.moon_phase)
    return ast.parse(inspect.cleandoc("\n" + source) if source.startswith(" ") else source)


def assignments(tree):
    """Every `name = expression` of the method, in source order, as (name, node, if-test)."""
    found = []

    def walk(statements, test):
        for s in statements:
            if isinstance(s, ast.Assign) and len(s.targets) == 1 and isinstance(s.targets[0], ast.Name):
                found.append((s.targets[0].id, s.value, test))
            elif isinstance(s, ast.If):
                walk(s.body, ast.unparse(s.test))
                walk(s.orelse, "else " + ast.unparse(s.test))
            elif isinstance(s, ast.FunctionDef):
                walk(s.body, test)

    walk(tree.body, None)
    return found


def first(found, name, test=None):
    for n, node, t in found:
        if n == name and (test is None or (t is not None and test in t)):
            return node
    fail("no assignment to %s%s" % (name, "" if test is None else " under " + test))


def poly_row(node, powers):
    p = polynomial(node)
    extra = set(p) - set(powers)
    if extra:
        fail("unexpected powers %r" % sorted(extra))
    return [p.get(key, 0.0) for key in powers]


def angle_terms(node, function, allowed):
    terms = []
    for amp, epow, f, arg in periodic(node):
        if f != function or set(arg) - set(allowed):
            fail("unexpected term %r" % ((amp, epow, f, arg),))
        terms.append((amp, epow, [arg.get(n, 0) for n in ANGLES]))
    return terms


def extract():
    found = assignments(moon_phase_source())
    # Mean phase: JDE = c0 + c1 k + c2 T^2 + c3 T^3 + c4 T^4.
    mean = poly_row(first(found, "jde"), [(0, 0), (1, 0), (0, 2), (0, 3), (0, 4)])
    ecc = poly_row(first(found, "E"), [(0, 0), (0, 1), (0, 2)])
    args = [poly_row(first(found, name), [(0, 0), (1, 0), (0, 2), (0, 3), (0, 4)])
            for name in ("M", "Mprime", "F", "Omega")]
    planetary = [poly_row(first(found, "a%d" % i), [(0, 0), (1, 0), (0, 2)]) for i in range(1, 15)]
    new = angle_terms(first(found, "corr", "'new'"), "sin", ANGLES)
    full = angle_terms(first(found, "corr", "'full'"), "sin", ANGLES)
    quarter = angle_terms(first(found, "corr", "'first'"), "sin", ANGLES)
    w = []
    for amp, epow, f, arg in periodic(first(found, "w", "'first'")):
        if f is None:
            w.append((amp, epow, [0, 0, 0, 0]))
        elif f == "cos" and not set(arg) - set(ANGLES):
            w.append((amp, epow, [arg.get(n, 0) for n in ANGLES]))
        else:
            fail("unexpected W term")
    amplitudes = {}
    for amp, epow, f, arg in periodic(first(found, "corr2")):
        if f != "sin" or epow or len(arg) != 1 or list(arg.values()) != [1]:
            fail("unexpected planetary term")
        amplitudes[PLANETARY.index(next(iter(arg)))] = amp
    if sorted(amplitudes) != list(range(14)):
        fail("the planetary corrections do not cover A1-A14 once each")
    planetary = [row + [amplitudes[i]] for i, row in enumerate(planetary)]
    return mean, ecc, args, new, full, quarter, w, planetary


def guard(tables):
    mean, ecc, args, new, full, quarter, w, planetary = tables
    if [len(new), len(full), len(quarter), len(w), len(planetary)] != [25, 25, 25, 6, 14]:
        fail("unexpected table sizes")
    if mean[:2] != [2451550.09766, 29.530588861] or planetary[0] != [299.77, 0.107408, -0.009173, 0.000325]:
        fail("the mean phase or A1 differ from the printed ones")
    if (new[0][0], full[0][0], quarter[0][0], w[0][0]) != (-0.4072, -0.40614, -0.62801, 0.00306):
        fail("the leading periodic terms differ from the printed ones")


def evaluate(tables, k, kind):
    """JDE of the phase from the tables alone (kind: new, first, full, last)."""
    mean, ecc, args, new, full, quarter, w, planetary = tables
    t = k / 1236.85
    powers = [1.0, k, t * t, t ** 3, t ** 4]
    jde = sum(c * p for c, p in zip(mean, powers))
    e = ecc[0] + ecc[1] * t + ecc[2] * t * t
    angles = [math.radians(sum(c * p for c, p in zip(row, powers)) % 360.0) for row in args]

    def series(terms, function):
        return sum(a * e ** n * function(sum(m * x for m, x in zip(mult, angles))) for a, n, mult in terms)

    table = {"new": new, "full": full}.get(kind, quarter)
    jde += series(table, math.sin)
    if kind in ("first", "last"):
        jde += series(w, math.cos) * (1 if kind == "first" else -1)
    for c0, ck, ct2, amp in planetary:
        jde += amp * math.sin(math.radians((c0 + ck * k + ct2 * t * t) % 360.0))
    return jde


def check(tables):
    from pymeeus.Epoch import Epoch
    from pymeeus.Moon import Moon
    worst = 0.0
    kinds = [("new", 0.0), ("first", 0.25), ("full", 0.5), ("last", 0.75)]
    for k0 in range(-1300, 1301, 37):
        for kind, offset in kinds:
            # An epoch whose decimal year rounds to lunation k0, as pymeeus chooses k.
            year = 2000.0 + (k0 + 0.1) / 12.3685
            y = int(math.floor(year))
            doy = 1 + int((year - y) * 365)
            epoch = Epoch(y, 1, 1.0) + (doy - 1)
            reference = Moon.moon_phase(epoch, target=kind).jde()
            ours = evaluate(tables, k0 + offset, kind)
            worst = max(worst, abs(reference - ours))
    if worst > 1e-8:
        fail("the tables give %.3g days away from pymeeus's moon_phase" % worst)
    return worst


def term_line(term):
    amp, epow, mult = term
    return "    {%s, %d, %s}," % (tg.fmt(amp).rjust(9), epow, ", ".join("%2d" % m for m in mult))


def render(tables):
    mean, ecc, args, new, full, quarter, w, planetary = tables
    out = []
    out.append("#pragma once")
    out.append("// Phases of the Moon: the figures of Meeus, Astronomical Algorithms, chapter 49.")
    out.append("// Generated by scripts/tables/gen_lunar_phase.py from Debian python3-pymeeus %s"
               % tg.debian_version("python3-pymeeus"))
    out.append("// (PyMeeus %s, module pymeeus.Moon, moon_phase); do not edit by hand." % tg.pymeeus_version())
    out.append("")
    out.append("#include <iterator>")
    out.append("")
    out.append("namespace vsp {")
    out.append("")
    out.append("// A polynomial in the lunation number k and T = k / 1236.85:")
    out.append("// value = constant + perLunation k + t2 T^2 + t3 T^3 + t4 T^4.")
    out.append("struct LunarPolynomial {")
    out.append("    double constant, perLunation, t2, t3, t4;")
    out.append("};")
    out.append("")
    out.append("// The mean phase, JDE.")
    out.append("inline constexpr LunarPolynomial kLunarMeanPhase = %s;" % tg.row(mean))
    out.append("// The eccentricity factor E = c[0] + c[1] T + c[2] T^2.")
    out.append("inline constexpr double kLunarEccentricity[] = %s;" % tg.row(ecc))
    out.append("static_assert(std::size(kLunarEccentricity) == 3);")
    out.append("")
    out.append("// In degrees: the Sun's mean anomaly M, the Moon's mean anomaly M', the Moon's argument of")
    out.append("// latitude F and the longitude of the ascending node Omega, in this order.")
    out.append("inline constexpr LunarPolynomial kLunarPhaseArguments[] = {")
    for row in args:
        out.append("    %s," % tg.row(row))
    out.append("};")
    out.append("static_assert(std::size(kLunarPhaseArguments) == 4);")
    out.append("")
    out.append("// One periodic term, in days: amplitude E^eccentricityPower sin (or, for W, cos) of")
    out.append("// m M + mPrime M' + f F + omega Omega.")
    out.append("struct LunarPhaseTerm {")
    out.append("    double amplitude;")
    out.append("    int eccentricityPower;")
    out.append("    int m, mPrime, f, omega;")
    out.append("};")
    for name, terms, note in (("kLunarNewMoonTerms", new, "New moon."),
                              ("kLunarFullMoonTerms", full, "Full moon."),
                              ("kLunarQuarterTerms", quarter, "First and last quarters."),
                              ("kLunarQuarterW", w, "The quarters' W (cosines; a term of all zeros is"
                               " the constant): + W at\n// first quarter, - W at last quarter.")):
        out.append("")
        out.append("// " + note)
        out.append("inline constexpr LunarPhaseTerm %s[] = {" % name)
        out.extend(term_line(t) for t in terms)
        out.append("};")
        out.append("static_assert(std::size(%s) == %d);" % (name, len(terms)))
    out.append("")
    out.append("// A1-A14: argument = constant + perLunation k + t2 T^2 (degrees); the phase gains")
    out.append("// amplitude sin(argument) days.")
    out.append("struct LunarPlanetaryTerm {")
    out.append("    double constant, perLunation, t2, amplitude;")
    out.append("};")
    out.append("")
    out.append("inline constexpr LunarPlanetaryTerm kLunarPlanetaryTerms[] = {")
    for row in planetary:
        out.append("    %s," % tg.row(row))
    out.append("};")
    out.append("static_assert(std::size(kLunarPlanetaryTerms) == 14);")
    out.append("")
    out.append("}  // namespace vsp")
    out.append("")
    return "\n".join(out)


def main():
    tables = extract()
    guard(tables)
    worst = check(tables)
    print("checked against pymeeus moon_phase: %.2g days at most" % worst)
    tg.write_if_changed(tg.header_path("LunarPhaseTerms"), render(tables))


if __name__ == "__main__":
    main()
