#include "scope/TakahashiEmulator.h"

#include <algorithm>
#include <utility>

namespace vsp {
namespace {

constexpr std::string_view kVersionReply = "vEmulated Takahashi 1.0\r\n";
constexpr size_t kRaDigits = 6, kDecField = 6;
constexpr std::string_view kNoDeclination = " 00000", kNoRa = "000000";

// The fields of a command ("hhmmss", "+ddmmt") read as those of a position reply.
std::optional<EquatorialPosition> Fields(std::string_view ra, std::string_view dec) {
    const auto reading = ParseTakahashiPosition("E" + std::string(ra) + std::string(dec) + takahashi::kPierEast);
    return reading ? std::optional(reading->position) : std::nullopt;
}

std::string Verdict(TakahashiCoordinateReply verdict) { return std::string("R") + char(verdict) + "\r\n"; }

}  // namespace

TakahashiEmulator::TakahashiEmulator(char pier) : pier_(pier) {}

std::string TakahashiEmulator::Receive(std::string_view bytes) {
    pending_.append(bytes);
    std::string reply;
    for (size_t end; (end = pending_.find('\n')) != std::string::npos;) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        if (line.ends_with('\r')) line.pop_back();
        reply += Execute(line);
    }
    return reply;
}

void TakahashiEmulator::Advance(double seconds) {
    unspentSeconds_ += seconds;
    for (; unspentSeconds_ >= kStepSeconds; unspentSeconds_ -= kStepSeconds) {
        mount_.Step();
        zenithSeconds_ = std::max(0.0, zenithSeconds_ - kStepSeconds);
        if (motionSeconds_ > 0 && (motionSeconds_ -= kStepSeconds) <= 0) mount_.Stop();
    }
}

std::string TakahashiEmulator::Execute(std::string_view line) {
    if (line.starts_with("PT")) {
        pier_ = pier_ == takahashi::kPierEast ? takahashi::kPierWest : takahashi::kPierEast;
    } else if (line.starts_with("PS")) {
        motionSeconds_ = 0;
        if (acceptedTarget_) {
            mount_.Goto(*std::exchange(acceptedTarget_, std::nullopt));
        } else {
            mount_.Stop();
        }
    } else if (line.starts_with("M@") || line.starts_with("s")) {
        motionSeconds_ = 0;
        acceptedTarget_.reset();
        mount_.Stop();
    } else if (line.starts_with("M")) {
        StartMotion(line);
    } else if (line.starts_with("P") || line.starts_with("D")) {
        return Coordinates(line);
    } else if (line.starts_with("v")) {
        return std::string(kVersionReply);
    } else if (line.starts_with("E")) {
        const char pier = zenithSeconds_ > 0 ? takahashi::kPierChanging : pier_;
        return TakahashiPositionReply(mount_.Current(), pier);
    } else if (line.starts_with("T")) {
        if (const auto time = Fields(line.substr(1), kNoDeclination)) siderealHours_ = time->raHours;
    } else if (line.starts_with("I")) {
        if (const auto site = Fields(kNoRa, line.substr(1))) latitude_ = site->decDegrees;
    } else if (line.starts_with("Z")) {
        Zenith();
    }
    return "";
}

// Where the zenith is once the site is known; the routine runs either way.
void TakahashiEmulator::Zenith() {
    zenithSeconds_ = kZenithRoutineSeconds;
    if (siderealHours_ && latitude_) mount_.Sync({*siderealHours_, *latitude_});
}

std::string TakahashiEmulator::Coordinates(std::string_view line) {
    const std::string_view fields = line.substr(1);
    if (fields.size() > kRaDigits + kDecField) return Verdict(TakahashiCoordinateReply::TooManyDigits);
    const size_t raEnd = std::min(fields.size(), kRaDigits);
    const auto target = Fields(fields.substr(0, raEnd), fields.substr(raEnd));
    if (!target) {
        const bool raReads = fields.size() >= kRaDigits && Fields(fields.substr(0, kRaDigits), kNoDeclination);
        return Verdict(raReads ? TakahashiCoordinateReply::WrongDec : TakahashiCoordinateReply::WrongRa);
    }
    if (line[0] == 'D') {
        mount_.Sync(*target);
    } else {
        acceptedTarget_ = target;
    }
    return Verdict(TakahashiCoordinateReply::Accepted);
}

void TakahashiEmulator::StartMotion(std::string_view line) {
    for (const bool guide : {false, true}) {
        for (const ScopeDirection direction :
             {ScopeDirection::North, ScopeDirection::South, ScopeDirection::East, ScopeDirection::West}) {
            if (TakahashiMoveCommand(direction, guide).substr(0, 2) != line) continue;
            mount_.SetRate(guide ? ScopeRate::Guide : ScopeRate::Fast);
            mount_.Move(direction);
            motionSeconds_ = kMotionSeconds;
            return;
        }
    }
}

}  // namespace vsp
