#include "tools/ListWordTargets.h"

#include "catalog/Designation.h"
#include "catalog/ListTargets.h"
#include "catalog/StarLookup.h"
#include "ephemeris/ComputeBody.h"
#include "platform/Text.h"
#include "tools/MinorBodyTargets.h"

namespace vsp {
namespace {

// The Sun, the Moon or a planet by its name, placed for the observing time.
std::optional<ListEntry> BodyEntry(const ListWordPlace& place, const std::string& word) {
    for (int code = kBodySun; code <= kBodyPluto; ++code) {
        if (Lower(word) != BodyName(code)) continue;
        const EphemerisSettings& settings = place.settings;
        const Instant when = LocalInstant(place.observingTime, settings);
        BodyPosition position;
        if (ComputeBody(position, code, when, settings) != kEphemerisOk) return std::nullopt;
        return BodyListEntry(code, position, when.tt);
    }
    return std::nullopt;
}

// A comet or minor planet of the databases, placed for the observing time; nullopt when the
// word names none, and `problem` set when it names several.
std::optional<ListEntry> MinorBodyEntry(const ListWordPlace& place, const std::string& word, std::string& problem) {
    const EphemerisSettings& settings = place.settings;
    ListEntry entry;
    std::vector<std::string> candidates;
    switch (LookUpMinorBodyEntry(place.dir, place.messages, word, LocalInstant(place.observingTime, settings), settings,
                                 entry, candidates)) {
        case MinorBodyLookup::Found: return entry;
        case MinorBodyLookup::Ambiguous: {
            std::string names;
            for (const std::string& name : candidates) names += (names.empty() ? "" : ", ") + name;
            problem = "more than one comet or minor planet is " + word + ": " + names;
            return std::nullopt;
        }
        case MinorBodyLookup::NotFound: break;
    }
    return std::nullopt;
}

// "M 31" as the program types it, "M31"; designations such as "C/2023 A3" are tried as written too.
// A star goes by its proper name first: "Vega" is the star `list add Vega` gives.
std::vector<std::string> Candidates(const ExchangedEntry& entry) {
    std::vector<std::string> words;
    const bool star = ObjectTypeShortCode(entry.type).ends_with("STAR");
    if (star && !entry.name.empty()) words.push_back(Cp1252ToUtf8(entry.name));
    for (const std::string& designation : entry.designations) {
        std::string compact;
        for (char c : designation)
            if (c != ' ') compact += c;
        words.push_back(Cp1252ToUtf8(compact));
        if (compact != designation) words.push_back(Cp1252ToUtf8(designation));
    }
    if (!star && !entry.name.empty()) words.push_back(Cp1252ToUtf8(entry.name));
    return words;
}

std::optional<ListEntry> Found(const ListWordPlace& place, ObjectCatalogs& catalogs, const ExchangedEntry& entry) {
    std::string problem;
    for (const std::string& word : Candidates(entry))
        if (auto found = FindListWord(place, catalogs, word, problem)) return found;
    return std::nullopt;
}

}  // namespace

std::optional<ListEntry> FindListWord(const ListWordPlace& place, ObjectCatalogs& catalogs, const std::string& word,
                                       std::string& problem) {
    problem.clear();
    if (auto body = BodyEntry(place, word)) return body;
    const std::string narrow = Utf8ToCp1252(word);
    int32_t catalog = 0, number = 0;
    ListEntry entry;
    if (DesignationParse(catalogs.Table(), narrow, catalog, number)) {
        const ListTargetSearch search = FindListTarget(catalogs.Session(), place.messages, catalog, number, entry, problem);
        if (search == ListTargetSearch::Found) return entry;
        if (search == ListTargetSearch::NoCatalog) problem.clear();
        return std::nullopt;
    }
    FoundStar star;
    CatalogSession& sky = catalogs.Session();
    if (FindStarByName(sky.stars, sky.dir, place.messages, narrow, star, problem) == StarSearch::Found &&
        star.hrNumber > 0)
        return StarListEntry(star, kCatalogHr, star.hrNumber);
    problem.clear();
    if (auto minor = MinorBodyEntry(place, word, problem)) return minor;
    if (problem.empty())
        problem = "not a designation, a planet, a bright star's, a comet's or a minor planet's name: " + word;
    return std::nullopt;
}


std::vector<std::optional<ListEntry>> FindExchangedEntries(const ListWordPlace& place, ObjectCatalogs& catalogs,
                                                           const std::vector<ExchangedEntry>& entries) {
    std::vector<std::optional<ListEntry>> found;
    for (const ExchangedEntry& entry : entries) found.push_back(Found(place, catalogs, entry));
    return found;
}

std::string ExchangedEntryLabel(const ExchangedEntry& entry) {
    return Cp1252ToUtf8(entry.name.empty() ? entry.designations.front() : entry.name);
}

}  // namespace vsp
