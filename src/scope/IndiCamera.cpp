#include "scope/IndiCamera.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <ctime>

#include "ephemeris/ReduceAngle.h"
#include "format/AngleFormat.h"
#include "format/CalendarText.h"
#include "format/FitsHeader.h"
#include "platform/Base64.h"
#include "platform/FormatText.h"
#include "platform/ReplaceFile.h"
#include "platform/Text.h"
#include "scope/IndiProtocol.h"

namespace vsp {

namespace fs = std::filesystem;

namespace {

constexpr int kProgressStepMs = 500;

std::tm UtcOf(int64_t unixSeconds) {
    const std::time_t t = std::time_t(unixSeconds);
    std::tm utc{};
    gmtime_r(&t, &utc);
    return utc;
}

std::string IsoUtc(std::chrono::system_clock::time_point when) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count();
    const std::tm utc = UtcOf(ms / 1000);
    return IsoDate(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday) + "T" +
           IsoClock(utc.tm_hour, utc.tm_min, utc.tm_sec) + FormatText(".%03d", int(ms % 1000));
}

// The binning and gain asked for, where the camera has them.
bool Configure(IndiConnection& camera, const ExposurePlan& plan, InfoSink& sink) {
    const std::string& device = camera.Device();
    if (camera.Model().Find(device, "CCD_BINNING")) {
        const std::string bin = std::to_string(plan.binning);
        if (!SetIndiVector(camera, "CCD_BINNING", {{"HOR_BIN", bin}, {"VER_BIN", bin}}, sink)) return false;
    }
    if (!plan.gain) return true;
    const std::string gain = FormatFixed(*plan.gain, 3);
    if (camera.Model().Find(device, "CCD_GAIN")) return SetIndiVector(camera, "CCD_GAIN", {{"GAIN", gain}}, sink);
    const IndiVector* controls = camera.Model().Find(device, "CCD_CONTROLS");
    if (controls && controls->Find("Gain")) return SetIndiVector(camera, "CCD_CONTROLS", {{"Gain", gain}}, sink);
    sink.InfoBox(camera_text::kNoGain, Utf8ToCp1252(device));
    return true;
}

// The image of one exposure as the camera sent it, or nullopt (shown, or stopped).
std::optional<std::string> Expose(IndiConnection& camera, const ExposurePlan& plan, int number, InfoSink& sink,
                                  const std::function<bool()>& stop) {
    const std::string& device = camera.Device();
    const IndiVector* image = camera.Model().Find(device, "CCD1");
    const uint64_t before = image ? image->updates : 0;
    if (!SetIndiVector(camera, "CCD_EXPOSURE", {{"CCD_EXPOSURE_VALUE", FormatFixed(plan.seconds, 3)}}, sink))
        return std::nullopt;
    const auto arrived = [&] {
        const IndiVector* now = camera.Model().Find(device, "CCD1");
        return now && now->updates > before;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ExposureTimeoutMs(plan.seconds));
    std::string shown;  // the camera counts down once a second; each count is told once
    while (!camera.WaitFor(arrived, kProgressStepMs)) {
        ShowIndiMessages(camera, sink);
        if (!camera.IsOpen()) {
            sink.InfoBox(indi_text::kLost, Utf8ToCp1252(device));
            return std::nullopt;
        }
        if (stop()) {
            SetIndiVector(camera, "CCD_ABORT_EXPOSURE", {{"ABORT", "On"}}, sink);
            sink.InfoBox(camera_text::kStopped, "");
            return std::nullopt;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            sink.InfoBox(camera_text::kNoImage, Utf8ToCp1252(device));
            return std::nullopt;
        }
        const IndiVector* exposure = camera.Model().Find(device, "CCD_EXPOSURE");
        const double left = exposure ? exposure->Number("CCD_EXPOSURE_VALUE").value_or(0) : 0;
        const std::string state = left > 0 ? FormatText("%.1f s left", left) : std::string("Reading the image");
        if (state != shown) sink.ShowProgress(FormatText("Exposure %d of %d", number, plan.count), state);
        shown = state;
    }
    ShowIndiMessages(camera, sink);
    const IndiVector* blob = camera.Model().Find(device, "CCD1");
    const IndiElement* element = blob ? blob->Find("CCD1") : nullptr;
    if (!element || blob->state == IndiState::Alert) {
        sink.InfoBox(camera_text::kNoImage, Utf8ToCp1252(device));
        return std::nullopt;
    }
    const bool fits = element->format == ".fits";
    std::optional<std::string> bytes = DecodeBase64(camera.Model().TakeValue(device, "CCD1", "CCD1"));
    if (!fits || !bytes) {
        sink.InfoBox(camera_text::kNotFits, Utf8ToCp1252(element->format));
        return std::nullopt;
    }
    return bytes;
}

std::optional<fs::path> Save(const std::string& image, const ExposurePlan& plan, const fs::path& folder,
                             std::chrono::system_clock::time_point start, InfoSink& sink) {
    std::vector<FitsCard> cards{{"SITELAT", FormatFixed(plan.site.latitude, 6), "degrees, north positive"},
                                {"SITELONG", FormatFixed(ReduceAngleSigned(-plan.site.longitudeWest, 360.0), 6),
                                 "degrees, east positive"},
                                {"DATE-OBS", FitsString(IsoUtc(start)), "UTC start of the exposure"}};
    // Without a target the camera's own OBJECT, if any, stays.
    if (!plan.target.empty()) cards.insert(cards.begin(), {"OBJECT", FitsString(plan.target), "the target"});
    const std::optional<std::string> fits = SetFitsCards(image, cards);
    if (!fits) {
        sink.InfoBox(camera_text::kNotFits, "");
        return std::nullopt;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(start.time_since_epoch()).count();
    const fs::path path = ShotPath(folder, plan.target, seconds);
    const bool written = ReplaceFile(path.string(), [&](std::FILE* file) {
        return std::fwrite(fits->data(), 1, fits->size(), file) == fits->size();
    });
    if (written) return path;
    sink.InfoBox(camera_text::kCannotSave, Utf8ToCp1252(path.string()));
    return std::nullopt;
}

}  // namespace

int ExposureTimeoutMs(double seconds) { return int(std::min(seconds, 86400.0) * 1000) + 60000; }

fs::path ShotPath(const fs::path& folder, std::string_view target, int64_t unixSeconds) {
    std::string name;
    for (char c : target) name += std::isalnum(static_cast<unsigned char>(c)) || c == '-' ? c : '_';
    if (name.empty()) name = "shot";
    const std::tm utc = UtcOf(unixSeconds);
    const std::string stem = name + "_" + CompactDate(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday) +
                             FormatText("_%02d%02d%02d_", utc.tm_hour, utc.tm_min, utc.tm_sec);
    std::error_code error;
    for (int n = 1;; ++n) {
        const fs::path path = folder / (stem + std::to_string(n) + ".fits");
        if (!fs::exists(path, error)) return path;
    }
}

std::vector<fs::path> TakeExposures(const ExposurePlan& plan, const fs::path& shotsFolder, InfoSink& sink,
                                    const std::function<bool()>& stop) {
    std::vector<fs::path> written;
    IndiConnection camera;
    if (!ConnectIndiDevice(camera, plan.port, "CCD_EXPOSURE", sink)) return written;
    camera.Send("<enableBLOB device=\"" + IndiEscape(camera.Device()) + "\">Also</enableBLOB>\n");
    if (!Configure(camera, plan, sink)) return written;
    for (int number = 1; number <= plan.count && !stop(); ++number) {
        const auto start = std::chrono::system_clock::now();
        const std::optional<std::string> image = Expose(camera, plan, number, sink, stop);
        if (!image) break;
        const std::optional<fs::path> path = Save(*image, plan, shotsFolder, start, sink);
        if (!path) break;
        written.push_back(*path);
    }
    sink.EndProgress();
    return written;
}

}  // namespace vsp
