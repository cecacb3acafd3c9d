#include "scope/Lx200Codec.h"

#include <array>
#include <cmath>

#include "platform/FormatText.h"


namespace vsp {
namespace {

constexpr double kHalfSecond = 1.0 / 7200.0;

// Whole units and the two sexagesimal fields below them, truncated.
struct Fields {
    int whole, minutes, last;
};

// `lastPerMinute` is 60 for seconds and 10 for tenths of a minute.
Fields SplitRounded(double value, int lastPerMinute) {
    const double rounded = value + kHalfSecond;
    const int whole = int(rounded);
    const double x = (rounded - whole) * 60;
    const int minutes = int(x);
    return {whole, minutes, int((x - minutes) * lastPerMinute)};
}

// A cursor over a reply that reads two-digit fields and single separators.
class ReplyReader {
public:
    explicit ReplyReader(std::string_view text) : text_(text) {}

    std::optional<int> TwoDigits() {
        if (at_ + 2 > text_.size() || !IsDigit(text_[at_]) || !IsDigit(text_[at_ + 1])) {
            return std::nullopt;
        }
        const int value = (text_[at_] - '0') * 10 + (text_[at_ + 1] - '0');
        at_ += 2;
        return value;
    }
    std::optional<int> Digit() {
        if (at_ >= text_.size() || !IsDigit(text_[at_])) return std::nullopt;
        return text_[at_++] - '0';
    }
    bool Separator() {
        if (at_ >= text_.size() || IsDigit(text_[at_]) || text_[at_] == '#') return false;
        ++at_;
        return true;
    }
    bool Take(char c) {
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool AtEnd() const { return at_ == text_.size(); }
    // A reply ends with '#' or stops where the read stopped.
    bool Finished() {
        Take('#');
        return AtEnd();
    }

private:
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    std::string_view text_;
    size_t at_ = 0;
};

// The fields after the first: minutes, then either ".T" (tenths, when allowed) or a separator
// and seconds, or nothing more. Gives the seconds.
std::optional<double> ReadMinutesAndSeconds(ReplyReader& reader, bool tenthsAllowed,
                                            int& minutes) {
    if (!reader.Separator()) return std::nullopt;
    const auto m = reader.TwoDigits();
    if (!m || *m > 59) return std::nullopt;
    minutes = *m;
    if (tenthsAllowed && reader.Take('.')) {
        const auto tenths = reader.Digit();
        if (!tenths) return std::nullopt;
        return *tenths * 6.0;
    }
    // A short read of a longer reply may stop right after the separator.
    if (!reader.Separator() || reader.AtEnd()) return 0.0;
    const auto s = reader.TwoDigits();
    if (!s || *s > 59) return std::nullopt;
    return double(*s);
}

}  // namespace

namespace lx200 {

size_t RaReplyLength(Lx200Precision precision) {
    return precision == Lx200Precision::Long ? 9 : 8;
}

size_t DecReplyLength(Lx200Precision precision) {
    return precision == Lx200Precision::Long ? 10 : 7;
}

}  // namespace lx200

std::string Lx200RaCommand(double raHours, Lx200Precision precision) {
    if (precision == Lx200Precision::Long) {
        const Fields f = SplitRounded(raHours, 60);
        return FormatText("#:Sr %02d:%02d:%02d#", f.whole, f.minutes, f.last);
    }
    const Fields f = SplitRounded(raHours, 10);
    return FormatText("#:Sr %02d:%02d.%d#", f.whole, f.minutes, f.last);
}

std::string Lx200DecCommand(double decDegrees, Lx200Precision precision) {
    const Fields f = SplitRounded(std::fabs(decDegrees), 60);
    const char sign = decDegrees < 0 ? '-' : '+';
    constexpr char kDegreeMark = char(0xDF);
    if (precision == Lx200Precision::Long) {
        return FormatText(":Sd %c%02d%c%02d:%02d#", sign, f.whole, kDegreeMark, f.minutes, f.last);
    }
    return FormatText(":Sd %c%02d%c%02d#", sign, f.whole, kDegreeMark, f.minutes);
}

std::string_view Lx200RateCommand(ScopeRate rate) {
    constexpr std::array<std::string_view, 4> kCommands{"#:RS#", "#:RM#", "#:RC#", "#:RG#"};
    return kCommands[size_t(rate)];
}

std::string_view Lx200MoveCommand(ScopeDirection direction) {
    constexpr std::array<std::string_view, 4> kCommands{"#:Mn#", "#:Ms#", "#:Me#", "#:Mw#"};
    return kCommands[size_t(direction)];
}

std::string_view Lx200StopAxisCommand(ScopeDirection direction) {
    constexpr std::array<std::string_view, 4> kCommands{"#:Qn#", "#:Qs#", "#:Qe#", "#:Qw#"};
    return kCommands[size_t(direction)];
}

std::vector<std::string> Lx200GotoCommands(DriveId drive, double raHours, double decDegrees,
                                           Lx200Precision precision) {
    std::vector<std::string> commands{Lx200RaCommand(raHours, precision)};
    if (InFamily(drive, DriveFamily::Lx200Gemini)) commands.emplace_back(lx200::kGeminiOn);
    commands.push_back(Lx200DecCommand(decDegrees, precision));
    commands.emplace_back(lx200::kSlew);
    return commands;
}

std::vector<std::string> Lx200SyncCommands(double raHours, double decDegrees,
                                           Lx200Precision precision) {
    return {Lx200RaCommand(raHours, precision), Lx200DecCommand(decDegrees, precision),
            std::string(lx200::kSync)};
}

Lx200Handshake EvaluateLx200Handshake(DriveId drive, size_t bytesRead) {
    if (InFamily(drive, DriveFamily::Lx200) || InFamily(drive, DriveFamily::Lx200Gemini))
        return {bytesRead >= 6, bytesRead == lx200::kHandshakeReplyMax};
    if (InFamily(drive, DriveFamily::Lx200ReadOnly)) return {bytesRead == lx200::kDateReplyLength, false};
    return {};
}

Lx200GotoReply EvaluateSlewReply(std::string_view reply) {
    const bool known = !reply.empty() && (reply[0] == '0' || reply[0] == '1' || reply[0] == '2');
    return known ? Lx200GotoReply::Accepted : Lx200GotoReply::Refused;
}

std::optional<double> ParseLx200Ra(std::string_view reply) {
    ReplyReader reader(reply);
    const auto hours = reader.TwoDigits();
    int minutes = 0;
    if (!hours || *hours > 23) return std::nullopt;
    const auto seconds = ReadMinutesAndSeconds(reader, true, minutes);
    if (!seconds || !reader.Finished()) return std::nullopt;
    return *hours + minutes / 60.0 + *seconds / 3600.0;
}

std::optional<double> ParseLx200Dec(std::string_view reply) {
    ReplyReader reader(reply);
    const bool negative = reader.Take('-');
    if (!negative && !reader.Take('+')) return std::nullopt;
    const auto degrees = reader.TwoDigits();
    int minutes = 0;
    if (!degrees) return std::nullopt;
    const auto seconds = ReadMinutesAndSeconds(reader, false, minutes);
    if (!seconds || !reader.Finished()) return std::nullopt;
    const double value = *degrees + (60.0 * minutes + *seconds) / 3600.0;
    if (value > 90) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace vsp
