// The city list: a small citydb.sqlite written here (rows in the shapes the kstars-data one
// has) built into data/, then read back and searched as the Location form will.

#include <sqlite3.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "databuild/DataBuild.h"
#include "catalog/CityList.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

class CityFile : public testing::Test {
protected:
    CityFile() {
        MakeDirectory(options_.dataDir = home_.Path("data/"));
        options_.kstarsDir = home_.Path("kstars");
        MakeDirectory(options_.kstarsDir);
    }

    void WriteDatabase(const std::string& values) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((options_.kstarsDir + "/citydb.sqlite").c_str(), &db), SQLITE_OK);
        const std::string insert = "INSERT INTO city(id, Name, Province, Country, Latitude, Longitude, TZ, TZRule, "
                                   "Elevation) VALUES " + values;
        for (const std::string& sql :
             {std::string("CREATE TABLE city (id INTEGER PRIMARY KEY, Name TEXT, Province TEXT, Country TEXT, "
                          "Latitude TEXT, Longitude TEXT, TZ REAL, TZRule TEXT, Elevation REAL NOT NULL DEFAULT -10)"),
              insert})
            EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
        sqlite3_close(db);
    }

    // Every city as "name|latitude longitude|elevation zone daylight".
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        EXPECT_TRUE(list_.Open(home_.Dir()));
        CityEntry city;
        for (int32_t i = 0; list_.Read(i, city); ++i) {
            char numbers[64];
            std::snprintf(numbers, sizeof numbers, "|%.4f %.4f|%d %d %d", city.latitude, city.longitude,
                          city.elevation, city.tzOffset, int(city.daylight));
            rows.push_back(city.name + numbers);
        }
        EXPECT_EQ(int32_t(rows.size()), list_.Count());
        return rows;
    }

    test::TempHome home_;
    databuild::BuildOptions options_;
    databuild::BuildReport report_;
    CityList list_;
};

// Sorted with case ignored (a byte order would put "paris" after "Zürich"); longitudes turned
// west-positive, "-0°" kept negative; names in the code page; a zone beyond 12 hours left out.
TEST_F(CityFile, RecordsSortedWithCaseIgnored) {
    WriteDatabase(R"((1, 'Zürich', '', 'Switzerland', ' 47° 22'' 00"', ' 8° 31'' 59"', 1.0, 'EU', 408.72),
        (2, 'paris', 'Illinois', 'USA', ' 39° 34'' 58"', '-87° 40'' 01"', -6.0, 'US', 219.4),
        (3, 'Paris', 'Paris', 'France', ' 48° 51'' 00"', ' 2° 19'' 59"', 1.0, 'EU', 36.56),
        (4, 'Paris', 'Christmas Island', 'Kiribati', ' 1° 58'' 00"', '-157° 27'' 00"', 14.0, '--', 10),
        (5, 'Santiago', '', 'Chile', '-33° 27'' 00"', '-70° 40'' 00"', -4.0, 'CL', 520),
        (6, 'St. John''s', 'Newfoundland', 'Canada', ' 47° 34'' 01"', '-52° 43'' 01"', -3.5, 'US', 71),
        (7, 'Accra', '', 'Ghana', ' 5° 35'' 59"', '-0° 10'' 01"', 0.0, '--', -10),
        (8, 'Altenstadt', '', 'Germany', '47.8339', ' 10° 52'' 04"', 1.0, 'EU', 739),
        (9, 'Clermont-Ferrand', 'Puy-de-Dôme', 'France', ' 45° 46'' 59"', ' 3° 04'' 59"', 1.0, 'EU', 401))");
    ASSERT_TRUE(databuild::BuildCityFile(options_, report_)) << report_.problem;
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "Accra, Ghana|5.5997 0.1669|0 0 0",
                          "Altenstadt, Germany|47.8339 -10.8678|739 60 1",
                          "Clermont-Ferrand, Puy-de-D\xF4me, France|45.7831 -3.0831|401 60 1",
                          "paris, Illinois, USA|39.5828 87.6669|219 -360 1",
                          "Paris, Paris, France|48.8500 -2.3331|37 60 1",
                          "Santiago, Chile|-33.4500 70.6667|520 -240 1",
                          "St. John's, Newfoundland, Canada|47.5669 52.7169|71 -210 1",
                          "Z\xFCrich, Switzerland|47.3667 -8.5331|409 60 1",
                      }));
    ASSERT_EQ(report_.notes.size(), 1u);
    EXPECT_NE(report_.notes[0].find("1 left out"), std::string::npos) << report_.notes[0];

    // The first of several matches, a whole name, both ends of the list; nothing past either end.
    const std::pair<const char*, int32_t> searches[] = {
        {"", 0}, {"accra, GHANA", 0}, {"ALT", 1}, {"PARIS", 3}, {"paris, p", 4}, {"s", 5}, {"st", 6},
        {"Z\xDC", 7}, {"Zu", -1}, {"Pb", -1}, {"Aa", -1}, {"\xFF", -1}, {"Accra, Ghana!", -1}};
    for (const auto& [prefix, first] : searches) EXPECT_EQ(list_.FindPrefix(prefix), first) << prefix;

    CityEntry city;
    ASSERT_TRUE(list_.Read(5, city));
    Site santiago;
    santiago.name = "Santiago, Chile";
    santiago.latitude = float(-(33.0 + 27.0 / 60.0));
    santiago.longitude = float(70.0 + 40.0 / 60.0);
    santiago.elevation = 520;
    santiago.tzOffset = -240;
    santiago.daylight = 1;
    EXPECT_EQ(CitySite(city), santiago);
    ASSERT_TRUE(list_.Read(2, city));
    EXPECT_EQ(CitySite(city).name, "Clermont-Ferrand, Puy-de-D\xF4me");  // cut at 31, no ", " left
    EXPECT_FALSE(list_.Read(8, city));
}

TEST_F(CityFile, MissingDatabaseIsANoteAndABadRowStopsTheStep) {
    ASSERT_TRUE(databuild::BuildCityFile(options_, report_)) << report_.problem;
    ASSERT_EQ(report_.notes.size(), 1u);
    EXPECT_NE(report_.notes[0].find("citydb.sqlite"), std::string::npos) << report_.notes[0];
    EXPECT_FALSE(FileExists(home_.Path("data/vespertar_cities.ppc")));
    EXPECT_FALSE(list_.Open(home_.Dir()));
    EXPECT_EQ(list_.FindPrefix(""), -1);

    WriteDatabase(R"((1, 'Accra', '', 'Ghana', ' 5° 35'' 59"', ' 0° 61'' 01"', 0.0, '--', 61),
        (2, 'Lima', '', 'Peru', 'south', '-77° 03'' 00"', -5.0, '--', 150))");
    EXPECT_FALSE(databuild::BuildCityFile(options_, report_));
    EXPECT_NE(report_.problem.find("city id 1"), std::string::npos) << report_.problem;
}

}  // namespace
}  // namespace vsp
