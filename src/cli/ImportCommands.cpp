// import eyepieces|locations|catalog NAME [--server URL]: the user's text files, from
// import/NAME.txt of the program directory or the data server, turned into record files
// under usercatalogs/.

#include <memory>
#include <optional>
#include <string>

#include "catalog/UserImports.h"
#include "cli/Command.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

struct ImportArgs {
    std::string name;
    std::optional<std::string> server;
};

using ImportRun = bool (*)(const ProgramDir&, const std::string&, const ImportServer&, InfoSink&, ImportResult&);

int RunImport(CliContext& ctx, const ImportArgs& args, ImportRun run, bool countsUpdates) {
    const ImportServer server{args.server.value_or(ctx.Prefs().downloadDataUrl), {}};
    ImportResult result;
    if (!run(ctx.Home(), args.name, server, ctx.Messages(), result)) return kExitFailed;
    const std::string message = Cp1252ToUtf8(result.message);
    if (!ctx.Json()) {
        ctx.Out() << message << "\n";
        return kExitOk;
    }
    nlohmann::json document{
        {"imported", result.imported}, {"rejected", result.rejected}, {"file", result.file}, {"message", message}};
    if (countsUpdates) document["updated"] = result.updated;
    PrintJson(ctx, document);
    return kExitOk;
}

void AddImport(CommandRegistry& registry, CLI::App* family, const std::string& name, const std::string& description,
               ImportRun run, bool countsUpdates, const std::string& footer) {
    auto args = std::make_shared<ImportArgs>();
    CLI::App* command = registry.Add(
        name, description, [=](CliContext& ctx) { return RunImport(ctx, *args, run, countsUpdates); }, family);
    command->add_option("name", args->name, "the text file's name without \".txt\"")->required()->type_name("NAME");
    command->add_option("--server", args->server, "the data server's address (default: download_data_url)")
        ->type_name("URL");
    command->footer("The text is import/NAME.txt of the program directory when that file exists, else the data "
                    "server's getdata.php answer for NAME.txt. " +
                    footer + " A failed download, an error page or a text without one valid line keeps the "
                             "previous file and fails.");
}

}  // namespace

void AddImportCommands(CommandRegistry& registry) {
    CLI::App* family =
        registry.AddFamily("import", "User data from text files: eyepieces, locations, custom catalogs, logs");
    AddImport(registry, family, "eyepieces", "Eyepieces into usercatalogs/NAME.eyp", ImportEyepieces, false,
              "Lines \"Brand full name;Brand Trigram;Eyepiece Name;Focal (in mm);Fov (in deg);\". --json: imported, "
              "rejected, file, message.");
    AddImport(registry, family, "locations", "Locations into usercatalogs/NAME.loc", ImportLocations, false,
              "Lines \"Country;Country Code;Town Name;longitude (in deg);latitude (in deg);\", longitude east "
              "positive. --json: imported, rejected, file, message.");
    AddImport(registry, family, "catalog", "A custom object catalog into usercatalogs/NAME.ppc", ImportCustomCatalog,
              true,
              "Lines \"Catalog;Number;Name;Type;RA (in h);Dec (in deg);Magnitude;Size 1 (in ');Size 2 (in ');\"; "
              "an object whose catalog and number the file holds is updated. --json: imported, updated, rejected, "
              "file, message.");
}

}  // namespace vsp::cli
