#include "gui/TForm3.h"
#include "gui/WindowFixture.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace lotto;
using namespace lotto::test;

TEST(EntryDialog, ControlsByNameAndTheConfirmedDraw) {
    TForm3 form;
    form.setEntry({dayNumber(2026, 8, 21), {1, 3, 24, 32, 36, 42}, 37});
    form.setSlotVisible(false);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Zahlen der Ziehung eingeben"));
    auto* date = form.findChild<QDateEdit*>(QStringLiteral("DateTimePicker1"));
    ASSERT_NE(date, nullptr);
    EXPECT_TRUE(date->calendarPopup());
    EXPECT_EQ(date->text(), QStringLiteral("21.08.2026"));
    for (int n = 1; n <= 8; ++n) {
        auto* spin = form.findChild<QSpinBox*>(QStringLiteral("UpDown%1").arg(n));
        ASSERT_NE(spin, nullptr) << n;
        EXPECT_NE(form.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(n)), nullptr) << n;
        EXPECT_EQ(spin->minimum(), 1) << n;
        EXPECT_EQ(spin->maximum(), n == 8 ? 10 : 45) << n;
        EXPECT_EQ(spin->isVisible(), n != 8) << n;
    }
    auto* z = form.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(z->text(), QStringLiteral("Z:"));
    EXPECT_TRUE(z->font().bold());
    EXPECT_EQ(z->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(form.findChild<QLabel*>(QStringLiteral("Label2"))->isVisible());
    EXPECT_EQ(form.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->text(), QStringLiteral("Abbrechen"));

    auto* sixth = form.findChild<QLineEdit*>(QStringLiteral("Edit6"));
    sixth->selectAll();
    QTest::keyClicks(sixth, QStringLiteral("45"));
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.entry(), (DrawEntry{dayNumber(2026, 8, 21), {1, 3, 24, 32, 36, 45}, 37}));

    // The window's "Eingeben" takes the dialog's draw and shows the newest draw afterwards.
    Window w;
    w.host->drawEntry = DrawEntry{dayNumber(2026, 8, 23), {6, 5, 4, 3, 2, 1}, 7};
    for (const char* name : {"BitBtn3", "BitBtn6", "BitBtn8"})
        EXPECT_TRUE(w.find<QPushButton>(QString::fromLatin1(name))->isEnabled()) << name;
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("BitBtn8")), Qt::LeftButton);
    EXPECT_EQ(w.find<QLabel>(WindowLabel::DrawCaption)->text(),
              QStringLiteral("So 23.08.26    1  2  3  4  5  6 Z:7"));
    EXPECT_TRUE(w.host->errors.empty());
}

TEST(DatabasePage, RebuildDeleteAndRestoreAskFirst) {
    Window w;
    const std::string archive = readWholeFile(w.dir.file("ZahlenAT.dat"));
    for (int step = 0; step < 4; ++step)
        QTest::mouseClick(w.find<QWidget>(QStringLiteral("SpeedButton6")), Qt::LeftButton);
    const std::string shown = formatShortDate(realDraws()[3667].day());
    w.host->answerChange = false;
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("BitBtn6")), Qt::LeftButton);
    EXPECT_EQ(w.host->changeQuestions,
              (std::vector<std::string>{
                  "Das Archiv wird ab " + shown +
                      " neu aus dem Internet geladen; 3.668 gespeicherte Ziehungen werden ersetzt.",
                  "Ziehung vom " + shown + " löschen?"}));
    EXPECT_EQ(readWholeFile(w.dir.file("ZahlenAT.dat")), archive);

    w.host->answerChange = true;
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("BitBtn6")), Qt::LeftButton);
    EXPECT_EQ(DrawArchive(w.dir.file("ZahlenAT.dat")).recordCount(), 3671);
    w.host->backupAnswer = 0;
    QTest::mouseClick(w.find<QPushButton>(QStringLiteral("RestoreBackupButton")), Qt::LeftButton);
    EXPECT_EQ(w.host->offeredBackups, 1U);
    EXPECT_EQ(readWholeFile(w.dir.file("ZahlenAT.dat")), archive);
    EXPECT_TRUE(w.host->errors.empty());

    // The window's own question has "Nein" as its default button: Enter keeps the archive.
    QtHost host;
    bool defaultIsNo = false;
    QTimer::singleShot(50, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                defaultIsNo = box->defaultButton() == box->button(QMessageBox::No);
                QTest::keyClick(box, Qt::Key_Return);
            }
    });
    EXPECT_FALSE(host.askBeforeChange("Ziehung vom 01.01.2026 löschen?", "Ziehung löschen"));
    EXPECT_TRUE(defaultIsNo);
}
