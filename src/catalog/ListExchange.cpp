#include "catalog/ListExchange.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "catalog/ListTargets.h"
#include "catalog/ObjectTypeTable.h"
#include "format/AngleParse.h"
#include "platform/SeparatedText.h"
#include "platform/Text.h"

namespace vsp {
namespace {

constexpr std::string_view kBeginObject = "SkyObject=BeginObject";
constexpr std::string_view kEndObject = "EndObject=SkyObject";
constexpr std::string_view kCsvHeader = "Name,Designation,RA,Dec,Type,Magnitude";

// "M31" as SkySafari writes it, "M 31"; designations that have a blank or begin otherwise
// ("C/2023 A3", "(1)") stay as they are.
std::string SkySafariDesignation(const std::string& designation) {
    size_t letters = 0;
    while (letters < designation.size() && std::isalpha(static_cast<unsigned char>(designation[letters]))) ++letters;
    if (letters == 0 || letters == designation.size() || !std::isdigit(static_cast<unsigned char>(designation[letters])))
        return designation;
    return designation.substr(0, letters) + " " + designation.substr(letters);
}

int ObjectClass(const ExchangedEntry& entry) {
    const std::string code = ObjectTypeShortCode(entry.type);
    if (code == "PLANET" || code == "COMET" || code == "MINOR") return 1;
    if (code == "1STAR" || code == "VSTAR" || code.ends_with("STAR")) return 2;
    return 4;
}

std::string Sexagesimal(double value, bool sign, int secondDigits) {
    const double scale = std::pow(10.0, secondDigits);
    long long units = std::llround(std::fabs(value) * 3600.0 * scale);
    const int whole = int(units / (3600 * (long long)scale));
    const int minutes = int(units / (60 * (long long)scale) % 60);
    const double seconds = double(units % (60 * (long long)scale)) / scale;
    char text[32];
    std::snprintf(text, sizeof text, "%s%02d:%02d:%0*.*f", sign ? (value < 0 ? "-" : "+") : "", whole, minutes,
                  secondDigits + 3, secondDigits, seconds);
    return text;
}

int32_t TypeRowNamed(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) return 0;
    const ObjectTypeTable table = DefaultObjectTypeTable();
    for (int32_t row = 1; row < kObjectTypeCount; ++row)
        if (EqualsIgnoringCase(ObjectTypeName(table[size_t(row)]), text) || EqualsIgnoringCase(ObjectTypeShortCode(row), text))
            return row;
    return 0;
}

// The skylist's "Key=value" lines of one object block.
void ReadSkylistLine(std::string_view line, ExchangedEntry& entry) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    const std::string_view key = TrimBlanks(line.substr(0, equals));
    const std::string value = Utf8ToCp1252(TrimBlanks(line.substr(equals + 1)));
    if (value.empty()) return;
    if (key == "ObjectID" && value.starts_with("2,")) entry.type = TypeRowNamed("1STAR");
    else if (key == "CommonName") entry.name = value;
    else if (key == "CatalogNumber") entry.designations.push_back(value);
}

struct CsvColumns {
    int name = -1, designation = -1, ra = -1, dec = -1, type = -1, magnitude = -1;
    bool raInDegrees = false;
};

CsvColumns ReadHeader(const std::vector<std::string>& header) {
    CsvColumns columns;
    for (int i = 0; i < int(header.size()); ++i) {
        const std::string word = Lower(TrimBlanks(header[size_t(i)]));
        auto take = [&](int& column) { if (column < 0) column = i; };
        if (word == "name" || word == "object" || word == "target" || word == "common name") take(columns.name);
        else if (word.starts_with("designation") || word == "id" || word.starts_with("catalog")) take(columns.designation);
        else if (word.starts_with("ra") || word.starts_with("right asc")) {
            take(columns.ra);
            if (columns.ra == i) columns.raInDegrees = word.find("deg") != std::string::npos;
        } else if (word.starts_with("dec")) take(columns.dec);
        else if (word.starts_with("type")) take(columns.type);
        else if (word.starts_with("mag")) take(columns.magnitude);
    }
    return columns;
}

char CsvSeparator(std::string_view header) {
    for (char separator : {',', ';', '\t'})
        if (header.find(separator) != std::string_view::npos) return separator;
    return ',';
}

std::string_view Field(const std::vector<std::string>& fields, int column) {
    return column >= 0 && size_t(column) < fields.size() ? TrimBlanks(fields[size_t(column)]) : std::string_view();
}

// One data line; false when its RA or Dec is there but cannot be read.
bool ReadCsvLine(const std::vector<std::string>& fields, const CsvColumns& columns, ExchangedEntry& entry) {
    entry.name = Utf8ToCp1252(Field(fields, columns.name));
    if (const std::string_view designation = Field(fields, columns.designation); !designation.empty())
        entry.designations.push_back(Utf8ToCp1252(designation));
    const std::string_view ra = Field(fields, columns.ra), dec = Field(fields, columns.dec);
    if (!ra.empty() && !dec.empty()) {
        entry.ra = ParseCoordinate(ra, 0.0, columns.raInDegrees ? 360.0 : 24.0);
        entry.dec = ParseCoordinate(dec, -90.0, 90.0);
        if (!entry.ra || !entry.dec) return false;
        if (columns.raInDegrees) *entry.ra /= 15.0;
    }
    entry.type = TypeRowNamed(Field(fields, columns.type));
    if (const std::string_view magnitude = Field(fields, columns.magnitude); !magnitude.empty())
        entry.magnitude = ParseDecimal(magnitude);
    return true;
}

}  // namespace

ListFileFormat DetectListFormat(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (TrimBlanks(text.substr(0, text.find('\n'))).starts_with("SkySafariObservingListVersion")) return ListFileFormat::Skylist;
    const std::string_view first = text.substr(0, SeparatedRecordLength(text, CsvSeparator(text.substr(0, text.find('\n')))));
    const CsvColumns columns = ReadHeader(SplitSeparatedRecord(first, CsvSeparator(first)));
    return columns.name >= 0 || columns.designation >= 0 ? ListFileFormat::Csv : ListFileFormat::Memo;
}

ExchangedEntry ExchangedOf(const CatalogTable& catalogs, const ListEntry& entry) {
    ExchangedEntry out;
    const std::string designation = ListEntryDesignationText(catalogs, entry);
    out.name = entry.name.empty() ? designation : entry.name;
    if (!designation.empty() && designation != out.name) out.designations.push_back(designation);
    else if (entry.number >= 0 && entry.kind != kEntryPlanet && !designation.empty())
        out.designations.push_back(designation);
    out.ra = entry.ra;
    out.dec = entry.dec;
    out.type = entry.type;
    out.magnitude = entry.magnitudeX10 / 10.0;
    return out;
}

std::string SkylistText(const std::vector<ExchangedEntry>& entries) {
    std::string text = std::string(kSkylistFirstLine) + "\nSortedBy=Default Order\n";
    int index = 0;
    for (const ExchangedEntry& entry : entries) {
        text += std::string(kBeginObject) + "\n\tObjectID=" + std::to_string(ObjectClass(entry)) + ",-1,-1\n";
        const bool named = !entry.name.empty() &&
                           (entry.designations.empty() || entry.name != entry.designations.front());
        if (named) text += "\tCommonName=" + Cp1252ToUtf8(entry.name) + "\n";
        for (const std::string& designation : entry.designations)
            text += "\tCatalogNumber=" + Cp1252ToUtf8(SkySafariDesignation(designation)) + "\n";
        text += "\tDefaultIndex=" + std::to_string(index++) + "\n" + std::string(kEndObject) + "\n";
    }
    return text;
}

std::string ListCsvText(const std::vector<ExchangedEntry>& entries) {
    const ObjectTypeTable table = DefaultObjectTypeTable();
    std::string text = std::string(kCsvHeader) + "\r\n";
    for (const ExchangedEntry& entry : entries) {
        char magnitude[16] = "";
        if (entry.magnitude) std::snprintf(magnitude, sizeof magnitude, "%.1f", *entry.magnitude);
        const std::string fields[] = {
            Cp1252ToUtf8(entry.name),
            entry.designations.empty() ? "" : Cp1252ToUtf8(entry.designations.front()),
            entry.ra ? Sexagesimal(*entry.ra, false, 2) : "",
            entry.dec ? Sexagesimal(*entry.dec, true, 1) : "",
            entry.type > 0 ? std::string(TrimBlanks(ObjectTypeName(table[size_t(entry.type)]))) : "",
            magnitude};
        for (size_t i = 0; i < std::size(fields); ++i) text += (i ? "," : "") + QuotedField(fields[i], ',');
        text += "\r\n";
    }
    return text;
}

bool ParseSkylist(std::string_view text, std::vector<ExchangedEntry>& entries, std::string& problem) {
    std::optional<ExchangedEntry> open;
    int blocks = 0;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(std::min(text.size(), end + 1));
        if (line == kBeginObject) open.emplace();
        else if (line == kEndObject && open) {
            ++blocks;
            if (!open->name.empty() || !open->designations.empty()) entries.push_back(std::move(*open));
            open.reset();
        } else if (open) ReadSkylistLine(line, *open);
    }
    if (blocks == 0) problem = "No object in this SkySafari list.";
    return blocks > 0;
}

bool ParseListCsv(std::string_view text, std::vector<ExchangedEntry>& entries, std::string& problem) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const char separator = CsvSeparator(text.substr(0, text.find('\n')));
    size_t length = SeparatedRecordLength(text, separator);
    const CsvColumns columns = ReadHeader(SplitSeparatedRecord(text.substr(0, length), separator));
    if (columns.name < 0 && columns.designation < 0) {
        problem = "No Name or Designation column in the first line.";
        return false;
    }
    text.remove_prefix(length);
    for (int line = 2; !text.empty(); ++line, text.remove_prefix(length)) {
        length = SeparatedRecordLength(text, separator);
        if (TrimBlanks(text.substr(0, length)).empty()) continue;
        ExchangedEntry entry;
        if (!ReadCsvLine(SplitSeparatedRecord(text.substr(0, length), separator), columns, entry)) {
            problem = "Failed to load data. Check line " + std::to_string(line);
            return false;
        }
        if (!entry.name.empty() || !entry.designations.empty()) entries.push_back(std::move(entry));
    }
    return true;
}

}  // namespace vsp
