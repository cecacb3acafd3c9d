#include "databuild/SqliteInput.h"

#include "databuild/InputFiles.h"

namespace vsp::databuild {
namespace {

bool ReadRows(sqlite3* db, const std::string& path, const char* query, std::string_view kind,
              const std::function<bool(sqlite3_stmt*, std::string&)>& onRow, std::string& problem) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, query, -1, &statement, nullptr) != SQLITE_OK) {
        problem = InputProblem(path, "not " + std::string(kind) + " (" + sqlite3_errmsg(db) + ")");
        return false;
    }
    int step = SQLITE_ROW;
    std::string why;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        if (!onRow(statement, why)) break;
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

bool ReadSqliteRows(const std::string& path, const char* query, std::string_view kind,
                    const std::function<bool(sqlite3_stmt*, std::string&)>& onRow, std::string& problem) {
    problem.clear();
    sqlite3* db = nullptr;
    // Read-only and never created: a missing file must not leave an empty database behind.
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        problem = InputProblem(path, db ? sqlite3_errmsg(db) : "cannot be opened");
        sqlite3_close(db);
        return false;
    }
    const bool ok = ReadRows(db, path, query, kind, onRow, problem);
    sqlite3_close(db);
    return ok;
}

bool SqliteIsNull(sqlite3_stmt* statement, int column) {
    return sqlite3_column_type(statement, column) == SQLITE_NULL;
}

std::string SqliteText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

}  // namespace vsp::databuild
