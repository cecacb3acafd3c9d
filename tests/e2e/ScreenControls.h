#pragma once
// The controls of a form as `vespertar screen --json` lists them, found for a --tap.

#include <concepts>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace vsp::test {

// The centre of the first control of `form` that `pick` takes, as "X,Y" (a list: the centre of
// its first row, 16 pixels high).
template <std::predicate<const nlohmann::json&> Pick>
std::string CentreOf(const nlohmann::json& form, Pick pick) {
    for (const nlohmann::json& c : form["controls"]) {
        if (!pick(c)) continue;
        const int height = c["kind"] == "list" ? 16 : int(c["h"]);
        return std::to_string(int(c["x"]) + int(c["w"]) / 2) + "," + std::to_string(int(c["y"]) + height / 2);
    }
    ADD_FAILURE() << "no such control in " << form["form"];
    return "0,0";
}

// The centre of the control showing `text`.
inline std::string CentreOf(const nlohmann::json& form, const std::string& text) {
    return CentreOf(form, [&](const nlohmann::json& c) { return c["text"] == text; });
}

}  // namespace vsp::test
