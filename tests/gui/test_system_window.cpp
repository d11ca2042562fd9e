#include "gui/BalanceDialog.h"
#include "gui/SystemDialog.h"
#include "gui/WindowFixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

using namespace lotto;
using namespace lotto::test;

namespace {

void clickNumbers(const Window& w, std::initializer_list<int> numbers) {
    for (const int n : numbers)
        w.find<QToolButton>(QStringLiteral("SystemNumber%1").arg(n))->click();
}

} // namespace

TEST(SystemWindow, TwoEightSystemEnteredCheckedSavedAndLoaded) {
    Window w(false);
    writeArchive(w.dir.file("ZahlenAT.dat"), prizeBalanceDraws());
    writeBytes(w.dir.file("Quoten.csv"), kPrizeBalanceQuotas);
    w.reopen();
    w.form->run([&] {
        w.form->state().setDrawDate(dayNumber(2010, 3, 7));
        w.form->state().SpeedButton5Click();
    });
    w.find<QPushButton>(QStringLiteral("SystemButton"))->click();
    ASSERT_NE(w.form->systemDialog(), nullptr);
    clickNumbers(w, {1, 2, 3, 4, 5, 6, 7, 8, 40, 45, 1, 2}); // ten choice numbers, then 1 and 2 bankers
    EXPECT_EQ(w.find<QLabel>(QStringLiteral("SystemName"))->text(),
              QStringLiteral("System 2/8 (auf dem Systemschein)"));
    EXPECT_EQ(w.find<QLabel>(QStringLiteral("SystemCost"))->text(),
              QStringLiteral("70 Tipps · 84,00 € (1,20 € je Tipp)"));
    const auto* tips = w.find<QListWidget>(QStringLiteral("SystemTips"));
    ASSERT_EQ(tips->count(), 70);
    EXPECT_EQ(tips->item(0)->text(), QStringLiteral("1.       1  2  3  4  5  6"));
    EXPECT_NE(w.find<QToolButton>(QStringLiteral("SystemNumber1"))->styleSheet(),
              w.find<QToolButton>(QStringLiteral("SystemNumber3"))->styleSheet()); // a banker looks different

    // 07.03.2010 drew 1 2 3 20 21 22, extra 40: with both bankers drawn, a tip with 3 reaches
    // 3er + ZZ (15, with the 40) or 3er (20); without the 3 but with the 40 a ZZ (20).
    w.find<QPushButton>(QStringLiteral("SystemCheckButton"))->click();
    const auto* result = w.find<QTableWidget>(QStringLiteral("SystemResultTable"));
    auto cell = [&](int row, int column) { return result->item(row, column)->text(); };
    EXPECT_EQ(cell(5, 0), QStringLiteral("3er + ZZ"));
    EXPECT_EQ(cell(5, 1), QStringLiteral("15"));
    EXPECT_EQ(cell(5, 2), QStringLiteral("16,10 €"));
    EXPECT_EQ(cell(5, 3), QStringLiteral("241,50 €"));
    EXPECT_EQ(cell(6, 1), QStringLiteral("20"));
    EXPECT_EQ(cell(7, 1), QStringLiteral("20"));
    EXPECT_EQ(cell(4, 1), QStringLiteral("0"));
    EXPECT_EQ(w.find<QLabel>(QStringLiteral("SystemWonLabel"))->text(),
              QStringLiteral("<b>Gewinn: 365,50 €</b>"));
    EXPECT_EQ(tips->item(0)->toolTip(), QStringLiteral("Rang 3er")); // 1 2 3 4 5 6
    EXPECT_EQ(tips->item(69)->toolTip(), QStringLiteral("Rang ZZ")); // 1 2 7 8 40 45

    w.host->saveFile = w.dir.file("z.qsy");
    w.find<QPushButton>(QStringLiteral("SystemSaveButton"))->click();
    w.find<QPushButton>(QStringLiteral("SystemClearButton"))->click();
    EXPECT_EQ(tips->count(), 0);
    w.host->openFile = w.dir.file("z.qsy");
    w.find<QPushButton>(QStringLiteral("SystemLoadButton"))->click();
    EXPECT_EQ(tips->count(), 70);
    EXPECT_TRUE(w.host->errors.empty());

    // More than 12 tips: printed as the list of tips.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(w.dir.file("liste.pdf")));
    w.form->systemDialog()->printList(&printer);
    EXPECT_GT(std::filesystem::file_size(w.dir.file("liste.pdf")), 1000U);

    // Its own row in the balance, between the tips and the sum.
    w.find<QPushButton>(QStringLiteral("GewinnbilanzButton"))->click();
    const QAbstractItemModel* model = w.form->balanceDialog()->table()->model();
    const int systemRow = model->rowCount() - 2;
    EXPECT_EQ(model->index(systemRow, 0).data().toString(), QStringLiteral("System"));
    EXPECT_EQ(model->index(systemRow, 1).data().toString(), QStringLiteral("2/8: 1 2 | 3 4 5 6 7 8 40 45"));
    EXPECT_EQ(model->index(systemRow, 2).data().toString(), QStringLiteral("4"));
}

// Also under Xvfb at scale 1 on 1366x768 and scale 2 on 1920x1080.
TEST(Desktop, SystemDialogFitsTheScreenWithTheLargestSystem) {
    Window w;
    w.find<QPushButton>(QStringLiteral("SystemButton"))->click();
    clickNumbers(w, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    SystemDialog* dialog = w.form->systemDialog();
    EXPECT_EQ(w.find<QListWidget>(QStringLiteral("SystemTips"))->count(), 5005);
    const QRect available = dialog->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(dialog->frameGeometry()))
        << available.width() << "x" << available.height() << " " << dialog->frameGeometry().width() << "x"
        << dialog->frameGeometry().height();
    EXPECT_GE(dialog->height(), dialog->minimumSizeHint().height());
}
