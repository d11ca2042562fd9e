#pragma once

#include <string>
#include <vector>

namespace lotto::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    std::vector<std::string> lines() const;
};

// Runs the lotto-cli binary with its own configuration folder, so no user's settings are
// touched. configHome empty: a fresh temporary folder for this call.
CliResult runCli(const std::vector<std::string>& args, const std::string& configHome = {});

} // namespace lotto::test
