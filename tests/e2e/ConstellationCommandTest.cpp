// constellation through the built program: names in UTF-8, Serpens' two parts, and the
// equinox option (astropy's answers; the boundary search itself is tested in tests/catalog).

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class ConstellationCommand : public ProgramHomeTest {};

TEST_F(ConstellationCommand, NamesAndEpoch) {
    const auto vega = Json({"constellation", "--ra", "18.6156", "--dec", "38.7837"});
    EXPECT_EQ(vega, (nlohmann::json{{"index", 51}, {"abbreviation", "Lyr"}, {"name", "Lyra"}}));
    EXPECT_EQ(Json({"constellation", "--ra", "14.2612", "--dec", "19.1824"})["name"], "Bo\xC3\xB6tes");
    EXPECT_EQ(Json({"constellation", "--ra", "18.313", "--dec", "-13.79"})["name"], "Serpens Cauda");
    // Near the Cas/Cep line the equinox of the position decides (astropy: Cepheus for the
    // position referred to B1875, Cassiopeia for the same numbers as J2000).
    EXPECT_EQ(Json({"constellation", "--ra", "2", "--dec", "77.2", "--epoch", "1875"})["abbreviation"], "Cep");
    EXPECT_EQ(Json({"constellation", "--ra", "2", "--dec", "77.2"})["abbreviation"], "Cas");
    EXPECT_EQ(Run({"constellation", "--ra", "25", "--dec", "0"}).status, 2);
}

}  // namespace
}  // namespace vsp::test
