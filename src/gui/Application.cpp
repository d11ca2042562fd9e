#include "gui/Application.h"

#include "settings/QtSettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLockFile>
#include <QTranslator>

namespace lotto {

QString programDirectoryFromArguments(const QStringList& arguments, QString* error) {
    QString dir = defaultProgramDirectory();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--datadir")) {
            if (i + 1 >= arguments.size()) {
                *error = QStringLiteral("--datadir braucht ein Verzeichnis");
                return {};
            }
            dir = arguments[++i];
        } else if (arguments[i].startsWith(QLatin1String("--datadir="))) {
            dir = arguments[i].mid(10);
        }
    }
    return dir;
}

std::unique_ptr<QLockFile> lockProgramDirectory(const QString& dir, QString* error) {
    auto lock = std::make_unique<QLockFile>(QDir(dir).filePath(QStringLiteral("lotto.lock")));
    lock->setStaleLockTime(0); // stale only when its process is gone, however long it runs
    if (lock->tryLock(0)) return lock;
    if (lock->error() == QLockFile::LockFailedError)
        *error = QStringLiteral("Zerbosts Lotto läuft bereits mit dem Programmverzeichnis %1.\n"
                                "Bitte verwenden Sie das schon geöffnete Fenster.")
                     .arg(QDir::toNativeSeparators(dir));
    else
        *error = QStringLiteral("Die Sperrdatei im Programmverzeichnis %1 kann nicht angelegt werden.")
                     .arg(QDir::toNativeSeparators(dir));
    return nullptr;
}

QTranslator* installGermanTranslation(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
        return translator;
    }
    delete translator;
    return nullptr;
}

} // namespace lotto
