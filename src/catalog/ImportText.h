#pragma once
// The text an import reads: the local copy "import/<name>.txt" of the program directory when
// there is one (a file put there by hand is imported without a network), else the answer of
// the program's data server to
//   <address>/getdata.php?param1=%u&param2=%d&param3=%u&param4=%d&param5=%d&param6=%s
// where the six values are
//   param1  the revision of this query (1), so a server can change its answers later
//   param2  the kind of data (ImportKind: 1 eyepieces, 2 locations, 3 custom catalog, 4 logs)
//   param3  the largest answer the program keeps, in bytes (kImportCapacity)
//   param4  the revision of that kind's line format the program reads (1)
//   param5  the text encoding it reads best: 65001, UTF-8 (text in the code page is read too)
//   param6  the file name, "<name>.txt", percent-encoded
// Any HTTP server that answers "getdata.php" with the file named by param6 stands in for it.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/HttpFetch.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr size_t kImportCapacity = 64 * 1024;
inline constexpr std::string_view kImportDir = "import/";

enum class ImportKind { Eyepieces = 1, Locations = 2, CustomCatalog = 3, ObserverLogs = 4 };

// Where the texts are fetched from: the download address of the settings or one given for the
// run, and how long a fetch may wait.
struct ImportServer {
    std::string address;
    HttpTimeouts timeouts;
};

// The data server's address for `name` of `kind`.
std::string DataServerQuery(std::string_view address, ImportKind kind, std::string_view name);

// The text of `name` into `text`, in the device code page, at most kImportCapacity - 1 bytes.
// Nothing arrived or an error page (a text beginning with '<'): the kind's "Fail to download"
// message and false. A name that cannot be a file name is refused with a message.
bool FetchImportText(const ProgramDir& dir, ImportKind kind, const std::string& name,
                     const ImportServer& server, std::string& text, InfoSink& messages);

}  // namespace vsp
