// `scope nstar` over separate runs on a home with the built catalogs: four stars read with a
// known pointing offset, the external model fitted to them, and a later goto of another star
// sent with the offset taken into account.
#include <gtest/gtest.h>

#include "e2e/CatalogHomeTest.h"

namespace vsp::test {
namespace {

// The mount reads this far east and south of where it points, degrees.
constexpr double kRaOffsetDeg = 0.05, kDecOffsetDeg = -0.03;

class ScopeNStar : public CatalogHomeTest {
protected:
    // The emulated LX200 (no port) under the external method, at one moment.
    nlohmann::json Scope(std::vector<std::string> args) {
        args.insert(args.begin(), {"--date", "2024-10-01", "--time", "22:00", "--tz", "0", "scope", "--drive", "LX200"});
        return Json(args);
    }
};

TEST_F(ScopeNStar, FittedOffsetsCorrectALaterGoto) {
    EXPECT_EQ(Run({"scope", "nstar", "fit"}).err, "Please add at least one stars.\n");
    for (const char* star : {"Vega", "Deneb", "Arcturus", "Capella"}) {
        const nlohmann::json place = Scope({"goto", star, "--json"});
        const double ra = place["ra_hours"].get<double>() + kRaOffsetDeg / 15;
        const double dec = place["dec_deg"].get<double>() + kDecOffsetDeg;
        Scope({"nstar", "add", star, "--ra-reading", std::to_string(ra), "--dec-reading", std::to_string(dec),
               "--json"});
    }
    const nlohmann::json fit = Scope({"nstar", "fit", "--json"});
    EXPECT_EQ(fit["method"], "External");
    EXPECT_EQ(fit["terms"], 7);
    EXPECT_LT(fit["rms_error_deg"].get<double>(), 1e-4);

    const nlohmann::json sent = Scope({"goto", "Altair", "--json"});
    const double raShift = (sent["mount_ra_hours"].get<double>() - sent["ra_hours"].get<double>()) * 15;
    EXPECT_NEAR(raShift, kRaOffsetDeg, 1.0 / 60 / 60);
    EXPECT_NEAR(sent["mount_dec_deg"].get<double>() - sent["dec_deg"].get<double>(), kDecOffsetDeg, 1.0 / 60 / 60);

    EXPECT_EQ(Json({"scope", "nstar", "show"})["stars"].size(), 4u);
    EXPECT_EQ(Run({"scope", "nstar", "clear"}).status, 0);
    const nlohmann::json cleared = Json({"scope", "nstar", "show"});
    EXPECT_TRUE(cleared["stars"].empty());
    EXPECT_EQ(cleared["terms"], 7);  // the model stays until the next fit
}

}  // namespace
}  // namespace vsp::test
