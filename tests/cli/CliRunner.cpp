#include "cli/CliRunner.h"

#include "core/TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <cstdlib>
#include <sstream>

namespace lotto::test {

std::vector<std::string> CliResult::lines() const {
    std::vector<std::string> out;
    std::istringstream in(this->out);
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

CliResult runCli(const std::vector<std::string>& args, const std::string& configHome) {
    TempDir fresh;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"),
               QString::fromStdString(configHome.empty() ? fresh.path() : configHome));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(fresh.path() + "data"));
    process.setProcessEnvironment(env);
    QStringList arguments;
    for (const std::string& a : args)
        arguments << QString::fromStdString(a);
    const char* binary = std::getenv("LOTTO_CLI");
    process.start(binary ? QString::fromLocal8Bit(binary) : QString::fromStdString(binaryPath("lotto-cli")),
                  arguments);
    process.waitForFinished(120000);
    CliResult result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

int startPythonServer(QProcess& server, const QStringList& arguments) {
    server.start(QStringLiteral("python3"), arguments);
    if (!server.waitForStarted(10000)) return 0;
    std::string banner;
    while (banner.find('\n', banner.find("port ")) == std::string::npos && server.waitForReadyRead(10000))
        banner += server.readAllStandardOutput().toStdString();
    const std::size_t at = banner.find("port ");
    return at == std::string::npos ? 0 : std::atoi(banner.c_str() + at + 5);
}

std::string startFolderServer(QProcess& server, const std::string& handlerSource, const std::string& root) {
    const std::string script = "import functools, http.server, sys, time\n" + handlerSource +
                               "server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), "
                               "functools.partial(Slow, directory=sys.argv[1]))\n"
                               "server.handle_error = lambda *args: None\n"
                               "print('port', server.server_address[1], flush=True)\n"
                               "server.serve_forever()\n";
    const int port = startPythonServer(
        server, {QStringLiteral("-c"), QString::fromStdString(script), QString::fromStdString(root)});
    return port == 0 ? std::string() : "http://127.0.0.1:" + std::to_string(port);
}

} // namespace lotto::test
