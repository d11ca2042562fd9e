#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lotto {

// lotto-cli: parses the arguments, starts the core as the window would and runs one
// command. Returns the exit status (0 done, 1 failed or refused, 2 usage error).
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace lotto
