#include "shell/PreferenceStore.h"

#include "platform/UserFilesLock.h"
#include "shell/AppState.h"
#include "shell/InfoBox.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <type_traits>

namespace vsp {

namespace {

constexpr int32_t kSiteNameField = kSiteNameLength + 1;
constexpr int32_t kCatalogFileNameField = kCatalogFileNameLength + 1;

// The record layout, written once for all three uses: an `Io` visits every field in order
// with its name and width, and the running offset makes the layout. Version 1:
//   0 u32 record size, 4 u32 layout version,
//   8 current site, then sites 1..3 (60 bytes each: name 32, latitude f32, longitude (west)
//     f32, elevation i32, offset i16, daylight i16, temperature f32, pressure f32,
//     humidity f32),
//   248 saved date and time (5 x i16), 258 start form,
//   262 page 1 (12 x i32), 310 page 2, 354 page 3 with the two zoom levels,
//   406 page 4 (per field of view: stars, objects, view), 526 page 5 (15 flag bytes, three
//   Telrad f32, four scroll flag bytes, CCD width, height, focal length), 569 page 6,
//   597 page 7 (five 128-byte addresses, no NUL when full), 1237 user catalog file (64),
//   1301 night colour set, current satellite, minimum elevation, precise-flare byte,
//   1314 saved alignment (two 128-byte star records, JD f64, two i32 zero offsets),
//   1586 CRC-32 of bytes 0..1585.
template <class Io, class P>
void VisitSite(Io& io, const std::string& prefix, P& site) {
    io.Text(prefix.empty() ? "site_name" : prefix + "name", site.name, kSiteNameField);
    io.F32(prefix + "latitude_deg", site.latitude);
    io.F32(prefix + "longitude_west_deg", site.longitude);
    io.I32(prefix + "elevation_m", site.elevation);
    io.I16(prefix + "tz_offset_min", site.tzOffset);
    io.I16(prefix + "daylight_saving", site.daylight);
    io.F32(prefix + "temperature_c", site.temperature);
    io.F32(prefix + "pressure_mbar", site.pressure);
    io.F32(prefix + "humidity_pct", site.humidity);
}

template <class Io, class P>
void VisitPages1To3(Io& io, P& p) {
    io.I32("scope_drive", p.scopeDrive);
    io.I32("link_mode", p.linkMode);
    io.I32("az_steps", p.azSteps);
    io.I32("alt_steps", p.altSteps);
    io.I32("scope_port", p.scopePort);
    io.I32("gps_port", p.gpsPort);
    io.I32("camera_port", p.cameraPort);
    io.I32("correction", p.correction);
    io.I32("align_method", p.alignMethod);
    io.I32("horizon", p.horizon);
    io.I32("scope_output_type", p.scopeOutputType);
    io.I32("send_delay", p.sendDelay);

    io.I32("experience", p.experience);
    io.I32("age", p.age);
    io.I32("vision", p.vision);
    io.I32("diameter", p.diameter);
    io.I32("diameter_other_mm", p.diameterOther);
    io.I32("f_ratio", p.fRatio);
    io.F32("f_ratio_other", p.fRatioOther);
    io.I32("mount_type", p.mountType);
    io.I32("max_selected", p.maxSelected);
    io.I32("time_update", p.timeUpdate);
    io.I32("night_mode", p.nightLevel);

    io.I32("star_color", p.starColor);
    io.I32("background", p.background);
    io.I32("line_color", p.lineColor);
    io.I32("star_mode", p.starMode);
    io.I32("card_catalog", p.cardCatalog);
    io.I32("const_line_set", p.constLineSet);
    io.I32("eyepiece", p.eyepiece);
    io.I32("chart_type", p.chartType);
    io.I32("font_size", p.fontSize);
    io.I32("time_step", p.timeStep);
    io.I32("cursor", p.cursor);
    io.I32("zoom_level_horizon", p.zoomLevelHorizon);
    io.I32("zoom_level_other", p.zoomLevelOther);
}

template <class Io, class P>
void VisitPages4To7(Io& io, P& p) {
    static const char* const kFov[kZoomRowCount] = {"180", "150", "120", "90", "60",
                                                    "45",  "30",  "20",  "10", "lt10"};
    for (size_t i = 0; i < size_t(kZoomRowCount); ++i) {
        const std::string key = std::string("zoom_") + kFov[i];
        io.I32(key + "_stars", p.zoomStarLimit[i]);
        io.I32(key + "_objects", p.zoomObjectLimit[i]);
        io.I32(key + "_view", p.zoomFlip[i]);
    }

    io.Flag("const_names", p.constNames);
    io.Flag("fov_eyepiece", p.fovEyepiece);
    io.Flag("const_lines", p.constLines);
    io.Flag("fov_ccd", p.fovCcd);
    io.Flag("obj_names", p.objNames);
    io.Flag("alt_az_grid", p.altAzGrid);
    io.Flag("obj_drilldown", p.objDrilldown);
    io.Flag("hide_grid", p.hideGrid);
    io.Flag("stars_legend", p.starsLegend);
    io.Flag("hide_toolbar", p.hideToolBar);
    io.Flag("stars_symbols", p.starsSymbols);
    io.Flag("hide_infobar", p.hideInfoBar);
    io.Flag("ecliptic", p.ecliptic);
    io.Flag("hide_compass", p.hideCompass);
    io.Flag("telrad", p.telrad);
    io.F32("telrad1_deg", p.telradRings[0]);
    io.F32("telrad2_deg", p.telradRings[1]);
    io.F32("telrad3_deg", p.telradRings[2]);
    io.Flag("scroll_more_stars", p.scrollMoreStars);
    io.Flag("scroll_more_objects", p.scrollMoreObjects);
    io.Flag("scroll_show_grid", p.scrollShowGrid);
    io.Flag("scroll_stars_as_pixel", p.scrollStarsAsPixel);
    io.I32("ccd_width_px", p.ccdWidth);
    io.I32("ccd_height_px", p.ccdHeight);
    io.I32("ccd_focal_length_mm", p.ccdFocalLength);

    io.F32("grs_longitude_deg", p.grsLongitude);
    io.I32("delta_t_formula", p.deltaTFormula);
    io.F32("delta_t_s", p.deltaT);
    io.I32("eq_platform_delay_min", p.eqPlatformDelay);
    io.I32("ra_format", p.raFormat);
    io.I32("dec_format", p.decFormat);
    io.I32("dist_format", p.distFormat);

    io.Text("comet_url", p.cometUrl, kUrlLength);
    io.Text("asteroid_url", p.asteroidUrl, kUrlLength);
    io.Text("iridium_url", p.iridiumUrl, kUrlLength);
    io.Text("satellite_url", p.satelliteUrl, kUrlLength);
    io.Text("download_data_url", p.downloadDataUrl, kUrlLength);
}

template <class Io, class P>
void VisitRecord(Io& io, P& p) {
    io.Header();
    VisitSite(io, "", p.site);
    for (size_t i = 0; i < size_t(kStoredSiteCount); ++i)
        VisitSite(io, "site" + std::to_string(i + 1) + "_", p.storedSites[i]);
    io.I16("saved_year", p.savedDateTime.year);
    io.I16("saved_month", p.savedDateTime.month);
    io.I16("saved_day", p.savedDateTime.day);
    io.I16("saved_hour", p.savedDateTime.hour);
    io.I16("saved_minute", p.savedDateTime.minute);
    io.I32("start_form", p.startForm);
    VisitPages1To3(io, p);
    VisitPages4To7(io, p);
    io.Text("user_catalog_file", p.userCatalogFile, kCatalogFileNameField);
    io.I32("default_colors", p.defaultColorSet);
    io.I32("current_satellite", p.currentSatellite);
    io.I32("sat_min_elevation", p.satMinElevation);
    io.Flag("precise_flares", p.preciseFlares);
    io.Star("align_star1_", p.alignment.star1);
    io.Star("align_star2_", p.alignment.star2);
    io.F64("align_jd", p.alignment.julianDate);
    io.I32("align_zero_offset_az", p.alignment.zeroOffsetAz);
    io.I32("align_zero_offset_alt", p.alignment.zeroOffsetAlt);
}

class Encoder {
public:
    explicit Encoder(uint8_t* out) : out_(out) {}
    void Header() {
        WriteU32(out_, uint32_t(kPreferencesRecordSize));
        WriteU32(out_ + 4, kPreferencesLayoutVersion);
        at_ = 8;
    }
    void I16(const std::string&, int16_t v) { WriteI16(Take(2), v); }
    void I32(const std::string&, int32_t v) { WriteI32(Take(4), v); }
    void F32(const std::string&, float v) { WriteF32(Take(4), v); }
    void F64(const std::string&, double v) { WriteF64(Take(8), v); }
    void Flag(const std::string&, bool v) { *Take(1) = v ? 1 : 0; }
    void Text(const std::string&, const std::string& v, int32_t width) {
        uint8_t* p = Take(width);
        std::memcpy(p, v.data(), std::min(v.size(), size_t(width)));
    }
    void Star(const std::string&, const AlignStarBytes& v) {
        std::memcpy(Take(kAlignStarRecordSize), v.data(), v.size());
    }
    int32_t End() const { return at_; }

private:
    uint8_t* Take(int32_t width) {
        uint8_t* p = out_ + at_;
        at_ += width;
        return p;
    }
    uint8_t* out_;
    int32_t at_ = 0;
};

class Decoder {
public:
    explicit Decoder(const uint8_t* in) : in_(in) {}
    void Header() { at_ = 8; }
    void I16(const std::string&, int16_t& v) { v = ReadI16(Take(2)); }
    void I32(const std::string&, int32_t& v) { v = ReadI32(Take(4)); }
    void F32(const std::string&, float& v) { v = ReadF32(Take(4)); }
    void F64(const std::string&, double& v) { v = ReadF64(Take(8)); }
    void Flag(const std::string&, bool& v) {
        const uint8_t b = *Take(1);
        if (b <= 1) v = b == 1;  // any other byte keeps the default
    }
    void Text(const std::string&, std::string& v, int32_t width) {
        const uint8_t* p = Take(width);
        const auto* end = static_cast<const uint8_t*>(std::memchr(p, 0, size_t(width)));
        v.assign(reinterpret_cast<const char*>(p), end ? size_t(end - p) : size_t(width));
    }
    void Star(const std::string&, AlignStarBytes& v) {
        std::memcpy(v.data(), Take(kAlignStarRecordSize), v.size());
    }

private:
    const uint8_t* Take(int32_t width) {
        const uint8_t* p = in_ + at_;
        at_ += width;
        return p;
    }
    const uint8_t* in_;
    int32_t at_ = 0;
};

class FieldCollector {
public:
    void Header() {
        Add("record_size", FieldType::U32, 4);
        Add("layout_version", FieldType::U32, 4);
    }
    template <class T>
    void I16(const std::string& name, const T&) { Add(name, FieldType::I16, 2); }
    template <class T>
    void I32(const std::string& name, const T&) { Add(name, FieldType::I32, 4); }
    template <class T>
    void F32(const std::string& name, const T&) { Add(name, FieldType::F32, 4); }
    template <class T>
    void F64(const std::string& name, const T&) { Add(name, FieldType::F64, 8); }
    template <class T>
    void Flag(const std::string& name, const T&) { Add(name, FieldType::U8, 1); }
    template <class T>
    void Text(const std::string& name, const T&, int32_t width) { Add(name, FieldType::Text, width); }
    // The alignment star record, field by field as the two-star alignment lays it out.
    template <class T>
    void Star(const std::string& prefix, const T&) {
        Add(prefix + "index", FieldType::I32, 4);
        Add(prefix + "name", FieldType::Text, 20);
        for (const char* name : {"clock_angle_deg", "ra_deg", "dec_deg", "axis1_deg", "axis2_deg",
                                 "predicted_axis1", "predicted_axis2", "measured_axis1",
                                 "measured_axis2"})
            Add(prefix + name, FieldType::F64, 8);
        Add(prefix + "spare", FieldType::Text, 32);
    }
    std::vector<RecordField> fields;
    int32_t at = 0;

private:
    void Add(const std::string& name, FieldType type, int32_t width) {
        fields.push_back(RecordField{name, at, type, type == FieldType::Text ? width : 0});
        at += width;
    }
};

constexpr int32_t kCrcOffset = kPreferencesRecordSize - 4;

// CRC-32/ISO-HDLC (reflected, polynomial 0xEDB88320), zlib's own.
uint32_t RecordCrc(const uint8_t* record) {
    return uint32_t(::crc32(0L, record, uInt(kCrcOffset)));
}

// The visitor's own idea of where the CRC goes; must agree with kPreferencesRecordSize.
int32_t VisitedPayloadSize() {
    static const int32_t size = [] {
        FieldCollector collector;
        const Preferences prefs;
        VisitRecord(collector, prefs);
        return collector.at;
    }();
    return size;
}

PreferenceLoadResult Failure(PreferenceFileStatus status, Preferences& prefs) {
    prefs = Preferences{};
    PreferenceLoadResult result;
    result.status = status;
    switch (status) {
        case PreferenceFileStatus::Missing:
            break;
        case PreferenceFileStatus::NewerVersion:
            result.message = "Settings file is from a newer version; the defaults are used.";
            break;
        case PreferenceFileStatus::Unreadable:
            result.message = "Settings file cannot be read; the defaults are used.";
            break;
        default:
            result.message = "Settings file is damaged; the defaults are used.";
            break;
    }
    return result;
}

bool ReadHeaderBytes(const std::string& path, uint8_t (&header)[kRecordHeaderSize]) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (!stream) return false;
    const bool ok = std::fread(header, 1, sizeof header, stream) == sizeof header;
    std::fclose(stream);
    return ok;
}

}  // namespace

std::vector<uint8_t> EncodePreferences(const Preferences& prefs) {
    std::vector<uint8_t> record(size_t(kPreferencesRecordSize), 0);
    if (VisitedPayloadSize() != kCrcOffset) return {};  // layout and size disagree: write nothing
    Encoder encoder(record.data());
    VisitRecord(encoder, prefs);
    WriteU32(record.data() + kCrcOffset, RecordCrc(record.data()));
    return record;
}

bool DecodePreferences(const uint8_t* record, size_t length, Preferences& prefs) {
    if (!record || length < size_t(kPreferencesRecordSize)) return false;
    if (VisitedPayloadSize() != kCrcOffset) return false;
    if (ReadU32(record) != uint32_t(kPreferencesRecordSize)) return false;
    if (ReadU32(record + 4) != kPreferencesLayoutVersion) return false;
    if (ReadU32(record + kCrcOffset) != RecordCrc(record)) return false;
    Preferences decoded;
    Decoder decoder(record);
    VisitRecord(decoder, decoded);
    prefs = std::move(decoded);
    return true;
}

PreferenceLoadResult ReadPreferences(const ProgramDir& dir, Preferences& prefs) {
    const std::string relative = (std::filesystem::path(kUserCatalogsDir) / kPreferencesFileName).string();
    const std::string path = dir.Path(relative);
    std::error_code error;
    if (!FileExists(path)) {
        return Failure(std::filesystem::is_directory(path, error) ? PreferenceFileStatus::Unreadable
                                                                  : PreferenceFileStatus::Missing,
                       prefs);
    }
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return Failure(PreferenceFileStatus::Unreadable, prefs);
    if (size < uintmax_t(kRecordHeaderSize)) return Failure(PreferenceFileStatus::Truncated, prefs);

    // The header is judged before the record layer sees it: a damaged header must not make
    // it set up a record buffer of whatever size the bytes happen to say.
    uint8_t header[kRecordHeaderSize];
    if (!ReadHeaderBytes(path, header)) return Failure(PreferenceFileStatus::Unreadable, prefs);
    if (ReadU32(header + 4) != kPreferencesTag) return Failure(PreferenceFileStatus::WrongTag, prefs);
    const uint32_t version = ReadU32(header);
    if (version > kPreferencesLayoutVersion) return Failure(PreferenceFileStatus::NewerVersion, prefs);
    if (version != kPreferencesLayoutVersion || ReadI32(header + 12) != kPreferencesRecordSize ||
        ReadI32(header + 8) < 1)
        return Failure(PreferenceFileStatus::Damaged, prefs);
    if (size < uintmax_t(kRecordHeaderSize + kPreferencesRecordSize))
        return Failure(PreferenceFileStatus::Truncated, prefs);

    RecordFileHandle file;
    if (!RecordFileOpen(dir, relative, RecordFileMode::ReadOnly, file))
        return Failure(PreferenceFileStatus::Unreadable, prefs);
    const uint8_t* record = nullptr;
    if (!RecordFileRead(file.get(), 0, record))
        return Failure(PreferenceFileStatus::Truncated, prefs);
    if (ReadU32(record) != uint32_t(kPreferencesRecordSize) ||
        ReadU32(record + 4) != kPreferencesLayoutVersion)
        return Failure(PreferenceFileStatus::Damaged, prefs);
    if (!DecodePreferences(record, file->buffer.size(), prefs))
        return Failure(PreferenceFileStatus::BadChecksum, prefs);
    return PreferenceLoadResult{PreferenceFileStatus::Loaded, {}, 0};
}

bool SavePreferences(const ProgramDir& dir, const Preferences& prefs) {
    const std::vector<uint8_t> record = EncodePreferences(prefs);
    if (record.empty() || !MakeDirectory(dir.Path(kUserCatalogsDir))) return false;
    const RecordHeader header{kPreferencesLayoutVersion, kPreferencesTag, 1, kPreferencesRecordSize};
    return RecordFileWriteWhole(dir.Path(kUserCatalogsDir, kPreferencesFileName), header,
                                std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
}

RecordLayout PreferenceRecordLayout() {
    FieldCollector collector;
    const Preferences prefs;
    VisitRecord(collector, prefs);
    collector.fields.push_back(RecordField{"crc32", collector.at, FieldType::U32, 0});
    RecordLayout layout;
    layout.name = "settings";
    layout.recordSize = kPreferencesRecordSize;
    layout.filePattern = kPreferencesFileName;
    layout.headerTag = kPreferencesTag;
    layout.fields = std::move(collector.fields);
    return layout;
}

void RegisterPreferenceLayouts(RecordLayoutRegistry& registry) {
    registry.Add(PreferenceRecordLayout());
}

bool SaveSettings(AppState& state) {
    UserFilesLock lock;
    if (!LockUserFiles(state.dir, state.info, lock)) return false;
    if (SavePreferences(state.dir, state.prefs)) return true;
    InfoBox(state, kSettingsNotSaved, "");
    return false;
}

}  // namespace vsp
