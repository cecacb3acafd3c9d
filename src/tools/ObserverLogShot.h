#pragma once
// A photograph linked to a note: "shots/YYYYMMDD<object name>" (the name cut at its first
// ','), a .jpg, .jpeg or .png in any letter case.

#include <string>
#include <string_view>

#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "tools/ObserverLogRecord.h"

namespace vsp {

inline constexpr std::string_view kShotsDir = "shots/";
inline constexpr char kTypeObjectNameMessage[] = "You should type an object (or event) name";
inline constexpr char kShotMissingMessage[] =
    "file should be stored in shots/ folder to be linked to this observation log.";

enum class ShotLink { NoName, Missing, Found };

struct ShotLinkResult {
    ShotLink link = ShotLink::NoName;
    std::string imageName;  // without extension
    std::string path;       // of the picture found
};

// "%04d%02d%02d%s" of the note's date and object name, cut at the first ','.
std::string ShotImageName(const ObserverLogRecord& note);
// Finds the note's picture; a note without a name or a missing picture is reported.
ShotLinkResult LinkShot(const ProgramDir& dir, const ObserverLogRecord& note, InfoSink& messages);

}  // namespace vsp
