#include "gui/Application.h"
#include "gui/ChartView.h"
#include "gui/WindowFixture.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

#include <cmath>

using namespace lotto;
using namespace lotto::test;

namespace {

QLineEdit* cell(Window& w, int index) {
    return w.find<QLineEdit>(QString::fromStdString(tipgrid::editName(index)));
}

QValueAxis* valueAxis(Window& w) {
    for (QAbstractAxis* axis : w.form->chartView()->chart()->axes(Qt::Vertical))
        if (auto* values = qobject_cast<QValueAxis*>(axis)) return values;
    return nullptr;
}

} // namespace

TEST(Desktop, EveryValueAxisTickIsAWholeNumberLabelledWithItsValue) {
    Window w;
    w.find<QLineEdit>(QStringLiteral("Edit1"))->setText(QStringLiteral("8"));
    const char* buttons[] = {"SpeedButton2", "SpeedButton9", "Button6", "Button2",
                             "Button3",      "Button4",      "Button5"};
    for (const char* button : buttons) {
        w.find<QAbstractButton>(QString::fromLatin1(button))->click();
        const ChartModel& model = w.form->state().chart();
        QValueAxis* axis = valueAxis(w);
        ASSERT_NE(axis, nullptr) << button;
        EXPECT_EQ(axis->labelFormat(), QStringLiteral("%d"));
        EXPECT_EQ(axis->tickType(), QValueAxis::TicksDynamic) << button;
        const double interval = axis->tickInterval();
        EXPECT_GE(interval, 1.0) << button;
        EXPECT_EQ(interval, std::floor(interval)) << button;
        EXPECT_EQ(axis->tickAnchor(), 0.0);
        if (model.valueAxisAutomatic) {
            EXPECT_EQ(axis->min(), 0.0) << button;
            EXPECT_GE(axis->max(), model.largestY()) << button;
        } else {
            // Room below the smallest count, so its bar shows, and a labelled tick at or
            // above the largest; the model keeps both exactly.
            EXPECT_TRUE(axis->min() < model.valueAxisMin || axis->min() == 0.0) << button;
            EXPECT_GE(axis->max(), model.valueAxisMax) << button;
            EXPECT_EQ(std::fmod(axis->max(), interval), 0.0) << button;
        }
        int ticks = 0;
        for (double tick = std::ceil(axis->min() / interval) * interval; tick <= axis->max();
             tick += interval)
            ++ticks;
        EXPECT_GE(ticks, 2) << button;
        EXPECT_LE(ticks, axis->max() - axis->min() + 1) << button;
    }
}

TEST(Desktop, TickIntervalIsOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_EQ(ChartView::valueTickInterval(1), 1);
    EXPECT_EQ(ChartView::valueTickInterval(10), 1);
    EXPECT_EQ(ChartView::valueTickInterval(11), 2);
    EXPECT_EQ(ChartView::valueTickInterval(117), 20);
    EXPECT_EQ(ChartView::valueTickInterval(2147483647), 500000000);
}

// Offscreen on 1366x768, and again under Xvfb at scale 1 on 1366x768 and scale 2 on 1920x1080.
TEST(Desktop, WindowFitsTheAvailableScreenWithNothingCutOff) {
    Window w;
    const QRect available = w.form->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(w.form->frameGeometry()))
        << available.width() << "x" << available.height() << " " << w.form->frameGeometry().x() << ","
        << w.form->frameGeometry().y() << " " << w.form->frameGeometry().width() << "x"
        << w.form->frameGeometry().height();
    EXPECT_GE(w.form->width(), w.form->minimumSizeHint().width());
    EXPECT_GE(w.form->height(), w.form->minimumSizeHint().height());
}

TEST(Desktop, SizePositionAndPageAreRestored) {
    Window w;
    const QRect available = w.form->screen()->availableGeometry();
    w.form->resize(w.form->minimumSizeHint() + QSize(7, 5));
    const QSize size = w.form->size();
    w.form->move(available.topLeft());
    w.find<QTabWidget>(QStringLiteral("PageControl1"))->setCurrentIndex(3);
    w.reopen();
    EXPECT_EQ(w.form->size(), size);
    EXPECT_EQ(w.form->pos(), available.topLeft());
    EXPECT_EQ(w.find<QTabWidget>(QStringLiteral("PageControl1"))->currentIndex(), 3);
}

TEST(Desktop, HiddenPageIsOutOfReachOfCtrlTab) {
    Window w;
    auto* pages = w.find<QTabWidget>(QStringLiteral("PageControl1"));
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(pages, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_NE(pages->currentIndex(), 1);
    }
    QTest::keyClick(pages, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(pages->currentIndex(), 1);
}

TEST(Desktop, EnterInACellMovesOnAndLeavesTheCell) {
    Window w;
    QLineEdit* last = cell(w, 5);
    for (int c = 0; c < 6; ++c)
        cell(w, c)->setText(QString::number(20 - c));
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), cell(w, 6));
    EXPECT_EQ(w.form->state().cell(0), "15"); // the tip is left: sorted by the leaving rule
}

TEST(Desktop, TabWalksTheTipsTipByTipThenTheTools) {
    Window w;
    cell(w, 0)->setFocus();
    for (int index = 1; index < tipgrid::kCells; ++index) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), cell(w, index)) << index;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.find(QStringLiteral("SpeedButton10")));
}

TEST(Desktop, MainButtonsNameTheirShortcuts) {
    Window w;
    EXPECT_TRUE(w.find(QStringLiteral("BitBtn4"))->toolTip().endsWith(QStringLiteral("(F9)")));
    EXPECT_TRUE(w.find(QStringLiteral("SpeedButton10"))->toolTip().endsWith(QStringLiteral("(F5)")));
    EXPECT_TRUE(w.find(QStringLiteral("BitBtn1"))->toolTip().endsWith(QStringLiteral("(F5)")));
    EXPECT_TRUE(w.find(QStringLiteral("SpeedButton15"))->toolTip().endsWith(QStringLiteral("(Ctrl+S)")));
    EXPECT_TRUE(w.find(QStringLiteral("BitBtn5"))->toolTip().endsWith(QStringLiteral("(Ctrl+Q)")));
    w.find<QTabWidget>(QStringLiteral("PageControl1"))->setCurrentIndex(4);
    const int shown = w.form->state().drawStepIndex();
    QTest::keyClick(w.form.get(), Qt::Key_Left, Qt::AltModifier); // works from every page
    EXPECT_EQ(w.form->state().drawStepIndex(), shown - 1);
    // The chart page's own buttons by key, before that page was ever shown: the chart comes up.
    w.find<QTabWidget>(QStringLiteral("PageControl1"))->setCurrentIndex(0);
    const unsigned revision = w.form->state().chartRevision();
    QTest::keyClick(w.form.get(), Qt::Key_F7);
    EXPECT_NE(w.form->state().chartRevision(), revision);
    EXPECT_EQ(w.find<QTabWidget>(QStringLiteral("PageControl1"))->currentIndex(), 3);
}

TEST(Desktop, ADialogOrAnotherWindowDoesNotLeaveTheCell) {
    Window w;
    for (int c = 0; c < 6; ++c)
        cell(w, c)->setText(QString::number(20 - c));
    QFocusEvent toDialog(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(cell(w, 0), &toDialog);
    EXPECT_EQ(w.form->state().cell(0), "20");
    QFocusEvent toNextControl(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(cell(w, 0), &toNextControl);
    EXPECT_EQ(w.form->state().cell(0), "15");
}

TEST(Desktop, RepeatedNumbersAreMarkedAndALongPasteIsReadWhole) {
    Window w;
    const char* tip[] = {"3", "3", "3", "10", "11", "12"};
    for (int c = 0; c < 6; ++c)
        cell(w, 6 + c)->setText(QString::fromLatin1(tip[c]));
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(cell(w, 6 + c)->toolTip(), c < 3 ? QStringLiteral("Zahl doppelt") : QString()) << c;
    cell(w, 7)->setText(QStringLiteral("4"));
    EXPECT_EQ(cell(w, 7)->toolTip(), QString());
    EXPECT_EQ(cell(w, 8)->toolTip(), QStringLiteral("Zahl doppelt"));
    cell(w, 8)->setText(QStringLiteral("5"));
    EXPECT_EQ(cell(w, 6)->toolTip(), QString()); // "3" now stands once

    cell(w, 20)->setText(QStringLiteral("00000000000045"));
    EXPECT_EQ(cell(w, 20)->text(), QStringLiteral("45"));
}

TEST(Desktop, SecondWindowOnTheSameDirectoryIsRefusedUntilTheLockIsStale) {
    TempDir dir;
    const QString path = QString::fromStdString(dir.path());
    QString error;
    auto first = lockProgramDirectory(path, &error);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(lockProgramDirectory(path, &error), nullptr);
    EXPECT_TRUE(error.startsWith(QStringLiteral("Zerbosts Lotto läuft bereits"))) << error.toStdString();
    QFile lockFile(QString::fromStdString(dir.file("lotto.lock")));
    ASSERT_TRUE(lockFile.open(QIODevice::ReadOnly));
    QByteArray content = lockFile.readAll();
    lockFile.close();
    first.reset();

    // The same lock left by a process that has ended is taken over.
    QProcess gone;
    gone.start(QStringLiteral("true"));
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    content.replace(0, content.indexOf('\n'), QByteArray::number(pid));
    ASSERT_TRUE(lockFile.open(QIODevice::WriteOnly));
    lockFile.write(content);
    lockFile.close();
    EXPECT_NE(lockProgramDirectory(path, &error), nullptr);
}

TEST(Desktop, StandardDialogButtonsSpeakGerman) {
    QTranslator* translator = installGermanTranslation(*qApp);
    ASSERT_NE(translator, nullptr);
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("t"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Ja"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Nein"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Abbrechen"));
    QApplication::removeTranslator(translator);
    delete translator;
}

TEST(Desktop, FileDialogFiltersListEveryPattern) {
    EXPECT_EQ(qtFileFilter("Ergebnisdatei|*.csv;*.txt"), QStringLiteral("Ergebnisdatei (*.csv *.txt)"));
    EXPECT_EQ(qtFileFilter("Tippdatei|*.qtp|Textdatei|*.txt"),
              QStringLiteral("Tippdatei (*.qtp);;Textdatei (*.txt)"));
}
