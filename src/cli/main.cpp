#include "cli/CliApp.h"
#include "cli/OnlinePart.h"

#include <QCoreApplication>

#include <iostream>
#include <memory>

namespace {

// The command word: the first argument that is neither a common option nor its value.
std::string commandOf(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--datadir") {
            ++i;
            continue;
        }
        if (!args[i].starts_with("--")) return args[i];
    }
    return {};
}

// Outside a desktop session (cron, ssh) the GUI application warns that there is no runtime
// directory; stderr carries only lotto-cli's own lines.
void quietRuntimeDirWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << '\n';
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // The ticket's PDF page needs fonts, so that command runs a GUI application, on the
    // offscreen platform: lotto-cli never needs a display.
    std::unique_ptr<QCoreApplication> app;
    if (commandOf(args) == "ticket") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietRuntimeDirWarning);
        try {
            app = lotto::makeOnlineGuiApplication(argc, argv);
        } catch (const std::exception& e) {
            std::cerr << "lotto-cli: " << e.what() << '\n';
            return 1;
        }
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("Zerbost"));
    QCoreApplication::setApplicationName(QStringLiteral("lotto-cli"));
    return lotto::runCli(args, std::cout, std::cerr);
}
