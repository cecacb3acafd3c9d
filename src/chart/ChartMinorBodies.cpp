#include "chart/ChartMinorBodies.h"

#include <cmath>
#include <cstdio>

#include "ephemeris/KeplerOrbit.h"
#include "platform/Text.h"
#include "solarsystem/MinorBodyDatabase.h"

namespace vsp {
namespace {

bool DescribesOrbit(const MinorBodyElements& elements) {
    double position[3], velocity[3];
    return KeplerHeliocentric(elements.orbit, elements.orbit.epochJd, position, velocity) == 0;
}

ChartObject MinorBodyObject(const ChartMinorBody& body, int index) {
    ChartObject object;
    object.kind = kKindMinorBody;
    object.number = index;
    object.displayType = body.record.elements.kind == MinorBodyKind::Comet ? kDisplayComet : kDisplayMinorPlanet;
    object.raHours = body.place.raHours;
    object.decDeg = body.place.decDeg;
    // An unknown magnitude passes only "All", as the deep-sky table keeps it.
    const double magnitude = body.place.magnitude;
    object.magnitudeTenths = std::isfinite(magnitude) ? int32_t(std::lround(magnitude * 10.0)) : kUnknownMagnitudeTenths;
    object.positionAngle = float(body.place.tailAngleDeg);
    object.label = Utf8ToCp1252(MinorBodyLabel(body.record));
    object.designation = Utf8ToCp1252(body.record.designation);
    return object;
}

}  // namespace

bool LoadChartMinorBodies(const ProgramDir& dir, InfoSink& messages, std::vector<ChartMinorBody>& out) {
    out.clear();
    MinorBodies databases;
    const bool read = LoadMinorBodies(dir, messages, databases);
    for (auto* list : {&databases.comets, &databases.minorPlanets}) {
        for (MinorBodyRecord& record : *list) {
            if (DescribesOrbit(record.elements)) out.push_back(ChartMinorBody{std::move(record), {}});
        }
    }
    return read;
}

bool AppendMinorBodies(const CalendarDateTime& local, const EphemerisSettings& settings,
                       std::vector<ChartMinorBody>& bodies, std::vector<ChartObject>& objects) {
    const Instant when = LocalInstant(local, settings);
    std::vector<MinorBodyPosition> places(bodies.size());
    for (size_t i = 0; i < bodies.size(); ++i) {
        if (ComputeMinorBody(places[i], bodies[i].record.elements, when, settings) != 0) return false;
    }
    objects.reserve(objects.size() + bodies.size());
    for (size_t i = 0; i < bodies.size(); ++i) {
        bodies[i].place = places[i];
        objects.push_back(MinorBodyObject(bodies[i], int(i)));
    }
    return true;
}

std::string ElementAgeText(double elementAgeDays) {
    char text[48];
    const long days = std::lround(std::fabs(elementAgeDays));
    const char* unit = days == 1 ? "day" : "days";
    std::snprintf(text, sizeof text, "Elements %ld %s %s", days, unit, elementAgeDays < 0.0 && days > 0 ? "ahead" : "old");
    return text;
}

}  // namespace vsp
