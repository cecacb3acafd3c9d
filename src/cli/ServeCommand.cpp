// `serve lx200 [--listen [HOST:]PORT] [--drive CODE|NAME --port PATH] [--seconds N]`: the
// mount of the settings (or of --drive and --port) offered to LX200 clients over TCP, until
// Ctrl+C, SIGTERM or --seconds.

#include <unistd.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/ScopeSession.h"
#include "platform/StopSignals.h"
#include "platform/SystemError.h"
#include "platform/TcpSocket.h"
#include "scope/Lx200Server.h"

namespace vsp::cli {
namespace {

struct ServeArgs {
    ScopeOptions scope;
    std::string listen = "127.0.0.1:" + std::to_string(kMountTcpPort);
    std::optional<double> seconds;
};

// "PORT" alone is a port of the local host.
std::optional<TcpAddress> ListenAddress(const std::string& text) {
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    std::optional<TcpAddress> address = ParseTcpAddress(digits ? ":" + text : text, kMountTcpPort);
    if (address && address->host.empty()) address->host = "127.0.0.1";
    return address;
}

std::string AddressText(const TcpAddress& address, int port) {
    const bool v6 = address.host.find(':') != std::string::npos;
    return (v6 ? "[" + address.host + "]" : address.host) + ":" + std::to_string(port);
}

int RunServeLx200(CliContext& ctx, const ServeArgs& args) {
    const std::optional<TcpAddress> address = ListenAddress(args.listen);
    if (!address) return UsageError(ctx, "--listen needs [HOST:]PORT, not " + args.listen);
    int status = kExitOk;
    auto session = OpenScope(ctx, args.scope, status);
    if (!session) return status;
    const int fd = TcpListen(*address);
    if (fd < 0) {
        return JobFailed(ctx, "Cannot listen on " + AddressText(*address, address->port) + ": " +
                                  SystemErrorText(LastSystemErrorCode()));
    }
    const std::string where = AddressText(*address, TcpLocalPort(fd));
    if (ctx.Json()) {
        ctx.Out() << JsonText({{"device", "lx200"}, {"address", where}}) << std::endl;
    } else {
        ctx.Out() << "serving lx200 on " << where << std::endl;
    }
    CatchStopSignals();
    ServeLx200(fd, session->Dispatcher(), args.seconds, StopSignalled);
    close(fd);
    return kExitOk;
}

}  // namespace

void AddServeCommands(CommandRegistry& registry) {
    CLI::App* family = registry.AddFamily("serve", "Offer the mount to other programs over the network");
    auto args = std::make_shared<ServeArgs>();
    CLI::App* lx200 = registry.Add("lx200", "The mount as an LX200 mount on a TCP port",
                                   [args](CliContext& ctx) { return RunServeLx200(ctx, *args); }, family);
    lx200->add_option("--listen", args->listen, "[HOST:]PORT to listen on (default 127.0.0.1:4030)");
    lx200->add_option("--drive", args->scope.drive, "a code or name of the drive list (default: the settings)")
        ->type_name("CODE|NAME");
    lx200->add_option("--port", args->scope.port, "the mount's serial device or tcp://HOST:PORT (default: the "
                                                  "scope port of the settings)")
        ->type_name("PATH");
    AddNumber(*lx200, "--seconds", args->seconds, "N", "stop after N seconds (default: at Ctrl+C or SIGTERM)")
        ->check(CLI::PositiveNumber);
    lx200->footer("Answers the LX200 command set as `emulate lx200` does, with position reads (:GR, :GD), targets "
                  "and slews (:Sr, :Sd, :MS), syncs (:CM), motions (:Mn, :Ms, :Me, :Mw, :Q, :Qn...) and rates (:RG, "
                  ":RC, :RM, :RS) sent to the mount through the alignment in use, positions of date; without a port "
                  "the emulated mount answers. One client at a time; a client that goes in the middle of a command "
                  "or while a motion it started runs leaves the mount stopped. Prints \"serving lx200 on "
                  "HOST:PORT\" (--json: device, address).");
}

}  // namespace vsp::cli
