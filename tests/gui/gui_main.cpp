#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The window tests run under the offscreen platform with their own configuration folder,
// so no user's settings are read or written.
int main(int argc, char** argv) {
    // An offscreen screen as large as a small laptop's; LOTTO_QPA_PLATFORM=xcb runs the
    // tests on a real (virtual) X screen instead.
    QTemporaryDir config;
    const QString screens = config.filePath(QStringLiteral("screens.json"));
    QFile file(screens);
    if (file.open(QIODevice::WriteOnly))
        file.write(R"({"screens": [{"name": "Screen1", "x": 0, "y": 0, "width": 1366, "height": 768,
                                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("LOTTO_QPA_PLATFORM")
                                   ? (QStringLiteral("offscreen:configfile=") + screens).toLocal8Bit()
                                   : qgetenv("LOTTO_QPA_PLATFORM"));
    if (qEnvironmentVariableIsEmpty("LOTTO_TEST_KEEP_CONFIG")) {
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (config.path() + QStringLiteral("/data")).toLocal8Bit());
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
