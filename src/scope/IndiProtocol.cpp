#include "scope/IndiProtocol.h"

#include <string>

#include "ephemeris/ReduceAngle.h"
#include "format/AngleFormat.h"
#include "format/CalendarText.h"
#include "ephemeris/Time.h"
#include "platform/FormatText.h"
#include "platform/Text.h"

namespace vsp {

namespace {

const IndiVector* FindVector(IndiConnection& connection, std::string_view name) {
    return connection.Model().Find(connection.Device(), name);
}

// The one switch of a one-of-many vector set On, the others Off.
std::vector<IndiValue> OneOf(const IndiVector& vector, std::string_view on) {
    std::vector<IndiValue> values;
    for (const IndiElement& element : vector.elements)
        values.push_back({element.name, element.name == on ? "On" : "Off"});
    return values;
}

// The second line names a device or a path, which INDI writes in UTF-8.
void Show(InfoSink& sink, std::string_view first, std::string_view second) { sink.InfoBox(first, Utf8ToCp1252(second)); }

}  // namespace

// INDI drivers stamp their messages "2026-12-08T08:20:01: [INFO] text".
std::string_view WithoutTimestamp(std::string_view message) {
    const size_t stamp = message.find(": [");
    return stamp != std::string_view::npos && stamp <= 24 ? message.substr(stamp + 2) : message;
}

// A driver's warnings and errors are boxes the user reads; its news ("[INFO] Mount is
// unparked.", several at every connect) passes as progress, so that it does not queue boxes.
void ShowIndiMessages(IndiConnection& connection, InfoSink& sink) {
    for (const std::string& message : connection.Model().TakeMessages(connection.Device())) {
        const std::string text = Utf8ToCp1252(WithoutTimestamp(message));
        if (text.starts_with("[INFO]") || text.starts_with("[DEBUG]") || text.starts_with("[SESSION]")) {
            sink.ShowProgress(Utf8ToCp1252(connection.Device()), text);
            sink.EndProgress();
        } else {
            sink.InfoBox(text, Utf8ToCp1252(connection.Device()));
        }
    }
}

bool ConnectIndiDevice(IndiConnection& connection, std::string_view path, std::string_view needed, InfoSink& sink) {
    const std::optional<IndiAddress> address = ParseIndiPath(path);
    if (!address) {
        Show(sink, indi_text::kBadPath, indi_text::kPathForm);
        return false;
    }
    const std::string& device = address->device;
    if (!connection.Open(*address, indi_time::kConnectMs)) {
        Show(sink, indi_text::kFailConnect, path);
        return false;
    }
    const auto defined = [&](std::string_view name) { return FindVector(connection, name) != nullptr; };
    const bool announced = connection.WaitFor([&] { return defined("CONNECTION"); }, indi_time::kPropertiesMs);
    ShowIndiMessages(connection, sink);
    if (!announced) {
        const bool spoke = connection.Model().Knows(device);
        Show(sink, !connection.IsOpen() ? indi_text::kLost : spoke ? indi_text::kNoProperties : indi_text::kNoAnswer,
             device);
        connection.Close();
        return false;
    }
    const IndiVector& link = *FindVector(connection, "CONNECTION");
    if (!link.IsOn("CONNECT") && !SetIndiVector(connection, "CONNECTION", OneOf(link, "CONNECT"), sink, true)) {
        connection.Close();
        return false;
    }
    // The properties come in one burst after the one needed: the rest of it is taken too.
    const bool ready = connection.WaitFor([&] { return defined(needed); }, indi_time::kDeviceMs) &&
                       connection.Settle(indi_time::kQuietMs, indi_time::kAnswerMs);
    ShowIndiMessages(connection, sink);
    if (!ready) {
        Show(sink, connection.IsOpen() ? indi_text::kNoProperties : indi_text::kLost, device);
        connection.Close();
    }
    return ready;
}

bool SetIndiVector(IndiConnection& connection, std::string_view name, const std::vector<IndiValue>& values,
                   InfoSink& sink, bool untilSettled) {
    const IndiVector* vector = FindVector(connection, name);
    if (!vector) {
        Show(sink, FormatText(indi_text::kLacks.data(), std::string(name).c_str()), connection.Device());
        return false;
    }
    const uint64_t before = vector->updates;
    const std::string kind = vector->kind;
    if (!connection.SendNew(kind, name, values)) {
        Show(sink, indi_text::kLost, connection.Device());
        return false;
    }
    const auto answered = [&] {
        const IndiVector* now = FindVector(connection, name);
        return !now || (now->updates > before && !(untilSettled && now->state == IndiState::Busy));
    };
    const bool came = connection.WaitFor(answered, untilSettled ? indi_time::kDeviceMs : indi_time::kAnswerMs);
    ShowIndiMessages(connection, sink);
    vector = FindVector(connection, name);
    if (!came || !vector) {
        Show(sink, connection.IsOpen() ? indi_text::kNoAnswer : indi_text::kLost, connection.Device());
        return false;
    }
    if (vector->state != IndiState::Alert) return true;
    Show(sink, FormatText(indi_text::kRefused.data(), std::string(name).c_str()), connection.Device());
    return false;
}

IndiProtocol::IndiProtocol(const MountContext& context) : context_(context) {}

bool IndiProtocol::Connected() {
    if (!connection_.Poll()) return false;
    ShowIndiMessages(connection_, context_.sink);
    const IndiVector* link = FindVector(connection_, "CONNECTION");
    return link && link->IsOn("CONNECT") && FindVector(connection_, "EQUATORIAL_EOD_COORD");
}

bool IndiProtocol::Connect() {
    if (Connected()) return true;
    const std::string path = context_.link.PortName(context_.link.ScopePort());
    context_.link.ShowBusy(true);
    bool connected = ConnectIndiDevice(connection_, path, "EQUATORIAL_EOD_COORD", context_.sink);
    if (connected && !context_.siteKept) HandOverSite();
    if (connected) connected = Unpark();
    context_.link.ShowBusy(false);
    return connected;
}

// The INDI connection is the program's own: closing it leaves the device connected to the
// server for its other clients.
void IndiProtocol::Disconnect() { connection_.Close(); }

// A device that lacks either property (or refuses the values) still serves gotos of date.
void IndiProtocol::HandOverSite() {
    const ScopeMoment moment = context_.clock();
    const ObserverLocation& site = moment.settings.location;
    if (FindVector(connection_, "GEOGRAPHIC_COORD"))
        SetIndiVector(connection_, "GEOGRAPHIC_COORD",
                      {{"LAT", FormatFixed(site.latitude, 6)},
                       {"LONG", FormatFixed(ReduceAngle(-site.longitudeWest, 360.0), 6)},
                       {"ELEV", FormatFixed(site.height, 1)}},
                      context_.sink);
    if (!FindVector(connection_, "TIME_UTC")) return;
    const CalendarDateTime utc = CalendarFromJulianDay(JulianDayOf(moment));
    const std::string text = IsoDate(utc.year, utc.month, utc.day) + "T" + IsoClock(utc.hour, utc.minute, utc.second);
    SetIndiVector(connection_, "TIME_UTC", {{"UTC", text}, {"OFFSET", FormatFixed(site.tzOffset / 60.0, 2)}},
                  context_.sink);
}

bool IndiProtocol::Unpark() {
    const IndiVector* park = FindVector(connection_, "TELESCOPE_PARK");
    if (!park || !park->IsOn("PARK")) return true;
    if (SetIndiVector(connection_, "TELESCOPE_PARK", OneOf(*park, "UNPARK"), context_.sink, true)) {
        park = FindVector(connection_, "TELESCOPE_PARK");
        if (park && !park->IsOn("PARK")) return true;
    }
    Show(context_.sink, indi_text::kStaysParked, connection_.Device());
    connection_.Close();
    return false;
}

bool IndiProtocol::ReadPosition(EquatorialPosition& out) {
    out = {};
    if (!Connected()) return false;
    const IndiVector* place = FindVector(connection_, "EQUATORIAL_EOD_COORD");
    const auto ra = place->Number("RA"), dec = place->Number("DEC");
    if (!ra || !dec) return false;
    out = {ReduceAngle(*ra, 24.0), *dec};
    return true;
}

// On a connected device.
bool IndiProtocol::SendCoordinates(EquatorialPosition position, std::string_view mode) {
    // A mount that slews with its tracking off arrives late by the time the slew took (INDI's
    // simulator does): a goto that is to track switches tracking on first.
    const IndiVector* tracking = FindVector(connection_, "TELESCOPE_TRACK_STATE");
    if (mode != "SYNC" && tracking && tracking->Find("TRACK_ON") && !tracking->IsOn("TRACK_ON"))
        SetIndiVector(connection_, "TELESCOPE_TRACK_STATE", OneOf(*tracking, "TRACK_ON"), context_.sink);
    const IndiVector* set = FindVector(connection_, "ON_COORD_SET");
    if (set) {
        // TRACK where offered: the mount keeps the target after arriving.
        const std::string_view chosen = mode == "SYNC" || !set->Find("TRACK") ? mode : "TRACK";
        if (!SetIndiVector(connection_, "ON_COORD_SET", OneOf(*set, chosen), context_.sink)) return false;
    }
    return SetIndiVector(connection_, "EQUATORIAL_EOD_COORD",
                         {{"RA", FormatFixed(position.raHours, 8)}, {"DEC", FormatFixed(position.decDegrees, 8)}},
                         context_.sink);
}

GotoOutcome IndiProtocol::Goto(EquatorialPosition target) {
    if (!Connect()) return GotoOutcome::NotSent;
    return SendCoordinates(target, "SLEW") ? GotoOutcome::Accepted : GotoOutcome::Refused;
}

bool IndiProtocol::Sync(EquatorialPosition position) { return Connect() && SendCoordinates(position, "SYNC"); }

// Fast is the highest rate the device offers, Guide the lowest; between them in steps.
bool IndiProtocol::SetRate(ScopeRate rate) {
    if (!Connect()) return false;
    const IndiVector* rates = FindVector(connection_, "TELESCOPE_SLEW_RATE");
    if (!rates || rates->elements.empty()) return true;
    const int last = int(rates->elements.size()) - 1;
    const int index = last - (int(rate) * last + 1) / 3;
    return SetIndiVector(connection_, "TELESCOPE_SLEW_RATE", OneOf(*rates, rates->elements[size_t(index)].name),
                         context_.sink);
}

namespace {

bool NorthSouth(ScopeDirection direction) {
    return direction == ScopeDirection::North || direction == ScopeDirection::South;
}

std::vector<IndiValue> Motion(ScopeDirection direction, bool on) {
    const auto state = [on, direction](ScopeDirection d) { return on && d == direction ? "On" : "Off"; };
    if (NorthSouth(direction))
        return {{"MOTION_NORTH", state(ScopeDirection::North)}, {"MOTION_SOUTH", state(ScopeDirection::South)}};
    return {{"MOTION_WEST", state(ScopeDirection::West)}, {"MOTION_EAST", state(ScopeDirection::East)}};
}

}  // namespace

bool IndiProtocol::Move(ScopeDirection direction) {
    if (!Connect()) return false;
    return SetIndiVector(connection_, NorthSouth(direction) ? "TELESCOPE_MOTION_NS" : "TELESCOPE_MOTION_WE",
                         Motion(direction, true), context_.sink);
}

bool IndiProtocol::StopAxis(ScopeDirection direction) {
    if (!Connect()) return false;
    return SetIndiVector(connection_, NorthSouth(direction) ? "TELESCOPE_MOTION_NS" : "TELESCOPE_MOTION_WE",
                         Motion(direction, false), context_.sink);
}

bool IndiProtocol::Stop() {
    if (!Connect()) return false;
    return SetIndiVector(connection_, "TELESCOPE_ABORT_MOTION", {{"ABORT", "On"}}, context_.sink);
}

}  // namespace vsp
