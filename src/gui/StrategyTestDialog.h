#pragma once

#include "core/backtest/ChanceComparison.h"
#include "core/backtest/WalkForward.h"

#include <QDialog>

#include <functional>
#include <optional>

class QDateEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

class QChartView;

namespace lotto {

class MainState;

// "Strategie-Test": runs the walk-forward test of the generation for the statistics' period
// up to a chosen date, with a progress bar and a stop button, and shows what the computed
// tips hit against what random tips would have hit: a table, a chart per hit class and the
// verdict in a sentence. Table (CSV) and chart (PNG) can be saved.
class StrategyTestDialog : public QDialog {
    Q_OBJECT
public:
    // `finished` is called after each test (the window shows the state's status text).
    StrategyTestDialog(MainState& state, std::function<void()> finished, QWidget* parent = nullptr);

    void startTest();
    void stopTest() { m_stopRequested = true; }
    bool running() const { return m_running; }
    QTableWidget* table() const { return m_table; }
    QChartView* chartView() const { return m_chartView; }
    QString verdict() const;
    // The table as CSV (";"-separated, UTF-8), as "Tabelle speichern…" writes it.
    std::string tableCsv() const;
    bool saveTable(const QString& file);
    bool saveChart(const QString& file);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void showResult(const WalkForwardResult& result);
    void showPeriod();
    void setRunning(bool running);

    MainState& m_state;
    std::function<void()> m_finished;
    QLabel* m_period;
    QDateEdit* m_to;
    QSpinBox* m_seed;
    QPushButton* m_start;
    QPushButton* m_stop;
    QPushButton* m_saveTable;
    QPushButton* m_saveChart;
    QProgressBar* m_progress;
    QTableWidget* m_table;
    QChartView* m_chartView;
    QLabel* m_verdict;
    QLabel* m_summary;
    bool m_running = false;
    bool m_stopRequested = false;
    bool m_closeAfterTest = false; // closed while the test ran
    std::optional<WalkForwardResult> m_result;
};

} // namespace lotto
