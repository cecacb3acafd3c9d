#pragma once
// The comets and minor planets of the user's databases (usercatalogs/, LoadMinorBodies) as the
// chart shows them: each one's apparent place of date in the settings' chart mode, computed
// once per chart instant (a redraw or a pan only projects it), with what a tap reports about
// it. They join the object table after the Sun, the Moon and the planets, so that a selection
// survives a new instant the way a body's does.
#include <string>
#include <vector>

#include "chart/ChartObjects.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/MinorBodyPosition.h"
#include "ephemeris/Time.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "solarsystem/MinorBodyRecord.h"

namespace vsp {

struct ChartMinorBody {
    MinorBodyRecord record;
    MinorBodyPosition place;  // at the chart's instant; RA and Dec of date, distances in AU
};

// Both databases, comets first, in place of what `out` held; records whose elements describe
// no orbit are left out. False with the message of a file that cannot be read.
bool LoadChartMinorBodies(const ProgramDir& dir, InfoSink& messages, std::vector<ChartMinorBody>& out);

// Every body's place at a local clock time, and its entry in `objects` (kind kKindMinorBody,
// number its index in `bodies`, display type kTypeComet or kTypeMinorPlanet, label as
// MinorBodyLabel gives it in the device code page), appended in the order of `bodies`. False
// when the instant lies outside the ephemeris (nothing appended).
bool AppendMinorBodies(const CalendarDateTime& local, const EphemerisSettings& settings,
                       std::vector<ChartMinorBody>& bodies, std::vector<ChartObject>& objects);

// "Elements 12 days old": how far the chart's instant lies from the elements' epoch, in whole
// days either side (two-body places drift as the two part).
std::string ElementAgeText(double elementAgeDays);

}  // namespace vsp
