#include "gui/SearchListDialog.h"

#include "core/util/Text.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace lotto {

namespace {

enum Column { TipColumn, DateColumn, HitsColumn, ExtraColumn, RankColumn, QuotaColumn, Columns };

constexpr int kSortRole = Qt::UserRole + 1;

// A cell that shows text and sorts by number (dates by day, amounts by cents).
QStandardItem* item(const QString& text, qlonglong sortKey, Qt::Alignment alignment = Qt::AlignRight) {
    auto* cell = new QStandardItem(text);
    cell->setData(sortKey, kSortRole);
    cell->setEditable(false);
    cell->setTextAlignment(alignment | Qt::AlignVCenter);
    return cell;
}

// While hits pour in, the list paints and hears its buttons this often.
constexpr int kPumpMilliseconds = 30;

} // namespace

SearchListDialog::SearchListDialog(int threshold, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SearchListDialog"));
    setWindowTitle(QStringLiteral("Treffer im Archiv"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);

    auto* heading =
        new QLabel(QStringLiteral("Ziehungen, bei denen einer der Tipps 1 bis 8 mindestens %1 Treffer hatte")
                       .arg(std::max(threshold, 0)));
    heading->setWordWrap(true);
    m_model = new QStandardItemModel(0, Columns, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Tipp"), QStringLiteral("Datum"),
                                        QStringLiteral("Treffer"), QStringLiteral("Zusatzzahl"),
                                        QStringLiteral("Rang"), QStringLiteral("Quote")});
    m_model->setSortRole(kSortRole);
    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("SearchListTable"));
    m_table->setAccessibleName(QStringLiteral("Treffer im Archiv"));
    m_table->setModel(m_model);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_counts = new QLabel;
    m_counts->setObjectName(QStringLiteral("SearchListCounts"));
    m_counts->setWordWrap(true);
    m_counts->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox;
    m_stop = buttons->addButton(QStringLiteral("Stopp"), QDialogButtonBox::ActionRole);
    m_stop->setObjectName(QStringLiteral("SearchListStop"));
    m_stop->setToolTip(QStringLiteral("Beendet die Suche (Esc)"));
    m_copy = buttons->addButton(QStringLiteral("Kopieren"), QDialogButtonBox::ActionRole);
    m_copy->setObjectName(QStringLiteral("SearchListCopy"));
    m_copy->setToolTip(QStringLiteral("Die Liste in die Zwischenablage kopieren"));
    m_close = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    m_close->setObjectName(QStringLiteral("SearchListClose"));
    m_close->setEnabled(false);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_stopRequested = true; });
    connect(m_copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(tableText()); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_counts);
    layout->addWidget(buttons);
    const QFontMetrics metrics(font());
    resize(metrics.horizontalAdvance(QLatin1Char('x')) * 80, metrics.height() * 28);
    showCounts();
    m_pump.start();
}

bool SearchListDialog::add(const TipSearchHit& hit) {
    ++m_perTip.at(static_cast<std::size_t>(hit.tip));
    const QString rank = hit.rank ? QString::fromUtf8(prizeRankName(*hit.rank).data(),
                                                      static_cast<qsizetype>(prizeRankName(*hit.rank).size()))
                                  : QStringLiteral("–");
    const QString quota =
        hit.quotaCents ? QString::fromStdString(formatCents(*hit.quotaCents)) : QStringLiteral("–");
    m_model->appendRow(
        {item(QString::number(hit.tip + 1), hit.tip),
         item(QString::fromStdString(formatShortDate(hit.day)), hit.day),
         item(QString::number(hit.hits), hit.hits),
         item(hit.extraHit ? QStringLiteral(" + Z") : QString(), hit.extraHit ? 1 : 0, Qt::AlignLeft),
         item(rank, hit.rank ? static_cast<int>(*hit.rank) : 99, Qt::AlignLeft),
         item(quota, hit.quotaCents.value_or(-1))});
    if (m_pump.elapsed() >= kPumpMilliseconds) {
        showCounts();
        QCoreApplication::processEvents();
        m_pump.restart();
    }
    return !m_stopRequested;
}

void SearchListDialog::finish(std::int64_t found, bool stopped) {
    m_running = false;
    const QString count = QString::fromStdString(formatGrouped(found));
    m_endText = stopped ? QStringLiteral("Suche gestoppt nach %1 Treffern.").arg(count)
                        : QStringLiteral("Suche beendet: %1 Treffer.").arg(count);
    m_stop->setEnabled(false);
    m_close->setEnabled(true);
    m_close->setDefault(true);
    m_close->setFocus();
    // Sortable only now: sorting while rows arrive would move them. The rows stand in archive
    // order, which a stable sort by date keeps.
    m_table->horizontalHeader()->setSortIndicator(DateColumn, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    showCounts();
}

void SearchListDialog::reject() {
    // Escape and the window's close button stop a running search; afterwards they close.
    if (m_running) {
        m_stopRequested = true;
        return;
    }
    QDialog::reject();
}

void SearchListDialog::showCounts() {
    QStringList perTip;
    for (std::size_t tip = 0; tip < m_perTip.size(); ++tip)
        perTip << QStringLiteral("Tipp %1: %2")
                      .arg(tip + 1)
                      .arg(QString::fromStdString(formatGrouped(m_perTip[tip])));
    QString text = perTip.join(QStringLiteral(" · "));
    text += QStringLiteral("\n") + (m_running ? QStringLiteral("Suche läuft … (Esc stoppt)") : m_endText);
    m_counts->setText(text);
}

QString SearchListDialog::tableText() const {
    QStringList lines;
    QStringList heading;
    for (int c = 0; c < m_model->columnCount(); ++c)
        heading << m_model->headerData(c, Qt::Horizontal).toString();
    lines << heading.join(QLatin1Char('\t'));
    for (int r = 0; r < m_model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m_model->columnCount(); ++c)
            cells << m_model->item(r, c)->text().trimmed();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace lotto
