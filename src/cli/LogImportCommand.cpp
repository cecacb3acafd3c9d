// import logs NAME [--server URL]: observer notes from a text in the columns of the log
// export, from import/NAME.txt of the program directory or the data server, into userlogs/.

#include <memory>
#include <optional>
#include <string>

#include "catalog/ImportText.h"
#include "cli/Command.h"
#include "platform/Text.h"
#include "tools/ObserverLogImport.h"

namespace vsp::cli {
namespace {

struct LogImportArgs {
    std::string name;
    std::optional<std::string> server;
};

int RunLogImport(CliContext& ctx, const LogImportArgs& args) {
    const ImportServer server{args.server.value_or(ctx.Prefs().downloadDataUrl), {}};
    std::string text;
    if (!FetchImportText(ctx.Home(), ImportKind::ObserverLogs, Utf8ToCp1252(args.name), server, text, ctx.Messages()))
        return kExitFailed;
    RecordingInfoSink report;
    LogImportCounts counts;
    const bool imported = ImportLogs(ctx.Home(), text, DeviceDateOrder(), report, counts);
    if (!imported) return JobFailed(ctx, report.messages.back().first);
    const std::string message = Cp1252ToUtf8(report.messages.back().first);
    if (ctx.Json())
        PrintJson(ctx, {{"imported", counts.accepted}, {"rejected", counts.rejected}, {"message", message}});
    else
        ctx.Out() << message << "\n";
    return kExitOk;
}

}  // namespace

void AddLogImportCommand(CommandRegistry& registry) {
    CLI::App* import =
        registry.AddFamily("import", "User data from text files: eyepieces, locations, custom catalogs, logs");
    auto args = std::make_shared<LogImportArgs>();
    CLI::App* command = registry.Add(
        "logs", "Observer notes into userlogs/, from the columns of `log export`",
        [args](CliContext& ctx) { return RunLogImport(ctx, *args); }, import);
    command->add_option("name", args->name, "the text file's name without \".txt\"")->required()->type_name("NAME");
    command->add_option("--server", args->server, "the data server's address (default: download_data_url)")
        ->type_name("URL");
    command->footer("The text is import/NAME.txt of the program directory when that file exists, else the data "
                    "server's getdata.php answer for NAME.txt. Each line that reads as a note becomes one under "
                    "userlogs/ (a note of the same name is replaced); dates follow the order of the user's short "
                    "dates (LC_TIME). --json: imported, rejected, message.");
}

}  // namespace vsp::cli
