#include "gui/Application.h"

#include "settings/QtSettingsStore.h"

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

} // namespace lotto
