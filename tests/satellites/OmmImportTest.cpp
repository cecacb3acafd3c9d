// OMM texts (CSV, JSON, XML) against python3-sgp4: the element lines its exporter writes for
// the same records, and its SGP4 initialised from them; catalog numbers past the five digits
// through the database record.

#include <fstream>

#include <gtest/gtest.h>

#include "satellites/CatalogNumber.h"
#include "satellites/OmmText.h"
#include "satellites/SatelliteDatabase.h"
#include "satellites/SatellitePropagation.h"
#include "support/EphemerisCsv.h"

namespace vsp {
namespace {

using test::bodies::CsvRow;

std::string Fixture(const std::string& name) {
    std::ifstream file(std::string(VESPERTAR_TEST_DATA) + "/satellites/" + name, std::ios::binary);
    EXPECT_TRUE(file.good()) << name;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Every form gives every record, with python3-sgp4's lines (Alpha-5 past 99999), the name,
// and the number, also once stored and read back as a database record.
TEST(OmmText, EveryFormGivesTheLinesOfPython3Sgp4) {
    const auto lines = test::bodies::ReadEphemerisCsv("../satellites/omm_lines.csv");
    for (const std::string file : {"omm_sets.csv", "omm_sets.json", "omm_sets.xml", "sample_omm.csv", "sample_omm.xml"}) {
        SCOPED_TRACE(file);
        const std::string text = Fixture(file);
        const ParsedElementSets parsed = ParseElementSetText(text);
        EXPECT_TRUE(parsed.rejects.empty()) << parsed.rejects.at(0).reason;
        ASSERT_EQ(parsed.records.size(), file.starts_with("sample") ? 1u : lines->rows.size());
        for (size_t i = 0; i < parsed.records.size(); ++i) {
            const CsvRow& row = lines->rows[i];
            uint8_t bytes[kSatelliteRecordSize];
            EncodeSatelliteRecord(parsed.records[i], bytes);
            for (const SatelliteRecord& r : {parsed.records[i], DecodeSatelliteRecord(bytes)}) {
                EXPECT_EQ(r.name, row.Text("name"));
                EXPECT_EQ(r.line1, row.Text("line1"));
                EXPECT_EQ(r.line2, row.Text("line2"));
                EXPECT_EQ(SatelliteCatalogNumber(r), std::stoll(row.Text("catalog_number")));
            }
        }
    }
}

// python3-sgp4 initialised from the OMM fields themselves (full precision, not the lines):
// measured within 1.3 m over -3 to +10 days (the lines round the epoch to 1e-8 day); a field
// read or written wrong moves the satellite by kilometres.
TEST(OmmText, PropagationAgreesWithPython3Sgp4InitialisedFromTheOmm) {
    const ParsedElementSets parsed = ParseOmmCsv(Fixture("omm_sets.csv"));
    test::bodies::ForEachRow("../satellites/omm_reference.csv", {"catalog_number", "minutes"}, [&](const CsvRow& row) {
        const auto record = std::find_if(parsed.records.begin(), parsed.records.end(), [&](const SatelliteRecord& r) {
            return SatelliteCatalogNumber(r) == std::stoll(row.Text("catalog_number"));
        });
        ASSERT_NE(record, parsed.records.end());
        SatelliteElements e;
        ConvertSatelliteRecord(*record, e);
        PropagateSgp4(e, (row.Number("jd_utc") - e.epochJd) * 1440.0);
        const double km = std::hypot(e.position.x - row.Number("x_km"), e.position.y - row.Number("y_km"),
                                     e.position.z - row.Number("z_km"));
        EXPECT_LT(km, 0.01);
    });
}

// A record that cannot be used is named by its line (CSV, keys in another order, quoted
// fields) or its record number (JSON, XML), and the others still come in.
TEST(OmmText, UnusableRecordsAreReportedWhereTheyAre) {
    const std::string keys = "NORAD_CAT_ID,\"OBJECT_NAME\",EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,"
                             "RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE\r\n";
    const std::string elements = "2020-10-13T04:52:48.472320,10.84869164,.1845686,34.2443,225.5254,162.2516,205.2356";
    const ParsedElementSets csv = ParseOmmCsv(keys + "25544,\"ISS, \"\"ZARYA\"\"\"," + elements + ",0\r\n\r\n" +
                                              "5,VANGUARD 1," + elements + ",4\n" +
                                              "6,NO MOTION,2020-10-13T04:52:48,,.1,34,225,162,205,0\n" +
                                              "7,LOW,2020-10-13T04:52:48,10.8,.1,200,225,162,205,0\n" +
                                              "8,LATE,2020-02-30T04:52:48,10.8,.1,34,225,162,205,0\n");
    ASSERT_EQ(csv.records.size(), 1u);
    EXPECT_EQ(csv.records[0].name, "ISS, \"ZARYA\"");
    EXPECT_EQ(SatelliteCatalogNumber(csv.records[0]), 25544);
    const std::pair<int, std::string> expected[] = {
        {4, "EPHEMERIS_TYPE 4 (SGP4-XP) is not 0 (SGP4), the only theory read"},
        {5, "MEAN_MOTION is missing"},
        {6, "inclination \"200.0000\" is not between 0 and 180"},
        {7, "EPOCH \"2020-02-30T04:52:48\" is not a date and time from 1957 to 2056"}};
    ASSERT_EQ(csv.rejects.size(), std::size(expected));
    for (size_t i = 0; i < csv.rejects.size(); ++i) {
        EXPECT_EQ(csv.rejects[i].line, expected[i].first);
        EXPECT_EQ(csv.rejects[i].reason, expected[i].second);
        EXPECT_EQ(csv.rejects[i].record, 0);
    }

    const ParsedElementSets json = ParseOmmJson(R"([{"NORAD_CAT_ID": 1000000000}, 17])");
    ASSERT_EQ(json.rejects.size(), 2u);
    EXPECT_EQ(json.rejects[0].record, 1);
    EXPECT_EQ(json.rejects[0].reason, "NORAD_CAT_ID \"1000000000\" is not a catalog number of up to nine digits");
    EXPECT_EQ(json.rejects[1].record, 2);
    EXPECT_EQ(ParseOmmJson("[\n{\"NORAD_CAT_ID\": 5,\n]").rejects.at(0).line, 3);
    EXPECT_EQ(ParseOmmJson("[\n{\"BSTAR\": 1e400}]").rejects.at(0).line, 2);  // beyond a double
    const ParsedElementSets xml = ParseOmmXml("<ndm>\n<omm><body><segment></segment></body>\n</omm\n");
    ASSERT_EQ(xml.rejects.size(), 1u);
    EXPECT_EQ(xml.rejects[0].line, 3);
    EXPECT_EQ(xml.rejects[0].record, 0);
}

// python3-sgp4 reads T0000 as 270000, and so do we, from the lines or typed; a number past
// 339999 survives a name of any length (the name gives way), and a record written before such
// numbers were kept (zeros after the name) reads as it always did.
TEST(CatalogNumbers, Alpha5AndNumbersKeptBesideTheLines) {
    const ParsedElementSets parsed = ParseElementSetText(Fixture("alpha5.tle"));
    ASSERT_EQ(parsed.records.size(), 1u);
    SatelliteRecord large = parsed.records[0];
    large.name = std::string(70, 'N');
    large.largeCatalogNumber = 799501299;
    uint8_t bytes[kSatelliteRecordSize];
    EncodeSatelliteRecord(large, bytes);
    const SatelliteRecord back = DecodeSatelliteRecord(bytes);
    EXPECT_EQ(back.name, std::string(kSatelliteNameWithNumberLength, 'N'));
    EXPECT_EQ(back.largeCatalogNumber, 799501299);
    large.largeCatalogNumber = 0;
    EncodeSatelliteRecord(large, bytes);
    EXPECT_EQ(DecodeSatelliteRecord(bytes).name, large.name);
    EXPECT_EQ(SatelliteCatalogNumber(DecodeSatelliteRecord(bytes)), 270000);

    const std::vector<SatelliteRecord> records = {parsed.records[0], back};
    for (const char* typed : {"t0000", "270000", "27"}) EXPECT_EQ(MatchSatellites(records, typed, 5), std::vector<int>{0});
    EXPECT_EQ(MatchSatellites(records, "7995", 5), std::vector<int>{1});
}

}  // namespace
}  // namespace vsp
