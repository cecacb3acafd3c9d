#include "databuild/DataFileWriter.h"

#include <cstring>

#include "databuild/InputFiles.h"
#include "platform/Text.h"
#include "records/RecordFile.h"

namespace vsp::databuild {
namespace {

// Latin letters with marks that Windows-1252 lacks, as their plain letter (ā → a), so a
// name keeps its spelling instead of turning into '?'.
std::string DropMarksOutsideCodePage(const std::string& utf8) {
    static const struct {
        const char* from;
        char to;
    } kFold[] = {{"ā", 'a'}, {"ă", 'a'}, {"ą", 'a'}, {"ē", 'e'}, {"ĕ", 'e'}, {"ė", 'e'}, {"ę", 'e'},
                 {"ě", 'e'}, {"ī", 'i'}, {"ĭ", 'i'}, {"į", 'i'}, {"ı", 'i'}, {"ō", 'o'}, {"ŏ", 'o'},
                 {"ő", 'o'}, {"ū", 'u'}, {"ŭ", 'u'}, {"ů", 'u'}, {"ű", 'u'}, {"ų", 'u'}, {"ć", 'c'},
                 {"č", 'c'}, {"ĉ", 'c'}, {"ď", 'd'}, {"đ", 'd'}, {"ğ", 'g'}, {"ĝ", 'g'}, {"ħ", 'h'},
                 {"ĥ", 'h'}, {"ķ", 'k'}, {"ĺ", 'l'}, {"ľ", 'l'}, {"ł", 'l'}, {"ń", 'n'}, {"ň", 'n'},
                 {"ņ", 'n'}, {"ŕ", 'r'}, {"ř", 'r'}, {"ś", 's'}, {"ş", 's'}, {"ŝ", 's'}, {"ţ", 't'},
                 {"ť", 't'}, {"ź", 'z'}, {"ż", 'z'}, {"Ā", 'A'}, {"Ē", 'E'}, {"Ī", 'I'}, {"Ō", 'O'},
                 {"Ū", 'U'}, {"Ć", 'C'}, {"Č", 'C'}, {"Ł", 'L'}, {"Ś", 'S'}, {"Ş", 'S'}, {"Ř", 'R'},
                 {"Ż", 'Z'}, {"Ź", 'Z'}, {"Ğ", 'G'}, {"İ", 'I'}, {"Ń", 'N'}};
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        bool folded = false;
        if (uint8_t(utf8[i]) >= 0xC4 && uint8_t(utf8[i]) <= 0xC5) {
            for (const auto& fold : kFold) {
                const size_t length = std::strlen(fold.from);
                if (utf8.compare(i, length, fold.from) == 0) {
                    out += fold.to;
                    i += length;
                    folded = true;
                    break;
                }
            }
        }
        if (!folded) out += utf8[i++];
    }
    return out;
}

}  // namespace

DataFileWriter::DataFileWriter(std::string name, uint32_t tag, uint32_t version, int32_t recordSize)
    : name_(std::move(name)), tag_(tag), version_(version), recordSize_(recordSize) {}

uint8_t* DataFileWriter::Append() {
    bytes_.resize(bytes_.size() + size_t(recordSize_), 0);
    return bytes_.data() + bytes_.size() - size_t(recordSize_);
}

bool DataFileWriter::Commit(const std::string& dataDir, const std::string& source,
                           BuildReport& report) const {
    const std::string path = PathBelow(dataDir, name_);
    const RecordHeader header{version_, tag_, Count(), recordSize_};
    const std::string_view records(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
    if (!RecordFileWriteWhole(path, header, records)) {
        report.problem = path + ": cannot be written";
        return false;
    }
    report.files.push_back({name_, Count(), recordSize_, source});
    report.Progress(name_ + ": " + std::to_string(Count()) + " records");
    return true;
}

void PutText(uint8_t* field, size_t size, const std::string& utf8) {
    const std::string narrow = Utf8ToCp1252(DropMarksOutsideCodePage(utf8));
    std::memset(field, 0, size);
    std::memcpy(field, narrow.data(), std::min(narrow.size(), size - 1));
}

}  // namespace vsp::databuild
