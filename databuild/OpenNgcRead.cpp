#include <sqlite3.h>

#include "databuild/DsoReaders.h"
#include "databuild/InputFiles.h"

namespace vsp::databuild {

namespace {

// catalog_identifier names each row once; the hash only makes the order total should a
// catalog ever repeat an identifier.
constexpr const char* kQuery =
    "SELECT type, ra, dec, magnitude, name, long_name, catalog_identifier, major_axis, "
    "minor_axis, position_angle FROM cat ORDER BY catalog_identifier, hash";

enum Column { kType, kRa, kDec, kMagnitude, kName, kLongName, kIdentifier, kMajor, kMinor, kAngle };

bool IsNull(sqlite3_stmt* statement, int column) {
    return sqlite3_column_type(statement, column) == SQLITE_NULL;
}

double DoubleOr(sqlite3_stmt* statement, int column, double fallback) {
    return IsNull(statement, column) ? fallback : sqlite3_column_double(statement, column);
}

std::string TextOf(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

// 1 with the row filled; 0 with `why` when it lacks what no default can stand in for.
bool ReadRow(sqlite3_stmt* statement, OpenNgcRow& row, std::string& why) {
    row.catalogIdentifier = TextOf(statement, kIdentifier);
    if (row.catalogIdentifier.empty()) {
        why = "a row without catalog_identifier";
        return false;
    }
    if (IsNull(statement, kRa) || IsNull(statement, kDec)) {
        why = row.catalogIdentifier + " has no position";
        return false;
    }
    row.type = IsNull(statement, kType) ? OpenNgcRow{}.type : sqlite3_column_int(statement, kType);
    row.raDeg = sqlite3_column_double(statement, kRa);
    row.decDeg = sqlite3_column_double(statement, kDec);
    row.magnitude = DoubleOr(statement, kMagnitude, OpenNgcRow{}.magnitude);
    row.name = TextOf(statement, kName);
    row.longName = TextOf(statement, kLongName);
    row.majorArcmin = DoubleOr(statement, kMajor, OpenNgcRow{}.majorArcmin);
    row.minorArcmin = DoubleOr(statement, kMinor, OpenNgcRow{}.minorArcmin);
    row.positionAngleDeg = DoubleOr(statement, kAngle, OpenNgcRow{}.positionAngleDeg);
    return true;
}

bool ReadRows(sqlite3* db, const std::string& path, std::vector<OpenNgcRow>& out,
             std::string& problem) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr) != SQLITE_OK) {
        problem = InputProblem(path, std::string("not an OpenNGC catalog (") + sqlite3_errmsg(db) + ")");
        return false;
    }
    int step = SQLITE_ROW;
    std::string why;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        OpenNgcRow row;
        if (!ReadRow(statement, row, why)) break;
        out.push_back(std::move(row));
    }
    if (!why.empty()) {
        problem = InputProblem(path, why);
    } else if (step != SQLITE_DONE) {
        problem = InputProblem(path, sqlite3_errmsg(db));
    }
    sqlite3_finalize(statement);
    return problem.empty();
}

}  // namespace

bool ReadOpenNgc(const std::string& path, std::vector<OpenNgcRow>& out, std::string& problem) {
    out.clear();
    problem.clear();
    sqlite3* db = nullptr;
    // Read-only and never created: a missing file must not leave an empty database behind.
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        problem = InputProblem(path, db ? sqlite3_errmsg(db) : "cannot be opened");
        sqlite3_close(db);
        return false;
    }
    const bool ok = ReadRows(db, path, out, problem);
    sqlite3_close(db);
    if (!ok) out.clear();
    return ok;
}

}  // namespace vsp::databuild
