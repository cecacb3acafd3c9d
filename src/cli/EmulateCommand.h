#pragma once
// What every `emulate` device shares: its options, serving it on its port until stopped, and
// the registration of one device under `emulate`. Each device family adds itself from its own
// file.

#include <memory>
#include <optional>
#include <string>

#include "cli/Command.h"
#include "scope/EmulatorLoop.h"

namespace vsp::cli {

struct EmulateArgs {
    std::string port;
    std::optional<double> seconds;
    std::string precision = "short";
    std::optional<double> ra, dec;
    std::string talker = "GP";
    bool precise = false;
    bool ultima = false;  // nexstar: commands closed by a carriage return
    int resolution = 0;  // counts per turn of each axis, for the servo controllers
    std::string pier = "east";  // the side of the pier a Takahashi mount stands on
};

// Tells where the device is, then serves it; the line is flushed so that a script can wait for it.
int Serve(CliContext& ctx, const std::string& kind, const EmulateArgs& args, const EmulatedDevice& device);

// A mount answers what it is asked and moves on with the clock; it says nothing unprompted.
template <typename Mount>
EmulatedDevice MountDevice(std::shared_ptr<Mount> mount) {
    return {[mount](std::string_view bytes) { return mount->Receive(bytes); },
            [mount](double, double elapsed) {
                mount->Advance(elapsed);
                return std::string();
            }};
}

// `emulate NAME` with --port and --seconds, run by `run`.
CLI::App* AddEmulator(CommandRegistry& registry, CLI::App* family, const std::string& name,
                      const std::string& description, std::shared_ptr<EmulateArgs> args,
                      int (*run)(CliContext&, const EmulateArgs&));
// --ra and --dec, given together, where a mount starts.
void AddStartPlace(CLI::App& command, EmulateArgs& args);

// The families that live in their own files.
void AddSimpleMountEmulators(CommandRegistry& registry, CLI::App* family);  // servocat, skycommander, siderealtech
void AddTakahashiEmulator(CommandRegistry& registry, CLI::App* family);
void AddEncoderEmulator(CommandRegistry& registry, CLI::App* family);

}  // namespace vsp::cli
