#pragma once
// One entry of an observing list: what the chart, Goto, the planner, the log and the list
// files share about a target. 76 bytes in a list file, little-endian:
//
//   offset  0  text[16]  entry name, NUL-terminated (empty: the designation is shown)
//   offset 16  i32       number within the catalog (-1 marks a free entry)
//   offset 20  i16       list number, 0-based, for the numbered lists and the planets
//   offset 22  i16       catalog index
//   offset 24  i16       object type code
//   offset 26  i16       constellation index (-1 unknown)
//   offset 28  f32       right ascension, hours, J2000
//   offset 32  f32       declination, degrees, J2000
//   offset 36  i32       index within the source (object record, table row, star number)
//   offset 40  u16       first code of the object record (class text code)
//   offset 42  u16       second code of the object record
//   offset 44  4 bytes   zero
//   offset 48  i16       first size, whole arcminutes
//   offset 50  i16       second size, whole arcminutes
//   offset 52  i16       entry kind (ListEntryKind)
//   offset 54  i8        small value: the second code when it fits, else 0
//   offset 55  u8        class code: the first code when it fits, else 0
//   offset 56  i32       magnitude x 10
//   offset 60  text[16]  comets and minor planets: the readable designation ("C/2023 A3",
//                        "(1)", "2025 AB1"), NUL-terminated when shorter; else zero
// Bytes 40..47, 54..55 and 60..75 are this program's own: other readers of the exchange
// formats use only 55 and 54, which lose class codes above 255. A comet or minor planet is
// known by its designation, which survives a new import of the elements (the database's
// record order does not); its number is the minor planet's or periodic comet's, 0 for none.

#include <cstdint>
#include <string>


namespace vsp {

inline constexpr int32_t kListEntrySize = 76;
inline constexpr int32_t kListEntryNameSize = 16;

// Where an entry came from; values other than these mean "a catalog object".
enum ListEntryKind : int16_t {
    kEntryCatalogObject = 0,
    kEntryPlanet = 1,
    kEntryMessier = 2,
    kEntryCaldwell = 3,
    kEntryHerschel = 7,
    kEntrySac = 9,  // the 110 best NGC objects
    kEntryBrightStar = 11,
    kEntryConstellation = 13,
    kEntryMeteorShower = 14,
    kEntryComet = 15,
    kEntryMinorPlanet = 16,
};
inline constexpr int32_t kListEntryDesignationSize = 16;

struct ListEntry {
    std::string name;  // at most 15 bytes are kept
    int32_t number = -1;
    int16_t listNumber = 0;
    int16_t catalog = 0;
    int16_t type = 0;
    int16_t constellation = -1;
    float ra = 0.0f;
    float dec = 0.0f;
    int32_t sourceIndex = 0;
    uint16_t code1 = 0;
    uint16_t code2 = 0;
    int16_t size1 = 0;
    int16_t size2 = 0;
    int16_t kind = kEntryCatalogObject;
    int32_t magnitudeX10 = 0;
    std::string designation{};  // comets and minor planets; at most 16 bytes are kept
    bool operator==(const ListEntry&) const = default;
};

void EncodeListEntry(const ListEntry& entry, uint8_t* bytes);
ListEntry DecodeListEntry(const uint8_t* bytes);

// The catalog and number an entry is known by outside the program: the planets are catalog
// 45 numbered from 0, the numbered lists' entries their list's catalog and number
// (list number + 1); everything else keeps its own.
struct EntryDesignation {
    int32_t catalog = 0;
    int32_t number = 0;
};
EntryDesignation ListEntryDesignation(const ListEntry& entry);

bool IsMinorBodyEntry(const ListEntry& entry);
// Whether two entries name one target: comets and minor planets by kind and designation,
// everything else by catalog and number.
bool SameListTarget(const ListEntry& a, const ListEntry& b);

}  // namespace vsp
