#include "gui/WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

namespace {

QLineEdit* cell(Window& w, int index) {
    return w.find<QLineEdit>(QString::fromStdString(tipgrid::editName(index)));
}

void type(QLineEdit* edit, const QString& keys) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, keys);
}

QString tipText(Window& w, int tip) {
    QStringList parts;
    for (int c = 0; c < 6; ++c)
        parts << cell(w, tip * 6 + c)->text();
    return parts.join(QLatin1Char(','));
}

} // namespace

TEST(TipGridWindow, TypingKeepsOnlyNumbersFrom1To45) {
    Window w;
    QLineEdit* edit = cell(w, 7);
    for (const char* typed : {"0", "46", "-", "ab", "50"}) {
        type(edit, QString::fromLatin1(typed));
        EXPECT_EQ(edit->text(), QString::fromLatin1(typed)); // as typed until the cell is left
        EXPECT_EQ(w.form->state().cell(7), "") << typed;
    }
    edit->insert(QStringLiteral("-3")); // in one change, as a paste
    EXPECT_EQ(w.form->state().cell(7), "");
    type(edit, QStringLiteral("45"));
    EXPECT_EQ(edit->text(), QStringLiteral("45"));
    EXPECT_EQ(w.form->state().cell(7), "45");

    QApplication::clipboard()->setText(QStringLiteral("045"));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("45"));
}

TEST(TipGridWindow, AnInvalidNumberIsMarkedAndReportedWhenLeft) {
    Window w;
    w.form->activateWindow();
    type(cell(w, 7), QStringLiteral("46"));
    QTest::keyClick(cell(w, 7), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), cell(w, 8));
    EXPECT_EQ(cell(w, 7)->text(), QStringLiteral("46"));
    EXPECT_EQ(cell(w, 7)->toolTip(), QStringLiteral("Nur Zahlen von 1 bis 45"));
    EXPECT_TRUE(cell(w, 7)->styleSheet().contains(QStringLiteral("red")));
    EXPECT_EQ(w.find<QLabel>(QStringLiteral("StatusPanel1"))->text(),
              QStringLiteral("Nur Zahlen von 1 bis 45"));
    EXPECT_EQ(w.form->state().cell(7), "");
    type(cell(w, 7), QStringLiteral("4"));
    EXPECT_EQ(cell(w, 7)->toolTip(), QString());
}

// Typing over a tip with Tab keeps each number where it was typed; the tip is sorted when
// its sixth cell is left.
TEST(TipGridWindow, OvertypingATipGivesTheTypedNumbersSorted) {
    Window w;
    w.form->activateWindow();
    const char* old[6] = {"2", "12", "19", "20", "31", "41"};
    for (int c = 0; c < 6; ++c)
        cell(w, 6 + c)->setText(QString::fromLatin1(old[c]));
    cell(w, 6)->setFocus(Qt::TabFocusReason);
    for (const char* typed : {"40", "3", "17", "9", "45", "1"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(tipText(w, 1), QStringLiteral("1,3,9,17,40,45"));
    EXPECT_EQ(QApplication::focusWidget(), cell(w, 12));
}

// A tip with an empty cell shows neither hits nor digit sum of its earlier numbers.
TEST(TipGridWindow, AnIncompleteTipClearsItsLabels) {
    Window w;
    w.form->activateWindow();
    ASSERT_FALSE(w.find<QLabel>(hitLabel(0))->text().isEmpty());
    type(cell(w, 3), QString());
    cell(w, 30)->setFocus();
    EXPECT_EQ(w.find<QLabel>(hitLabel(0))->text(), QString());
    EXPECT_EQ(w.find<QLabel>(tipSumLabel(0))->text(), QString());
}

TEST(TipGridWindow, TipsAreSavedAMomentAfterAChange) {
    Window w;
    type(cell(w, 8), QStringLiteral("17"));
    QTRY_VERIFY_WITH_TIMEOUT(w.store.read(tipgrid::editName(8)) == SettingValue(std::string("17")), 5000);
}

TEST(TipGridWindow, LeavingACellSortsAndRatesEveryTip) {
    Window w;
    w.form->activateWindow();
    // The shown draw: the newest, 21.08.2026, 1 3 24 32 36 42 Z:37.
    const char* numbers[6] = {"42", "3", "24", "17", "37", "1"};
    for (int c = 0; c < 6; ++c)
        type(cell(w, 12 + c), QString::fromLatin1(numbers[c]));
    cell(w, 30)->setFocus(); // leave the cell
    QApplication::processEvents();
    EXPECT_EQ(tipText(w, 2), QStringLiteral("1,3,17,24,37,42"));
    auto* hits = w.find<QLabel>(hitLabel(2));
    EXPECT_EQ(hits->text(), QStringLiteral("4 + Z"));
    EXPECT_EQ(hits->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(w.find<QLabel>(tipSumLabel(2))->text(), QStringLiteral("124"));
    EXPECT_FALSE(w.host->sounds.empty());

    // While the tips are not ready, leaving a cell changes nothing.
    w.form->state().setTipsReady(false);
    const char* other[6] = {"9", "8", "7", "6", "5", "4"};
    for (int c = 0; c < 6; ++c)
        type(cell(w, 18 + c), QString::fromLatin1(other[c]));
    cell(w, 30)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(tipText(w, 3), QStringLiteral("9,8,7,6,5,4"));
    EXPECT_EQ(w.find<QLabel>(tipSumLabel(3))->text(), QString());
}

TEST(TipGridWindow, ClearingEmptiesCellsAndLabelsOnly) {
    Window w;
    for (int i = 0; i < 72; ++i)
        cell(w, i)->setText(QString::number(i % 45 + 1));
    w.form->run([&] { w.form->state().Komplettcheck(); });
    const QString caption = w.find<QLabel>(WindowLabel::TipPageDraw)->text();
    ASSERT_FALSE(w.find<QLabel>(tipSumLabel(0))->text().isEmpty());
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton11")), Qt::LeftButton);
    for (int i = 0; i < 72; ++i)
        EXPECT_EQ(cell(w, i)->text(), QString()) << i;
    for (int tip = 0; tip < 12; ++tip) {
        EXPECT_EQ(w.find<QLabel>(hitLabel(tip))->text(), QString());
        EXPECT_EQ(w.find<QLabel>(tipSumLabel(tip))->text(), QString());
    }
    EXPECT_EQ(w.find<QLabel>(WindowLabel::TipPageDraw)->text(), caption);
}

TEST(TipGridWindow, ArrowsStepThroughTheArchive) {
    Window w;
    auto* caption = w.find<QLabel>(WindowLabel::TipPageDraw);
    EXPECT_EQ(caption->text(), QStringLiteral("Fr 21.08.26    1  3  24  32  36  42 Z:37"));
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton6")), Qt::LeftButton);
    EXPECT_EQ(caption->text().left(11), QStringLiteral("Mi 19.08.26"));
    EXPECT_EQ(w.find<QLabel>(WindowLabel::DrawCaption)->text(), caption->text());
    EXPECT_EQ(w.find<QDateEdit>(QStringLiteral("DateTimePicker1"))->date(), QDate(2026, 8, 19));
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton7")), Qt::LeftButton);
    EXPECT_EQ(caption->text().left(11), QStringLiteral("Fr 21.08.26"));
}

TEST(TipGridWindow, SaveAndLoadThroughTheButtons) {
    Window w;
    w.host->saveFile = w.dir.file("tipps.qtp");
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton15")), Qt::LeftButton);
    ASSERT_EQ(w.host->proposedNames.size(), 1U);
    EXPECT_EQ(w.host->proposedNames[0], "20260823.qtp"); // Friday 21.08.2026: the next Sunday
    cell(w, 0)->setText(QString());
    w.host->openFile = w.dir.file("tipps.qtp");
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton16")), Qt::LeftButton);
    EXPECT_EQ(tipText(w, 0), QStringLiteral("1,2,3,4,5,6"));
    EXPECT_EQ(w.find<QLabel>(hitLabel(0))->text(), QStringLiteral("2"));
}

TEST(TipGridWindow, TheProposedFileNameAfterAWednesdayDrawIsTheSunday) {
    Window w;
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton6")), Qt::LeftButton); // Mi 19.08.26
    QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton15")), Qt::LeftButton);
    EXPECT_EQ(w.host->proposedNames, std::vector<std::string>{"20260823.qtp"});
}
