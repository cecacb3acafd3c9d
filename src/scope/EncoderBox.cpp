#include "scope/EncoderBox.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/FormatText.h"
#include "scope/Lx200Codec.h"
#include "scope/MountLink.h"

namespace vsp {
namespace {

constexpr int kEncoderBaud = 9600;
constexpr std::string_view kFailOpenEncoder = "Fail to open encoder connection";
constexpr std::string_view kCannotInitialise = "Can't initialize encoder resolution";
constexpr std::string_view kNotOpen = "Connection not open!";
constexpr std::string_view kBadStatus = "Bad encoder status";
constexpr std::string_view kBadAltitudeSteps = "Bad Alt encoder resolution";
constexpr std::string_view kBadAzimuthSteps = "Bad Azt encoder resolution";
constexpr std::string_view kPleaseCheck = "Please check.";
// The "Q" reply: two six-character counts and the separator between them.
constexpr size_t kCountsReplyLength = 13;
// Degrees per emulated read at the rates Fast, Find, Center and Guide.
constexpr double kEmulatedMagnitudes[] = {2.0, 0.5, 0.1, 0.05};

// A count run past half a turn comes back from the other side, as a box's counter wraps.
int32_t Wrapped(int32_t count, int32_t turn) {
    return turn > 0 && count > turn / 2 ? count - turn : count;
}

}  // namespace

EncoderBox::EncoderBox(const MountContext& context) : context_(context) {}

int32_t EncoderBox::AzimuthTurn() const { return std::abs(context_.prefs.azSteps); }
int32_t EncoderBox::AltitudeTurn() const { return std::abs(context_.prefs.altSteps); }

bool EncoderBox::SetupChanged() const {
    const Preferences& prefs = context_.prefs;
    return prefs.scopeDrive != initialisedDrive_ || prefs.azSteps != initialisedSteps_.azimuth ||
           prefs.altSteps != initialisedSteps_.altitude;
}

void EncoderBox::MarkInitialised() {
    state_.initialised = true;
    state_.altitudeOffset = state_.azimuthOffset = 0;
    initialisedDrive_ = context_.prefs.scopeDrive;
    initialisedSteps_ = {context_.prefs.azSteps, context_.prefs.altSteps};
}

bool EncoderBox::Connect() {
    // New steps per turn void the zero offsets and must reach the box again, as must another box.
    if (state_.initialised && SetupChanged()) {
        ResetZero();
        state_.connected = false;
    }
    if (state_.connected) return true;
    SerialLink& link = context_.link;
    if (link.Emulating()) return state_.connected = true;
    link.ShowBusy(true);
    if (!link.SerialOpen(link.ScopePort(), kEncoderBaud)) {
        link.ShowBusy(false);
        context_.sink.InfoBox(lx200::kFailOpenSerial, "");
        return false;
    }
    if (state_.initialised)
        state_.connected = true;
    else
        Initialise();
    if (!state_.initialised && !state_.connected) {
        context_.sink.InfoBox(kFailOpenEncoder, "");
        link.SetKeepOpen(0);
        link.SerialClose();
    }
    link.ShowBusy(false);
    return state_.connected;
}

void EncoderBox::Initialise() {
    const std::optional<EncoderBoxTraits> box = FindEncoderBox(context_.prefs.scopeDrive);
    if (!box) return;
    SerialLink& link = context_.link;
    const long az = AzimuthTurn(), alt = AltitudeTurn();
    switch (box->setup) {
        case EncoderSetup::None: break;
        case EncoderSetup::Resolutions:
            link.SerialSend(FormatText(box->resolutions, az, alt));
            if (box->settleMs > 0) link.Wait(box->settleMs);
            if (ReadReply(link, 1).empty()) return;
            state_.connected = true;
            if (Status()) MarkInitialised();
            return;
        case EncoderSetup::BinaryResolutions: {
            const char command[] = {'z', char(alt & 0xFF), char(alt >> 8), char(az & 0xFF), char(az >> 8)};
            link.SerialSend({command, sizeof command});
            if (ReadReply(link, 1).size() != 1) return;
            MarkInitialised();
            state_.connected = true;
            link.Wait(box->settleMs);
            link.SerialSend("A");
            return;
        }
        case EncoderSetup::ResolutionsAndZero:
            if (!link.SerialSend(FormatText(box->resolutions, az, alt))) {
                context_.sink.InfoBox(kCannotInitialise, "");
                return;
            }
            link.Wait(box->settleMs);
            if (!link.SerialSend(FormatText(box->zeroCounts, 0L, 0L))) return;
            break;
        case EncoderSetup::Never: return;
    }
    MarkInitialised();
    state_.connected = true;
}

void EncoderBox::Disconnect() {
    if (!context_.link.Emulating()) context_.link.SerialClose();
    state_.connected = false;
}

bool EncoderBox::Status() {
    if (context_.link.Emulating()) return true;
    const std::optional<EncoderBoxTraits> box = FindEncoderBox(context_.prefs.scopeDrive);
    if (!box) return false;
    switch (box->status) {
        case EncoderStatus::Ready: return true;
        case EncoderStatus::Asked: return context_.link.SerialSend("a") && ReadReply(context_.link, 1) == "Y";
        case EncoderStatus::Never: return false;
    }
    return false;
}

bool EncoderBox::ReadAltAz(EncoderReading& out) {
    out = {};
    if (!state_.connected) {
        context_.sink.InfoBox(kNotOpen, "");
        return false;
    }
    if (!Status()) {
        context_.sink.InfoBox(kBadStatus, "");
        if (!context_.link.Emulating()) context_.link.SerialClose();
        state_.connected = false;
        return false;
    }
    const std::optional<EncoderCounts> counts = ReadCounts();
    if (!counts) return false;
    out.azimuthCount = counts->azimuth;
    out.altitudeCount = counts->altitude;
    const auto altitude = EncoderAngle(counts->altitude, context_.prefs.altSteps, state_.altitudeOffset, true);
    if (!altitude) {
        context_.sink.InfoBox(kBadAltitudeSteps, kPleaseCheck);
        return false;
    }
    const auto azimuth = EncoderAngle(counts->azimuth, context_.prefs.azSteps, state_.azimuthOffset, false);
    if (!azimuth) {
        context_.sink.InfoBox(kBadAzimuthSteps, kPleaseCheck);
        return false;
    }
    out.altitude = *altitude;
    out.azimuth = *azimuth;
    return true;
}

std::optional<EncoderCounts> EncoderBox::ReadCounts() {
    if (!context_.link.Emulating()) return AskCounts();
    state_.emulatedAzimuthCount = Wrapped(state_.emulatedAzimuthCount + state_.emulatedAzimuthStep, AzimuthTurn());
    state_.emulatedAltitudeCount =
        Wrapped(state_.emulatedAltitudeCount + state_.emulatedAltitudeStep, AltitudeTurn());
    return EncoderCounts{state_.emulatedAzimuthCount, state_.emulatedAltitudeCount};
}

std::optional<EncoderCounts> EncoderBox::AskCounts() {
    SerialLink& link = context_.link;
    const EncoderCountsLayout layout =
        FindEncoderBox(context_.prefs.scopeDrive).value_or(EncoderBoxTraits{}).counts;
    const bool binary = layout == EncoderCountsLayout::Binary;
    if (!link.SerialSend(binary ? "y" : "Q")) {
        Disconnect();
        return std::nullopt;
    }
    if (binary) {
        const std::string bytes = ReadReply(link, 4);
        if (bytes.size() != 4) return std::nullopt;
        const auto byte = [&bytes](size_t i) { return int32_t(uint8_t(bytes[i])); };
        return EncoderCounts{.azimuth = byte(2) + 256 * byte(3), .altitude = byte(0) + 256 * byte(1)};
    }
    if (layout == EncoderCountsLayout::DecimalAfterByte && ReadReply(link, 1).empty()) return std::nullopt;
    return ParseEncoderCounts(ReadReply(link, kCountsReplyLength));
}

bool EncoderBox::ReadPosition(EquatorialPosition& out) {
    out = {};
    EncoderReading reading;
    if (!ReadAltAz(reading)) return false;
    const bool equatorial = context_.prefs.scopeOutputType == 0;
    out = {equatorial ? reading.azimuth / 15 : reading.azimuth, reading.altitude};
    return true;
}

GotoOutcome EncoderBox::Goto(EquatorialPosition target) {
    SetTarget(target);
    return GotoOutcome::Accepted;
}

bool EncoderBox::Sync(EquatorialPosition) { return false; }

bool EncoderBox::SetRate(ScopeRate rate) {
    state_.emulatedMagnitude = kEmulatedMagnitudes[int(rate)];
    state_.emulatedAzimuthStep = state_.emulatedAltitudeStep = 0;
    return true;
}

bool EncoderBox::Move(ScopeDirection direction) {
    const double degrees = state_.emulatedMagnitude / 360;
    const int32_t altitudeStep = int32_t(AltitudeTurn() * degrees), azimuthStep = int32_t(AzimuthTurn() * degrees);
    switch (direction) {
        case ScopeDirection::North: state_.emulatedAltitudeStep = altitudeStep; break;
        case ScopeDirection::South: state_.emulatedAltitudeStep = -altitudeStep; break;
        case ScopeDirection::East: state_.emulatedAzimuthStep = azimuthStep; break;
        case ScopeDirection::West: state_.emulatedAzimuthStep = -azimuthStep; break;
    }
    return true;
}

bool EncoderBox::StopAxis(ScopeDirection) { return Stop(); }

bool EncoderBox::Stop() {
    state_.emulatedMagnitude = 0;
    state_.emulatedAzimuthStep = state_.emulatedAltitudeStep = 0;
    return true;
}

void EncoderBox::SteerEmulated(double deltaAzimuth, double deltaAltitude) {
    state_.emulatedAzimuthStep = int32_t(context_.prefs.azSteps * deltaAzimuth / 360);
    state_.emulatedAltitudeStep = int32_t(context_.prefs.altSteps * deltaAltitude / 360);
}

std::optional<EncoderOffsets> EncoderBox::SetZero(double reference1, double reference2) {
    if (state_.altitudeOffset != 0 || state_.azimuthOffset != 0) return std::nullopt;
    EncoderReading reading;
    if (!Connect() || !ReadAltAz(reading)) return std::nullopt;
    state_.altitudeOffset = int32_t((reading.altitude - reference2) * AltitudeTurn() / 360);
    state_.azimuthOffset = int32_t((reading.azimuth - reference1) * AzimuthTurn() / 360);
    Disconnect();
    return EncoderOffsets{state_.altitudeOffset, state_.azimuthOffset};
}

void EncoderBox::RestoreZero(EncoderOffsets offsets) {
    MarkInitialised();
    state_.altitudeOffset = offsets.altitude;
    state_.azimuthOffset = offsets.azimuth;
    // Connected only as far as the line is: a closed port is opened by the next connect (or
    // found missing, which emulates) without handing the box its resolutions again.
    state_.connected = context_.link.Emulating() || context_.link.SerialIsOpen();
}

void EncoderBox::ResetZero() {
    state_.initialised = false;
    state_.altitudeOffset = state_.azimuthOffset = 0;
}

}  // namespace vsp
