#include "gui/BalanceDialog.h"
#include "gui/ChartView.h"
#include "gui/WindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
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
        state.dateTimePicker1().setDate(dayNumber(2010, 3, 7));
        state.SpeedButton5Click();
    });
    EXPECT_EQ(w.find<QLabel>(QStringLiteral("Label22"))->toolTip(), QStringLiteral("Rang 3er + ZZ: 16,10 €"));
    EXPECT_EQ(w.find<QLabel>(QStringLiteral("Label22"))->text(), QStringLiteral("3 + Z"));

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
