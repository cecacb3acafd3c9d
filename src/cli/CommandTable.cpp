#include "cli/Command.h"

namespace vsp::cli {

const std::vector<CommandSpec>& CommandTable() {
    static const std::vector<CommandSpec> table = {
        {"version", "version", "The product name and version, as the About box shows them.\n",
         RunVersion},
        {"prefs", "prefs [show] | prefs set KEY=VALUE... | prefs reset",
         "show: every setting with its value (`--json`: one object; a choice gives its row index\n"
         "and KEY_text its row text). set: KEY=VALUE pairs; a choice takes its row index or its\n"
         "row text, KEY_text=ROW picks a row whose text is a number (diameter_text=203).\n"
         "Values go through the start routine's range checks before they are saved; a value\n"
         "that is replaced is reported. reset: the defaults.\n"
         "Longitudes: longitude_west_deg counts west positive (as stored); --lon is east positive.\n",
         RunPrefs},
        {"records", "records info FILE | records dump FILE [--index N]",
         "info: the header of a record file (version, tag, record count and size) and how its\n"
         "length compares with them.\n"
         "dump: one record (index 0 unless --index N) as hex and, where its layout is known,\n"
         "field by field.\n"
         "FILE is a path; when not found as given it is looked for below the program directory.\n",
         RunRecords},
        {"time", "time",
         "For the observing date and time: the local and UTC time, jd_ut, jde (ΔT added, cut to\n"
         "whole seconds), delta_t_s, decimal_year, gmst0_hours (mean sidereal time at 0h UT of\n"
         "the local date), lmst_hours (local mean sidereal time) and gast_hours (Greenwich\n"
         "apparent sidereal time).\n"
         "The observing time is --date and --time (local clock, zone --tz), else the clock now;\n"
         "--date alone means 00:00:00 of that date, --time alone today at that time.\n",
         RunTime},
        {"format", "format hours|degrees VALUE [--code N] | format hours|degrees --fixed N [--code N]",
         "The text a screen shows for VALUE (decimal hours or degrees), or for the fixed-point\n"
         "value N (292818 units per hour or degree). --code: hours 0 \"23.7500\", 1 \"23:45:00\",\n"
         "2 \"23h45m00\", 3 \"23h45.0\"; degrees 0 \"-70.7500\", 1 \"-70:45:00\", 2 \"-70°45'00\",\n"
         "3 \"-70°45.0\". Without --code the preferences' RA or Dec format. JSON key: text.\n",
         RunFormat},
        {"parse", "parse TEXT [--hours-as-degrees]",
         "The value of a typed time or angle: \"23.75\", \"23:45:12\", \"23h45m12\", \"23 45 12\",\n"
         "\"23h45.2\" (minutes and tenths), \"-00:30\". --hours-as-degrees: typed hours given as\n"
         "degrees (x 15). Unreadable text gives 0. JSON key: value.\n",
         RunParse},
        {"calendar", "calendar JD",
         "The UT calendar date and time of a Julian Date (keys year month day hour minute second).\n"
         "A JD is accepted from 1721057.5 (year 0) up to, not including, 2524593.5 (year 2200).\n",
         RunCalendar},
        {"deltat", "deltat YYYY-MM-DD",
         "ΔT (TT - UT) in seconds for a date (key delta_t_s). A date in the year of the observing\n"
         "date (--date, else today) gets the ΔT of the preferences.\n",
         RunDeltaT},
        {"jd", "jd YYYY-MM-DD [HH:MM[:SS]]",
         "The Julian Date (UT) of a local clock time, the zone being --tz or the site's (key jd).\n"
         "Without a time: 00:00:00 local.\n",
         RunJd},
        {"nutation", "nutation --jde X",
         "The Earth's orientation at the dynamical Julian Date X (IAU 1980 nutation): dpsi_arcsec\n"
         "and deps_arcsec (nutation in longitude and obliquity), mean_obliquity_deg,\n"
         "true_obliquity_deg and eq_equinoxes_s (the equation of the equinoxes, seconds).\n",
         RunNutation},
        {"apparent", "apparent --ra H --dec D [--pm-ra MAS_PER_YR --pm-dec MAS_PER_YR --parallax MAS]",
         "A J2000 catalog position (RA in hours, Dec in degrees) for the observing time and the\n"
         "correction mode (--mode): ra_hours and dec_deg of date, alt_deg and az_deg. Modes 0\n"
         "and 1 apply precession and nutation; modes 2 and 3 the full topocentric reduction\n"
         "(proper motion, parallax, light deflection, aberration); modes 1 and 3 add refraction\n"
         "for the site's temperature and pressure (and RA, Dec are then the refracted ones).\n"
         "--pm-ra is mu-alpha* = mu-alpha cos(Dec) in mas per year, as Hipparcos gives it;\n"
         "--pm-dec in mas per year; --parallax in mas. The motions run from epoch J2000.\n",
         RunApparent},
        {"body", "body NAME [--quick] | body all",
         "Where a body is for the observing time, site and correction mode (--mode): NAME is sun,\n"
         "moon, mercury, venus, mars, jupiter, saturn, uranus, neptune, pluto, earth or a body\n"
         "code (0-10, 13). Keys: code, name, ra_hours, dec_deg (apparent, of date; refracted in\n"
         "modes 1 and 3), distance_au (the planets': light time x c; the Moon's: geocentric),\n"
         "phase_fraction, magnitude, illuminated_fraction (the Moon's: from its age),\n"
         "diameter_arcmin, display_constant, elongation_deg, ecl_lon_deg, ecl_lat_deg, alt_deg,\n"
         "az_deg. Modes 2 and 3 are topocentric.\n"
         "--quick: the quick theories (the Sun from 1900 elements, of date; the Moon from the\n"
         "short series, topocentric, mean equator of date; the planets and Pluto from J2000 mean\n"
         "elements, J2000 place): ra_hours, dec_deg, distance_au and for the planets\n"
         "sun_distance_au and earth_sun_distance_au.\n"
         "all: every body (JSON: a list).\n",
         RunBody},
        {"helio", "helio PLANET --jde X",
         "A planet about the Sun at the dynamical Julian Date X (Simon et al. 1994): PLANET is\n"
         "1-8 or mercury, venus, earth (the Earth-Moon barycentre), mars, jupiter, saturn,\n"
         "uranus, neptune. Keys x y z (AU) and vx vy vz (AU/day), J2000 equator.\n",
         RunHelio},
        {"earth", "earth --jde X",
         "The Earth about the solar-system barycentre at the dynamical Julian Date X, as the\n"
         "reduction uses it: keys x y z (AU) and vx vy vz (AU/day), J2000 equator. X must lie\n"
         "from 2340000.5 to 2560000.5.\n",
         RunEarth},
        {"moon", "moon",
         "The Moon for the observing time: age_fraction (the illuminated fraction from its age),\n"
         "picture_index (the phase picture, 0 new ... 14 full ... 28), phase_fraction (from the\n"
         "phase angle), distance_km (geocentric) and diameter_arcmin.\n",
         RunMoon},
        {"riseset", "riseset NAME | riseset --ra H --dec D [--h0 DEG]",
         "Rise, transit and set on the observing date, in decimal hours of the local day (keys\n"
         "rise, transit, set, h0_deg, and status: normal, circumpolar or never_rises).\n"
         "NAME is sun, moon, mercury ... neptune, pluto or a body code: interpolated between\n"
         "its apparent geocentric places at 0h local of the day before, the day and the day\n"
         "after. h0 is the altitude of the centre as seen from the site (the body's horizontal\n"
         "parallax is added internally): -0.833333 for the Sun and the Moon (the upper limb on a\n"
         "refracted horizon), -0.5667 for the others. --ra/--dec: a fixed position\n"
         "of date (hours, degrees) by the direct method, h0 0 (the dip of the horizon for the\n"
         "site's height and 36.6' for refraction and semidiameter are taken off).\n"
         "The preference \"Horizon\" (0 to 10 degrees) raises the default h0 by its height;\n"
         "--h0 DEG is used as given. A body that never sets gives rise 0, set 23.99 (transit\n"
         "12.0 for a body); one that never rises gives 0, 0, 0.\n",
         RunRiseSet},
        {"daylength", "daylength",
         "The day-length assistant for the observing date (the Sun from its quick theory):\n"
         "sunrise and sunset (h0 -0.833333, local hours), day_length_h, day_change_s (from the\n"
         "day before), night_length_h, the civil, nautical and astronomical days (civil_h,\n"
         "nautical_h, astronomical_h: between the Sun's crossings of -6, -12 and -18 degrees),\n"
         "lmst_hours (local sidereal time of the observing time), tz_hours and sunrise_az_deg.\n",
         RunDayLength},
        {"phases", "phases [--count N]",
         "The next N principal phases of the Moon (N defaults to 4, one of each) at or after the\n"
         "observing time, in time order (Meeus, chapter 49): phase (new, first_quarter, full,\n"
         "last_quarter), jd_ut and utc. UT is the phase's TT less the Delta T of its date.\n",
         RunPhases},
        {"eclipses", "eclipses [--count N] [--details]",
         "The solar and lunar eclipses from the observing date on, as the eclipse list finds them\n"
         "(Meeus, chapter 54); N defaults to 12. The search starts with the lunation nearest the\n"
         "date, so a solar eclipse up to about a week before the date may come first. Beyond one\n"
         "list of 15 the search goes on from the day after the last eclipse found. Keys: kind\n"
         "(solar, lunar), type (Penumbral, Partial, Annular, Total; a hybrid is Total or Annular),\n"
         "utc of greatest eclipse, duration_s (lunar: the total phase, else the partial, else\n"
         "the penumbral; null for solar). --details adds jd_ut, gamma and u, and for a lunar\n"
         "eclipse the contacts p1 u1 u2 greatest u3 u4 p4 (JD, UT; null when that phase does not\n"
         "happen), umbral_magnitude and penumbral_magnitude.\n",
         RunEclipses},
        {"expand", "expand TEXT",
         "The plain-language expansion of a short deep-sky description in the abbreviated style\n"
         "of the classic catalogs, as the object screen shows it under \"Translation\" (key text):\n"
         "\"vF, S, R, psbM\" gives \"very faint ,  small ,  round ,  pretty suddenly brighter\n"
         "middle \". Every expansion is followed by a blank, a comma becomes a comma and a blank;\n"
         "numbers, notes in parentheses and cross-references after \"=\" are copied (the letter\n"
         "right after \"=\" is dropped). The text stops after the step that passes 190 characters.\n",
         RunExpand},
        {"constellation", "constellation --ra H --dec D [--epoch YEAR]",
         "The constellation that holds a position: RA in hours and Dec in degrees referred to\n"
         "the equinox J2000, or to the Julian epoch YEAR given with --epoch. The position is\n"
         "precessed to 1875.0 and looked up in the boundary table of Roman (1987). Keys index\n"
         "(row of the 89-row constellation table, Serpens Caput and Cauda apart; -1 for none),\n"
         "abbreviation and name.\n",
         RunConstellation},
        {"data", "data build [--ngc2000 FILE] [--tycho2 DIR] [--stellarium DIR] [--kstars DIR] [--d3celestial DIR] | data info",
         "build: every file of data/ made from the installed catalog packages (stellarium-data,\n"
         "kstars-data, the npm package d3-celestial; --stellarium, --kstars and --d3celestial\n"
         "name other copies). --ngc2000 FILE (the NGC 2000.0 table) adds the description file,\n"
         "--tycho2 DIR (Tycho-2 as CDS distributes it) the Tycho catalogs; without them those\n"
         "files are not built. Each step reports on stderr; then each file built with its record\n"
         "count (--json: files with name, records, record_size, source; notes). A failed step\n"
         "stops the build (exit 1) and leaves the files it had not replaced as they were.\n"
         "info: every .ppc file of data/ by name with records, record_size, version and tag\n"
         "(--json: files, each with complete = the file holds every record its header counts;\n"
         "unreadable: .ppc files too short for a header).\n",
         RunData},
        {"object", "object DESIGNATION",
         "A deep-sky object of the object file: NGC7000, \"NGC 7000\", m31, C14, IC434, Sh2-101\n"
         "(any case, blank or hyphen after the prefix optional). Messier, Caldwell, SAC and\n"
         "Herschel numbers go through their lists. Keys: designation (as the program shows it:\n"
         "M31 for NGC 224), catalog (prefix), catalog_index, number, type_code, type, type_name,\n"
         "class, constellation, constellation_abbreviation, ra_hours and dec_deg (J2000),\n"
         "magnitude, major_arcmin, minor_arcmin (null when unknown), other_designations,\n"
         "common_name, description (NGC 2000.0 text) and translation (its expansion), and for the\n"
         "observing time and site alt_deg, az_deg (in the correction mode) and rise, transit,\n"
         "set (decimal local hours, as riseset --ra/--dec) with rise_set_status.\n",
         RunObject},
        {"star", "star NUMBER|HRn|HIPn|TYCr-n-1",
         "A star from the extended catalogs: a plain NUMBER or HRn through the HR catalog's number\n"
         "index (the default stars when that file is missing), HIPn through the Hipparchos 110K\n"
         "index, TYCr-n-1 through the Tycho index (Tycho 2.5 Million, else Tycho 390K). Keys:\n"
         "designation, number, ra_hours, dec_deg (J2000), magnitude, color_index (B-V) and name\n"
         "(the bright-star name when it is one of the default stars, else null).\n",
         RunStar},
    };
    return table;
}

}  // namespace vsp::cli
