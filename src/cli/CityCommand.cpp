// `city FIND_TEXT [--count N]`: the cities of data/vespertar_cities.ppc whose names begin with
// the text, as the Location form's list finds them while the user types.

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "format/ZoneText.h"
#include "platform/Text.h"
#include "catalog/CityList.h"

namespace vsp::cli {
namespace {

struct CityArgs {
    std::string text;
    int count = 10;
};

// The cities from the first match on while their names still begin with `prefix`.
std::vector<std::pair<int32_t, CityEntry>> Matches(CityList& list, const std::string& prefix, int count) {
    std::vector<std::pair<int32_t, CityEntry>> found;
    CityEntry city;
    int32_t index = list.FindPrefix(prefix);
    while (index >= 0 && int(found.size()) < count && list.Read(index, city) && CityNameBegins(city.name, prefix)) {
        found.emplace_back(index, city);
        ++index;
    }
    return found;
}

// A stored float as the decimal degrees it was written from (a float holds 5 decimals of them).
double Degrees(float value) { return std::round(double(value) * 1e5) / 1e5; }

// Right-aligned in `width` characters.
std::string Column(const std::string& text, size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

int RunCity(CliContext& ctx, const CityArgs& args) {
    CityList list;
    if (!list.Open(ctx.Home())) {
        return JobFailed(ctx, "No city list: " + ctx.Home().Path(kDataDir, kCityFileName) +
                                  " (vespertar data build makes it from kstars-data)");
    }
    const std::string prefix = Utf8ToCp1252(args.text);
    const auto found = Matches(list, prefix, args.count);
    if (ctx.Json()) {
        nlohmann::json cities = nlohmann::json::array();
        for (const auto& [index, city] : found) {
            cities.push_back({{"index", index},
                              {"name", Cp1252ToUtf8(city.name)},
                              {"lat_deg", Degrees(city.latitude)},
                              {"lon_deg", -Degrees(city.longitude)},
                              {"elevation_m", city.elevation},
                              {"tz_minutes", city.tzOffset},
                              {"daylight", city.daylight}});
        }
        PrintJson(ctx, {{"cities", cities}});
        return kExitOk;
    }
    if (found.empty()) ctx.Out() << "No city name begins with \"" << args.text << "\"\n";
    size_t width = 0;
    for (const auto& entry : found) width = std::max(width, entry.second.name.size());
    for (const auto& [index, city] : found) {
        ctx.Out() << Cp1252ToUtf8(city.name) << std::string(width + 2 - city.name.size(), ' ')
                  << Column(Fixed(city.latitude, 4), 8) << "  " << Column(Fixed(-city.longitude, 4), 9) << "  UT"
                  << ZoneText(city.tzOffset)
                  << (city.daylight ? "  summer time" : "") << "\n";
    }
    return kExitOk;
}

}  // namespace

void AddCityCommand(CommandRegistry& registry) {
    auto args = std::make_shared<CityArgs>();
    CLI::App* city = registry.Add("city", "The cities of the location list whose names begin with a text",
                                  [args](CliContext& ctx) { return RunCity(ctx, *args); });
    city->add_option("FIND_TEXT", args->text, "the beginning of the name, case ignored")->required();
    city->add_option("--count", args->count, "how many cities at most (default 10)")
        ->type_name("N")
        ->check(CLI::Range(1, 10000));
    city->footer("Names are \"City, Province, Country\" or \"City, Country\", sorted without regard to case. Each "
                 "line: name, latitude (north positive), longitude (EAST positive), zone offset from UT and "
                 "whether summer time applies. --json: cities with index, name, lat_deg, lon_deg, elevation_m, "
                 "tz_minutes, daylight.");
}

}  // namespace vsp::cli
