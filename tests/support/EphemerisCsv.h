#pragma once
// Reads the reference CSV files of tests/data/ephemeris and its neighbours (one header line, comma-separated, no
// quoting) into rows addressed by column name.

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ephemeris/Time.h"
#include "support/AngleCompare.h"

namespace vsp::test::bodies {

class CsvRow {
public:
    CsvRow(const std::map<std::string, size_t>* columns, std::vector<std::string> fields)
        : columns_(columns), fields_(std::move(fields)) {}
    const std::string& Text(const std::string& name) const { return fields_.at(columns_->at(name)); }
    double Number(const std::string& name) const { return std::stod(Text(name)); }
    bool Has(const std::string& name) const { return !Text(name).empty(); }

private:
    const std::map<std::string, size_t>* columns_;
    std::vector<std::string> fields_;
};

struct CsvTable {
    std::map<std::string, size_t> columns;
    std::vector<CsvRow> rows;
};

inline std::vector<std::string> SplitCsvLine(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream s(line);
    std::string field;
    while (std::getline(s, field, ',')) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

// The table is returned by pointer so that the rows' view of the column map stays valid. A
// fixture that is missing or holds no row fails the calling test: a comparison loop over no
// rows would otherwise pass.
inline std::unique_ptr<CsvTable> ReadEphemerisCsv(const std::string& name, const std::string& directory = "ephemeris") {
    auto table = std::make_unique<CsvTable>();
    std::ifstream in(std::string(VESPERTAR_TEST_DATA) + "/" + directory + "/" + name);
    EXPECT_TRUE(in.good()) << "missing fixture " << name;
    std::string line;
    if (std::getline(in, line)) {
        const std::vector<std::string> header = SplitCsvLine(line);
        for (size_t i = 0; i < header.size(); ++i) table->columns[header[i]] = i;
        while (std::getline(in, line)) {
            if (line.empty()) continue;
            table->rows.emplace_back(&table->columns, SplitCsvLine(line));
        }
    }
    EXPECT_FALSE(table->rows.empty()) << "fixture " << name << " has no rows";
    return table;
}

// Runs `check` on every row of a fixture, each traced by the values of the named columns.
template <class Check>
void ForEachRow(const std::string& fixture, const std::vector<std::string>& traced, Check check) {
    const auto table = ReadEphemerisCsv(fixture);
    for (const CsvRow& row : table->rows) {
        std::string where = fixture;
        for (const std::string& column : traced) where += " " + row.Text(column);
        SCOPED_TRACE(where);
        check(row);
    }
}

// Arcseconds from a place (hours, degrees) to the row's `prefix`ra_hours, `prefix`dec_deg.
inline double ArcsecFromRow(double raHours, double decDeg, const CsvRow& row, const std::string& prefix = "") {
    return SeparationArcsec(raHours, decDeg, row.Number(prefix + "ra_hours"), row.Number(prefix + "dec_deg"));
}

using CivilTime = CalendarDateTime;

// "YYYY-MM-DDTHH:MM:SS" (the fractional part of a second, if any, is dropped).
inline CivilTime ParseIsoTime(const std::string& text) {
    CivilTime t;
    std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                &t.second);
    return t;
}

}  // namespace vsp::test::bodies
