#include "scope/Lx200Emulator.h"

#include <cmath>

#include "platform/FormatText.h"


namespace vsp {
namespace {

constexpr char kAck = 0x06;
constexpr size_t kLongestCommand = 64;
constexpr std::string_view kSyncReply = "Coordinates     matched.        #";

// The direction or rate a two-letter command names by its second letter ("Mn", "RG"), or -1
// when the command is not of that family.
int SuffixIndex(std::string_view command, char family, std::string_view letters) {
    if (command.size() != 2 || command[0] != family) return -1;
    const size_t at = letters.find(command[1]);
    return at == std::string_view::npos ? -1 : int(at);
}

}  // namespace

Lx200Emulator::Lx200Emulator(Lx200Precision precision, Lx200Mount* mount)
    : commanded_(mount ? mount : &own_), precision_(precision) {}

std::string Lx200Emulator::Receive(std::string_view bytes) {
    pending_.append(bytes);
    std::string reply;
    while (!pending_.empty()) {
        if (pending_.front() == kAck) {
            reply += 'P';  // polar mounted
            pending_.erase(0, 1);
            continue;
        }
        const size_t start = pending_.find(':');
        if (start == std::string::npos) {
            pending_.clear();
            break;
        }
        const size_t end = pending_.find('#', start);
        if (end == std::string::npos) {
            // Keep the start of a command for the next write, but not an endless one.
            pending_.erase(0, pending_.size() - start > kLongestCommand ? pending_.size() : start);
            break;
        }
        reply += Execute(std::string_view(pending_).substr(start + 1, end - start - 1));
        pending_.erase(0, end + 1);
    }
    return reply;
}

void Lx200Emulator::Advance(double seconds) {
    unspentSeconds_ += seconds;
    for (; unspentSeconds_ >= kStepSeconds; unspentSeconds_ -= kStepSeconds) mount_.Step();
}

void Lx200Emulator::SetDate(int year, int month, int day) {
    date_ = FormatText("%02d/%02d/%02d#", month, day, year % 100);
}

std::string Lx200Emulator::Execute(std::string_view command) {
    if (command == "GR") return RaReply();
    if (command == "GD") return DecReply();
    if (command == "GC") return date_;
    if (command.starts_with("Sr") || command.starts_with("Sd")) return SetTarget(command);
    if (command == "MS") {
        commanded_->Goto(target_);
        return "0";
    }
    if (command == "CM") {
        commanded_->Sync(target_);
        return std::string(kSyncReply);
    }
    if (command == "D") return commanded_->Moving() ? "\x7f#" : "#";
    if (command == "U") {
        precision_ = precision_ == Lx200Precision::Long ? Lx200Precision::Short
                                                        : Lx200Precision::Long;
        return "";
    }
    if (command == "Q") {
        commanded_->Stop();
    } else if (const int axis = SuffixIndex(command, 'Q', "nsew"); axis >= 0) {
        commanded_->StopAxis(ScopeDirection(axis));
    } else if (const int direction = SuffixIndex(command, 'M', "nsew"); direction >= 0) {
        commanded_->Move(ScopeDirection(direction));
    } else if (const int rate = SuffixIndex(command, 'R', "SMCG"); rate >= 0) {
        commanded_->SetRate(ScopeRate(rate));
    }
    // Anything else (":ON#" among them) is taken without a reply, as a mount does.
    return "";
}

std::string Lx200Emulator::SetTarget(std::string_view command) {
    std::string_view value = command.substr(2);
    while (value.starts_with(' ')) value.remove_prefix(1);
    const bool ra = command[1] == 'r';
    const auto parsed = ra ? ParseLx200Ra(value) : ParseLx200Dec(value);
    if (!parsed) return "0";
    (ra ? target_.raHours : target_.decDegrees) = *parsed;
    return "1";
}

std::string Lx200Emulator::RaReply() {
    const double ra = commanded_->Position().raHours;
    if (precision_ == Lx200Precision::Long) {
        const long seconds = std::lround(ra * 3600) % 86400;
        return FormatText("%02ld:%02ld:%02ld#", seconds / 3600, seconds / 60 % 60, seconds % 60);
    }
    const long tenths = std::lround(ra * 600) % 14400;
    return FormatText("%02ld:%02ld.%ld#", tenths / 600, tenths / 10 % 60, tenths % 10);
}

std::string Lx200Emulator::DecReply() {
    const double dec = commanded_->Position().decDegrees;
    const bool longFormat = precision_ == Lx200Precision::Long;
    const long units = std::lround(std::fabs(dec) * (longFormat ? 3600 : 60));
    const char sign = dec < 0 && units > 0 ? '-' : '+';
    if (longFormat) {
        return FormatText("%c%02ld*%02ld:%02ld#", sign, units / 3600, units / 60 % 60, units % 60);
    }
    return FormatText("%c%02ld*%02ld#", sign, units / 60, units % 60);
}

}  // namespace vsp
