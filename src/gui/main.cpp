#include "bundle/BundledArchive.h"
#include "core/shell/ProgramDirectory.h"
#include "core/util/SystemClock.h"
#include "gui/Application.h"
#include "gui/TForm1.h"
#include "gui/TForm3.h"
#include "gui/TForm4.h"
#include "gui/TForm5.h"
#include "settings/QtSettingsStore.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QLockFile>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zerbost"));
    QApplication::setApplicationName(QStringLiteral("lotto"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zerbosts-lotto.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("zerbosts-lotto"));
    lotto::installGermanTranslation(app);
    // Month and day names of the calendar pop-ups and file dialogs in German, whatever the system says.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    QString error;
    const QString dir = lotto::programDirectoryFromArguments(QApplication::arguments(), &error);
    if (dir.isEmpty()) {
        std::fprintf(stderr, "lotto: %s\n", qPrintable(error));
        return 2;
    }
    std::string programDir;
    try {
        programDir = lotto::prepareProgramDirectory(dir.toStdString(), lotto::bundledArchive());
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Zerbosts Lotto"), QString::fromStdString(e.what()));
        return 1;
    }

    const auto lock = lotto::lockProgramDirectory(QString::fromStdString(programDir), &error);
    if (!lock) {
        QMessageBox::warning(nullptr, QStringLiteral("Zerbosts Lotto"), error);
        return 1;
    }

    lotto::QtSettingsStore store;
    lotto::SystemClock clock;
    lotto::TForm1 form1(programDir, store, clock);
    lotto::TForm3 form3(&form1);
    lotto::TForm4 form4(&form1);
    lotto::TForm5 form5(&form1);
    form1.host().setTicketForms(&form4, &form5);
    form1.show();
    return QApplication::exec();
}
