// `emulate encoder`: a setting-circle box of a chosen kind on a telescope that stands still
// where it was put, reporting the counts of its two shaft encoders.

#include <memory>
#include <string>

#include "cli/CommandOutput.h"
#include "cli/EmulateCommand.h"
#include "platform/Text.h"
#include "scope/DriveTable.h"
#include "scope/EncoderEmulator.h"

namespace vsp::cli {
namespace {

struct EncoderArgs : EmulateArgs {
    std::string box = "BBox";
    int azimuthSteps = 8192, altitudeSteps = 8192;
    double azimuth = 0, altitude = 0;
};

// The drive list's name of a box; the SkyWizard box has none there.
std::string BoxName(int code) {
    return code == drive_code::kSkyWizard ? "SkyWizard" : std::string(FindDrive(DriveId(code))->listText);
}

std::optional<int> ParseBox(const std::string& text) {
    const std::optional<int64_t> code = ParseWhole(text);
    for (const int box : EncoderEmulator::kBoxes)
        if (code ? *code == box : EqualsIgnoringCase(BoxName(box), text)) return box;
    return std::nullopt;
}

int RunEncoder(CliContext& ctx, const EmulateArgs& common) {
    const auto& args = static_cast<const EncoderArgs&>(common);
    const EncoderCounts steps{args.azimuthSteps, args.altitudeSteps};
    auto emulator = std::make_shared<EncoderEmulator>(*ParseBox(args.box), steps);
    emulator->PointAt(args.azimuth, args.altitude);
    // The telescope is pushed by hand: nothing moves with the clock.
    const EmulatedDevice device{[emulator](std::string_view bytes) { return emulator->Receive(bytes); },
                                [](double, double) { return std::string(); }};
    return Serve(ctx, "encoder", args, device);
}

}  // namespace

void AddEncoderEmulator(CommandRegistry& registry, CLI::App* family) {
    auto args = std::make_shared<EncoderArgs>();
    CLI::App* encoder =
        AddEmulator(registry, family, "encoder", "A setting-circle box on a telescope", args, RunEncoder);
    std::string boxes;
    for (const int box : EncoderEmulator::kBoxes)
        boxes += (boxes.empty() ? "" : ", ") + std::to_string(box) + " " + BoxName(box);
    encoder->add_option("--box", args->box, "the kind of box, by code or name: " + boxes + " (default BBox)")
        ->type_name("CODE|NAME")
        ->check([](const std::string& text) { return ParseBox(text) ? "" : "no such box: " + text; });
    encoder->add_option("--az-steps", args->azimuthSteps,
                        "azimuth counts per turn until the client sets them (default 8192)")
        ->type_name("N")
        ->check(CLI::Range(1, 32767));
    encoder->add_option("--alt-steps", args->altitudeSteps, "altitude counts per turn (default 8192)")
        ->type_name("N")
        ->check(CLI::Range(1, 32767));
    encoder->add_option("--az", args->azimuth, "the telescope's azimuth (default 0)")->type_name("DEG")->check(FiniteNumber());
    encoder->add_option("--alt", args->altitude, "the telescope's altitude (default 0)")->type_name("DEG")->check(FiniteNumber());
    encoder->footer("Answers \"Q\" with the two counts (\"+01234<TAB>+05678<CR>\"; the Intelliscope with one byte "
                    "ahead), takes the resolutions of the BBox and SkyWizard (\"Z\") and Ouranos (\"R\", \"I\") "
                    "boxes, and the Dave Ek box's binary \"z\", \"a\", \"y\" and \"A\".");
}

}  // namespace vsp::cli
