#include "cli/CliRunner.h"
#include "gui/WindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

TEST(GenerationWindow, LuckyNumberRunFillsTheGridLikeLottoCli) {
    Window w;
    w.host->inputAnswer = "4711";
    w.host->answerYes = true;
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton13")), Qt::LeftButton);
    EXPECT_EQ(w.find<QLabel>(QStringLiteral("StatusPanel1"))->text(),
              QStringLiteral("Tipps wurden neu berechnet"));
    EXPECT_EQ(w.find<QTabWidget>(QStringLiteral("PageControl1"))->currentIndex(), 0);
    std::vector<std::string> rows;
    for (int tip = 0; tip < 12; ++tip) {
        QStringList cells;
        for (int c = 0; c < 6; ++c)
            cells << w.find<QLineEdit>(QString::fromStdString(tipgrid::editName(tip * 6 + c)))->text();
        EXPECT_FALSE(cells[0].isEmpty());
        EXPECT_FALSE(w.find<QLabel>(tipSumLabel(tip))->text().isEmpty());
        EXPECT_FALSE(w.find<QLabel>(hitLabel(tip))->text().isEmpty());
        rows.push_back(cells.join(QLatin1Char(',')).toStdString());
    }
    const CliResult cli = runCli({"--datadir", w.dir.path(), "--no-settings", "generate", "--seed", "4711"});
    ASSERT_EQ(cli.exitCode, 0) << cli.err;
    for (int tip = 0; tip < 12; ++tip)
        EXPECT_EQ(cli.lines().at(static_cast<std::size_t>(tip)), rows[static_cast<std::size_t>(tip)]);
}

TEST(GenerationWindow, CaptionLabelStartsARunAndDatabaseButtonsChart) {
    Window w;
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("Label28")), Qt::LeftButton);
    EXPECT_EQ(w.form->state().statusText(1), "Tipps wurden neu berechnet");
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("Button2")), Qt::LeftButton);
    EXPECT_EQ(w.chartBarCount(), 44);
    EXPECT_EQ(w.find<QTabWidget>(QStringLiteral("PageControl1"))->currentIndex(), 3);
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("Button3")), Qt::LeftButton);
    EXPECT_EQ(w.chartBarCount(), 43);
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("Button5")), Qt::LeftButton);
    EXPECT_EQ(w.chartBarCount(), 45);
}
