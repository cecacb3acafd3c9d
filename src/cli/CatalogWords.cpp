#include "cli/CatalogWords.h"

namespace vsp::cli {

void AddDesignation(CLI::App& command, std::string& text, const std::string& description) {
    auto join = [&text](const std::vector<std::string>& words) {
        text.clear();
        for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    };
    command.add_option_function<std::vector<std::string>>("designation", join, description)
        ->type_name("DESIGNATION")
        ->required();
}

}  // namespace vsp::cli
