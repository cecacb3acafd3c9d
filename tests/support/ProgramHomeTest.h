#pragma once
// A test that runs the built program against a program directory of its own.

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/RunProgram.h"
#include "support/TempHome.h"

namespace vsp::test {

class ProgramHomeTest : public testing::Test {
protected:
    ProgramResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home_.Root()});
        return RunVespertar(args);
    }
    // The command's --json document; an empty one (and a failure) when it did not succeed.
    nlohmann::json Json(std::vector<std::string> args) {
        args.push_back("--json");
        ProgramResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        if (r.status != 0) return {};
        return nlohmann::json::parse(r.out);
    }

    TempHome home_;
};

}  // namespace vsp::test
