// The packed forms against the Minor Planet Center's published examples (its "Packed
// Provisional and Permanent Designations" page, and the extended-form cases of Project
// Pluto's packing tests), the epochs against skyfield's ts.tt of the same dates.
#include <gtest/gtest.h>

#include "solarsystem/PackedDesignation.h"

namespace vsp {
namespace {

TEST(PackedForms, NumbersInAllThreeForms) {
    const std::pair<const char*, uint32_t> cases[] = {{"00433", 433},     {"G4060", 164060},     {"n1415", 491415},
                                                      {"~0000", 620000},  {"~000a", 620036},     {"~AZaz", 3140113},
                                                      {"~zzzz", 15396335}};
    for (const auto& [packed, number] : cases) EXPECT_EQ(UnpackMinorPlanetNumber(packed), number) << packed;
    for (const char* bad : {"00000", "~00!0", "0043", "004330", "-0001", "~ 000"})
        EXPECT_FALSE(UnpackMinorPlanetNumber(bad)) << bad;
    EXPECT_EQ(UnpackMinorPlanetDesignation("00433"), "(433)");
}

TEST(PackedForms, ProvisionalSurveyAndExtendedDesignations) {
    const std::pair<const char*, const char*> cases[] = {
        {"J95X00A", "1995 XA"},      {"J95X01L", "1995 XL1"},       {"J95F13B", "1995 FB13"},
        {"J98SA8Q", "1998 SQ108"},   {"J98SC7V", "1998 SV127"},     {"J98SG2S", "1998 SS162"},
        {"K99AJ3Z", "2099 AZ193"},   {"K08Aa0A", "2008 AA360"},     {"K07Tf8A", "2007 TA418"},
        {"K25A01B", "2025 AB1"},     {"PLS2040", "2040 P-L"},       {"T1S3138", "3138 T-1"},
        {"T2S1010", "1010 T-2"},     {"T3S4101", "4101 T-3"},       {"_QC0000", "2026 CA620"},
        {"_QC0aEM", "2026 CZ6190"},  {"_QCzzzz", "2026 CL591673"},  {"_AH9fZ7", "2010 HJ92809"}};
    for (const auto& [packed, readable] : cases) {
        EXPECT_EQ(UnpackProvisionalDesignation(packed), readable) << packed;
        EXPECT_EQ(UnpackMinorPlanetDesignation(packed), readable) << packed;
    }
    // Half-month I and second letter I are never used; a lower-case second letter is a comet's.
    for (const char* bad : {"J95I00A", "J95X00I", "J95X00a", "A95X00A", "PLS0000", "XYS2040", "_QI0000", "J95X0!A"})
        EXPECT_FALSE(UnpackProvisionalDesignation(bad)) << bad;
}

TEST(PackedForms, CometDesignationsFragmentsAndPeriodicNumbers) {
    const std::pair<const char*, const char*> cases[] = {
        {"J95A010", "1995 A1"},   {"J94P01b", "1994 P1-B"}, {"J94P010", "1994 P1"},
        {"K48X130", "2048 X13"},  {"K33L89c", "2033 L89-C"}, {"K88AA30", "2088 A103"},
        {"PK10A02b", "P/2010 A2-B"}, {"CJ95O010", "C/1995 O1"}};
    for (const auto& [packed, readable] : cases) EXPECT_EQ(UnpackCometDesignation(packed), readable) << packed;
    for (const char* bad : {"J95A000", "J95A01B", "QJ95A010", "J95A01"}) EXPECT_FALSE(UnpackCometDesignation(bad)) << bad;
    EXPECT_EQ(UnpackPeriodicCometNumber("0012P"), 12u);
    EXPECT_EQ(UnpackPeriodicCometNumber("0001P       "), 1u);
    EXPECT_FALSE(UnpackPeriodicCometNumber("0000P"));
    EXPECT_FALSE(UnpackPeriodicCometNumber("    C"));
}

TEST(PackedForms, EpochsAtZeroHoursTt) {
    EXPECT_EQ(UnpackEpoch("K25A1"), 2460949.5);
    EXPECT_EQ(UnpackEpoch("J981V"), 2450844.5);
    EXPECT_EQ(UnpackEpoch("K07CA"), 2454444.5);
    for (const char* bad : {"K25D1", "K2500", "K25A", "K25AW"}) EXPECT_FALSE(UnpackEpoch(bad)) << bad;
}

}  // namespace
}  // namespace vsp
