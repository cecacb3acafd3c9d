// The planner's sources that are not deep-sky records: the Sun, Moon and planets of the
// instant, the constellations, the meteor showers and the named bright stars.

#include <string>

#include "catalog/CatalogTable.h"
#include "catalog/ConstellationOfPosition.h"
#include "catalog/ConstellationTable.h"
#include "catalog/ObjectTypeTable.h"
#include "catalog/StarAngle.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "tools/MeteorShowers.h"
#include "tools/PlannerRun.h"

namespace vsp {
namespace {

constexpr int kPlanetListSize = 10;  // the Sun, the Moon, Mercury .. Pluto by body code
constexpr int kNameCut = 14;
constexpr float kConstellationMagnitude = 0.1f;
constexpr float kShowerMagnitude = 3.0f;
constexpr float kShowerSize = 1200.0f;
constexpr int16_t kTypeStar = 30;  // "1STAR"
constexpr std::string_view kBrightStarsMissing = "Could not find vespertar_brightstar.ppc catalog.";

int16_t ConstellationAt(double raJ2000, double decJ2000) {
    return int16_t(ConstellationOfPosition(raJ2000, decJ2000, kJ2000Jd));
}

}  // namespace

void SearchPlanets(PlannerRun& run) {
    const SelectionCriteria& c = run.Criteria();
    if ((c.objectType != 0 && c.objectType != kTypePlanet) || (c.catalog != 0 && c.catalog != kCatalogPlanet) ||
        c.typeGroup == kGroupStar)
        return;
    run.Progress("Checking Planets");
    const EphemerisSettings& settings = run.Context().ephemeris;
    const Instant when = LocalInstant(run.When(), settings);
    for (int code = 0; code < kPlanetListSize; ++code) {
        BodyPosition body;
        if (ComputeBody(body, code, when, settings) != kEphemerisOk) continue;
        const SkyPlace place = PlaceOfJ2000(run.Setup().sky, body.rightAscension, body.declination);
        Candidate candidate{kCatalogPlanet, kTypePlanet, ConstellationAt(place.raHours, place.decDeg),
                            place.raHours, place.decDeg, float(body.magnitude), float(body.diameter),
                            float(body.diameter)};
        ListEntry entry = EntryOfCandidate(candidate, BodyTitleName(code), code, kEntryPlanet);
        entry.listNumber = int16_t(code);
        entry.sourceIndex = code;
        if (!run.Offer(candidate, entry)) return;
    }
}

void SearchConstellations(PlannerRun& run) {
    const SelectionCriteria& c = run.Criteria();
    if (c.catalog != kCatalogConstellation && c.objectType != kTypeConstellation) return;
    run.Progress("Checking Constellation");
    for (int row = 0; row < kConstellationCount; ++row) {
        const ConstellationEntry& constellation = ConstellationTable()[size_t(row)];
        Candidate candidate{kCatalogConstellation, kTypeConstellation, int16_t(row),
                            constellation.labelRaMilliHours / 1000.0, constellation.labelDecCentiDegrees / 100.0,
                            kConstellationMagnitude, 0.0f, 0.0f};
        ListEntry entry = EntryOfCandidate(candidate, ConstellationName(constellation).substr(0, kNameCut), row,
                                           kEntryConstellation);
        entry.sourceIndex = row;
        if (!run.Offer(candidate, entry)) return;
    }
}

void SearchMeteorShowers(PlannerRun& run) {
    const SelectionCriteria& c = run.Criteria();
    if (c.catalog != kCatalogMeteor && c.objectType != kTypeMeteor) return;
    run.Progress("Checking Meteor Showers");
    for (int row = 0; row < kMeteorShowerCount; ++row) {
        const MeteorShower& shower = MeteorShowerTable()[size_t(row)];
        const double ra = shower.radiantRaCentiHours * 0.01, dec = shower.radiantDecDeg;
        Candidate candidate{kCatalogMeteor, kTypeMeteor, ConstellationAt(ra, dec), ra, dec, kShowerMagnitude,
                            kShowerSize, kShowerSize};
        ListEntry entry = EntryOfCandidate(candidate, MeteorShowerName(shower).substr(0, kNameCut), row,
                                           kEntryMeteorShower);
        entry.sourceIndex = row;
        if (!run.Offer(candidate, entry)) return;
    }
}

void SearchBrightStars(PlannerRun& run) {
    const SelectionCriteria& c = run.Criteria();
    if (c.catalog != kCatalogBrightStars || c.objectType != 0) return;
    run.SetObjectType(kTypeStar);
    run.Progress("Checking Bright Stars");
    CatalogSession& sky = run.Context().sky;
    const int count = sky.stars.BrightStarCount();
    if (count <= 0 || !CatalogSessionNeedStars(sky, run.Context().prefs.constLineSet)) {
        run.Context().messages.InfoBox(kBrightStarsMissing, "");
        return;
    }
    const std::vector<StarRecord>& stars = sky.stars.DefaultStars();
    for (int i = 0; i < count; ++i) {
        BrightStarRecord named;
        if (!sky.stars.ReadBrightStar(i, named) || named.starIndex < 0 ||
            named.starIndex >= sky.stars.DefaultStarsRead())
            continue;
        const StarRecord& star = stars[size_t(named.starIndex)];
        const double ra = AngleToHours(star.ra), dec = AngleToDegrees(star.dec);
        Candidate candidate{kCatalogBrightStars, kTypeStar, ConstellationAt(ra, dec), ra, dec,
                            float(star.magnitude / 16.0), 0.0f, 0.0f};
        ListEntry entry = EntryOfCandidate(candidate, named.name, star.number, kEntryBrightStar);
        entry.sourceIndex = named.starIndex;
        if (!run.Offer(candidate, entry)) return;
    }
}

}  // namespace vsp
