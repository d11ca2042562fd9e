#pragma once

#include <QString>
#include <QStringList>

namespace lotto {

// Where the window keeps its files: "--datadir DIR" from the command line, else the
// per-user data directory. Returns an empty string and a message on a usage error.
QString programDirectoryFromArguments(const QStringList& arguments, QString* error);

} // namespace lotto
