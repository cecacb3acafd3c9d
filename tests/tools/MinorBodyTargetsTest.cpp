// A comet's list entry made at one time and moved to another by the databases: found by its
// designation in a database of another order, at PyEphem's altitude for the new time
// (tests/data/tools/minor_plan.csv: London, 1997-04-01 20:00 UT).

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "solarsystem/MpcElementLines.h"
#include "support/EphemerisCsv.h"
#include "tools/MinorBodyTargets.h"
#include "tools/PlannerSky.h"

namespace vsp {
namespace {

std::vector<MinorBodyRecord> CometsOfTheFixture() {
    std::vector<MinorBodyRecord> comets;
    std::ifstream in(std::string(VESPERTAR_TEST_DATA) + "/solarsystem/element_lines.txt");
    std::string line, reason;
    while (std::getline(in, line)) {
        MinorBodyRecord record;
        if (RecogniseElementLine(line) == ElementLineFormat::Comet && ReadCometLine(line, record, reason))
            comets.push_back(record);
    }
    return comets;
}

TEST(MinorBodyTargets, AnEntryMovesToItsPlaceAtAnotherTimeWhateverTheDatabasesOrder) {
    EphemerisSettings settings;
    settings.location = {51.5, 0.0, 0.0, 0};
    const Instant then = LocalInstant({1997, 3, 1, 20, 0, 0}, settings);
    MinorBodies bodies;
    bodies.comets = CometsOfTheFixture();
    ObservingList list;
    for (const MinorBodyRecord& comet : bodies.comets) {
        MinorBodyPlace place;
        ASSERT_TRUE(MinorBodyPlaceAt(comet, then, settings, place));
        list.Add(MinorBodyListEntry(comet, place, 0));
    }
    ListEntry gone = list.Entries()[0];
    gone.designation = "C/1900 A1";
    list.Add(gone);
    ASSERT_EQ(list.Count(), 6);
    std::reverse(bodies.comets.begin(), bodies.comets.end());  // a new import's order

    const CalendarDateTime now{1997, 4, 1, 20, 0, 0};
    const ObservingList moved = MinorEntriesAt(list, bodies, LocalInstant(now, settings), settings);
    const PlannerSky sky = MakePlannerSky(now, settings.location);
    const auto table = test::bodies::ReadEphemerisCsv("minor_plan.csv", "tools");
    int compared = 0;
    for (size_t i = 0; i < 5; ++i) {
        const ListEntry& e = moved.Entries()[i];
        for (const auto& row : table->rows) {
            if (row.Text("designation") != e.designation) continue;
            EXPECT_NEAR(AltitudeDegrees(sky, e.ra, e.dec), row.Number("alt_deg"), 0.05) << e.designation;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 5);
    EXPECT_EQ(moved.Entries().back(), gone);  // no longer in the databases: as it was
}

}  // namespace
}  // namespace vsp
