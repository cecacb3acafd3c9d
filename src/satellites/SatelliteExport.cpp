#include "satellites/SatelliteExport.h"

#include <cstdio>

namespace vsp {

bool ExportSatellites(SatelliteDatabase& database, MemoWriter& memos, InfoSink& messages, int& exported,
                      std::vector<SatelliteRecord>& skipped) {
    exported = 0;
    skipped.clear();
    SatelliteRecord record;
    if (!database.IsOpen()) return database.ReadSatelliteRecord(0, record);  // says it is not open
    std::string memo;
    bool complete = true;
    for (int i = 0; i < database.Count(); ++i) {
        if (!database.ReadSatelliteRecord(i, record)) {
            complete = false;
            break;
        }
        if (record.largeCatalogNumber != 0) {
            skipped.push_back(record);
            continue;
        }
        memo += record.name + "\n" + record.line1 + "\n" + record.line2 + "\n";
        ++exported;
        if (memo.size() > kSatelliteMemoLimit) {
            if (!memos.Write(memo)) return false;
            memo.clear();
        }
    }
    if (!memo.empty() && !memos.Write(memo)) return false;
    char message[64];
    std::snprintf(message, sizeof message, "%d Satellite record%s exported.\n", exported, exported > 1 ? "s" : "");
    messages.InfoBox(message, "");
    return complete;
}

}  // namespace vsp
