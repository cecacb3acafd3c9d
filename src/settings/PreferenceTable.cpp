#include "settings/PreferenceTable.h"

#include <algorithm>

#include "platform/ParseNumber.h"
#include "settings/MagnitudeLimits.h"

namespace vsp {

namespace {

using Rows = std::vector<std::string>;

// ---- The groups of the pages, with what their "Inf" buttons say --------------------------

constexpr SettingGroup kInterfaces{
    1, "Interfaces",
    "Scope Drive is the mount or setting-circle box on the Scope Port. \"Upon need\" opens the link for each "
    "command, \"Persistant\" keeps it open.",
    "Encoder boxes also need the encoder steps per turn (a negative value reverses the axis)."};
constexpr SettingGroup kComputation{
    1, "Computation",
    "Correction: places seen from the Earth's centre or from your site, with or without refraction. Align "
    "Method: Vespertar's own 2-star alignment or the mount's.",
    "Horizon is used to compute rise and set."};
constexpr SettingGroup kUser{
    2, "User Informations",
    "Your experience, age and vision give the faintest stars your eyes can see: the \"Eyes\" limit of the zoom "
    "settings.",
    ""};
constexpr SettingGroup kScope{
    2, "Scope Informations",
    "The aperture gives the faintest stars the telescope shows: the \"Scope\" limit of the zoom settings.",
    "Choose \"Other\" to type a diameter (mm) or F-ratio not in the list."};
constexpr SettingGroup kOther{
    2, "Other", "Max Selected items limits the observing list. Time Update \"Automatic\" follows the clock.",
    "Night Mode turns the screen red at once, to keep your eyes dark-adapted."};
constexpr SettingGroup kChartGlobal{
    3, "SkyChart Global Settings",
    "How the sky chart looks: colours, which stars, the star catalog, the constellation figures, the chart type "
    "and font.",
    "Time Step is how far the chart's time arrows move the sky."};
constexpr SettingGroup kZoom{
    4, "SkyChart Zoom Settings",
    "For each field of view: the faintest stars and objects drawn, and whether the view is mirrored or turned.",
    "\"Scope\" is the telescope's limit, \"Eyes\" the naked-eye limit."};
constexpr SettingGroup kDisplay{5, "SkyCharts Display Settings", "What the sky chart draws on top of the sky.",
                                "Telrad draws three circles of the sizes given, in degrees."};
constexpr SettingGroup kScroll{
    5, "SkyCharts Scroll Settings", "What the chart still draws while you move it: the less, the smoother it moves.",
    ""};
constexpr SettingGroup kConstants{
    6, "Constants",
    "GRS Longitude: where Jupiter's Great Red Spot is (System II). EQPlatForm Delay: how long an equatorial "
    "platform runs.",
    "Current DeltaT is TT - UT for the observing date."};
constexpr SettingGroup kFormats{6, "Output Formats", "How right ascensions, declinations and distances are written.",
                                ""};
constexpr SettingGroup kUrls{
    7, "Url management",
    "Where comet and asteroid elements, satellite elements and the program's data are downloaded from.", ""};
// Kept by other screens.
constexpr SettingGroup Kept(std::string_view name) { return {0, name, {}, {}}; }
constexpr SettingGroup kLocation = Kept("Location");
constexpr SettingGroup kStoredSites[kStoredSiteCount] = {Kept("Site 1"), Kept("Site 2"), Kept("Site 3")};
constexpr SettingGroup kScopeState = Kept("Scope");
constexpr SettingGroup kChartState = Kept("SkyChart");
constexpr SettingGroup kSatelliteState = Kept("Satellites");
constexpr SettingGroup kProgram = Kept("Program");

// ---- Rows of the popup lists, row 0 first ------------------------------------------------

Rows NumberRows(int first, int last, std::string prefix = "") {
    Rows rows;
    for (int n = first; n <= last; ++n) rows.push_back(prefix + std::to_string(n));
    return rows;
}

Rows Concat(Rows a, const Rows& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Rows AgeRows() {
    Rows rows;
    for (int years : kAgeRowYears) rows.push_back(std::to_string(years));
    rows.back() = ">" + rows.back();
    return rows;
}

Rows VisionRows() {
    Rows rows;
    for (int n = 2; n <= 12; ++n) rows.push_back(std::to_string(n) + "/10");
    return rows;
}

Rows DiameterRows() {
    Rows rows;
    for (int mm : kApertureRowsMm) rows.push_back(std::to_string(mm));
    rows.push_back("Other");
    return rows;
}

Rows FRatioRows() { return Concat(NumberRows(kFirstFRatioRow, kFirstFRatioRow + kFRatioOtherRow - 1), {"Other"}); }

constexpr int kHorizonRowDegrees[] = {0, 2, 4, 5, 6, 8, 10};

Rows HorizonRows() {
    Rows rows;
    for (int degrees : kHorizonRowDegrees) rows.push_back(std::to_string(degrees) + "\xB0");
    return rows;
}

// "<a" to "<b", every whole magnitude between.
Rows LimitRange(int a, int b) { return NumberRows(a, b, "<"); }

struct ZoomRowLists {
    const char* keyPart;
    const char* label;
    Rows stars;
    Rows objects;
};

const std::vector<ZoomRowLists>& ZoomLists() {
    static const std::vector<ZoomRowLists> lists = [] {
        const Rows kScopeEyes = {"Scope", "Eyes"};
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
            {"30", "30\xB0", Concat({"<5", "<6", "<6.5", "<7", "<7.5", "<8"}, kScopeEyes), objects45},
            {"20", "20\xB0", Concat({"<5", "<7", "<7.5", "<8", "<8.5", "<9"}, kScopeEyes), objects20},
            {"10", "10\xB0", Concat({"<5", "<8", "<8.5", "<9", "<9.5", "<10"}, kScopeEyes), objects20},
            {"lt10", "<10\xB0", Concat({"<10", "<10.5", "<11", "<11.5", "<12"}, kScopeEyes),
             Concat(Concat({"All"}, LimitRange(9, 13)), kScopeEyes)},
        };
    }();
    return lists;
}

// ---- The settings, page by page; the last number of each is its offset in the record -----

using S = std::vector<PreferenceSetting>;
using P = Preferences;

void AddPage1(S& t) {
    t.push_back(Choice("scope_drive", kInterfaces, "Scope Drive", RowSource::ScopeDrives, &P::scopeDrive, 262));
    t.push_back(Choice("link_mode", kInterfaces, "Connection", {"Upon need", "Persistant"}, &P::linkMode, 266));
    t.push_back(Integer("az_steps", kInterfaces, "Az:", {-32127, 32127}, &P::azSteps, 270)
                    .Heading("Encoders Steps")
                    .ShownWhen(ShowCondition::EncoderDrive));
    t.push_back(Integer("alt_steps", kInterfaces, "Alt:", {-32127, 32127}, &P::altSteps, 274)
                    .ShownWhen(ShowCondition::EncoderDrive));
    // A port is kept as its number; the page lists the ports by name.
    const PageLook ports = PageLook::PortList;
    t.push_back(Integer("scope_port", kInterfaces, "Scope Port", {0, 9}, &P::scopePort, 278).Look(ports));
    t.push_back(Integer("gps_port", kInterfaces, "GPS Port", {0, 9}, &P::gpsPort, 282).Look(ports));
    t.push_back(Integer("camera_port", kInterfaces, "Camera Port", {0, 9}, &P::cameraPort, 286).Look(ports));
    t.push_back(Choice("correction", kComputation, "Correction",
                       {"Geocentric", "Geoc. + Refract", "Topocentric", "Topo + Refract"}, &P::correction, 290));
    t.push_back(Choice("align_method", kComputation, "Align Method", {"Vespertar 2 Stars", "External"},
                       &P::alignMethod, 294));
    t.push_back(Choice("horizon", kComputation, "Horizon", HorizonRows(), &P::horizon, 298));
}

void AddPage2(S& t) {
    t.push_back(Choice("experience", kUser, "Experience", {"Beginner", "Hobbyst", "Expert"}, &P::experience, 310));
    t.push_back(Choice("age", kUser, "Age", AgeRows(), &P::age, 314));
    t.push_back(Choice("vision", kUser, "Vision", VisionRows(), &P::vision, 318));
    t.push_back(Choice("diameter", kScope, "Diameter", DiameterRows(), &P::diameter, 322));
    t.push_back(Integer("diameter_other_mm", kScope, "Other", {1, 20000}, &P::diameterOther, 326));
    t.push_back(Choice("f_ratio", kScope, "F-Ratio", FRatioRows(), &P::fRatio, 330));
    t.push_back(Real("f_ratio_other", kScope, "Other", {0.5, 100}, &P::fRatioOther, 334));
    t.push_back(Choice("mount_type", kScope, "Mount Type", {"Equatorial", "Azimuth", "Azimuth+Eq Platform"},
                       &P::mountType, 338));
    t.push_back(Choice("max_selected", kOther, "Max Selected items",
                       {"25", "50", "100", "150", "200", "250", "300", "350", "400", "450", "500"},
                       &P::maxSelected, 342));
    t.push_back(Choice("time_update", kOther, "Time Update", {"Automatic", "Manual"}, &P::timeUpdate, 346));
    t.push_back(Choice("night_mode", kOther, "Night Mode", {"Off", "Dark", "Medium", "Bright"}, &P::nightLevel, 350));
}

void AddPage3(S& t) {
    const SettingGroup& g = kChartGlobal;
    t.push_back(Choice("star_color", g, "Star Color", {"Color", "Black&White"}, &P::starColor, 354));
    t.push_back(Choice("background", g, "Background", {"Black", "Dark Blue", "White"}, &P::background, 358));
    t.push_back(Choice("line_color", g, "Line Color", {"Blue", "Red", "Gray", "Black"}, &P::lineColor, 362));
    t.push_back(Choice("star_mode", g, "Stars", {"All", "Only Constellation", "Only default stars"}, &P::starMode,
                       366));
    t.push_back(Choice("card_catalog", g, "Card Catalog",
                       {"No expansion card", "Hipparchos 16K", "Hipparchos 32K", "Hipparchos 64K", "Hipparchos 110K",
                        "Tycho 390K", "Tycho 2.5 Million"},
                       &P::cardCatalog, 370));
    t.push_back(Choice("const_line_set", g, "Const. Lines", {"Classic", "Rey Lines"}, &P::constLineSet, 374));
    t.push_back(Integer("eyepiece", g, "Eyepiece", {0, 9999}, &P::eyepiece, 378));
    t.push_back(Choice("chart_type", g, "Chart Type",
                       {"Sky Map", "Horizon View", "Whole Sky", "Visible Sky", "Equatorial Sky"}, &P::chartType, 382));
    t.push_back(Choice("font_size", g, "Font Size", {"Small", "Medium", "Large"}, &P::fontSize, 386));
    t.push_back(Choice("time_step", g, "Time Step",
                       {"None", "1 mn", "2 mn", "5 mn", "10 mn", "15 mn", "1 Hour", "6 Hours", "1 Day", "1 Sid. Day",
                        "2 Days", "5 Days", "10 Days", "14 Days", "1 Lunation", "30 Days", "60 Days", "90 Days"},
                       &P::timeStep, 390));
    t.push_back(Choice("cursor", g, "Cursor", {"Fix", "Blinking", "None"}, &P::cursor, 394));
    // Layout version 6, stored with the other layers after the CCD rotation.
    t.push_back(Flag("const_full_names", g, "Full Const. Names", &P::constFullNames, 1989));
}

// Per field of view (row 0 = 180° .. 9 = <10°): the star limit, the object limit and the view.
void AddPage4(S& t) {
    const auto& lists = ZoomLists();
    for (size_t i = 0; i < lists.size(); ++i) {
        const std::string key = std::string("zoom_") + lists[i].keyPart;
        const std::string fov = lists[i].label;
        const int32_t at = 406 + 12 * int32_t(i);
        t.push_back(Choice(key + "_stars", kZoom, fov + " Stars", lists[i].stars,
                           [i](auto& p) -> auto& { return p.zoomStarLimit[i]; }, at));
        t.push_back(Choice(key + "_objects", kZoom, fov + " Objects", lists[i].objects,
                           [i](auto& p) -> auto& { return p.zoomObjectLimit[i]; }, at + 4));
        t.push_back(Choice(key + "_view", kZoom, fov + " View", ZoomViewRows(),
                           [i](auto& p) -> auto& { return p.zoomFlip[i]; }, at + 8));
    }
}

void AddPage5(S& t) {
    const SettingGroup& d = kDisplay;
    t.push_back(Flag("const_names", d, "Const. Names", &P::constNames, 526));
    t.push_back(Flag("fov_eyepiece", d, "FOV: Eyepiece", &P::fovEyepiece, 527));
    t.push_back(Flag("const_lines", d, "Const. Lines", &P::constLines, 528));
    t.push_back(Flag("fov_ccd", d, "FOV: CCD", &P::fovCcd, 529));
    t.push_back(Flag("obj_names", d, "Obj. Names", &P::objNames, 530));
    t.push_back(Flag("alt_az_grid", d, "Alt/Az Grid", &P::altAzGrid, 531));
    t.push_back(Flag("obj_drilldown", d, "Obj. Drilldown", &P::objDrilldown, 532));
    t.push_back(Flag("hide_grid", d, "Hide Grid", &P::hideGrid, 533));
    t.push_back(Flag("stars_legend", d, "Stars Legend", &P::starsLegend, 534));
    t.push_back(Flag("hide_toolbar", d, "Hide ToolBar", &P::hideToolBar, 535));
    t.push_back(Flag("stars_symbols", d, "Stars Symbols", &P::starsSymbols, 536));
    t.push_back(Flag("hide_infobar", d, "Hide InfoBar", &P::hideInfoBar, 537));
    t.push_back(Flag("ecliptic", d, "Ecliptic", &P::ecliptic, 538));
    t.push_back(Flag("hide_compass", d, "Hide Compass", &P::hideCompass, 539));
    t.push_back(Flag("telrad", d, "Telrad", &P::telrad, 540));
    // Layers added with layout version 6, stored after the CCD rotation (the full constellation
    // names with the figures on page 3); the page has room for them among these flags only.
    t.push_back(Flag("milky_way", d, "Milky Way", &P::milkyWay, 1987));
    t.push_back(Flag("const_boundaries", d, "Const. Borders", &P::constBoundaries, 1988));
    t.push_back(Flag("star_names", d, "Star Names", &P::starNames, 1990));
    t.push_back(Flag("label_priority", d, "Label Priority", &P::labelPriority, 1991));
    t.push_back(Flag("obj_outlines", d, "Obj. Outlines", &P::objOutlines, 1992));
    for (size_t i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        t.push_back(Real("telrad" + n + "_deg", d, "Telrad " + n + ":", Above(0, 30),
                         [i](auto& p) -> auto& { return p.telradRings[i]; }, 541 + 4 * int32_t(i)));
    }
    const SettingGroup& s = kScroll;
    t.push_back(Flag("scroll_more_stars", s, "More Stars", &P::scrollMoreStars, 553));
    t.push_back(Flag("scroll_more_objects", s, "More Objects", &P::scrollMoreObjects, 554));
    t.push_back(Flag("scroll_show_grid", s, "Show Grid", &P::scrollShowGrid, 555));
    t.push_back(Flag("scroll_stars_as_pixel", s, "Stars as Pixel", &P::scrollStarsAsPixel, 556));
}

void AddPage6(S& t) {
    t.push_back(Real("grs_longitude_deg", kConstants, "GRS Long.:", {0, 360}, &P::grsLongitude, 569));
    t.push_back(Choice("delta_t_formula", kConstants, "DeltaT Formula", {"Chapront&Touz\xE9 1997", "JPL Horizon"},
                       &P::deltaTFormula, 573));
    // The ephemeris keeps ΔT up to date; 40 itself is replaced as well.
    t.push_back(Real("delta_t_s", kConstants, "Current DeltaT", Above(40, 200), &P::deltaT, 577)
                    .Look(PageLook::ShownOnly)
                    .Unit("s"));
    t.push_back(Integer("eq_platform_delay_min", kConstants, "EQPlatForm Delay", {0, 600}, &P::eqPlatformDelay, 581)
                    .Unit("(min)"));
    t.push_back(Choice("ra_format", kFormats, "RA Format", {"23.75", "23:45:00", "23h45m00", "23h45.0"},
                       &P::raFormat, 585));
    t.push_back(Choice("dec_format", kFormats, "Dec Format",
                       {"-70.75", "-70:45:00", "-70\xB0" "45'00", "-70\xB0" "45.0"}, &P::decFormat, 589));
    t.push_back(Choice("dist_format", kFormats, "Dist Format", {"Parsec (pc)", "Light Year (ly)"}, &P::distFormat,
                       593));
}

void AddPage7(S& t) {
    // A full address fills its field without a NUL.
    t.push_back(Text("comet_url", kUrls, "Comet Url", kUrlLength, kUrlLength, &P::cometUrl, 597));
    t.push_back(Text("asteroid_url", kUrls, "Asteroid Url", kUrlLength, kUrlLength, &P::asteroidUrl, 725));
    t.push_back(Text("iridium_url", kUrls, "Iridium Url", kUrlLength, kUrlLength, &P::iridiumUrl, 853));
    t.push_back(Text("satellite_url", kUrls, "Satellite Url", kUrlLength, kUrlLength, &P::satelliteUrl, 981));
    t.push_back(Text("download_data_url", kUrls, "Download Data", kUrlLength, kUrlLength, &P::downloadDataUrl, 1109));
}

// The current site (index -1) or a stored one (0..2), 60 bytes of the record from `at`.
void AddSite(S& t, int index, int32_t at) {
    const std::string prefix = index < 0 ? "" : "site" + std::to_string(index + 1) + "_";
    const SettingGroup& g = index < 0 ? kLocation : kStoredSites[index];
    auto site = [index](auto& p) -> auto& { return index < 0 ? p.site : p.storedSites[size_t(index)]; };
    auto field = [site](auto member) { return [site, member](auto& p) -> auto& { return site(p).*member; }; };
    t.push_back(Text(index < 0 ? "site_name" : prefix + "name", g, "Name", kSiteNameLength, kSiteNameLength + 1,
                     field(&Site::name), at)
                    .MayBeEmpty());
    t.push_back(Real(prefix + "latitude_deg", g, "Latitude", {-90, 90}, field(&Site::latitude), at + 32)
                    .OutOfRangeBecomes(-90));
    t.push_back(Real(prefix + "longitude_west_deg", g, "Longitude", {-180, 180}, field(&Site::longitude), at + 36)
                    .OutOfRangeBecomes(-180));
    t.push_back(Integer(prefix + "elevation_m", g, "Elevation", {0, 9000}, field(&Site::elevation), at + 40));
    t.push_back(Integer(prefix + "tz_offset_min", g, "Time Zone", {-720, 720}, field(&Site::tzOffset), at + 44)
                    .OutOfRangeBecomes(-720));
    t.push_back(Flag(prefix + "daylight_saving", g, "Daylight Saving", field(&Site::daylight), at + 46));
    t.push_back(Real(prefix + "temperature_c", g, "Temperature", {-80, 60}, field(&Site::temperature), at + 48));
    t.push_back(Real(prefix + "pressure_mbar", g, "Pressure", {300, 1100}, field(&Site::pressure), at + 52));
    t.push_back(Real(prefix + "humidity_pct", g, "Humidity", {0, 100}, field(&Site::humidity), at + 56));
}

void AddKeptState(S& t) {
    t.push_back(Integer("scope_output_type", kScopeState, "Output Type", {0, 2}, &P::scopeOutputType, 302));
    t.push_back(Integer("send_delay", kScopeState, "Send Delay", {0, 15}, &P::sendDelay, 306));
    // Page 1 chooses them with the port numbers; kept last in the record, as they came last.
    const int32_t path = kPortPathLength, width = kPortPathLength + 1;
    t.push_back(Text("scope_port_path", kScopeState, "Scope Port path", path, width, &P::scopePortPath, 1587).MayBeEmpty());
    t.push_back(Text("gps_port_path", kScopeState, "GPS Port path", path, width, &P::gpsPortPath, 1715).MayBeEmpty());
    t.push_back(
        Text("camera_port_path", kScopeState, "Camera Port path", path, width, &P::cameraPortPath, 1843).MayBeEmpty());
    const SettingGroup& chart = kChartState;
    t.push_back(Integer("zoom_level_horizon", chart, "Horizon View zoom level", {0, 13}, &P::zoomLevelHorizon, 398));
    t.push_back(Integer("zoom_level_other", chart, "Zoom level", {0, 13}, &P::zoomLevelOther, 402));
    t.push_back(Integer("ccd_width_px", chart, "CCD width", {1, 100000}, &P::ccdWidth, 557));
    t.push_back(Integer("ccd_height_px", chart, "CCD height", {1, 100000}, &P::ccdHeight, 561));
    t.push_back(Integer("ccd_focal_length_mm", chart, "CCD focal length", {1, 100000}, &P::ccdFocalLength, 565));
    t.push_back(Real("ccd_pixel_um", chart, "CCD pixel size", {0.5, 100}, &P::ccdPixelSize, 1979));
    t.push_back(Real("ccd_rotation_deg", chart, "CCD rotation", {0, 360}, &P::ccdRotation, 1983));
    const SettingGroup& sat = kSatelliteState;
    t.push_back(Integer("current_satellite", sat, "Current satellite", {0, 1000000}, &P::currentSatellite, 1305));
    t.push_back(Integer("sat_min_elevation", sat, "Minimum elevation", {0, 10}, &P::satMinElevation, 1309));
    t.push_back(Flag("precise_flares", sat, "Precise flares", &P::preciseFlares, 1313));
    t.push_back(Integer("sat_old_elements_days", sat, "Old elements", {1, 3650}, &P::satOldElementsDays, 1971));
    t.push_back(Choice("sat_deep_space", sat, "Deep-space orbits", {"Near-Earth formulas", "SDP4"}, &P::satDeepSpace,
                       1975));
    const SettingGroup& program = kProgram;
    t.push_back(Integer("start_form", program, "Start form", {1, 99999}, &P::startForm, 258));
    t.push_back(Flag("monitor_form", program, "Monitor form", &P::monitorForm, 1586));
    t.push_back(Choice("default_colors", program, "Default Windows Colors:", {"2003", "2005"}, &P::defaultColorSet,
                       1301));
    t.push_back(Text("user_catalog_file", program, "User catalog", kCatalogFileNameLength, kCatalogFileNameLength + 1,
                     &P::userCatalogFile, 1237)
                    .FileName());
    auto saved = [](auto member) { return [member](auto& p) -> auto& { return p.savedDateTime.*member; }; };
    t.push_back(Integer("saved_year", program, "Saved year", {-4712, 9999}, saved(&SavedDateTime::year), 248));
    t.push_back(Integer("saved_month", program, "Saved month", {0, 12}, saved(&SavedDateTime::month), 250));
    t.push_back(Integer("saved_day", program, "Saved day", {0, 31}, saved(&SavedDateTime::day), 252));
    t.push_back(Integer("saved_hour", program, "Saved hour", {0, 23}, saved(&SavedDateTime::hour), 254));
    t.push_back(Integer("saved_minute", program, "Saved minute", {0, 59}, saved(&SavedDateTime::minute), 256));
}

// The last two-star alignment; the start routine checks it as a whole.
void AddSavedAlignment(S& t) {
    auto alignment = [](auto member) { return [member](auto& p) -> auto& { return p.alignment.*member; }; };
    t.push_back(KeptOnly("align_star1_", alignment(&SavedAlignment::star1), 1314));
    t.push_back(KeptOnly("align_star2_", alignment(&SavedAlignment::star2), 1442));
    t.push_back(KeptOnly("align_jd", alignment(&SavedAlignment::julianDate), 1570));
    t.push_back(KeptOnly("align_zero_offset_az", alignment(&SavedAlignment::zeroOffsetAz), 1578));
    t.push_back(KeptOnly("align_zero_offset_alt", alignment(&SavedAlignment::zeroOffsetAlt), 1582));
}

}  // namespace

const PreferenceSetting* PreferenceTable::Find(std::string_view key) const {
    for (const PreferenceSetting& s : Listed())
        if (s.key == key) return &s;
    return nullptr;
}

void PreferenceTable::SupplyRows(RowSource source, const std::vector<std::string>& rows,
                                 const std::vector<int>& values) {
    for (PreferenceSetting& s : settings_) {
        if (s.kind != PreferenceKind::Choice || s.rowSource != source) continue;
        s.rows = rows;
        s.rowValues = values;
    }
}

void PreferenceTable::SupplyCondition(ShowCondition condition, const std::function<bool(const Preferences&)>& shown) {
    for (PreferenceSetting& s : settings_)
        if (s.shownWhen == condition) s.shownFor = shown;
}

PreferenceTable StandardPreferenceTable() {
    S t;
    AddPage1(t);
    AddPage2(t);
    AddPage3(t);
    AddPage4(t);
    AddPage5(t);
    AddPage6(t);
    AddPage7(t);
    AddSite(t, -1, 8);
    for (int i = 0; i < kStoredSiteCount; ++i) AddSite(t, i, 68 + 60 * i);
    AddKeptState(t);
    AddSavedAlignment(t);
    return PreferenceTable(std::move(t));
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
    if (!ParseWhole(row, value)) return std::nullopt;
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
    return ZoomLimit(ZoomObjectLimitRows(row), prefs.zoomObjectLimit[size_t(row)], scopeLimit, eyeLimit);
}

int HorizonDegrees(int row) {
    return row >= 0 && row < int(std::size(kHorizonRowDegrees)) ? kHorizonRowDegrees[row] : 0;
}

}  // namespace vsp
