"""Shared helpers of the coefficient-table generators and checks.

Run the scripts with Debian's interpreter (/usr/bin/python3): python3-erfa and
python3-pymeeus install into its dist-packages, which other interpreters do not see.
"""

import glob
import os
import re
import subprocess
import sys

SCRIPT_DIR = os.path.dirname(os.path.abspath(__file__))
REPO_ROOT = os.path.normpath(os.path.join(SCRIPT_DIR, "..", ".."))
TABLES_DIR = os.path.join(REPO_ROOT, "src", "ephemeris", "tables")
DATA_DIR = os.path.join(SCRIPT_DIR, "data")

# Where `apt-get source erfa` is unpacked when no directory is given.
ERFA_CACHE = os.environ.get("VSP_ERFA_SRC_CACHE", "/tmp/vsp-erfa-source")

NUMBER = r"[-+]?(?:\d+\.\d*|\.\d+|\d+)(?:[eE][-+]?\d+)?"


def fmt(value):
    """Shortest text that reads back as the same double; always a C++ floating literal."""
    value = float(value)
    if value == 0.0:
        return "0.0"  # also folds -0.0, which no table means
    text = repr(value)
    if "e" not in text and "." not in text:
        text += ".0"
    return text


def row(values, width=None):
    cells = [fmt(v) for v in values]
    if width:
        cells = [c.rjust(width) for c in cells]
    return "{" + ", ".join(cells) + "}"


def write_if_changed(path, text):
    """Writes `text` to `path` (LF endings, UTF-8); reports whether the bytes changed."""
    data = text.encode("utf-8")
    old = None
    if os.path.exists(path):
        with open(path, "rb") as f:
            old = f.read()
    if old == data:
        print("unchanged:", os.path.relpath(path, REPO_ROOT))
        return False
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote:", os.path.relpath(path, REPO_ROOT))
    return True


def header_path(name):
    return os.path.join(TABLES_DIR, name + ".h")


def debian_source_dir(package, marker, cache, env_var, explicit=None):
    """Top of an unpacked Debian source package (the folder that holds `marker`).

    Order: the argument, $env_var, an earlier unpack in the cache folder, and last
    `apt-get source package` into the cache folder (needs a deb-src line for Debian main).
    """
    candidates = []
    if explicit:
        candidates.append(explicit)
    if os.environ.get(env_var):
        candidates.append(os.environ[env_var])
    candidates += sorted(glob.glob(os.path.join(cache, package + "-*")))
    for c in candidates:
        if os.path.isfile(os.path.join(c, marker)):
            return c
    os.makedirs(cache, exist_ok=True)
    subprocess.run(["apt-get", "source", package], cwd=cache, check=True)
    found = sorted(glob.glob(os.path.join(cache, package + "-*", marker)))
    if not found:
        sys.exit(f"{package} sources not found after apt-get source {package}")
    return found[-1][: -len(marker) - 1]


def erfa_source_dir(explicit=None):
    """Top of an unpacked erfa source tree (the folder holding src/nut80.c)."""
    return debian_source_dir("erfa", os.path.join("src", "nut80.c"), ERFA_CACHE, "VSP_ERFA_SRC", explicit)


def erfa_package_version(src_dir):
    """Debian version of the unpacked source package, from its changelog's first line."""
    changelog = os.path.join(src_dir, "debian", "changelog")
    with open(changelog, encoding="utf-8") as f:
        first = f.readline()
    m = re.match(r"(\S+) \(([^)]+)\)", first)
    if not m:
        sys.exit("cannot read the version from " + changelog)
    return m.group(1), m.group(2)


def debian_version(package):
    """Installed version of a Debian package, or "unknown"."""
    out = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                         capture_output=True, text=True)
    return out.stdout.strip() or "unknown"


def pymeeus_version():
    from importlib.metadata import version
    return version("PyMeeus")


def strip_c_comments(text):
    return re.sub(r"/\*.*?\*/", " ", text, flags=re.S)


def numbers(text):
    return [float(t) for t in re.findall(NUMBER, text)]


def read_data_rows(name, width):
    """Rows of a whitespace-separated data file under data/; '#' lines are comments."""
    rows = []
    with open(os.path.join(DATA_DIR, name), encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            cells = line.split()
            if len(cells) != width:
                sys.exit("%s: expected %d numbers in line: %s" % (name, width, line))
            rows.append(cells)
    return rows


def data_header_line(name):
    """The first line of a data file, without its '#'."""
    with open(os.path.join(DATA_DIR, name), encoding="utf-8") as f:
        return f.readline().lstrip("#").strip()


# ---- reading the generated headers back (used by the checks) ----

def header_array(header_name, array_name):
    """All numeric literals of one array's initializer in a generated header, in order."""
    with open(header_path(header_name), encoding="utf-8") as f:
        text = f.read()
    m = re.search(r"\b" + re.escape(array_name) + r"\b[^=;]*=\s*\{(.*?)\n\};", text, re.S)
    if not m:
        sys.exit("array %s not found in %s.h" % (array_name, header_name))
    body = re.sub(r"//[^\n]*", " ", m.group(1))
    return numbers(body)


def header_rows(header_name, array_name, width):
    flat = header_array(header_name, array_name)
    if len(flat) % width:
        sys.exit("%s: %d numbers is not a whole number of rows of %d" % (array_name, len(flat), width))
    return [flat[i:i + width] for i in range(0, len(flat), width)]


def header_constant(header_name, name):
    with open(header_path(header_name), encoding="utf-8") as f:
        text = f.read()
    m = re.search(r"\b" + re.escape(name) + r"\s*=\s*(" + NUMBER + r")\s*;", text)
    if not m:
        sys.exit("constant %s not found in %s.h" % (name, header_name))
    return float(m.group(1))
