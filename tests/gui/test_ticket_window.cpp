#include "gui/TForm4.h"
#include "gui/TForm5.h"
#include "gui/WindowFixture.h"
#include "print/TicketPainter.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace lotto;
using namespace lotto::test;

namespace {

QString costOf(TForm5& form) {
    return form.findChild<QLabel*>(QStringLiteral("Label4"))->text();
}

void click(QWidget& form, const char* name) {
    form.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
}

// Answers the modal dialogs of "Schein" while it runs: the settings dialog through the
// test's function, the print preview by closing it.
struct ModalAnswers {
    std::function<void(TForm5&)> settings;
    int previews = 0;
    QTimer timer;
    ModalAnswers() {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* form = qobject_cast<TForm5*>(modal); form && settings) {
                auto answer = std::move(settings);
                settings = nullptr;
                answer(*form);
            } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
                ++previews;
                preview->reject();
            }
        });
        timer.start();
    }
};

// The page as pdftoppm rasterises it at 192 dpi (2 pixels per layout unit), in grey.
QImage rasteriseFile(const std::string& file, const TempDir& dir) {
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QStringLiteral("192"), QStringLiteral("-gray"),
                    QString::fromStdString(file), QString::fromStdString(dir.file("seite"))});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
    return QImage(QString::fromStdString(dir.file("seite-1.pgm")));
}

QImage rasterise(const std::string& pdf, const TempDir& dir) {
    writeBytes(dir.file("schein.pdf"), pdf);
    return rasteriseFile(dir.file("schein.pdf"), dir);
}

bool darkIn(const QImage& page, QRect unitsRect) {
    for (int y = unitsRect.top() * 2; y < (unitsRect.bottom() + 1) * 2; ++y)
        for (int x = unitsRect.left() * 2; x < (unitsRect.right() + 1) * 2; ++x)
            if (qGray(page.pixel(x, y)) < 128) return true;
    return false;
}

} // namespace

TEST(TicketWindow, CostFollowsTheDayAndJokerBoxes) {
    TForm5 form;
    form.preset({88, 26, true, false, 12, {120, 170}});
    EXPECT_EQ(costOf(form), QStringLiteral("14,40 €"));
    click(form, "CheckBox5");
    EXPECT_EQ(costOf(form), QStringLiteral("14,40 €"));
    form.preset({88, 26, true, false, 3, {120, 170}});
    click(form, "CheckBox2");
    click(form, "CheckBox3");
    EXPECT_EQ(costOf(form), QStringLiteral("11,66 €")); // (3,60 + 1,70) x 2,2 for both days
    click(form, "CheckBox1");
    click(form, "CheckBox2");
    EXPECT_EQ(costOf(form), QStringLiteral("0,00 €"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Druckeinstellungen für den Lottoschein"));
}

TEST(TicketWindow, AbortKeepsTheOffsetsOkTakesThemAndThePreviewShows) {
    Window w; // tip 1 is 1..6 on a first start; today is a Monday
    auto* button = w.find<QAbstractButton>(QStringLiteral("SpeedButton12"));
    ASSERT_TRUE(button->isEnabled());
    ModalAnswers answers;
    answers.settings = [](TForm5& form) {
        form.findChild<QSpinBox*>(QStringLiteral("UpDown1"))->setValue(50);
        click(form, "BitBtn1");
    };
    button->click();
    EXPECT_EQ(w.form->state().tippTop(), 88);
    EXPECT_EQ(answers.previews, 0);

    QString openingCost;
    answers.settings = [&](TForm5& form) {
        openingCost = costOf(form);
        EXPECT_TRUE(form.findChild<QCheckBox*>(QStringLiteral("CheckBox2"))->isChecked());
        form.findChild<QSpinBox*>(QStringLiteral("UpDown1"))->setValue(50);
        form.findChild<QSpinBox*>(QStringLiteral("UpDown2"))->setValue(10);
        click(form, "CheckBox6");
        click(form, "BitBtn2");
    };
    button->click();
    EXPECT_EQ(openingCost, QStringLiteral("1,20 €"));
    EXPECT_EQ(answers.previews, 1);
    EXPECT_EQ(w.form->state().tippTop(), 50);
    EXPECT_EQ(w.form->state().tippLeft(), 10);
    EXPECT_EQ(w.form->state().ticketLayout().numberMark(0).left, 10);
    EXPECT_TRUE(w.form->state().ticketLayout().mark(ticket::kJoker3Mark).printed());

    answers.settings = [&](TForm5& form) {
        openingCost = costOf(form); // "Joker 3" kept from the last print
        click(form, "BitBtn1");
    };
    button->click();
    EXPECT_EQ(openingCost, QStringLiteral("2,90 €"));
}

TEST(TicketWindow, CostUsesTheStoredPrices) {
    Window w; // one tip, Wednesday preset
    w.find<QDoubleSpinBox>(QStringLiteral("EinsatzEdit"))->setValue(1.5);
    w.find<QDoubleSpinBox>(QStringLiteral("JokerEdit"))->setValue(2.0);
    w.reopen();
    ModalAnswers answers;
    QString cost;
    answers.settings = [&](TForm5& form) {
        click(form, "CheckBox3");
        cost = costOf(form);
        click(form, "BitBtn1");
    };
    w.find<QAbstractButton>(QStringLiteral("SpeedButton12"))->click();
    EXPECT_EQ(cost, QStringLiteral("3,50 €"));
}

TEST(TicketPrint, PdfPageHasCrossesOnTheMarksAndNowhereElseInTheFields) {
    TempDir dir;
    std::array<std::string, tipgrid::kCells> cells{};
    cells[0] = "1";
    cells[1] = "45";
    cells[2] = "8";
    cells[12] = "20";
    cells[71] = "45";
    TicketSettings settings;
    settings.sunday = true;
    TicketLayout layout;
    layout.place(settings, cells, "");
    const QImage page = rasterise(ticketPdf(layout, QImage()), dir);
    ASSERT_FALSE(page.isNull()) << "pdftoppm (poppler-utils) fehlt";
    EXPECT_NEAR(page.width(), 1587, 1); // A4 at 192 dpi
    EXPECT_NEAR(page.height(), 2245, 1);

    QList<QRect> marks;
    for (const TicketMark& mark : layout.printedMarks()) {
        const QRect box(mark.left - 1, mark.top - 1, 10, 15);
        EXPECT_TRUE(darkIn(page, box)) << mark.name;
        marks << box;
    }
    EXPECT_EQ(marks.size(), 7);
    const QRect fields(26, 88, 5 * 87 + 90, 240);
    for (int y = fields.top(); y <= fields.bottom(); ++y)
        for (int x = fields.left(); x <= fields.right(); ++x) {
            const bool onMark =
                std::any_of(marks.begin(), marks.end(), [&](const QRect& r) { return r.contains(x, y); });
            if (!onMark) {
                ASSERT_FALSE(darkIn(page, QRect(x, y, 1, 1))) << x << "," << y;
            }
        }

    // The window's print preview prints the same page.
    TForm4 form4;
    form4.prepare(layout);
    form4.printer().setOutputFormat(QPrinter::PdfFormat);
    form4.printer().setOutputFileName(QString::fromStdString(dir.file("vorschau.pdf")));
    form4.paint(&form4.printer(), layout);
    EXPECT_EQ(rasteriseFile(dir.file("vorschau.pdf"), dir), page);

    // A test print without a scan draws the ticket's boxes: the frame of an unmarked box.
    settings.testImage = true;
    layout.place(settings, cells, "");
    const QImage test = rasterise(ticketPdf(layout, QImage()), dir);
    const int boxLeft = 26 + 15 + 5 * 87; // 44 in tip 12: second column, eighth row of the lower field
    const int boxTop = 88 + 7 * 15 + 120;
    bool inked = false;
    for (int x = (boxLeft - 3) * 2; x <= (boxLeft + 10) * 2; ++x)
        inked = inked || qGray(test.pixel(x, (boxTop + 7) * 2)) < 230;
    EXPECT_TRUE(inked);
}
