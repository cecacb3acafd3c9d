#include "cli/CurrentList.h"

#include <cstdio>

#include "catalog/ListFile.h"

namespace vsp::cli {
ObservingList LoadCurrentList(CliContext& ctx) {
    ObservingList list(ListCapacityOfRow(ctx.Prefs().maxSelected));
    // A damaged last list has been reported; the commands go on with an empty one.
    if (FileExists(ListPath(ctx.Home(), kLastListName))) LoadList(ctx.Home(), kLastListName, list, ctx.Messages());
    return list;
}

bool SaveCurrentList(CliContext& ctx, const ObservingList& list) {
    if (!list.Empty()) return SaveList(ctx.Home(), list, kLastListName, ctx.Messages());
    const std::string path = ListPath(ctx.Home(), kLastListName);
    if (!FileExists(path) || std::remove(path.c_str()) == 0) return true;
    ctx.Messages().InfoBox("Can't write header.", path);
    return false;
}

}  // namespace vsp::cli
