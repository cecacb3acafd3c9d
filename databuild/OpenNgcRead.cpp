#include "databuild/DsoReaders.h"
#include "databuild/SqliteInput.h"

namespace vsp::databuild {

namespace {

// catalog_identifier names each row once; the hash only makes the order total should a
// catalog ever repeat an identifier.
constexpr const char* kQuery =
    "SELECT type, ra, dec, magnitude, name, long_name, catalog_identifier, major_axis, "
    "minor_axis, position_angle FROM cat ORDER BY catalog_identifier, hash";

enum Column { kType, kRa, kDec, kMagnitude, kName, kLongName, kIdentifier, kMajor, kMinor, kAngle };

double DoubleOr(sqlite3_stmt* statement, int column, double fallback) {
    return SqliteIsNull(statement, column) ? fallback : sqlite3_column_double(statement, column);
}

// 1 with the row filled; 0 with `why` when it lacks what no default can stand in for.
bool ReadRow(sqlite3_stmt* statement, OpenNgcRow& row, std::string& why) {
    row.catalogIdentifier = SqliteText(statement, kIdentifier);
    if (row.catalogIdentifier.empty()) {
        why = "a row without catalog_identifier";
        return false;
    }
    if (SqliteIsNull(statement, kRa) || SqliteIsNull(statement, kDec)) {
        why = row.catalogIdentifier + " has no position";
        return false;
    }
    row.type = SqliteIsNull(statement, kType) ? OpenNgcRow{}.type : sqlite3_column_int(statement, kType);
    row.raDeg = sqlite3_column_double(statement, kRa);
    row.decDeg = sqlite3_column_double(statement, kDec);
    row.magnitude = DoubleOr(statement, kMagnitude, OpenNgcRow{}.magnitude);
    row.name = SqliteText(statement, kName);
    row.longName = SqliteText(statement, kLongName);
    row.majorArcmin = DoubleOr(statement, kMajor, OpenNgcRow{}.majorArcmin);
    row.minorArcmin = DoubleOr(statement, kMinor, OpenNgcRow{}.minorArcmin);
    row.positionAngleDeg = DoubleOr(statement, kAngle, OpenNgcRow{}.positionAngleDeg);
    return true;
}

}  // namespace

bool ReadOpenNgc(const std::string& path, std::vector<OpenNgcRow>& out, std::string& problem) {
    out.clear();
    const auto onRow = [&out](sqlite3_stmt* statement, std::string& why) {
        OpenNgcRow row;
        if (!ReadRow(statement, row, why)) return false;
        out.push_back(std::move(row));
        return true;
    };
    const bool ok = ReadSqliteRows(path, kQuery, "an OpenNGC catalog", onRow, problem);
    if (!ok) out.clear();
    return ok;
}

}  // namespace vsp::databuild
