#include "shell/PreferenceTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>
#include <utility>

namespace vsp {

namespace {

using Rows = std::vector<std::string>;

int FormOfPage(int page) {
    static constexpr int kForms[8] = {0, 1400, 1430, 1450, 1620, 1476, 1337, 1357};
    return page >= 1 && page <= 7 ? kForms[page] : 0;
}

// Stores a number into a field of any arithmetic type without undefined conversions: values
// beyond the type's range are held at its ends (the range check then replaces them).
template <class T>
T NumberToField(double v) {
    if constexpr (std::is_same_v<T, bool>) {
        return v != 0.0;
    } else if constexpr (std::is_integral_v<T>) {
        const double lo = double(std::numeric_limits<T>::lowest());
        const double hi = double(std::numeric_limits<T>::max());
        if (!(v >= lo)) return std::numeric_limits<T>::lowest();  // also NaN
        if (v >= hi) return std::numeric_limits<T>::max();
        return T(std::trunc(v));
    } else {
        if (std::isfinite(v) && std::fabs(v) > double(std::numeric_limits<T>::max()))
            return v > 0 ? std::numeric_limits<T>::infinity() : -std::numeric_limits<T>::infinity();
        return T(v);
    }
}

// `field` is a generic lambda returning a reference into the block, usable on a const and a
// non-const block alike.
template <class Field>
void BindNumber(PreferenceSetting& s, Field field) {
    s.getNumber = [field](const Preferences& p) { return double(field(p)); };
    s.setNumber = [field](Preferences& p, double v) {
        auto& ref = field(p);
        ref = NumberToField<std::remove_reference_t<decltype(ref)>>(v);
    };
}

template <class Field>
void BindText(PreferenceSetting& s, Field field) {
    s.getText = [field](const Preferences& p) { return std::string(field(p)); };
    s.setText = [field](Preferences& p, const std::string& v) { field(p) = v; };
}

constexpr double kUseDefault = std::numeric_limits<double>::quiet_NaN();

struct Where {
    int page;
    std::string group;
};

// The parts every kind of setting shares.
PreferenceSetting Setting(std::string key, const Where& at, std::string label, PreferenceKind kind) {
    PreferenceSetting s;
    s.key = std::move(key);
    s.page = at.page;
    s.formId = FormOfPage(at.page);
    s.group = at.group;
    s.label = std::move(label);
    s.kind = kind;
    return s;
}

template <class Field>
PreferenceSetting Choice(std::string key, const Where& at, std::string label, Rows rows,
                         Field field) {
    PreferenceSetting s = Setting(std::move(key), at, std::move(label), PreferenceKind::Choice);
    s.rows = std::move(rows);
    s.fallback = kUseDefault;
    BindNumber(s, field);
    return s;
}

template <class Field>
PreferenceSetting Integer(std::string key, const Where& at, std::string label, double minimum,
                          double maximum, double fallback, Field field) {
    PreferenceSetting s = Setting(std::move(key), at, std::move(label), PreferenceKind::Integer);
    s.minimum = minimum;
    s.maximum = maximum;
    s.fallback = fallback;
    BindNumber(s, field);
    return s;
}

template <class Field>
PreferenceSetting Real(std::string key, const Where& at, std::string label, double minimum,
                       double maximum, double fallback, Field field) {
    PreferenceSetting s = Integer(std::move(key), at, std::move(label), minimum, maximum,
                                  fallback, field);
    s.kind = PreferenceKind::Real;
    s.singlePrecision = std::is_same_v<std::remove_cvref_t<decltype(field(std::declval<Preferences&>()))>, float>;
    return s;
}

template <class Field>
PreferenceSetting Flag(std::string key, const Where& at, std::string label, Field field,
                       double fallback = kUseDefault) {
    PreferenceSetting s = Integer(std::move(key), at, std::move(label), 0, 1, fallback, field);
    s.kind = PreferenceKind::Flag;
    return s;
}

template <class Field>
PreferenceSetting Text(std::string key, const Where& at, std::string label, size_t maxLength,
                       Field field) {
    PreferenceSetting s = Setting(std::move(key), at, std::move(label), PreferenceKind::Text);
    s.maxLength = maxLength;
    BindText(s, field);
    return s;
}

// ---- Rows of the popup lists, row 0 first ------------------------------------------------

Rows ScopeDriveRows() {
    return {"None",         "AAM Skyvector", "AutoStar",          "BBox",     "Dave Ek",
            "LX200",        "Magelan-I",     "Magelan-II",        "Nexstar 5&8", "NexStar old GT",
            "NexStarGPS,GT,CGE", "NGC-Max",  "Ouranos",           "ServoCat", "Takahashi",
            "Ultima2000",   "Intelliscope",  "Losmandy",          "SiderealTech", "SkyCommander",
            "SkyScan EQ6"};
}

Rows NumberRows(int first, int last, std::string prefix = "", std::string suffix = "") {
    Rows rows;
    for (int n = first; n <= last; ++n) rows.push_back(prefix + std::to_string(n) + suffix);
    return rows;
}

Rows VisionRows() {
    Rows rows;
    for (int n = 2; n <= 12; ++n) rows.push_back(std::to_string(n) + "/10");
    return rows;
}

Rows DiameterRows() {
    return {"50",  "60",  "70",  "80",  "90",  "100", "125", "150", "166", "180",
            "203", "235", "254", "280", "368", "457", "558", "635", "762", "Other"};
}

Rows FRatioRows() {
    Rows rows = NumberRows(4, 15);
    rows.push_back("Other");
    return rows;
}

Rows Concat(Rows a, const Rows& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// "<a" to "<b", every whole magnitude between.
Rows LimitRange(int a, int b) { return NumberRows(a, b, "<"); }

const Rows kScopeEyes = {"Scope", "Eyes"};

struct ZoomRowLists {
    const char* keyPart;
    const char* label;
    Rows stars;
    Rows objects;
};

const std::vector<ZoomRowLists>& ZoomLists() {
    static const std::vector<ZoomRowLists> lists = [] {
        const Rows fixedStars = {"<5"};
        const Rows objects45 = Concat(Concat({"All"}, LimitRange(7, 11)), kScopeEyes);
        const Rows objects20 = Concat(Concat({"All"}, LimitRange(8, 12)), kScopeEyes);
        const Rows objects180 = {"All", "<3", "<4", "<5", "Scope", "Eyes"};
        return std::vector<ZoomRowLists>{
            {"180", "180\xB0", fixedStars, objects180},
            {"150", "150\xB0", fixedStars, objects180},
            {"120", "120\xB0", fixedStars, Concat(Concat({"All"}, LimitRange(4, 7)), kScopeEyes)},
            {"90", "90\xB0", fixedStars, Concat(Concat({"All"}, LimitRange(5, 9)), kScopeEyes)},
            {"60", "60\xB0", fixedStars, Concat(Concat({"All"}, LimitRange(6, 10)), kScopeEyes)},
            {"45", "45\xB0", Concat({"<5", "<6", "<6.5", "<7", "<7.5"}, kScopeEyes), objects45},
            {"30", "30\xB0", Concat({"<5", "<6", "<6.5", "<7", "<7.5", "<8"}, kScopeEyes),
             objects45},
            {"20", "20\xB0", Concat({"<5", "<7", "<7.5", "<8", "<8.5", "<9"}, kScopeEyes),
             objects20},
            {"10", "10\xB0", Concat({"<5", "<8", "<8.5", "<9", "<9.5", "<10"}, kScopeEyes),
             objects20},
            {"lt10", "<10\xB0", Concat({"<10", "<10.5", "<11", "<11.5", "<12"}, kScopeEyes),
             Concat(Concat({"All"}, LimitRange(9, 13)), kScopeEyes)},
        };
    }();
    return lists;
}

// ---- The table ----------------------------------------------------------------------------

void AddSite(std::vector<PreferenceSetting>& t, const std::string& prefix, const std::string& group,
             int index) {
    // index -1 is the current site, 0..2 the stored ones.
    auto site = [index](auto& p) -> auto& {
        return index < 0 ? p.site : p.storedSites[size_t(index)];
    };
    const Where at{0, group};
    auto add = [&](PreferenceSetting s) {
        s.formId = 1200;
        t.push_back(std::move(s));
    };
    const std::string nameKey = prefix.empty() ? "site_name" : prefix + "name";
    PreferenceSetting name = Text(nameKey, at, "Name", kSiteNameLength,
                                  [site](auto& p) -> auto& { return site(p).name; });
    name.mayBeEmpty = true;
    add(std::move(name));
    add(Real(prefix + "latitude_deg", at, "Latitude", -90, 90, -90,
             [site](auto& p) -> auto& { return site(p).latitude; }));
    add(Real(prefix + "longitude_west_deg", at, "Longitude", -180, 180, -180,
             [site](auto& p) -> auto& { return site(p).longitude; }));
    add(Integer(prefix + "elevation_m", at, "Elevation", 0, 9000, 0,
                [site](auto& p) -> auto& { return site(p).elevation; }));
    add(Integer(prefix + "tz_offset_min", at, "Time Zone", -720, 720, -720,
                [site](auto& p) -> auto& { return site(p).tzOffset; }));
    add(Flag(prefix + "daylight_saving", at, "Daylight Saving",
             [site](auto& p) -> auto& { return site(p).daylight; }, 0));
    add(Real(prefix + "temperature_c", at, "Temperature", -80, 60, 10,
             [site](auto& p) -> auto& { return site(p).temperature; }));
    add(Real(prefix + "pressure_mbar", at, "Pressure", 300, 1100, 1013,
             [site](auto& p) -> auto& { return site(p).pressure; }));
    add(Real(prefix + "humidity_pct", at, "Humidity", 0, 100, 40,
             [site](auto& p) -> auto& { return site(p).humidity; }));
}

void AddPage1(std::vector<PreferenceSetting>& t) {
    const Where io{1, "Interfaces"};
    t.push_back(Choice("scope_drive", io, "Scope Drive", ScopeDriveRows(),
                       [](auto& p) -> auto& { return p.scopeDrive; }));
    t.push_back(Choice("link_mode", io, "Connection", {"Upon need", "Persistant"},
                       [](auto& p) -> auto& { return p.linkMode; }));
    t.push_back(Integer("az_steps", io, "Az:", -32127, 32127, kUseDefault,
                        [](auto& p) -> auto& { return p.azSteps; }));
    t.push_back(Integer("alt_steps", io, "Alt:", -32127, 32127, kUseDefault,
                        [](auto& p) -> auto& { return p.altSteps; }));
    t.push_back(Integer("scope_port", io, "Scope Port", 0, 9, 0,
                        [](auto& p) -> auto& { return p.scopePort; }));
    t.push_back(Integer("gps_port", io, "GPS Port", 0, 9, 0,
                        [](auto& p) -> auto& { return p.gpsPort; }));
    t.push_back(Integer("camera_port", io, "Camera Port", 0, 9, 0,
                        [](auto& p) -> auto& { return p.cameraPort; }));
    const Where comp{1, "Computation"};
    t.push_back(Choice("correction", comp, "Correction",
                       {"Geocentric", "Geoc. + Refract", "Topocentric", "Topo + Refract"},
                       [](auto& p) -> auto& { return p.correction; }));
    t.push_back(Choice("align_method", comp, "Align Method", {"Vespertar 2 Stars", "External"},
                       [](auto& p) -> auto& { return p.alignMethod; }));
    t.push_back(Choice("horizon", comp, "Horizon",
                       {"0\xB0", "2\xB0", "4\xB0", "5\xB0", "6\xB0", "8\xB0", "10\xB0"},
                       [](auto& p) -> auto& { return p.horizon; }));
}

void AddPage2(std::vector<PreferenceSetting>& t) {
    const Where user{2, "User Informations"};
    t.push_back(Choice("experience", user, "Experience", {"Beginner", "Hobbyst", "Expert"},
                       [](auto& p) -> auto& { return p.experience; }));
    t.push_back(Choice("age", user, "Age",
                       {"15", "25", "35", "45", "55", "65", "75", "85", ">95"},
                       [](auto& p) -> auto& { return p.age; }));
    t.push_back(Choice("vision", user, "Vision", VisionRows(),
                       [](auto& p) -> auto& { return p.vision; }));
    const Where scope{2, "Scope Informations"};
    t.push_back(Choice("diameter", scope, "Diameter", DiameterRows(),
                       [](auto& p) -> auto& { return p.diameter; }));
    t.push_back(Integer("diameter_other_mm", scope, "Other", 1, 20000, kUseDefault,
                        [](auto& p) -> auto& { return p.diameterOther; }));
    t.push_back(Choice("f_ratio", scope, "F-Ratio", FRatioRows(),
                       [](auto& p) -> auto& { return p.fRatio; }));
    t.push_back(Real("f_ratio_other", scope, "Other", 0.5, 100, kUseDefault,
                     [](auto& p) -> auto& { return p.fRatioOther; }));
    t.push_back(Choice("mount_type", scope, "Mount Type",
                       {"Equatorial", "Azimuth", "Azimuth+Eq Platform"},
                       [](auto& p) -> auto& { return p.mountType; }));
    const Where other{2, "Other"};
    t.push_back(Choice("max_selected", other, "Max Selected items",
                       {"25", "50", "100", "150", "200", "250", "300", "350", "400", "450", "500"},
                       [](auto& p) -> auto& { return p.maxSelected; }));
    t.push_back(Choice("time_update", other, "Time Update", {"Automatic", "Manual"},
                       [](auto& p) -> auto& { return p.timeUpdate; }));
    t.push_back(Choice("night_mode", other, "Night Mode", {"Off", "Dark", "Medium", "Bright"},
                       [](auto& p) -> auto& { return p.nightLevel; }));
}

void AddPage3(std::vector<PreferenceSetting>& t) {
    const Where g{3, "SkyChart Global Settings"};
    t.push_back(Choice("star_color", g, "Star Color", {"Color", "Black&White"},
                       [](auto& p) -> auto& { return p.starColor; }));
    t.push_back(Choice("background", g, "Background", {"Black", "Dark Blue", "White"},
                       [](auto& p) -> auto& { return p.background; }));
    t.push_back(Choice("line_color", g, "Line Color", {"Blue", "Red", "Gray", "Black"},
                       [](auto& p) -> auto& { return p.lineColor; }));
    t.push_back(Choice("star_mode", g, "Stars", {"All", "Only Constellation", "Only default stars"},
                       [](auto& p) -> auto& { return p.starMode; }));
    t.push_back(Choice("card_catalog", g, "Card Catalog",
                       {"No expansion card", "Hipparchos 16K", "Hipparchos 32K", "Hipparchos 64K",
                        "Hipparchos 110K", "Tycho 390K", "Tycho 2.5 Million"},
                       [](auto& p) -> auto& { return p.cardCatalog; }));
    t.push_back(Choice("const_line_set", g, "Const. Lines", {"Classic", "Rey Lines"},
                       [](auto& p) -> auto& { return p.constLineSet; }));
    t.push_back(Integer("eyepiece", g, "Eyepiece", 0, 9999, 0,
                        [](auto& p) -> auto& { return p.eyepiece; }));
    t.push_back(Choice("chart_type", g, "Chart Type",
                       {"Sky Map", "Horizon View", "Whole Sky", "Visible Sky", "Equatorial Sky"},
                       [](auto& p) -> auto& { return p.chartType; }));
    t.push_back(Choice("font_size", g, "Font Size", {"Small", "Medium", "Large"},
                       [](auto& p) -> auto& { return p.fontSize; }));
    t.push_back(Choice("time_step", g, "Time Step",
                       {"None", "1 mn", "2 mn", "5 mn", "10 mn", "15 mn", "1 Hour", "6 Hours",
                        "1 Day", "1 Sid. Day", "2 Days", "5 Days", "10 Days", "14 Days",
                        "1 Lunation", "30 Days", "60 Days", "90 Days"},
                       [](auto& p) -> auto& { return p.timeStep; }));
    t.push_back(Choice("cursor", g, "Cursor", {"Fix", "Blinking", "None"},
                       [](auto& p) -> auto& { return p.cursor; }));
}

void AddPage4(std::vector<PreferenceSetting>& t) {
    const Where g{4, "SkyChart Zoom Settings"};
    const auto& lists = ZoomLists();
    for (size_t i = 0; i < lists.size(); ++i) {
        const std::string key = std::string("zoom_") + lists[i].keyPart;
        const std::string fov = lists[i].label;
        t.push_back(Choice(key + "_stars", g, fov + " Stars", lists[i].stars,
                           [i](auto& p) -> auto& { return p.zoomStarLimit[i]; }));
        t.push_back(Choice(key + "_objects", g, fov + " Objects", lists[i].objects,
                           [i](auto& p) -> auto& { return p.zoomObjectLimit[i]; }));
        t.push_back(Choice(key + "_view", g, fov + " View", ZoomViewRows(),
                           [i](auto& p) -> auto& { return p.zoomFlip[i]; }));
    }
}

void AddPage5(std::vector<PreferenceSetting>& t) {
    const Where d{5, "SkyCharts Display Settings"};
    t.push_back(Flag("const_names", d, "Const. Names", [](auto& p) -> auto& { return p.constNames; }));
    t.push_back(Flag("fov_eyepiece", d, "FOV: Eyepiece", [](auto& p) -> auto& { return p.fovEyepiece; }));
    t.push_back(Flag("const_lines", d, "Const. Lines", [](auto& p) -> auto& { return p.constLines; }));
    t.push_back(Flag("fov_ccd", d, "FOV: CCD", [](auto& p) -> auto& { return p.fovCcd; }));
    t.push_back(Flag("obj_names", d, "Obj. Names", [](auto& p) -> auto& { return p.objNames; }));
    t.push_back(Flag("alt_az_grid", d, "Alt/Az Grid", [](auto& p) -> auto& { return p.altAzGrid; }));
    t.push_back(Flag("obj_drilldown", d, "Obj. Drilldown", [](auto& p) -> auto& { return p.objDrilldown; }));
    t.push_back(Flag("hide_grid", d, "Hide Grid", [](auto& p) -> auto& { return p.hideGrid; }));
    t.push_back(Flag("stars_legend", d, "Stars Legend", [](auto& p) -> auto& { return p.starsLegend; }));
    t.push_back(Flag("hide_toolbar", d, "Hide ToolBar", [](auto& p) -> auto& { return p.hideToolBar; }));
    t.push_back(Flag("stars_symbols", d, "Stars Symbols", [](auto& p) -> auto& { return p.starsSymbols; }));
    t.push_back(Flag("hide_infobar", d, "Hide InfoBar", [](auto& p) -> auto& { return p.hideInfoBar; }));
    t.push_back(Flag("ecliptic", d, "Ecliptic", [](auto& p) -> auto& { return p.ecliptic; }));
    t.push_back(Flag("hide_compass", d, "Hide Compass", [](auto& p) -> auto& { return p.hideCompass; }));
    t.push_back(Flag("telrad", d, "Telrad", [](auto& p) -> auto& { return p.telrad; }));
    for (size_t i = 0; i < 3; ++i) {
        PreferenceSetting ring =
            Real("telrad" + std::to_string(i + 1) + "_deg", d,
                 "Telrad " + std::to_string(i + 1) + ":", 0, 30, kUseDefault,
                 [i](auto& p) -> auto& { return p.telradRings[i]; });
        ring.minimumExclusive = true;
        t.push_back(std::move(ring));
    }
    const Where s{5, "SkyCharts Scroll Settings"};
    t.push_back(Flag("scroll_more_stars", s, "More Stars", [](auto& p) -> auto& { return p.scrollMoreStars; }));
    t.push_back(Flag("scroll_more_objects", s, "More Objects", [](auto& p) -> auto& { return p.scrollMoreObjects; }));
    t.push_back(Flag("scroll_show_grid", s, "Show Grid", [](auto& p) -> auto& { return p.scrollShowGrid; }));
    t.push_back(Flag("scroll_stars_as_pixel", s, "Stars as Pixel", [](auto& p) -> auto& { return p.scrollStarsAsPixel; }));
}

void AddPage6(std::vector<PreferenceSetting>& t) {
    const Where c{6, "Constants"};
    t.push_back(Real("grs_longitude_deg", c, "GRS Long.:", 0, 360, kUseDefault,
                     [](auto& p) -> auto& { return p.grsLongitude; }));
    t.push_back(Choice("delta_t_formula", c, "DeltaT Formula",
                       {"Chapront&Touz\xE9 1997", "JPL Horizon"},
                       [](auto& p) -> auto& { return p.deltaTFormula; }));
    PreferenceSetting deltaT = Real("delta_t_s", c, "Current DeltaT", 40, 200, 66.184,
                                    [](auto& p) -> auto& { return p.deltaT; });
    deltaT.minimumExclusive = true;  // 40 itself is replaced as well
    t.push_back(std::move(deltaT));
    t.push_back(Integer("eq_platform_delay_min", c, "EQPlatForm Delay", 0, 600, kUseDefault,
                        [](auto& p) -> auto& { return p.eqPlatformDelay; }));
    const Where f{6, "Output Formats"};
    t.push_back(Choice("ra_format", f, "RA Format", {"23.75", "23:45:00", "23h45m00", "23h45.0"},
                       [](auto& p) -> auto& { return p.raFormat; }));
    t.push_back(Choice("dec_format", f, "Dec Format",
                       {"-70.75", "-70:45:00", "-70\xB0" "45'00", "-70\xB0" "45.0"},
                       [](auto& p) -> auto& { return p.decFormat; }));
    t.push_back(Choice("dist_format", f, "Dist Format", {"Parsec (pc)", "Light Year (ly)"},
                       [](auto& p) -> auto& { return p.distFormat; }));
}

void AddPage7(std::vector<PreferenceSetting>& t) {
    const Where u{7, "Url management"};
    t.push_back(Text("comet_url", u, "Comet Url", kUrlLength, [](auto& p) -> auto& { return p.cometUrl; }));
    t.push_back(Text("asteroid_url", u, "Asteroid Url", kUrlLength, [](auto& p) -> auto& { return p.asteroidUrl; }));
    t.push_back(Text("iridium_url", u, "Iridium Url", kUrlLength, [](auto& p) -> auto& { return p.iridiumUrl; }));
    t.push_back(Text("satellite_url", u, "Satellite Url", kUrlLength, [](auto& p) -> auto& { return p.satelliteUrl; }));
    t.push_back(Text("download_data_url", u, "Download Data", kUrlLength, [](auto& p) -> auto& { return p.downloadDataUrl; }));
}

void AddKeptState(std::vector<PreferenceSetting>& t) {
    const Where scope{0, "Scope"};
    t.push_back(Integer("scope_output_type", scope, "Output Type", 0, 2, 0,
                        [](auto& p) -> auto& { return p.scopeOutputType; }));
    t.push_back(Integer("send_delay", scope, "Send Delay", 0, 15, 0,
                        [](auto& p) -> auto& { return p.sendDelay; }));
    const Where chart{0, "SkyChart"};
    t.push_back(Integer("zoom_level_horizon", chart, "Horizon View zoom level", 0, 13, kUseDefault,
                        [](auto& p) -> auto& { return p.zoomLevelHorizon; }));
    t.push_back(Integer("zoom_level_other", chart, "Zoom level", 0, 13, kUseDefault,
                        [](auto& p) -> auto& { return p.zoomLevelOther; }));
    t.push_back(Integer("ccd_width_px", chart, "CCD width", 1, 100000, kUseDefault,
                        [](auto& p) -> auto& { return p.ccdWidth; }));
    t.push_back(Integer("ccd_height_px", chart, "CCD height", 1, 100000, kUseDefault,
                        [](auto& p) -> auto& { return p.ccdHeight; }));
    t.push_back(Integer("ccd_focal_length_mm", chart, "CCD focal length", 1, 100000, kUseDefault,
                        [](auto& p) -> auto& { return p.ccdFocalLength; }));
    const Where sat{0, "Satellites"};
    t.push_back(Integer("current_satellite", sat, "Current satellite", 0, 1000000, 0,
                        [](auto& p) -> auto& { return p.currentSatellite; }));
    t.push_back(Integer("sat_min_elevation", sat, "Minimum elevation", 0, 10, 0,
                        [](auto& p) -> auto& { return p.satMinElevation; }));
    t.push_back(Flag("precise_flares", sat, "Precise flares",
                     [](auto& p) -> auto& { return p.preciseFlares; }));
    const Where shell{0, "Program"};
    t.push_back(Integer("start_form", shell, "Start form", 1, 99999, 1950,
                        [](auto& p) -> auto& { return p.startForm; }));
    t.push_back(Choice("default_colors", shell, "Default Windows Colors:", {"2003", "2005"},
                       [](auto& p) -> auto& { return p.defaultColorSet; }));
    PreferenceSetting catalog = Text("user_catalog_file", shell, "User catalog", kCatalogFileNameLength,
                                     [](auto& p) -> auto& { return p.userCatalogFile; });
    catalog.fileName = true;
    t.push_back(std::move(catalog));
    t.push_back(Integer("saved_year", shell, "Saved year", -4712, 9999, 0,
                        [](auto& p) -> auto& { return p.savedDateTime.year; }));
    t.push_back(Integer("saved_month", shell, "Saved month", 0, 12, 0,
                        [](auto& p) -> auto& { return p.savedDateTime.month; }));
    t.push_back(Integer("saved_day", shell, "Saved day", 0, 31, 0,
                        [](auto& p) -> auto& { return p.savedDateTime.day; }));
    t.push_back(Integer("saved_hour", shell, "Saved hour", 0, 23, 0,
                        [](auto& p) -> auto& { return p.savedDateTime.hour; }));
    t.push_back(Integer("saved_minute", shell, "Saved minute", 0, 59, 0,
                        [](auto& p) -> auto& { return p.savedDateTime.minute; }));
}

std::vector<PreferenceSetting> BuildTable() {
    std::vector<PreferenceSetting> t;
    AddPage1(t);
    AddPage2(t);
    AddPage3(t);
    AddPage4(t);
    AddPage5(t);
    AddPage6(t);
    AddPage7(t);
    AddSite(t, "", "Location", -1);
    for (int i = 0; i < kStoredSiteCount; ++i) {
        const std::string n = std::to_string(i + 1);
        AddSite(t, "site" + n + "_", "Site " + n, i);
    }
    AddKeptState(t);
    const Preferences defaults;
    for (PreferenceSetting& s : t)
        if (s.kind != PreferenceKind::Text && std::isnan(s.fallback)) s.fallback = s.getNumber(defaults);
    return t;
}

std::string ShortestNumber(double v, bool singlePrecision) {
    char buffer[64];
    const auto result = singlePrecision ? std::to_chars(buffer, buffer + sizeof buffer, float(v))
                                        : std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

char FoldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (c >= 'A' && c <= 'Z') return char(c - 'A' + 'a');
    // Latin-1 capitals of the code page (except the multiplication sign).
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return char(u + 0x20);
    return c;
}

bool EqualsFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

std::optional<int64_t> ReadWhole(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> ReadReal(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<bool> ReadFlag(std::string_view text) {
    for (std::string_view yes : {"1", "on", "true", "yes"})
        if (EqualsFolded(text, yes)) return true;
    for (std::string_view no : {"0", "off", "false", "no"})
        if (EqualsFolded(text, no)) return false;
    return std::nullopt;
}

}  // namespace

const std::vector<PreferenceSetting>& PreferenceTable() {
    static const std::vector<PreferenceSetting> table = BuildTable();
    return table;
}

const PreferenceSetting* FindPreference(std::string_view key) {
    for (const PreferenceSetting& s : PreferenceTable())
        if (s.key == key) return &s;
    return nullptr;
}

const std::vector<std::string>& ZoomStarLimitRows(int fovRow) {
    static const Rows none;
    return fovRow >= 0 && fovRow < kZoomRowCount ? ZoomLists()[size_t(fovRow)].stars : none;
}

const std::vector<std::string>& ZoomObjectLimitRows(int fovRow) {
    static const Rows none;
    return fovRow >= 0 && fovRow < kZoomRowCount ? ZoomLists()[size_t(fovRow)].objects : none;
}

const std::vector<std::string>& ZoomViewRows() {
    static const Rows rows = {"Normal", "Vertical", "180\xB0", "Horizontal"};
    return rows;
}

std::optional<float> MagnitudeOfLimitRow(std::string_view row, float scopeLimit, float eyeLimit) {
    if (row == "All") return 100.0f;
    if (row == "Scope") return scopeLimit;
    if (row == "Eyes") return eyeLimit;
    if (row.size() < 2 || row.front() != '<') return std::nullopt;
    row.remove_prefix(1);
    float value = 0;
    const auto [end, ec] = std::from_chars(row.data(), row.data() + row.size(), value);
    if (ec != std::errc() || end != row.data() + row.size()) return std::nullopt;
    return value;
}

namespace {

float ZoomLimit(const std::vector<std::string>& rows, int index, float scopeLimit, float eyeLimit) {
    if (index < 0 || size_t(index) >= rows.size()) index = 0;
    return MagnitudeOfLimitRow(rows[size_t(index)], scopeLimit, eyeLimit).value_or(100.0f);
}

int ZoomRow(int zoomLevel) { return std::min(zoomLevel, kZoomRowCount - 1); }

}  // namespace

float ZoomStarLimit(const Preferences& prefs, int zoomLevel, float scopeLimit, float eyeLimit) {
    if (zoomLevel < 0) return 13.0f;
    const int row = ZoomRow(zoomLevel);
    return ZoomLimit(ZoomStarLimitRows(row), prefs.zoomStarLimit[size_t(row)], scopeLimit, eyeLimit);
}

float ZoomObjectLimit(const Preferences& prefs, int zoomLevel, float scopeLimit, float eyeLimit) {
    if (zoomLevel < 0) return 100.0f;
    const int row = ZoomRow(zoomLevel);
    return ZoomLimit(ZoomObjectLimitRows(row), prefs.zoomObjectLimit[size_t(row)], scopeLimit,
                     eyeLimit);
}

int HorizonDegrees(int row) {
    static constexpr int kDegrees[] = {0, 2, 4, 5, 6, 8, 10};
    return row >= 0 && row < 7 ? kDegrees[row] : 0;
}

int PassMinimumElevation(int index) {
    static constexpr int kDegrees[] = {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50};
    return index >= 0 && index <= 10 ? kDegrees[index] : 0;
}

int FlareMinimumElevation(int index) {
    static constexpr int kDegrees[] = {10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60};
    return index >= 0 && index <= 10 ? kDegrees[index] : 10;
}

std::string FormatPreferenceNumber(const PreferenceSetting& setting, const Preferences& prefs) {
    if (setting.kind == PreferenceKind::Text) return setting.getText(prefs);
    return ShortestNumber(setting.getNumber(prefs),
                          setting.kind == PreferenceKind::Real && setting.singlePrecision);
}

std::string FormatPreferenceValue(const PreferenceSetting& setting, const Preferences& prefs) {
    switch (setting.kind) {
        case PreferenceKind::Text:
            return setting.getText(prefs);
        case PreferenceKind::Flag:
            return setting.getNumber(prefs) != 0.0 ? "on" : "off";
        case PreferenceKind::Choice: {
            const double index = setting.getNumber(prefs);
            if (index >= 0 && index < double(setting.rows.size()))
                return setting.rows[size_t(index)];
            return FormatPreferenceNumber(setting, prefs);
        }
        default:
            return FormatPreferenceNumber(setting, prefs);
    }
}

bool ParsePreferenceValue(const PreferenceSetting& setting, std::string_view text,
                          Preferences& prefs, std::string& reason) {
    const std::string shown(text);
    switch (setting.kind) {
        case PreferenceKind::Text:
            setting.setText(prefs, shown);
            return true;
        case PreferenceKind::Flag:
            if (auto flag = ReadFlag(text)) {
                setting.setNumber(prefs, *flag ? 1.0 : 0.0);
                return true;
            }
            reason = setting.key + ": not on or off: " + shown;
            return false;
        case PreferenceKind::Real:
            if (auto value = ReadReal(text)) {
                setting.setNumber(prefs, *value);
                return true;
            }
            reason = setting.key + ": not a number: " + shown;
            return false;
        case PreferenceKind::Integer:
            if (auto value = ReadWhole(text)) {
                setting.setNumber(prefs, double(*value));
                return true;
            }
            reason = setting.key + ": not a whole number: " + shown;
            return false;
        case PreferenceKind::Choice:
            // The index comes first, so that the value printed by `show` always reads back.
            if (auto value = ReadWhole(text)) {
                setting.setNumber(prefs, double(*value));
                return true;
            }
            return ParsePreferenceRow(setting, text, prefs, reason);
    }
    return false;
}

bool ParsePreferenceRow(const PreferenceSetting& setting, std::string_view text,
                        Preferences& prefs, std::string& reason) {
    if (setting.kind != PreferenceKind::Choice) {
        reason = setting.key + ": not a list";
        return false;
    }
    for (size_t i = 0; i < setting.rows.size(); ++i) {
        if (EqualsFolded(setting.rows[i], text)) {
            setting.setNumber(prefs, double(i));
            return true;
        }
    }
    reason = setting.key + ": no such row: " + std::string(text);
    return false;
}

std::vector<std::string> DifferingPreferenceKeys(const Preferences& a, const Preferences& b) {
    std::vector<std::string> keys;
    for (const PreferenceSetting& s : PreferenceTable())
        if (FormatPreferenceNumber(s, a) != FormatPreferenceNumber(s, b)) keys.push_back(s.key);
    return keys;
}

}  // namespace vsp
