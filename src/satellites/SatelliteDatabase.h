#pragma once
// The satellite database "vespertar_satellites.ppc": a record file (type code 0x706C3132) of
// 213-byte text records, name, line 1 and line 2 of 71 bytes each, NUL terminated. The lines
// hold catalog numbers up to 339999 (Alpha-5 past 99999). A larger number (up to nine digits,
// from OMM sets) is kept in the name field after the name's NUL: '#', the decimal digits and a
// NUL (the name is then cut to kSatelliteNameWithNumberLength characters so both fit), with
// kLargeNumberPlaceholder in the lines' catalog columns. Databases written before hold zeros
// there and read as they always did. It is worked
// on as the writable copy under usercatalogs/; an import replaces it whole (a temporary file
// renamed over it), so a failed import never loses the previous database. The file name and
// type code are the catalog files' (kSatelliteFile, kSatelliteTypeCode).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/CatalogFiles.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "satellites/SatelliteElements.h"

namespace vsp {

inline constexpr int32_t kSatelliteRecordSize = 213;
inline constexpr int32_t kSatelliteFieldSize = 71;
// A name kept with a catalog number past 339999: 59 characters, NUL, '#', nine digits, NUL.
inline constexpr size_t kSatelliteNameWithNumberLength = 59;
inline constexpr char kLargeNumberMarker = '#';
inline constexpr std::string_view kSatelliteDatabaseNotOpen = "Satellite database isn't open!";
inline constexpr std::string_view kSatelliteRecordUnreadable = "Could not retrieve satellite record!";
inline constexpr int kMaxSatelliteRecords = 65535;  // the record layer counts in 16 bits

void EncodeSatelliteRecord(const SatelliteRecord& record, uint8_t* bytes);
SatelliteRecord DecodeSatelliteRecord(const uint8_t* bytes);

class SatelliteDatabase {
public:
    SatelliteDatabase(const ProgramDir& dir, InfoSink& messages);
    ~SatelliteDatabase();

    // Opens the database for reading: the writable copy, else the shipped file under data/
    // (nothing is copied, so a read-only program directory serves too); false when there is
    // none. Its records are read here at one go when the file holds them all; the reads below
    // then go to the file no more.
    bool Open();
    bool IsOpen() const;
    int Count() const;
    // Record `index` into `out`; "Satellite database isn't open!" or "Could not retrieve
    // satellite record!" and false when it cannot be had.
    bool ReadSatelliteRecord(int index, SatelliteRecord& out);
    // The index of the first record whose name starts with `name` (case ignored, blanks at
    // the end of the stored name ignored), or of catalog number `name` (digits or Alpha-5);
    // -1 when none.
    int Find(std::string_view name);
    // Replaces the whole database (temporary file renamed over it); `error` says why not.
    bool Replace(const std::vector<SatelliteRecord>& records, std::string& error);
    // Every record, in order; false (with the read's message) when one cannot be read.
    bool ReadAll(std::vector<SatelliteRecord>& out);
    // Whether ReadAll would succeed, with its message when not; at no cost when the file was
    // read whole on opening.
    bool CanReadAll();
    // The writable copy's path.
    std::string Path() const;
    const ProgramDir& Dir() const { return dir_; }

private:
    struct Impl;
    ProgramDir dir_;
    InfoSink& messages_;
    std::unique_ptr<Impl> impl_;
};

// The records a typed name or number may mean, best first: names that begin with `typed`,
// then names that hold it further on, then catalog numbers that begin with it, in decimal or
// as the lines write them (case and the blanks around `typed` ignored); at most `limit`
// indices, none for blank text.
std::vector<int> MatchSatellites(const std::vector<SatelliteRecord>& records, std::string_view typed, size_t limit);

}  // namespace vsp
