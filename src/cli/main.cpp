#include "cli/CliApp.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Zerbost"));
    QCoreApplication::setApplicationName(QStringLiteral("lotto-cli"));
    std::vector<std::string> args(argv + 1, argv + argc);
    return lotto::runCli(args, std::cout, std::cerr);
}
