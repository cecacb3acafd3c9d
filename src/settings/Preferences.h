#pragma once
// The settings block: every setting of the seven preference pages, the current site and the
// three stored sites, the saved observing date and time, the start form and the state other
// parts keep between runs (chart zoom levels, satellite choices, the saved alignment).
// Each popup choice is stored as its row index (row 0 = top row as shown).
//
// A default-constructed block holds the fresh defaults of the start routine; each field is
// declared as a setting (key, page, rows, range, place in the record) once, in
// PreferenceTable.cpp, and the range checks are in PreferenceStart.h.

#include <array>
#include <cstdint>
#include <string>

namespace vsp {

inline constexpr int kSiteNameLength = 31;       // characters; the record field adds a NUL
inline constexpr int kUrlLength = 128;           // characters of a download address
inline constexpr int kCatalogFileNameLength = 63;
inline constexpr int kPortPathLength = 127;      // bytes of a serial device's path; the field adds a NUL
inline constexpr int kStoredSiteCount = 3;
inline constexpr int kZoomRowCount = 10;         // 180°, 150°, ..., 10°, <10° (zoom levels 0..9)
inline constexpr int kAlignStarRecordSize = 128;

// An observer location. Longitude is stored west-positive, as the location record keeps it.
struct Site {
    std::string name = "None";
    float latitude = 51.0f;    // degrees, north positive
    float longitude = 0.0f;    // degrees, WEST positive
    int32_t elevation = 0;     // metres
    int16_t tzOffset = 0;      // minutes, local clock = UT + offset
    int16_t daylight = 0;      // daylight-saving flag, 0 or 1
    float temperature = 10.0f; // degrees Celsius
    float pressure = 1013.0f;  // millibars
    float humidity = 40.0f;    // percent

    bool operator==(const Site&) const = default;
};

// The observing date and time kept between runs; year 0 means "take the clock".
struct SavedDateTime {
    int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;

    bool operator==(const SavedDateTime&) const = default;
};

// An alignment star record as the two-star alignment stores it (128 bytes, little-endian);
// an empty one has star index -1 in its first four bytes.
using AlignStarBytes = std::array<uint8_t, kAlignStarRecordSize>;

constexpr AlignStarBytes EmptyAlignStarBytes() {
    AlignStarBytes bytes{};
    bytes[0] = bytes[1] = bytes[2] = bytes[3] = 0xFF;
    return bytes;
}

// The last computed two-star alignment, offered for restore at the next start.
struct SavedAlignment {
    AlignStarBytes star1 = EmptyAlignStarBytes();
    AlignStarBytes star2 = EmptyAlignStarBytes();
    double julianDate = 0.0;       // of the computation; 0 = nothing saved
    int32_t zeroOffsetAz = 0;      // encoder zero offsets
    int32_t zeroOffsetAlt = 0;

    bool operator==(const SavedAlignment&) const = default;
};

struct Preferences {
    Site site;
    std::array<Site, kStoredSiteCount> storedSites;
    SavedDateTime savedDateTime;
    int32_t startForm = 1950;

    // Page 1, group "Interfaces"
    int32_t scopeDrive = 5;       // "Scope Drive", 22 rows (the drive id); LX200 until chosen
    int32_t linkMode = 0;         // "Connection": 0 "Upon need", 1 "Persistant"
    int32_t azSteps = 8192;       // "Encoders Steps" "Az:", -32127..32127, sign = reverse
    int32_t altSteps = 8192;      // "Alt:"
    int32_t scopePort = 0;        // index into the port list, 0 = none
    int32_t gpsPort = 0;
    int32_t cameraPort = 0;
    // The device each chosen port was, found again by it whatever index it has now (a by-id
    // path where one reaches the device); empty: the index alone names it.
    std::string scopePortPath;
    std::string gpsPortPath;
    std::string cameraPortPath;
    // Page 1, group "Computation"
    int32_t correction = 0;       // "Correction": the chart mode 0..3
    int32_t alignMethod = 1;      // "Align Method": 0 "Vespertar 2 Stars", 1 "External"
    int32_t horizon = 0;          // "Horizon": row of 0°, 2°, 4°, 5°, 6°, 8°, 10°
    // Scope settings without a page of their own
    int32_t scopeOutputType = 0;  // 0 EQ, 1 AZ, 2 encoder counts
    int32_t sendDelay = 0;        // 0 per-drive default, 1..15 tenths of a second

    // Page 2, group "User Informations"
    int32_t experience = 1;       // "Experience": 0 Beginner, 1 Hobbyst, 2 Expert
    int32_t age = 2;              // "Age": row of "15".. ">95"
    int32_t vision = 8;           // "Vision": row of "2/10".."12/10"
    // Page 2, group "Scope Informations"
    int32_t diameter = 10;        // "Diameter": row of the aperture list (mm), 19 = "Other"
    int32_t diameterOther = 200;  // mm, used with "Other"
    int32_t fRatio = 6;           // "F-Ratio": row of "4".."15", 12 = "Other"
    float fRatioOther = 10.0f;    // used with "Other"
    int32_t mountType = 0;        // "Mount Type"
    // Page 2, group "Other"
    int32_t maxSelected = 2;      // "Max Selected items": row of "25".."500"
    int32_t timeUpdate = 0;       // "Time Update": 0 Automatic, 1 Manual
    int32_t nightLevel = 0;       // "Night Mode": 0 Off, 1 Dark, 2 Medium, 3 Bright

    // Page 3, group "SkyChart Global Settings"
    int32_t starColor = 0;        // "Star Color"
    int32_t background = 0;       // "Background": 0 Black, 1 Dark Blue, 2 White
    int32_t lineColor = 0;        // "Line Color"
    int32_t starMode = 0;         // "Stars": 0 All, 1 Only Constellation, 2 Only default stars
    int32_t cardCatalog = 0;      // "Card Catalog"
    int32_t constLineSet = 0;     // "Const. Lines": 0 Classic, 1 Rey Lines
    int32_t eyepiece = 0;         // "Eyepiece": index into the user's eyepieces, 0 = none
    int32_t chartType = 0;        // "Chart Type" 0..4
    int32_t fontSize = 1;         // "Font Size": 0 Small, 1 Medium, 2 Large
    int32_t timeStep = 0;         // "Time Step", 18 rows
    int32_t cursor = 0;           // "Cursor": 0 Fix, 1 Blinking, 2 None
    // The chart's remembered zoom levels (0..13): "Horizon View" and every other type
    int32_t zoomLevelHorizon = 2;
    int32_t zoomLevelOther = 0;

    // Page 4, "SkyChart Zoom Settings": per field of view (row 0 = 180° .. row 9 = <10°)
    // the row of its star-limit list, of its object-limit list and the view (flip):
    // 0 normal, 1 vertical mirror, 2 both (turned by 180°), 3 horizontal mirror.
    std::array<int32_t, kZoomRowCount> zoomStarLimit{0, 0, 0, 0, 0, 1, 2, 3, 3, 2};
    std::array<int32_t, kZoomRowCount> zoomObjectLimit{2, 2, 2, 3, 4, 4, 4, 4, 5, 3};
    std::array<int32_t, kZoomRowCount> zoomFlip{};

    // Page 5, group "SkyCharts Display Settings"
    bool constNames = true;
    bool fovEyepiece = false;
    bool constLines = true;
    bool fovCcd = false;
    bool objNames = true;
    bool altAzGrid = false;
    bool objDrilldown = false;
    bool hideGrid = false;
    bool starsLegend = false;
    bool hideToolBar = false;
    bool starsSymbols = true;
    bool hideInfoBar = false;
    bool ecliptic = false;
    bool hideCompass = false;
    bool telrad = false;
    std::array<float, 3> telradRings{0.5f, 2.0f, 4.0f};  // "Telrad 1:".."Telrad 3:", degrees
    // Page 5, group "SkyCharts Scroll Settings" (what the chart draws while it moves)
    bool scrollMoreStars = false;
    bool scrollMoreObjects = false;
    bool scrollShowGrid = false;
    bool scrollStarsAsPixel = true;
    // Page 5, group "SkyCharts Display Settings", layers the chart draws only when asked
    bool milkyWay = false;            // the Milky Way's density levels as filled areas
    bool constBoundaries = false;     // the IAU constellation borders
    bool constFullNames = false;      // "Andromeda" for "And" at the widest fields (page 3)
    bool labelPriority = false;       // names placed by importance, none over another (page 3)
    bool objOutlines = false;         // clusters and nebulae drawn to their size (page 3)
    bool starNames = false;           // proper names beside the brightest stars
    // The CCD frame of the chart overlay
    int32_t ccdWidth = 1600;          // sensor pixels
    int32_t ccdHeight = 1200;
    int32_t ccdFocalLength = 1000;    // mm
    float ccdPixelSize = 5.0f;        // µm
    float ccdRotation = 0.0f;         // degrees, the frame turned on the chart

    // Page 6, group "Constants"
    float grsLongitude = 60.0f;       // "GRS Longitude", degrees (System II)
    int32_t deltaTFormula = 0;        // "DeltaT Formula"
    float deltaT = 66.184f;           // "Current DeltaT", seconds
    int32_t eqPlatformDelay = 0;      // "EQPlatForm Delay", minutes
    // Page 6, group "Output Formats"
    int32_t raFormat = 2;             // hour format code 0..3
    int32_t decFormat = 2;            // angle format code 0..3
    int32_t distFormat = 1;           // 0 parsec, 1 light year

    // Page 7, group "Url management"
    std::string cometUrl = "https://www.minorplanetcenter.net/iau/Ephemerides/Comets/Soft00Cmt.txt";
    std::string asteroidUrl =
        "https://www.minorplanetcenter.net/iau/Ephemerides/Bright/2010/Soft00Bright.txt";
    std::string iridiumUrl = "https://celestrak.org/NORAD/elements/iridium.txt";
    std::string satelliteUrl = "https://celestrak.org/NORAD/elements/visual.txt";
    std::string downloadDataUrl = "https://data.vespertar.org/data";

    // Kept between runs by other screens
    std::string userCatalogFile = "vespertar_user_catalog.pdb";
    int32_t defaultColorSet = 0;      // night mode: the colour set restored, 0 "2003", 1 "2005"
    int32_t currentSatellite = 0;     // index of the satellite form's current satellite
    int32_t satMinElevation = 0;      // index 0..10 into the minimum-elevation tables
    bool preciseFlares = false;
    int32_t satOldElementsDays = 14;  // element sets older than this (days) mark their passes
    int32_t satDeepSpace = 0;         // "Deep-space orbits": 0 "Near-Earth formulas", 1 "SDP4"
    SavedAlignment alignment;
    // Form 2300 shows the serial line's traffic instead of saying it is not done.
    bool monitorForm = false;

    bool operator==(const Preferences&) const = default;
};

}  // namespace vsp
