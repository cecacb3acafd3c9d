#include "tools/ObserverLogShot.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

#include "format/CalendarText.h"

namespace vsp {
namespace {

bool IsPictureExtension(std::string extension) {
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    constexpr std::array<std::string_view, 3> kExtensions{".jpg", ".jpeg", ".png"};
    return std::ranges::find(kExtensions, extension) != kExtensions.end();
}

}  // namespace

std::string ShotImageName(const ObserverLogRecord& note) {
    const std::string name = CompactDate(note.year, note.month, note.day) + note.objectName;
    return name.substr(0, name.find(','));
}

ShotLinkResult LinkShot(const ProgramDir& dir, const ObserverLogRecord& note, InfoSink& messages) {
    ShotLinkResult result;
    if (note.objectName.empty()) {
        messages.InfoBox(kTypeObjectNameMessage, "");
        return result;
    }
    result.imageName = ShotImageName(note);
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path(kShotsDir), error)) {
        const std::filesystem::path& path = entry.path();
        if (entry.is_regular_file(error) && path.stem() == result.imageName &&
            IsPictureExtension(path.extension().string()))
            found.push_back(path.string());
    }
    if (found.empty()) {
        result.link = ShotLink::Missing;
        messages.InfoBox(result.imageName + ".jpg", kShotMissingMessage);
        return result;
    }
    std::ranges::sort(found);  // the same picture whatever order the directory gives
    result.link = ShotLink::Found;
    result.path = found.front();
    return result;
}

}  // namespace vsp
