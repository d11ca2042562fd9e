#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QApplication;
class QLockFile;
class QTranslator;

namespace lotto {

// Where the window keeps its files: "--datadir DIR" from the command line, else the
// per-user data directory. Returns an empty string and a message on a usage error.
QString programDirectoryFromArguments(const QStringList& arguments, QString* error);

// One window per program directory, so two windows never overwrite each other's tips and
// settings. Returns the held lock, or nullptr with a message when another window holds it;
// a lock left by a process that no longer runs is taken over.
std::unique_ptr<QLockFile> lockProgramDirectory(const QString& dir, QString* error);

// Standard dialogs and buttons in German ("Abbrechen", "Ja", "Speichern unter").
QTranslator* installGermanTranslation(QApplication& app);

} // namespace lotto
