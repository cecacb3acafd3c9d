#!/bin/sh
# Re-creates every coefficient table under src/ephemeris/tables/, then checks them.
# Usage: scripts/tables/generate_all.sh [ERFA_SOURCE_DIR]
# Needs the Debian packages python3-erfa and python3-pymeeus, the erfa and libnova source packages
# (fetched with `apt-get source erfa` when no directory is given; that needs a deb-src line
# for Debian main). A second run leaves every file byte for byte as it was.
set -e
cd "$(dirname "$0")"
PY=/usr/bin/python3
$PY gen_nutation1980.py "$@"
$PY gen_simon1994.py "$@"
$PY gen_vsop87_earth.py
$PY gen_pluto_meeus.py
$PY gen_galilean_terms.py
$PY gen_bretagnon_simon_sun.py
$PY gen_quick_planet_elements.py
$PY gen_delta_t.py
$PY gen_lunar_phase.py
$PY gen_moon_quick.py
$PY gen_elp2000.py  # reads the libnova source package (apt-get source libnova)
$PY check_tables.py
