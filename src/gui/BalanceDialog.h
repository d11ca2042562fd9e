#pragma once

#include "core/evaluation/PrizeBalance.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QSortFilterProxyModel>

#include <array>
#include <optional>

class QLabel;
class QTableView;

namespace lotto {

// The "Gewinnbilanz" as a table: one row per tip, the sum of all tips last.
class BalanceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setBalance(const PrizeBalance& balance, const std::array<std::array<int, 6>, 12>& numbers);
    // The system's own row between the tips and the sum (the sum includes it).
    void setSystemRow(const std::optional<PrizeTally>& tally, const QString& numbers);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The role that sorts: the number behind the text.
    static constexpr int kSortRole = Qt::UserRole;

private:
    PrizeBalance m_balance;
    std::array<std::array<int, 6>, 12> m_numbers{};
    std::optional<PrizeTally> m_system;
    QString m_systemNumbers;
};

// Sorts the tip rows by the number behind a column and keeps the sum row last.
class BalanceSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

class BalanceDialog : public QDialog {
    Q_OBJECT
public:
    explicit BalanceDialog(QWidget* parent = nullptr);
    void showBalance(const PrizeBalance& balance, const std::array<std::array<int, 6>, 12>& numbers,
                     std::int64_t stakeCents, const std::optional<PrizeTally>& system = std::nullopt,
                     const QString& systemNumbers = {});
    QTableView* table() const { return m_table; }

private:
    BalanceModel m_model;
    BalanceSortModel m_sorted;
    QTableView* m_table;
    QLabel* m_note;
};

} // namespace lotto
