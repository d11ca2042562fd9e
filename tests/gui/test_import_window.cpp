#include "WindowFixture.h"
#include "core/import/AustrianArchive.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

namespace {

// Serves the yearly files; while a year "downloads" it lets the window's events run, as
// the HTTP client does, and lets the test act in the window.
class WindowYearServer : public HttpGet {
public:
    void get(const HttpGetRequest& request, ByteSink& body) override {
        urls.push_back(request.url);
        QApplication::processEvents();
        if (duringDownload) duringDownload();
        const std::string page =
            austrianYearFile(std::stoi(request.url.substr(request.url.size() - 8, 4)), draws);
        body.write(page.data(), page.size());
    }
    std::vector<DrawRecord> draws = realDraws();
    std::vector<std::string> urls;
    std::function<void()> duringDownload;
};

} // namespace

TEST(ImportWindow, StopButtonWorksDuringADownloadAndTheWindowShowsProgress) {
    Window w;
    WindowYearServer server;
    w.host->httpGet = &server;
    std::vector<DrawRecord> old;
    for (const DrawRecord& d : server.draws)
        if (civilDate(d.day()).year < 2024) old.push_back(d);
    writeArchive(w.dir.file("ZahlenAT.dat"), old);
    w.form->state().setServer(ImportSource::Austria, "http://lotto.test");
    w.form->state().setAustrianSource(ImportSource::Austria);
    w.form->state().setFileNameEdit(w.dir.file("Lotto.html"));

    auto* update = w.find<QAbstractButton>(QStringLiteral("BitBtn1"));
    auto* stop = w.find<QAbstractButton>(QStringLiteral("SpeedButton8"));
    auto* progress = w.find<QProgressBar>(QStringLiteral("ImportProgress"));
    ASSERT_TRUE(update && stop && progress);
    EXPECT_TRUE(update->isEnabled());
    EXPECT_TRUE(w.find<QAbstractButton>(QStringLiteral("SpeedButton10"))->isEnabled());
    EXPECT_TRUE(w.find<QAbstractButton>(QStringLiteral("BitBtn2"))->isEnabled());

    server.duringDownload = [&] {
        if (server.urls.size() != 2) return;
        EXPECT_FALSE(update->isEnabled());
        EXPECT_FALSE(stop->isHidden()); // on the page "Datenbank", which need not be shown
        EXPECT_TRUE(progress->isVisible());
        EXPECT_EQ(progress->maximum(), 4); // 2023 to 2026
        EXPECT_EQ(progress->value(), 1);
        EXPECT_EQ(w.find<QLabel>(QStringLiteral("StatusPanel0"))->text(), QStringLiteral("Loading"));
        QTest::mouseClick(stop, Qt::LeftButton);
    };
    QTest::mouseClick(update, Qt::LeftButton);

    EXPECT_EQ(server.urls, (std::vector<std::string>{austrianYearUrl("http://lotto.test", 2023),
                                                     austrianYearUrl("http://lotto.test", 2024)}));
    EXPECT_TRUE(stop->isHidden());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(update->isEnabled());
    EXPECT_EQ(DrawArchive(w.dir.file("ZahlenAT.dat")).lastRecord()->day(), dayNumber(2024, 12, 29));
    EXPECT_TRUE(w.host->errors.empty());
}

TEST(ImportWindow, YearlyServerTypedOrChosenFromTheKnownOnes) {
    Window w;
    auto* servers = w.find<QComboBox>(QStringLiteral("ServerComboBox"));
    ASSERT_TRUE(servers);
    EXPECT_EQ(servers->count(), 2);
    EXPECT_EQ(servers->lineEdit()->text(), QString::fromLatin1(kYearlyDefaultServer));
    servers->setCurrentIndex(1);
    EXPECT_EQ(w.form->state().server(ImportSource::Austria), kYearlyEarlierServer);
    servers->lineEdit()->setText(QStringLiteral("http://mirror.test"));
    EXPECT_EQ(w.form->state().server(ImportSource::Austria), "http://mirror.test");
    EXPECT_EQ(servers->count(), 2);
}

TEST(ImportWindow, AFileImportSaysWhatItTookInTheStatusBarAndAMessage) {
    Window w;
    const std::vector<DrawRecord> real = realDraws();
    writeArchive(w.dir.file("ZahlenAT.dat"), drawsUntil(real, dayNumber(2026, 8, 9)));
    writeBytes(w.dir.file("lo_2026.csv"), austrianYearFile(2026, real));
    w.host->openFile = w.dir.file("lo_2026.csv");
    QTest::mouseClick(w.find<QAbstractButton>(QStringLiteral("ImportFileBitBtn")), Qt::LeftButton);
    const std::string said = "4 neue Ziehungen übernommen (bis 21.08.2026)"; // 12., 16., 19. and 21.08.
    EXPECT_EQ(w.host->messages, std::vector<std::string>{said});
    EXPECT_EQ(w.find<QLabel>(QStringLiteral("StatusPanel1"))->text().toStdString(), said);
    EXPECT_EQ(DrawArchive(w.dir.file("ZahlenAT.dat")).readAll(), real);
}
