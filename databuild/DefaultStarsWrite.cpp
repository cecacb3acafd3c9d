#include "databuild/DefaultStarsWrite.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/StarCatalog.h"
#include "databuild/DataFileWriter.h"
#include "databuild/StarEntryPacking.h"
#include "platform/Text.h"
#include "records/RecordFile.h"

namespace vsp::databuild {

namespace {

const StarName* NameOf(const StarSources& sources, const ChosenStar& star) {
    const auto found = sources.names.find(star.star->hip);
    return found == sources.names.end() ? nullptr : &found->second;
}

}  // namespace

int BayerLetterCode(const std::string& bayer) {
    // Greek small letters are U+03B1 .. U+03C9, two bytes each: 0xCE 0xB1 .. 0xCF 0x89.
    if (bayer.size() < 2) return 0;
    const uint8_t lead = uint8_t(bayer[0]), next = uint8_t(bayer[1]);
    int codePoint = 0;
    if (lead == 0xCE || lead == 0xCF) codePoint = ((lead & 0x1F) << 6) | (next & 0x3F);
    if (codePoint < 0x3B1 || codePoint > 0x3C9) return 0;
    int letter = codePoint - 0x3B1 + 1;  // alpha = 1 .. rho = 17, final sigma 18
    if (codePoint > 0x3C2) --letter;     // the alphabet has one sigma: sigma 18 .. omega 24
    return letter;
}

bool WriteDefaultStars(const std::vector<ChosenStar>& stars, const StarSources& sources,
                      const std::string& dataDir, const std::string& source, BuildReport& report) {
    DataFileWriter file(std::string(kDefaultStarsFileName), kDefaultStarsTypeCode, kStarFileVersion, kStarRecordSize);
    const double j2000 = JulianEpochToJd(2000.0);
    for (const ChosenStar& chosen : stars) {
        const HipStar& star = *chosen.star;
        uint8_t* record = file.Append();
        WriteI32(record, chosen.number);
        WriteF32(record + 4, float(star.raHours));
        WriteF32(record + 8, float(star.decDeg));
        WriteU16(record + 12, MagnitudeSixteenths(star.magnitude));
        WriteI16(record + 14, star.hasColour ? ColourTenths(star.colour) : 0);
        if (const StarName* name = NameOf(sources, chosen)) {
            record[16] = uint8_t(name->flamsteed);
            record[17] = uint8_t(BayerLetterCode(name->bayer));
        }
        WriteI16(record + 18, int16_t(ConstellationOfPosition(star.raHours, star.decDeg, j2000)));
        // 20 .. 43: unit vector and screen state, filled at run time.
    }
    return file.Commit(dataDir, source, report);
}

bool WriteBrightStars(const std::vector<ChosenStar>& stars, const StarSources& sources,
                     const std::string& dataDir, const std::string& source, BuildReport& report,
                     BrightStarSummary& summary) {
    struct Named {
        uint8_t name[kBrightStarNameSize];
        int32_t number;
        int16_t index;
    };
    std::vector<Named> named;
    summary = BrightStarSummary{};
    for (size_t i = 0; i < stars.size(); ++i) {
        const StarName* name = NameOf(sources, stars[i]);
        if (!name || name->name.empty()) continue;
        Named entry{{}, stars[i].number, int16_t(i)};
        PutText(entry.name, sizeof entry.name, name->name);
        if (Utf8ToCp1252(name->name).size() > size_t(kBrightStarNameSize - 1)) ++summary.truncated;
        named.push_back(entry);
    }
    summary.names = int(named.size());
    // The reader compares names with strcmp: byte-wise, unsigned.
    std::vector<Named> byName = named;
    std::sort(byName.begin(), byName.end(), [](const Named& a, const Named& b) {
        const int order = std::memcmp(a.name, b.name, sizeof a.name);
        return order != 0 ? order < 0 : a.number < b.number;
    });
    std::vector<Named> byNumber = named;
    std::sort(byNumber.begin(), byNumber.end(), [](const Named& a, const Named& b) { return a.number < b.number; });
    DataFileWriter file(std::string(kBrightStarFileName), kBrightStarTypeCode, kStarFileVersion,
                        kBrightStarRecordSize);
    for (const auto* half : {&byName, &byNumber}) {
        for (const Named& entry : *half) {
            uint8_t* record = file.Append();
            std::memcpy(record, entry.name, sizeof entry.name);
            WriteI16(record + kBrightStarNameSize, entry.index);
        }
    }
    return file.Commit(dataDir, source, report);
}

}  // namespace vsp::databuild
