#pragma once
// The comet and minor-planet databases: record files "vespertar_comet.ppc" (type code
// 0x706C3131) and "vespertar_minor.ppc" (0x706C3134) under data/, worked on as their writable
// copies under usercatalogs/data/. An import replaces a file whole (a temporary file renamed
// over it), so a failed import never loses the previous database. The record layer counts in
// 16 bits: at most 65535 objects a file.
//
// One record layout for both, 144 bytes, little-endian:
//   0  u8      kind (1 comet, 2 minor planet)
//   1  3 bytes zero
//   4  u32     number (minor planet number, periodic comet number; 0 none)
//   8  24 B    readable designation, UTF-8, NUL-terminated ("(1)", "2025 AB1", "C/2023 A3")
//  32  40 B    name, UTF-8, NUL-terminated, may be empty
//  72  f64     epoch of osculation, JD TT
//  80  f64     time of perihelion passage, JD TT
//  88  f64     perihelion distance q, AU
//  96  f64     eccentricity
// 104  f64     inclination, degrees (J2000 ecliptic and equinox)
// 112  f64     longitude of the ascending node, degrees
// 120  f64     argument of perihelion, degrees
// 128  f64     H (minor planets) or g (comets), NaN when the file gave none
// 136  f64     G (minor planets) or k (comets), NaN when the file gave none
// Minor planets' mean anomaly and semimajor axis are kept as the perihelion time and q they
// give with the Gaussian constant (k = 0.01720209895; n = k / a^1.5 rad/day).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "solarsystem/MinorBodyRecord.h"

namespace vsp {

inline constexpr int32_t kMinorBodyRecordSize = 144;
inline constexpr size_t kMinorBodyDesignationSize = 24;
inline constexpr size_t kMinorBodyNameSize = 40;
inline constexpr int kMaxMinorBodyRecords = 65535;  // the record layer counts in 16 bits

void EncodeMinorBodyRecord(const MinorBodyRecord& record, uint8_t* bytes);
// False for bytes whose kind is neither comet nor minor planet.
bool DecodeMinorBodyRecord(const uint8_t* bytes, MinorBodyRecord& out);

class MinorBodyDatabase {
public:
    MinorBodyDatabase(const ProgramDir& dir, InfoSink& messages, MinorBodyKind kind);
    ~MinorBodyDatabase();

    // Opens the writable copy, else the shipped file under data/; false when there is none.
    bool Open();
    int Count() const;
    // Record `index`; false with a message when it cannot be had.
    bool Read(int index, MinorBodyRecord& out);
    bool ReadAll(std::vector<MinorBodyRecord>& out);
    // Replaces the whole database (temporary file renamed over it); `error` says why not.
    bool Replace(const std::vector<MinorBodyRecord>& records, std::string& error);
    // The writable copy's path.
    std::string Path() const;
    const ProgramDir& Dir() const { return dir_; }
    MinorBodyKind Kind() const { return kind_; }

private:
    struct Impl;
    ProgramDir dir_;
    InfoSink& messages_;
    MinorBodyKind kind_;
    std::unique_ptr<Impl> impl_;
};

// Both databases, comets first; a missing file is an empty list (no message).
struct MinorBodies {
    std::vector<MinorBodyRecord> comets, minorPlanets;
};
bool LoadMinorBodies(const ProgramDir& dir, InfoSink& messages, MinorBodies& out);

// The records a typed text means: the one it names whole (designation, name, label or number,
// NamesMinorBody), else those whose texts hold it (MatchMinorBodies), comets first; at most
// `limit`. One result: the text is unambiguous.
std::vector<const MinorBodyRecord*> FindMinorBodies(const MinorBodies& bodies, std::string_view typed, size_t limit);

}  // namespace vsp
