#pragma once
// The imports of the user's eyepieces, locations and custom catalogs: a text obtained by
// FetchImportText becomes a record file under usercatalogs/, written whole through a temporary
// file and only when the text arrived and at least one line was accepted, so a failed import
// leaves the previous file as it was, byte for byte.
//
// Line formats (fields separated by ';', see ImportLines.h); a line breaking any rule below
// is rejected and counted:
//   eyepieces "Brand full name;Brand Trigram;Eyepiece Name;Focal (in mm);Fov (in °);" ->
//     "<name>.eyp" (Eyepieces.h). Texts at most 31, 3 and 27 bytes, the eyepiece name not
//     empty; the focal length a number above 0, the apparent field above 0 and at most 180.
//   locations "Country;Country Code;Town Name;longitude (in °);latitude (in °);" ->
//     "<name>.loc" (UserLocations.h). Texts at most 23, 3 and 27 bytes, the town not empty;
//     the longitude east positive as maps give it (stored west positive), |longitude| <= 180,
//     |latitude| <= 90.
//   custom catalogs kCustomCatalogFields -> "<name>.ppc", user object records (UserObject.h)
//     of the current layout. Catalog: a prefix of the catalog table ("NGC", "Mel"; case
//     ignored), empty for the user catalog; Number: a whole number from 0; Name: at most 19
//     bytes, empty for the designation; Type: a type code of the object type table ("GALXY",
//     "OPNCL"; case ignored); RA in hours [0, 24) and Dec in degrees [-90, 90], J2000 (the
//     constellation follows from them); Magnitude empty when unknown; sizes in arcminutes,
//     from 0, empty for 0. A line whose catalog and number the file holds already replaces
//     that record; other records are added after those of the file.
//
// Each import fetches its text first, then holds the user-files lock (UserFilesLock.h) while
// it reads, merges and writes. Each answers false with the user's message on `messages` when
// nothing was written.

#include <string>
#include <string_view>

#include "catalog/ImportText.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr std::string_view kEyepieceFields =
    "Brand full name;Brand Trigram;Eyepiece Name;Focal (in mm);Fov (in \xB0);";
inline constexpr std::string_view kLocationFields =
    "Country;Country Code;Town Name;longitude (in \xB0);latitude (in \xB0);";
inline constexpr std::string_view kCustomCatalogExtension = ".ppc";
inline constexpr std::string_view kCustomCatalogFields =
    "Catalog;Number;Name;Type;RA (in h);Dec (in \xB0);Magnitude;Size 1 (in ');Size 2 (in ');";

struct ImportResult {
    int imported = 0;     // records added
    int updated = 0;      // records replaced (custom catalogs)
    int rejected = 0;     // lines refused
    std::string file;     // the record file written
    std::string message;  // what the import reports when it succeeded
};

bool ImportEyepieces(const ProgramDir& dir, const std::string& name, const ImportServer& server,
                     InfoSink& messages, ImportResult& result);
bool ImportLocations(const ProgramDir& dir, const std::string& name, const ImportServer& server,
                     InfoSink& messages, ImportResult& result);
bool ImportCustomCatalog(const ProgramDir& dir, const std::string& name, const ImportServer& server,
                         InfoSink& messages, ImportResult& result);

}  // namespace vsp
