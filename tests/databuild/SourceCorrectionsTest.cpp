#include <gtest/gtest.h>

#include "databuild/SourceCorrections.h"

namespace vsp::databuild {
namespace {

LocalGroupObject Cluster(const char* id, double decDeg) {
    LocalGroupObject object;
    object.id = id;
    object.decDeg = decDeg;
    return object;
}

// Harris (2010): Pal 5 at -0°06'41", Pal 15 at -0°32'31"; d3-celestial 0.7.35 prints +0.1114
// and +0.5419.
TEST(SourceCorrections, RestoresTheLostSignsAndLeavesEverythingElse) {
    std::vector<LocalGroupObject> objects = {Cluster("Palomar5", 0.1114), Cluster("Palomar15", 0.5419),
                                             Cluster("Palomar14", 14.9578), Cluster("Terzan5", 0.1114)};
    std::vector<std::string> notes;
    CorrectLocalGroupSigns(objects, notes);
    EXPECT_NEAR(objects[0].decDeg, -0.11139, 1e-4);
    EXPECT_NEAR(objects[1].decDeg, -0.54194, 1e-4);
    EXPECT_DOUBLE_EQ(objects[2].decDeg, 14.9578);
    EXPECT_DOUBLE_EQ(objects[3].decDeg, 0.1114);
    EXPECT_EQ(notes.size(), 2u);

    // A package that has them right already is not touched again.
    notes.clear();
    CorrectLocalGroupSigns(objects, notes);
    EXPECT_NEAR(objects[0].decDeg, -0.11139, 1e-4);
    EXPECT_TRUE(notes.empty());
}

}  // namespace
}  // namespace vsp::databuild
