#pragma once
// Exposures through an INDI camera ("indi://HOST:PORT/DEVICE", the CCD interface of INDI's
// drivers): the binning (CCD_BINNING) and gain (CCD_GAIN, or the Gain of CCD_CONTROLS) where
// the device offers them, CCD_EXPOSURE in seconds, and the image of the CCD1 BLOB, which must
// be FITS. Each image is saved under the home's shots/ folder with the target (OBJECT), the
// site (SITELAT, SITELONG: degrees, north and east positive) and the UTC start of the
// exposure (DATE-OBS) written into its header.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ephemeris/EphemerisSettings.h"
#include "platform/InfoSink.h"

namespace vsp {

struct ExposurePlan {
    std::string port;  // indi://HOST[:PORT]/DEVICE
    double seconds = 1.0;
    int count = 1;
    int binning = 1;
    std::optional<double> gain;  // left as the camera has it when absent
    std::string target;          // OBJECT, and the start of the file names
    ObserverLocation site;
};

namespace camera_text {
inline constexpr std::string_view kNoGain = "This camera has no gain setting";
inline constexpr std::string_view kNoImage = "No image came from the camera";
inline constexpr std::string_view kNotFits = "The camera's image is not a FITS file";
inline constexpr std::string_view kCannotSave = "Cannot save the image";
inline constexpr std::string_view kStopped = "Exposures stopped";
}  // namespace camera_text

// How long an exposure of `seconds` may take before its image is given up: the readout and
// transfer of a large frame on a slow link included.
int ExposureTimeoutMs(double seconds);

// "M42_20261208_071502_1.fits": the target's letters and digits (others as '_'), the UTC
// start of the exposure and the first number not yet taken in `folder`.
std::filesystem::path ShotPath(const std::filesystem::path& folder, std::string_view target, int64_t unixSeconds);

// Takes `plan.count` exposures and saves them under `shotsFolder`, telling the progress on
// `sink`; `stop` is asked between waits and aborts the exposure under way. The files written,
// in order; failures are shown on `sink` and end the series.
std::vector<std::filesystem::path> TakeExposures(const ExposurePlan& plan, const std::filesystem::path& shotsFolder,
                                                 InfoSink& sink, const std::function<bool()>& stop);

}  // namespace vsp
