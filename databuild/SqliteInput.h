#pragma once
// Reading the packages' SQLite databases (kstars-data's OpenNGC catalog and city database):
// the file opened read-only and every row of one query handed over in order.

#include <functional>
#include <string>
#include <string_view>

#include <sqlite3.h>

namespace vsp::databuild {

// Hands each row of `query` to `onRow`, which answers false with `why` for a row it cannot
// take. False with `problem` naming the file when it cannot be opened, the query does not fit
// it ("not " + `kind` and SQLite's reason), a row is refused or the reading fails.
bool ReadSqliteRows(const std::string& path, const char* query, std::string_view kind,
                    const std::function<bool(sqlite3_stmt*, std::string& why)>& onRow, std::string& problem);

bool SqliteIsNull(sqlite3_stmt* statement, int column);
// The column as UTF-8 text; "" for NULL.
std::string SqliteText(sqlite3_stmt* statement, int column);

}  // namespace vsp::databuild
