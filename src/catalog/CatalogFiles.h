#pragma once
// The catalog files a run keeps open: opened together at start (and whenever the catalogs
// are reopened) in a fixed order, closed together at shutdown.

#include <cstdint>
#include <string>
#include <string_view>

#include "catalog/CatalogTable.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "records/CatalogDb.h"

namespace vsp {

inline constexpr std::string_view kMoonFile = "vespertar_moon.ppc";
inline constexpr uint32_t kMoonTypeCode = 0x706C3038;
inline constexpr uint16_t kMoonFileVersion = 24;
inline constexpr std::string_view kMarsFile = "vespertar_mars.ppc";
inline constexpr uint32_t kMarsTypeCode = 0x706C3039;
inline constexpr std::string_view kCometFile = "vespertar_comet.ppc";
inline constexpr uint32_t kCometTypeCode = 0x706C3131;
inline constexpr std::string_view kMinorPlanetFile = "vespertar_minor.ppc";
inline constexpr uint32_t kMinorPlanetTypeCode = 0x706C3134;
inline constexpr std::string_view kSatelliteFile = "vespertar_satellites.ppc";
inline constexpr uint32_t kSatelliteTypeCode = 0x706C3132;
inline constexpr uint32_t kCatalogCreatorCode = 0x706C6F63;  // ignored by the record layer

inline constexpr std::string_view kObjectDbMissing =
    "Could not open object database\n\nPlease install either:\nvespertar_obj_1k.ppc or,\n"
    "vespertar_obj_18k.ppc into data sub directory.";
inline constexpr std::string_view kObjectDbOld =
    "You did not install the last version of vespertar_obj_18k.ppc or vespertar_obj_1k.ppc into "
    "data sub directory.";
inline constexpr std::string_view kMoonDbOld = "You did not install the last version of vespertar_moon.ppc";

struct CatalogFiles {
    CatalogFiles(const ProgramDir& dir, InfoSink& messages)
        : stars(dir, messages), objects(dir, messages), moon(dir, messages), mars(dir, messages),
          descriptions(dir, messages), comets(dir, messages), satellites(dir, messages),
          userObjects(dir, messages), objectIndex(dir, messages), crossReferences(dir, messages) {}

    CatalogDb stars;
    CatalogDb objects;
    CatalogDb moon;
    CatalogDb mars;
    CatalogDb descriptions;
    CatalogDb comets;
    CatalogDb satellites;
    CatalogDb userObjects;  // closed again right after the open that makes the working copy
    CatalogDb objectIndex;
    CatalogDb crossReferences;
    bool objectsAreOneK = false;  // the 1k object file was opened instead of the 18k one
};

// The outcome of opening the catalogs, with the numeric codes the opening is known by.
enum class CatalogOpenResult : int {
    Opened = 0,
    DatabaseMissing = -1,  // the star or object database, or the Moon file
};

// Opens every catalog file in order, reporting what is missing or outdated, and sets the
// record ranges of `catalogs` for the object file that was opened. `objectIndexName` is the
// chart index program data names. What could be opened stays open whatever the result.
CatalogOpenResult CatalogFilesOpen(CatalogFiles& files, CatalogTable& catalogs, InfoSink& messages,
                                   std::string_view objectIndexName);
void CatalogFilesClose(CatalogFiles& files);

// Replaces a writable catalog's working copy under usercatalogs/ (folders made as needed) by
// `count` records of `recordSize` bytes behind a header of `tag`, written to a temporary file
// renamed over the old copy, so that a failed write leaves it as it was. The caller closes its
// handle on the copy first. False with `error` ("Could not write PATH") when the write failed.
bool ReplaceWorkingCopy(const ProgramDir& dir, const std::string& relativePath, uint32_t tag, int32_t recordSize,
                        size_t count, const std::string& bytes, std::string& error);

}  // namespace vsp
