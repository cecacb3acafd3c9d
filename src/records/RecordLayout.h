#pragma once
// Descriptions of record layouts, so that `records dump` can show a record field by field.
// Each subsystem that owns a record file adds its layout to a registry the caller builds
// (no global table): e.g. a RegisterXxxLayouts(RecordLayoutRegistry&) beside the file's code.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vsp {

enum class FieldType { U8, I8, U16, I16, U32, I32, F32, F64, Text, FourCC };

struct RecordField {
    std::string name;
    int32_t offset = 0;
    FieldType type = FieldType::U8;
    int32_t length = 0;  // bytes of a Text field; ignored for the other types
};

struct RecordLayout {
    std::string name;           // e.g. "settings"
    int32_t recordSize = 0;     // the size a file must have for this layout to apply
    std::string filePattern;    // file name (not path) with '*' and '?', e.g. "vespertar_*.ppc";
                                // empty: matched by tag only
    uint32_t headerTag = 0;     // header tag (FourCharCode); 0: matched by name only
    std::vector<RecordField> fields;
};

// Bytes a field occupies (the text length for Text).
int32_t FieldSize(const RecordField& field);

// Every field lies inside the record, has a name, and a Text field has a length >= 1;
// the layout has a size >= 1 and a pattern or a tag. On failure `problem` says why.
bool CheckRecordLayout(const RecordLayout& layout, std::string* problem = nullptr);

// '*' any run of characters, '?' one character; the whole name must match.
bool MatchFileName(std::string_view pattern, std::string_view fileName);

// Printable four-character code: the four header bytes in file order; a byte outside
// 0x20..0x7E is shown as \xNN.
std::string FourCharCodeToString(uint32_t code);

class RecordLayoutRegistry {
public:
    // Adds a layout that passes CheckRecordLayout; false (and nothing added) otherwise.
    bool Add(RecordLayout layout, std::string* problem = nullptr);

    // The layout for a file: `fileName` may be a full path (only its last part is matched).
    // A layout applies when its record size equals `recordSize` and its pattern matches the
    // name or its tag equals `headerTag`; a name match wins over a tag match, and among equals
    // the layout added first wins. Null when none applies.
    const RecordLayout* Find(std::string_view fileName, int32_t recordSize,
                             uint32_t headerTag = 0) const;

    const std::vector<RecordLayout>& Layouts() const { return layouts_; }

private:
    std::vector<RecordLayout> layouts_;
};

// (field name, printable value) for every field of the layout, in layout order. `record`
// holds `length` bytes; a field that does not fit in them gets the value "?".
// Integers in decimal, floats in the shortest form that reads back the same, FourCC as
// FourCharCodeToString, Text up to its first NUL, kept in the device code page (the caller
// converts at the edge) with control bytes shown as \xNN.
std::vector<std::pair<std::string, std::string>> DecodeRecord(const RecordLayout& layout,
                                                              const uint8_t* record,
                                                              size_t length);

}  // namespace vsp
