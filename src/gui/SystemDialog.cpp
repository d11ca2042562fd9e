#include "gui/SystemDialog.h"

#include "core/system/SystemFile.h"
#include "core/util/Text.h"
#include "gui/TForm1.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace lotto {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString numbersText(const std::vector<int>& numbers) {
    return numbers.empty() ? QStringLiteral("–") : text(joinNumbers(numbers, " "));
}

constexpr int kGridColumns = 9;
constexpr int kResultColumns = 4; // Rang, Gewinntipps, Quote, Gewinn

} // namespace

SystemDialog::SystemDialog(TForm1& form) : QDialog(&form), m_form(form) {
    setObjectName(QStringLiteral("SystemDialog"));
    setWindowTitle(QStringLiteral("System"));
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    // Left: the grid and what the marks make.
    auto* left = new QVBoxLayout;
    columns->addLayout(left);
    auto* gridBox = new QGroupBox(QStringLiteral("Zahlen"));
    auto* grid = new QGridLayout(gridBox);
    grid->setSpacing(2);
    for (int n = 1; n <= 45; ++n) {
        auto* button = new QToolButton;
        button->setObjectName(QStringLiteral("SystemNumber%1").arg(n));
        button->setText(QString::number(n));
        button->setMinimumSize(32, 26);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        button->setAutoRaise(false);
        connect(button, &QToolButton::clicked, this, [this, n] { numberClicked(n); });
        grid->addWidget(button, (n - 1) / kGridColumns, (n - 1) % kGridColumns);
        m_numbers[static_cast<std::size_t>(n)] = button;
    }
    left->addWidget(gridBox);
    auto* legend = new QLabel(QStringLiteral("Klick: Wahlzahl (blau) · zweiter Klick: Bankzahl (rot, fett) · "
                                             "dritter Klick: frei"));
    legend->setWordWrap(true);
    left->addWidget(legend);
    m_name = new QLabel;
    m_name->setObjectName(QStringLiteral("SystemName"));
    QFont bold = m_name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_name->setFont(bold);
    left->addWidget(m_name);
    m_numbersText = new QLabel;
    m_numbersText->setObjectName(QStringLiteral("SystemNumbers"));
    m_numbersText->setWordWrap(true);
    left->addWidget(m_numbersText);
    m_count = new QLabel;
    m_count->setObjectName(QStringLiteral("SystemCost"));
    m_count->setFont(bold);
    left->addWidget(m_count);
    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("SystemProblem"));
    m_problem->setWordWrap(true);
    left->addWidget(m_problem);
    left->addStretch();

    // Right: the tips and the check.
    auto* right = new QVBoxLayout;
    columns->addLayout(right, 1);
    right->addWidget(new QLabel(QStringLiteral("Tipps des Systems:")));
    m_tips = new QListWidget;
    m_tips->setObjectName(QStringLiteral("SystemTips"));
    m_tips->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_tips->setUniformItemSizes(true);
    m_tips->setMinimumWidth(
        QFontMetrics(m_tips->font()).horizontalAdvance(QStringLiteral("5005.  44 44 44 44 44 44")) + 40);
    right->addWidget(m_tips, 1);
    auto* checkRow = new QHBoxLayout;
    auto* checkButton = new QPushButton(QStringLiteral("Prüfen"));
    checkButton->setObjectName(QStringLiteral("SystemCheckButton"));
    checkButton->setToolTip(QStringLiteral("Das System gegen die angezeigte Ziehung prüfen"));
    connect(checkButton, &QPushButton::clicked, this, &SystemDialog::check);
    m_draw = new QLabel;
    m_draw->setObjectName(QStringLiteral("SystemDrawLabel"));
    checkRow->addWidget(checkButton);
    checkRow->addWidget(m_draw, 1);
    right->addLayout(checkRow);
    m_result = new QTableWidget(kPrizeRanks, kResultColumns);
    m_result->setObjectName(QStringLiteral("SystemResultTable"));
    m_result->setHorizontalHeaderLabels({QStringLiteral("Rang"), QStringLiteral("Gewinntipps"),
                                         QStringLiteral("Quote"), QStringLiteral("Gewinn")});
    m_result->verticalHeader()->hide();
    m_result->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_result->setSelectionMode(QAbstractItemView::NoSelection);
    m_result->verticalHeader()->setDefaultSectionSize(m_result->fontMetrics().height() + 4);
    m_result->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < kPrizeRanks; ++r)
        m_result->setItem(
            r, 0, new QTableWidgetItem(QString::fromUtf8(prizeRankName(static_cast<PrizeRank>(r)).data())));
    m_result->setFixedHeight(m_result->horizontalHeader()->sizeHint().height() +
                             kPrizeRanks * m_result->verticalHeader()->defaultSectionSize() +
                             2 * m_result->frameWidth());
    right->addWidget(m_result);
    m_won = new QLabel;
    m_won->setObjectName(QStringLiteral("SystemWonLabel"));
    m_won->setTextFormat(Qt::RichText);
    m_won->setWordWrap(true);
    right->addWidget(m_won);

    // Bottom: files, print, close.
    auto* note = new QLabel(QString::fromUtf8(kPrintNote));
    note->setObjectName(QStringLiteral("SystemPrintNote"));
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const char* name, const QString& caption, const QString& hint, auto onClick) {
        auto* button = new QPushButton(caption);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(hint);
        connect(button, &QPushButton::clicked, this, onClick);
        buttons->addWidget(button);
        return button;
    };
    addButton("SystemClearButton", QStringLiteral("Neu"), QStringLiteral("Alle Zahlen des Systems löschen"),
              [this] {
                  m_form.run([this] { m_form.state().SystemClearClick(); });
                  refresh();
              });
    addButton("SystemLoadButton", QStringLiteral("Laden…"),
              QStringLiteral("Ein System aus einer .qsy-Datei laden"), [this] {
                  m_form.run([this] { m_form.state().SystemLoadClick(); });
                  refresh();
              });
    addButton("SystemSaveButton", QStringLiteral("Speichern…"),
              QStringLiteral("Das System als .qsy-Datei speichern (Text, mit jedem Editor lesbar)"),
              [this] { m_form.run([this] { m_form.state().SystemSaveClick(); }); });
    addButton("SystemPrintButton", QStringLiteral("Drucken…"), QString::fromUtf8(kPrintNote),
              [this] { print(); });
    buttons->addStretch();
    auto* close = addButton("SystemCloseButton", QStringLiteral("Schließen"), {}, [this] { hide(); });
    close->setDefault(true);
    layout->addLayout(buttons);
    refresh();
}

void SystemDialog::numberClicked(int number) {
    m_form.run([this, number] { m_form.state().SystemNumberClick(number); });
    refresh();
}

void SystemDialog::refresh() {
    const MainState& state = m_form.state();
    const SystemBet& bet = state.system();
    for (int n = 1; n <= 45; ++n) {
        QToolButton* button = m_numbers[static_cast<std::size_t>(n)];
        const bool banker = std::binary_search(bet.bankers.begin(), bet.bankers.end(), n);
        const bool choice = std::binary_search(bet.choices.begin(), bet.choices.end(), n);
        button->setStyleSheet(
            banker   ? QStringLiteral("QToolButton{background:#b3001b;color:white;font-weight:bold;"
                                        "border:2px solid #5c000e;border-radius:3px}")
            : choice ? QStringLiteral("QToolButton{background:#cfe2ff;color:black;"
                                      "border:2px solid #2f5fa7;border-radius:3px}")
                     : QString());
        button->setToolTip(banker   ? QStringLiteral("Bankzahl")
                           : choice ? QStringLiteral("Wahlzahl")
                                    : QString());
    }
    const auto problem = state.systemProblem();
    const std::int64_t tips = problem ? 0 : systemTipCount(bet);
    if (bet.empty()) {
        m_name->setText(QStringLiteral("System –"));
    } else {
        const bool onTicket = isTicketSystem(bet.bankerCount(), bet.choiceCount());
        m_name->setText(
            QStringLiteral("System %1 %2")
                .arg(text(systemName(bet)),
                     problem    ? QString()
                     : onTicket ? QStringLiteral("(auf dem Systemschein)")
                                : QStringLiteral("(nicht auf dem Systemschein: als Einzeltipps spielen)")));
    }
    m_numbersText->setText(QStringLiteral("Bankzahlen: %1\nWahlzahlen: %2")
                               .arg(numbersText(bet.bankers), numbersText(bet.choices)));
    m_count->setText(QStringLiteral("%1 Tipps · %2 (%3 je Tipp)")
                         .arg(text(formatGrouped(tips)), text(formatCents(state.systemCostCents())),
                              text(formatCents(state.stakeCents()))));
    m_problem->setText(bet.empty() ? QStringLiteral("Wählen Sie mindestens 7 Zahlen.")
                       : problem   ? text(*problem)
                                   : QString());
    m_tips->clear();
    if (!problem) {
        QStringList lines;
        lines.reserve(static_cast<int>(tips));
        int number = 0;
        for (const SystemTip& tip : expandSystem(bet)) {
            QString line = QStringLiteral("%1.").arg(++number).leftJustified(7);
            for (const int n : tip)
                line += QStringLiteral("%1").arg(n, 3);
            lines << line;
        }
        m_tips->addItems(lines);
    }
    clearCheck();
    refreshDraw();
}

void SystemDialog::refreshDraw() {
    m_draw->setText(
        QStringLiteral("gegen %1").arg(text(m_form.state().label(WindowLabel::TipPageDraw).text)));
}

void SystemDialog::clearCheck() {
    for (int i = 0; i < m_tips->count(); ++i) {
        m_tips->item(i)->setForeground(QBrush());
        m_tips->item(i)->setToolTip({});
    }
    for (int r = 0; r < kPrizeRanks; ++r)
        for (int c = 1; c < kResultColumns; ++c)
            m_result->setItem(r, c, new QTableWidgetItem);
    m_won->clear();
}

void SystemDialog::check() {
    std::optional<MainState::SystemDrawCheck> result;
    m_form.run([this, &result] { result = m_form.state().SystemCheckClick(); });
    clearCheck();
    refreshDraw();
    if (!result) return;
    auto cell = [](const QString& value) {
        auto* item = new QTableWidgetItem(value);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return item;
    };
    for (int r = 0; r < kPrizeRanks; ++r) {
        const std::int64_t count = result->ranks[static_cast<std::size_t>(r)];
        const PrizeQuota* quota = findQuota(result->quotas, static_cast<PrizeRank>(r));
        m_result->setItem(r, 1, cell(text(formatGrouped(count))));
        m_result->setItem(r, 2, cell(quota ? text(formatCents(quota->euroCents())) : QStringLiteral("–")));
        m_result->setItem(r, 3,
                          cell(quota ? text(formatCents(count * quota->euroCents())) : QStringLiteral("–")));
    }
    QString won = QStringLiteral("<b>Gewinn: %1</b>").arg(text(formatCents(result->wonCents)));
    if (result->quotas.empty())
        won += QStringLiteral(" (für diese Ziehung sind keine Quoten gespeichert; sie kommen mit „Datenbank "
                              "aktualisieren“)");
    m_won->setText(won);
    // The winning tips stand out in the list, as tips with three hits do on "Lottotipp".
    for (int i = 0; i < m_tips->count() && i < static_cast<int>(result->tipRanks.size()); ++i)
        if (const auto rank = result->tipRanks[static_cast<std::size_t>(i)]) {
            QListWidgetItem* item = m_tips->item(i);
            item->setForeground(Qt::red);
            item->setToolTip(QStringLiteral("Rang %1").arg(QString::fromUtf8(prizeRankName(*rank).data())));
        }
}

void SystemDialog::printList(QPrinter* printer) const {
    const MainState& state = m_form.state();
    QTextDocument document;
    document.setDefaultFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    document.setPlainText(text(formatSystemSheet(state.system(), state.stakeCents())));
    document.print(printer);
}

void SystemDialog::print() {
    bool onTicket = true;
    m_form.run([this, &onTicket] { onTicket = m_form.state().SystemPrintClick(); });
    if (onTicket) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(
        QStringLiteral("System %1 drucken").arg(text(systemName(m_form.state().system()))));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printList(p); });
    preview.exec();
}

} // namespace lotto
