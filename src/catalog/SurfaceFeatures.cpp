#include "catalog/SurfaceFeatures.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "catalog/CatalogFiles.h"
#include "catalog/ProgramDataFiles.h"
#include "platform/ProgramDir.h"
#include "records/RecordFile.h"

namespace vsp {
namespace {

constexpr size_t kLatitudeOffset = 32, kLongitudeOffset = 36, kDiameterOffset = 40, kTypeOffset = 44;

// A name as the search compares it: lower case, and the accented letters of the code page as
// their plain letters, so that "angstrom" finds "Ångström".
std::string Folded(std::string_view text) {
    // 0xC0 .. 0xFF of Windows-1252; the two signs (x and the division sign) stay themselves.
    static constexpr char kPlain[] = "aaaaaaaceeeeiiiidnooooo\xd7ouuuuytsaaaaaaaceeeeiiiidnooooo\xf7ouuuuyty";
    static_assert(sizeof kPlain == 65);
    std::string out(text);
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xC0) c = kPlain[byte - 0xC0];
        else if (byte == 0x8A || byte == 0x9A) c = 's';
        else if (byte == 0x8E || byte == 0x9E) c = 'z';
        else c = char(std::tolower(byte));
    }
    return out;
}

bool Plausible(const SurfaceFeature& f) {
    return !f.name.empty() && std::fabs(f.latDeg) <= 90.0 && std::fabs(f.lonDeg) <= 180.0 &&
           std::isfinite(f.diameterKm) && f.diameterKm >= 0.0;
}

}  // namespace

std::vector<SurfaceFeature> DecodeSurfaceFeatures(const uint8_t* bytes, size_t size) {
    std::vector<SurfaceFeature> out;
    const size_t count = size / kFeatureRecordSize;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* record = bytes + i * kFeatureRecordSize;
        const auto* name = reinterpret_cast<const char*>(record);
        SurfaceFeature f;
        f.name.assign(name, strnlen(name, kFeatureNameSize));
        f.latDeg = ReadF32(record + kLatitudeOffset);
        f.lonDeg = ReadF32(record + kLongitudeOffset);
        f.diameterKm = ReadF32(record + kDiameterOffset);
        f.type.assign(reinterpret_cast<const char*>(record + kTypeOffset), 2);
        if (Plausible(f)) out.push_back(std::move(f));
    }
    return out;
}

bool ReadSurfaceFeatures(const ProgramDir& dir, InfoSink& messages, FeatureBody body,
                         std::vector<SurfaceFeature>& out, std::string& problem) {
    out.clear();
    const bool moon = body == FeatureBody::kMoon;
    const std::string name(moon ? kMoonFile : kMarsFile);
    CatalogDb db(dir, messages);
    std::vector<uint8_t> bytes;
    if (!db.Open(moon ? kMoonTypeCode : kMarsTypeCode, kCatalogCreatorCode, 0, std::string(kDataDir), name)) {
        problem = "Could not open " + name + " (run data build)";
        return false;
    }
    if (!db.ReadAll(bytes)) {
        problem = "Could not read " + name;
        return false;
    }
    out = DecodeSurfaceFeatures(bytes.data(), bytes.size());
    return true;
}

std::vector<const SurfaceFeature*> FindSurfaceFeatures(const std::vector<SurfaceFeature>& features,
                                                       std::string_view query) {
    std::vector<const SurfaceFeature*> exact, starting, containing;
    const std::string typed = Folded(query);
    if (typed.empty()) return exact;
    for (const SurfaceFeature& f : features) {
        const std::string name = Folded(f.name);
        const size_t at = name.find(typed);
        if (at == std::string::npos) continue;
        (at != 0 ? containing : name.size() == typed.size() ? exact : starting).push_back(&f);
    }
    if (exact.empty() && starting.empty()) return containing;
    exact.insert(exact.end(), starting.begin(), starting.end());
    return exact;
}

std::string FeatureTypeName(std::string_view code) {
    // The codes of the IAU's Gazetteer of Planetary Nomenclature found in the two files.
    static constexpr std::pair<std::string_view, std::string_view> kTypes[] = {
        {"AA", "Crater"},    {"AL", "Albedo feature"}, {"CA", "Catena"},   {"CB", "Cavus"},
        {"CH", "Chaos"},     {"CM", "Chasma"},         {"CO", "Collis"},   {"DO", "Dorsum"},
        {"FL", "Fluctus"},   {"FO", "Fossa"},          {"LA", "Labyrinthus"}, {"LB", "Labes"},
        {"LC", "Lacus"},     {"LF", "Landing site"},   {"LN", "Lingula"},  {"ME", "Mare"},
        {"MN", "Mensa"},     {"MO", "Mons"},           {"OC", "Oceanus"},  {"PA", "Palus"},
        {"PE", "Patera"},    {"PL", "Planitia"},       {"PM", "Planum"},   {"PR", "Promontorium"},
        {"RI", "Rima"},      {"RU", "Rupes"},          {"SC", "Scopulus"}, {"SE", "Serpens"},
        {"SF", "Satellite feature"}, {"SI", "Sinus"},  {"SU", "Sulcus"},   {"TA", "Terra"},
        {"TH", "Tholus"},    {"UN", "Unda"},           {"VA", "Vallis"},   {"VS", "Vastitas"}};
    for (const auto& [letters, name] : kTypes) {
        if (letters == code) return std::string(name);
    }
    return std::string(code);
}

}  // namespace vsp
