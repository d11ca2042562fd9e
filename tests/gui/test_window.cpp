#include "gui/WindowFixture.h"

#include "bundle/BundledArchive.h"
#include "gui/ChartView.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

TEST(Window, OpensWithAllPagesAndNamedControls) {
    Window w;
    auto* pages = w.find<QTabWidget>(QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 6);
    const QStringList titles{QStringLiteral("Lottotipp"),
                             QStringLiteral("Zahlen der letzten Ziehung"),
                             QStringLiteral("Berechnungs-Optionen"),
                             QStringLiteral("Diagramm"),
                             QStringLiteral("Datenbank"),
                             QStringLiteral("Internet-Optionen")};
    const QStringList sheets{QStringLiteral("TabSheet1"), QStringLiteral("TabSheet2"),
                             QStringLiteral("TabSheet6"), QStringLiteral("TabSheet5"),
                             QStringLiteral("TabSheet4"), QStringLiteral("TabSheet3")};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(pages->tabText(i), titles[i]);
        EXPECT_EQ(pages->widget(i)->objectName(), sheets[i]);
    }
    EXPECT_FALSE(pages->isTabVisible(1));
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_TRUE(w.form->windowTitle().startsWith(
        QStringLiteral("Zerbosts Lotto - Tipp mit den akt. Zahlen direkt von ")));

    QStringList names{"StatusBar1",      "Panel4",          "SpeedButton6",  "SpeedButton7",  "Label35",
                      "Label13",         "CheckBox16",      "CheckBox17",    "Panel3",        "SpeedButton4",
                      "SpeedButton13",   "BitBtn4",         "BitBtn5",       "Edit80",        "UpDown8",
                      "Panel2",          "SpeedButton10",   "SpeedButton11", "SpeedButton12", "SpeedButton15",
                      "SpeedButton16",   "BitBtn7",         "Button6",       "Panel5",        "Label43",
                      "Panel6",          "Label44",         "Chart1",        "ChartToolBar1", "SpeedButton2",
                      "SpeedButton9",    "DateTimePicker2", "Label29",       "SpeedButton5",  "SpeedButton8",
                      "Label57",         "Edit55",          "UpDown7",       "Label58",       "BitBtn1",
                      "DateTimePicker1", "BitBtn2",         "BitBtn3",       "BitBtn6",       "BitBtn8",
                      "Button2",         "Button3",         "Button4",       "Button5",       "Label10",
                      "ProxyHostEdit",   "Label11",         "ProxyPortEdit", "Label12",       "FileNameEdit",
                      "URLEdit",         "Label51",         "Label52",       "Label53",       "Label54",
                      "Label55",         "Label56",         "Label42",       "CheckBox15",    "CheckBox18",
                      "Button1"};
    for (int n = 1; n <= 15; ++n)
        names << QStringLiteral("CheckBox%1").arg(n);
    for (int n = 1; n <= 8; ++n)
        names << QStringLiteral("UpDown%1").arg(n);
    for (int e = 37; e <= 42; ++e)
        names << QStringLiteral("Edit%1").arg(e);
    for (int cell = 0; cell < 72; ++cell)
        names << QString::fromStdString(tipgrid::editName(cell));
    for (int tip = 0; tip < 12; ++tip)
        names << QString::fromLatin1(tipgrid::captionLabel(tip));
    for (const QString& name : names)
        EXPECT_NE(w.find(name), nullptr) << name.toStdString();
    for (const WindowLabelInfo& info : kWindowLabels) // the state's labels by their designer names
        EXPECT_NE(w.find<QLabel>(info.label), nullptr) << info.designerName;

    EXPECT_EQ(w.find<QLabel>(QStringLiteral("Label44"))->text(),
              QStringLiteral("Z e r b o s t 's  L o t t o  V 1 . 5"));
    EXPECT_EQ(w.find<QLabel>(QStringLiteral("Label11"))->text(), QStringLiteral("Proxy-Port"));
    EXPECT_FALSE(w.find(QStringLiteral("SpeedButton8"))->isVisible());
    EXPECT_FALSE(w.find(QStringLiteral("URLEdit"))->isVisible());
    auto* runs = w.find<QSpinBox>(QStringLiteral("UpDown7"));
    EXPECT_EQ(runs->minimum(), 1);
    EXPECT_EQ(runs->maximum(), 10000);
    EXPECT_EQ(w.find<QLineEdit>(QStringLiteral("Edit55"))->text(), QStringLiteral("100"));
    EXPECT_EQ(w.find<QDateEdit>(QStringLiteral("DateTimePicker2"))->minimumDate(), QDate(1955, 10, 9));
    EXPECT_EQ(w.find<QStatusBar>(QStringLiteral("StatusBar1"))
                  ->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^StatusPanel")))
                  .size(),
              2);

    // The first chart: the number frequency of the bundled archive.
    EXPECT_EQ(w.chartBarCount(), 45);
    EXPECT_TRUE(w.form->state().chart().axisTitle.starts_with("Zahlenverteilung     Ziehungen: 3586"));
    EXPECT_TRUE(w.host->errors.empty());
    EXPECT_TRUE(w.host->messages.empty());
}

TEST(Window, ChartButtonsRedrawTheChart) {
    Window w;
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton9")), Qt::LeftButton);
    EXPECT_EQ(w.form->state().chart().axisTitle.rfind("Quersummenverteilung", 0), 0U);
    EXPECT_GT(w.chartBarCount(), 150);
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton2")), Qt::LeftButton);
    EXPECT_EQ(w.chartBarCount(), 45);
    auto* toolBar = w.find<QToolBar>(QStringLiteral("ChartToolBar1"));
    for (const char* action :
         {"ChartZoomIn", "ChartZoomOut", "ChartZoomReset", "ChartSave", "ChartCopy", "ChartPrint"})
        EXPECT_NE(toolBar->findChild<QAction*>(QString::fromLatin1(action)), nullptr) << action;
    TempDir dir;
    EXPECT_TRUE(w.form->chartView()->savePng(QString::fromStdString(dir.file("chart.png"))));
    EXPECT_GT(std::filesystem::file_size(dir.file("chart.png")), 1000U);
}

TEST(Window, ValuesSurviveCloseAndStart) {
    Window w;
    w.find<QSpinBox>(QStringLiteral("UpDown7"))->setValue(250);
    w.find<QCheckBox>(QStringLiteral("CheckBox15"))->setChecked(true);
    w.find<QCheckBox>(QStringLiteral("CheckBox2"))->setChecked(false);
    w.find<QLineEdit>(QStringLiteral("Edit79"))->setText(QStringLiteral("33"));
    w.find<QLineEdit>(QStringLiteral("ProxyHostEdit"))->setText(QStringLiteral("proxy.example"));
    w.find<QLineEdit>(QStringLiteral("ProxyPortEdit"))->setText(QStringLiteral("3128"));
    w.find<QDateEdit>(QStringLiteral("DateTimePicker2"))->setDate(QDate(2001, 2, 3));
    EXPECT_EQ(w.form->state().maxRuns(), 250000);
    w.reopen();
    EXPECT_EQ(w.find<QSpinBox>(QStringLiteral("UpDown7"))->value(), 250);
    EXPECT_EQ(w.form->state().maxRuns(), 250000);
    EXPECT_TRUE(w.find<QCheckBox>(QStringLiteral("CheckBox15"))->isChecked());
    EXPECT_FALSE(w.find<QCheckBox>(QStringLiteral("CheckBox2"))->isChecked());
    EXPECT_EQ(w.find<QLineEdit>(QStringLiteral("Edit79"))->text(), QStringLiteral("33"));
    EXPECT_EQ(w.find<QLineEdit>(QStringLiteral("ProxyPortEdit"))->text(), QStringLiteral("3128"));
    EXPECT_EQ(w.find<QDateEdit>(QStringLiteral("DateTimePicker2"))->date(), QDate(2001, 2, 3));
    w.form->close();

    // Types as another process reads them: QSettings caches within one process.
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LOTTO_SETTINGS_CHILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("LOTTO_TEST_KEEP_CONFIG"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=SettingsChild.*")});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
    EXPECT_NE(child.readAllStandardOutput().indexOf("[  PASSED  ] 1 test"), -1);
}

// Runs only inside the child process started above.
TEST(SettingsChild, StoredValuesKeepTheirTypes) {
    if (qEnvironmentVariableIsEmpty("LOTTO_SETTINGS_CHILD")) GTEST_SKIP() << "child process only";
    QtSettingsStore store;
    EXPECT_EQ(store.read("Chekcbox15"), std::optional<SettingValue>(true));
    EXPECT_EQ(store.read("Chekcbox2"), std::optional<SettingValue>(false));
    EXPECT_EQ(store.read("UpDown7"), std::optional<SettingValue>(250));
    EXPECT_EQ(store.read("Edit79"), std::optional<SettingValue>(std::string("33")));
    EXPECT_EQ(store.read("TippTop"), std::optional<SettingValue>(88));
    EXPECT_EQ(store.read("DateTimePicker2"),
              std::optional<SettingValue>(DateSetting{static_cast<double>(dayNumber(2001, 2, 3))}));
    EXPECT_EQ(store.read("ProxyPortEdit"), std::optional<SettingValue>(std::string("3128")));
    EXPECT_TRUE(QFile::exists(store.fileName()));
    EXPECT_TRUE(store.fileName().endsWith(QStringLiteral("Zerbost/RedidAR.json")));
}

TEST(Window, MissingArchiveGivesOneMessageAndTheBundledArchiveAWayOut) {
    Window w(false);
    EXPECT_EQ(w.host->messages, std::vector<std::string>{MainState::kNoArchiveMessage});
    EXPECT_TRUE(w.host->errors.empty());
    EXPECT_TRUE(w.form->isVisible());
    EXPECT_EQ(w.chartBarCount(), 0);

    w.find<QPushButton>(QStringLiteral("BundledArchiveButton"))->click();
    EXPECT_TRUE(w.host->questions.empty()); // nothing to replace, so nothing to ask
    EXPECT_EQ(QFileInfo(QString::fromStdString(w.dir.file("ZahlenAT.dat"))).size(),
              static_cast<qint64>(bundledArchive().size()));
    EXPECT_EQ(w.chartBarCount(), 45);

    w.find<QPushButton>(QStringLiteral("BundledArchiveButton"))->click(); // now it asks; No keeps it
    EXPECT_EQ(w.host->questions.size(), 1U);
}

TEST(Window, LinksOpenTheirAddresses) {
    Window w;
    QTest::mouseClick(w.find(WindowLabel::OperatorLink), Qt::LeftButton);
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("Label44")), Qt::LeftButton);
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("Panel5")), Qt::LeftButton, {}, QPoint(1, 1));
    ASSERT_EQ(w.host->opened.size(), 3U);
    EXPECT_EQ(w.host->opened[0], MainState::kOperatorAddress);
    EXPECT_EQ(w.host->opened[1], std::string(MainState::kMakerAddress) + "/tendora/");
    EXPECT_EQ(w.host->opened[2], w.host->opened[1]);
}

TEST(Window, TipSheetAndArchiveSearchButtons) {
    Window w;
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("BitBtn7")), Qt::LeftButton);
    ASSERT_EQ(w.host->opened, (std::vector<std::string>{w.dir.file("Tipp.txt")}));
    EXPECT_TRUE(std::filesystem::exists(w.dir.file("Tipp.txt")));

    const auto* pages = w.find<QTabWidget>(QStringLiteral("PageControl1"));
    const int page = pages->currentIndex();
    w.host->inputAnswer = "7"; // more than any tip can hit: an empty list
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton4")), Qt::LeftButton);
    ASSERT_TRUE(w.host->searchList());
    EXPECT_EQ(w.host->searchList()->model()->rowCount(), 0);
    EXPECT_TRUE(w.host->messages.empty());
    EXPECT_TRUE(w.host->errors.empty());
    EXPECT_EQ(w.find<QLabel>(WindowLabel::DigitSum)->text().left(11), QStringLiteral("Quersumme: "));
    EXPECT_EQ(w.chartBarCount(), 10);
    EXPECT_EQ(pages->currentIndex(), page);
}

// Every hit goes into one list that "Stopp" or Escape ends at once; the shown draw's
// caption, digit sum and all twelve hit labels agree afterwards.
TEST(Window, TheSearchListStopsAfterNHitsWithTheButtonOrEscape) {
    Window w;
    const char* shownDraw[6] = {"1", "3", "24", "32", "36", "42"}; // the newest draw, 21.08.2026
    const char* oneHit[6] = {"1", "2", "4", "5", "6", "7"};
    for (int c = 0; c < 6; ++c) {
        w.find<QLineEdit>(QString::fromStdString(tipgrid::editName(c)))
            ->setText(QString::fromLatin1(shownDraw[c]));
        w.find<QLineEdit>(QString::fromStdString(tipgrid::editName(66 + c)))
            ->setText(QString::fromLatin1(oneHit[c]));
    }
    const QString caption = w.find<QLabel>(WindowLabel::TipPageDraw)->text();
    w.host->inputAnswer = "0"; // every tip at every draw
    for (const bool escape : {false, true}) {
        w.host->onSearchList = [escape](SearchListDialog& list) {
            QObject::connect(list.model(), &QAbstractItemModel::rowsInserted, &list, [&list, escape] {
                if (list.model()->rowCount() != 5) return;
                if (escape)
                    QTest::keyClick(&list, Qt::Key_Escape);
                else
                    list.findChild<QPushButton*>(QStringLiteral("SearchListStop"))->click();
            });
        };
        QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton4")), Qt::LeftButton);
        SearchListDialog* list = w.host->searchList();
        ASSERT_TRUE(list);
        EXPECT_EQ(list->model()->rowCount(), 5) << escape;
        EXPECT_FALSE(list->running());
        EXPECT_TRUE(list->isVisible());
        EXPECT_TRUE(list->findChild<QLabel*>(QStringLiteral("SearchListCounts"))
                        ->text()
                        .contains(QStringLiteral("Suche gestoppt nach 5 Treffern")));
        list->close();
    }
    EXPECT_EQ(w.find<QLabel>(WindowLabel::TipPageDraw)->text(), caption);
    EXPECT_EQ(w.find<QLabel>(WindowLabel::DrawCaption)->text(), caption);
    EXPECT_EQ(w.find<QLabel>(WindowLabel::DigitSum)->text(), QStringLiteral("Quersumme: 138"));
    EXPECT_EQ(w.find<QLabel>(hitLabel(0))->text(), QStringLiteral("6"));
    EXPECT_EQ(w.find<QLabel>(hitLabel(11))->text(), QStringLiteral("1"));
}
