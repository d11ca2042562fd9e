#include "gui/BalanceDialog.h"
#include "gui/ChartView.h"
#include "gui/StrategyTestDialog.h"
#include "gui/WindowFixture.h"

#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QtCharts/QLineSeries>

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

TEST(BalanceWindow, HintsTableAndNetCurve) {
    Window w(false);
    writeArchive(w.dir.file("ZahlenAT.dat"), prizeBalanceDraws());
    writeBytes(w.dir.file("Quoten.csv"), kPrizeBalanceQuotas);
    writeBytes(w.dir.file("t.qtp"), "1,2,3,4,40,44\r\n20,21,22,30,31,32\r\n40,41,42,43,44,45\r\n");
    w.reopen();
    MainState& state = w.form->state();
    w.form->run([&] {
        state.loadTipFile(w.dir.file("t.qtp"));
        state.setTipsReady(true);
        state.setDrawDate(dayNumber(2010, 3, 7));
        state.SpeedButton5Click();
    });
    EXPECT_EQ(w.find<QLabel>(hitLabel(0))->toolTip(), QStringLiteral("Rang 3er + ZZ: 16,10 €"));
    EXPECT_EQ(w.find<QLabel>(hitLabel(0))->text(), QStringLiteral("3 + Z"));

    w.find<QPushButton>(QStringLiteral("GewinnbilanzButton"))->click();
    ASSERT_NE(w.form->balanceDialog(), nullptr);
    const QAbstractItemModel* model = w.form->balanceDialog()->table()->model();
    ASSERT_EQ(model->rowCount(), 4);
    auto cell = [&](int row, int column) { return model->index(row, column).data().toString(); };
    EXPECT_EQ(cell(0, 1), QStringLiteral("1 2 3 4 40 44"));
    EXPECT_EQ(cell(0, 13), QStringLiteral("422,66 €"));
    EXPECT_EQ(cell(3, 0), QStringLiteral("Summe"));
    EXPECT_EQ(cell(3, 11), QStringLiteral("433,66 €"));
    EXPECT_EQ(cell(3, 12), QStringLiteral("14,40 €"));
    // Sorted by net, descending: the sum row stays last.
    w.form->balanceDialog()->table()->sortByColumn(13, Qt::DescendingOrder);
    EXPECT_EQ(cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("3"));
    EXPECT_EQ(cell(3, 0), QStringLiteral("Summe"));

    QList<QAbstractSeries*> series = w.form->chartView()->chart()->series();
    ASSERT_EQ(series.size(), 1);
    auto* line = qobject_cast<QLineSeries*>(series.front());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->count(), 4); // one point per draw played
    EXPECT_DOUBLE_EQ(line->at(3).y(), 419.26);
    EXPECT_EQ(state.activePage(), Page::Diagramm);
}

TEST(StrategyTestWindow, TableChartVerdictSavedAndStopped) {
    Window w;
    w.form->state().setStatisticsStart(dayNumber(2024, 1, 1));
    w.find<QPushButton>(QStringLiteral("StrategieTestButton"))->click();
    StrategyTestDialog* dialog = w.form->strategyTestDialog();
    ASSERT_TRUE(dialog->isVisible());
    dialog->findChild<QDateEdit*>(QStringLiteral("StrategyTestTo"))->setDate(QDate(2024, 2, 29));
    dialog->findChild<QPushButton*>(QStringLiteral("StrategyTestStart"))->click(); // runs to its end
    EXPECT_EQ(dialog->findChild<QProgressBar*>(QStringLiteral("StrategyTestProgress"))->value(), 17);
    EXPECT_EQ(dialog->table()->item(0, 1)->text(), QStringLiteral("81,72")); // 204 tips × P(0 hits)
    int tips = 0;
    for (int row = 0; row < 7; ++row)
        tips += dialog->table()->item(row, 0)->text().toInt();
    EXPECT_EQ(tips, 204);
    EXPECT_TRUE(dialog->verdict().startsWith(QStringLiteral("Die berechneten Tipps trafen")));
    EXPECT_EQ(dialog->chartView()->chart()->series().size(), 1);
    EXPECT_EQ(w.form->state().statusText(0), "Strategie-Test: 17 Ziehungen, 204 Tipps");

    ASSERT_TRUE(dialog->saveTable(QString::fromStdString(w.dir.file("test.csv"))));
    QFile csv(QString::fromStdString(w.dir.file("test.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readLine(), QByteArray("Klasse;Berechnete Tipps;Zufallstipps (erwartet)\n"));
    EXPECT_TRUE(csv.readLine().startsWith("0 Treffer;"));
    ASSERT_TRUE(dialog->saveChart(QString::fromStdString(w.dir.file("test.png"))));
    QFile png(QString::fromStdString(w.dir.file("test.png")));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    EXPECT_TRUE(png.read(4) == QByteArray("\x89PNG"));
    EXPECT_FALSE(
        dialog->saveTable(QString::fromStdString(w.dir.file("ZahlenAT.dat")))); // never over the archive

    // Stopped at the first progress point: the counts cover the draws up to there.
    w.form->state().setStatisticsStart(dayNumber(2000, 1, 1));
    dialog->findChild<QDateEdit*>(QStringLiteral("StrategyTestTo"))->setDate(QDate(2026, 12, 7));
    QTimer::singleShot(0, dialog->findChild<QPushButton*>(QStringLiteral("StrategyTestStop")),
                       &QPushButton::click);
    dialog->startTest();
    EXPECT_TRUE(dialog->verdict().contains(QStringLiteral("abgebrochen")));
    EXPECT_LT(dialog->findChild<QProgressBar*>(QStringLiteral("StrategyTestProgress"))->value(), 100);
    EXPECT_TRUE(dialog->isVisible());
    // Closed while it runs: the test stops and the dialog closes after it.
    QTimer::singleShot(0, dialog, &QDialog::close);
    dialog->startTest();
    EXPECT_FALSE(dialog->isVisible());
}
