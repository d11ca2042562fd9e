#include "gui/BalanceDialog.h"

#include "core/util/Dates.h"
#include "core/util/Text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace lotto {

namespace {

// Tipp, Zahlen, Ziehungen, the eight ranks, Gewinn, Einsatz, Saldo.
constexpr int kRankColumn = 3;
constexpr int kWonColumn = kRankColumn + kPrizeRanks;
constexpr int kColumns = kWonColumn + 3;

QString count(std::int64_t n) {
    return QLocale(QLocale::German).toString(static_cast<qlonglong>(n));
}
QString money(std::int64_t cents) {
    return QString::fromStdString(formatCents(cents));
}

} // namespace

void BalanceModel::setBalance(const PrizeBalance& balance,
                              const std::array<std::array<int, 6>, 12>& numbers) {
    beginResetModel();
    m_balance = balance;
    m_numbers = numbers;
    endResetModel();
}

void BalanceModel::setSystemRow(const std::optional<PrizeTally>& tally, const QString& numbers) {
    beginResetModel();
    m_system = tally;
    m_systemNumbers = numbers;
    endResetModel();
}

int BalanceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_balance.tips.size()) + (m_system ? 1 : 0) + 1;
}

int BalanceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant BalanceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == 0) return QStringLiteral("Tipp");
    if (section == 1) return QStringLiteral("Zahlen");
    if (section == 2) return QStringLiteral("Ziehungen");
    if (section < kWonColumn)
        return QString::fromUtf8(prizeRankName(static_cast<PrizeRank>(section - kRankColumn)).data());
    if (section == kWonColumn) return QStringLiteral("Gewinn");
    if (section == kWonColumn + 1) return QStringLiteral("Einsatz");
    return QStringLiteral("Saldo");
}

QVariant BalanceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const bool system = m_system && row == m_balance.tips.size();
    const bool total = row == m_balance.tips.size() + (m_system ? 1 : 0);
    const PrizeTally& tally = total ? m_balance.total : system ? *m_system : m_balance.perTip.at(row);
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column == 1 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && column == kWonColumn + 2 && tally.netCents() < 0)
        return QColor(Qt::red);
    if (role == Qt::FontRole && total) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    const int tip = total ? 99 : system ? 98 : m_balance.tips.at(row);
    std::int64_t value = 0;
    QString text;
    if (column == 0) {
        value = tip;
        text = total ? QStringLiteral("Summe") : system ? QStringLiteral("System") : QString::number(tip + 1);
    } else if (column == 1) {
        if (system)
            text = m_systemNumbers;
        else if (!total)
            for (const int n : m_numbers.at(static_cast<std::size_t>(tip)))
                text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + QString::number(n);
        return role == Qt::DisplayRole || role == kSortRole ? QVariant(text) : QVariant();
    } else if (column == 2) {
        value = tally.played;
        text = count(value);
    } else if (column < kWonColumn) {
        value = tally.ranks.at(static_cast<std::size_t>(column - kRankColumn));
        text = count(value);
    } else {
        value = column == kWonColumn       ? tally.wonCents
                : column == kWonColumn + 1 ? tally.stakeCents
                                           : tally.netCents();
        text = money(value);
    }
    if (role == Qt::DisplayRole) return text;
    if (role == kSortRole) return static_cast<qlonglong>(value);
    return {};
}

bool BalanceSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    // The sum row stays last in either order.
    const int last = sourceModel()->rowCount() - 1;
    const bool descending = sortOrder() == Qt::DescendingOrder;
    if (left.row() == last) return descending;
    if (right.row() == last) return !descending;
    return QSortFilterProxyModel::lessThan(left, right);
}

BalanceDialog::BalanceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BalanceDialog"));
    setWindowTitle(QStringLiteral("Gewinnbilanz"));
    auto* layout = new QVBoxLayout(this);
    m_sorted.setSourceModel(&m_model);
    m_sorted.setSortRole(BalanceModel::kSortRole);
    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("BalanceTable"));
    m_table->setModel(&m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(0, Qt::AscendingOrder);
    m_table->verticalHeader()->hide();
    m_table->setAlternatingRowColors(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setToolTip(QStringLiteral("Ein Klick auf eine Spaltenüberschrift sortiert die Tipps"));
    layout->addWidget(m_table, 1);
    m_note = new QLabel;
    m_note->setObjectName(QStringLiteral("BalanceNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
}

void BalanceDialog::showBalance(const PrizeBalance& balance,
                                const std::array<std::array<int, 6>, 12>& numbers, std::int64_t stakeCents,
                                const std::optional<PrizeTally>& system, const QString& systemNumbers) {
    m_model.setBalance(balance, numbers);
    m_model.setSystemRow(system, systemNumbers);
    m_table->setFont(font());
    m_table->resizeColumnsToContents();
    // A table wider than the screen (a scaled one) shrinks its font until "Saldo" fits.
    const QRect available = (parentWidget() ? parentWidget()->screen() : this->screen())->availableGeometry();
    const int room = available.width() - 2 * m_table->frameWidth() - 60;
    if (m_table->horizontalHeader()->length() > room) {
        QFont smaller = font();
        smaller.setPointSizeF(
            std::max(6.0, smaller.pointSizeF() * room / m_table->horizontalHeader()->length()));
        m_table->setFont(smaller);
        m_table->horizontalHeader()->setFont(smaller);
        m_table->resizeColumnsToContents();
    }
    QString note;
    if (balance.tips.empty() && !system) {
        note = QStringLiteral("Kein Tipp hat sechs Zahlen.");
    } else if (balance.draws == 0) {
        note = QStringLiteral("Keine Ziehung im gewählten Zeitraum (Datum und Wochentage auf der Seite "
                              "„Diagramm“ bzw. „Berechnungs-Optionen“).");
    } else {
        note = QStringLiteral(
                   "Ziehungen vom %1 bis %2: %3 gespielt, davon %4 ohne gespeicherte Quoten (dort ist "
                   "kein Gewinn bekannt; die Quoten kommen mit „Datenbank aktualisieren“ aus den "
                   "Ergebnisdateien). Einsatz je Tipp und Ziehung: %5.")
                   .arg(QString::fromStdString(formatShortDate(balance.netCurve.front().first)),
                        QString::fromStdString(formatShortDate(balance.netCurve.back().first)),
                        count(balance.draws), count(balance.drawsWithoutQuotas), money(stakeCents));
    }
    if (system && balance.draws > 0)
        note +=
            QStringLiteral(" Die Zeile „System“ spielt bei jeder Ziehung jeden Tipp des Systems; die Summe "
                           "enthält sie.");
    m_note->setText(note);
    // As wide as the table, within the screen (a scaled screen may be narrower than it).
    const int width = m_table->horizontalHeader()->length() + 2 * m_table->frameWidth() + 40;
    const int height = m_table->horizontalHeader()->height() + m_table->verticalHeader()->length() +
                       2 * m_table->frameWidth() + 140;
    const QRect screen = (parentWidget() ? parentWidget()->screen() : this->screen())->availableGeometry();
    resize(std::min(std::max(width, 600), screen.width() - 20), std::min(height, screen.height() - 20));
    move(screen.center() - rect().center());
}

} // namespace lotto
