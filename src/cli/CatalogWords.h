#pragma once
// What the catalog commands share: the designation typed as one or several words, and the
// "key: value" text rows.

#include <optional>
#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"

namespace vsp::cli {

// The designation as one or several words, joined by blanks into `text` ("NGC 7000" typed
// without quotes is one designation); required.
void AddDesignation(CLI::App& command, std::string& text, const std::string& description);

// Rows labelled with their JSON keys: "key:" and the value, aligned.
class KeyRows {
public:
    void Add(const std::string& key, const std::string& value) { rows_.emplace_back(key + ":", value); }
    void Print(CliContext& ctx) const { PrintRows(ctx, rows_); }

private:
    Rows rows_;
};

}  // namespace vsp::cli
