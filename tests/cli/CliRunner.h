#pragma once

#include <QStringList>

#include <string>
#include <vector>

class QProcess;

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

// Starts `python3 ARGUMENTS` as a local server that prints "port N" once it listens;
// returns N, or 0 when python3 cannot be started or says no port within ten seconds.
int startPythonServer(QProcess& server, const QStringList& arguments);

// Serves the folder ROOT on a local port with the request handler class `Slow` that
// handlerSource defines (a subclass of http.server.SimpleHTTPRequestHandler; the modules
// functools, http.server, sys and time are imported). Returns "http://127.0.0.1:PORT", or
// an empty string when python3 is not available.
std::string startFolderServer(QProcess& server, const std::string& handlerSource, const std::string& root);

} // namespace lotto::test
