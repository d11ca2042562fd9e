#pragma once

#include "core/shell/MainState.h"
#include "gui/QtHost.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <set>

class QAbstractButton;
class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QKeySequence;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QPushButton;
class QProgressBar;
class QTimer;

namespace lotto {

class BalanceDialog;
class StrategyTestDialog;
class ChartView;
class SystemDialog;

// The main window "Zerbosts Lotto". It builds the controls under their designer names,
// forwards input to the MainState and shows the state after every operation.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(std::string programDir, SettingsStore& store, Clock& clock, std::unique_ptr<QtHost> host = nullptr,
           QWidget* parent = nullptr);
    ~TForm1() override;

    MainState& state() { return m_state; }
    QtHost& host() { return *m_host; }
    ChartView* chartView() const { return m_chart; }
    BalanceDialog* balanceDialog() const { return m_balanceDialog; }
    // "Strategie-Test" (page "Datenbank"): opened once, then shown again.
    StrategyTestDialog* strategyTestDialog();
    // "Gewinnbilanz": the balance of the tips as a table and its course on "Diagramm".
    void showPrizeBalance();
    // "System…" on "Lottotipp": the system ticket dialog, created on first use.
    void showSystemDialog();
    SystemDialog* systemDialog() const { return m_systemDialog; }

    // Runs one operation of the state as a click handler does: a failure is shown in a
    // message box, and the window shows the state afterwards.
    void run(const std::function<void()>& operation);
    void refreshFromState();
    // An import: run, then the close that was asked for while it ran.
    // tellResult: a message box says what the import took (after a rebuild or a file import).
    void runImport(const std::function<void()>& operation, bool tellResult = false);

    // Settings of the window itself, beside the program's own values.
    static constexpr const char* kWindowLeft = "Form1Left";
    static constexpr const char* kWindowTop = "Form1Top";
    static constexpr const char* kWindowWidth = "Form1Width";
    static constexpr const char* kWindowHeight = "Form1Height";
    static constexpr const char* kWindowPage = "PageControl1";
    static constexpr const char* kInvalidNumberText = "Nur Zahlen von 1 bis 45";
    static constexpr int kSaveDelayMs = 800;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildTipPage();
    QWidget* buildDrawPanel(QWidget* page);
    QWidget* buildActionPanel(QWidget* page);
    QGridLayout* buildTipGrid();
    QHBoxLayout* buildTipTools(QWidget* page);
    QWidget* buildLastDrawPage();
    QWidget* buildOptionsPage();
    QWidget* buildChartPage();
    QWidget* buildDatabasePage();
    QWidget* buildInternetPage();
    void buildStatusBar();

    QLabel* makeLabel(const QString& name, const QString& text = {});
    // A label the state writes: its designer name, its text kept in step with the state.
    QLabel* makeLabel(WindowLabel label);
    QCheckBox* makeCheckBox(int number, const QString& text);
    QCheckBox* makeCheckBox(Option option, const QString& text);
    QCheckBox* makeCheckBox(WeekdayBox weekday, const QString& text);
    QSpinBox* makeUpDown(Option option, int editNumber);
    QDateEdit* makeDatePicker(const QString& name, void (MainState::*setDate)(DayNumber));
    // A text value of the state as an edit shows it and writes it back.
    struct TextField {
        std::function<const std::string&(const MainState&)> get;
        std::function<void(MainState&, std::string)> set;
    };
    QLineEdit* makeTextEdit(const QString& name, TextField field);
    QToolButton* makeSpeedButton(const QString& name, const QString& text, const QString& hint);
    QPushButton* makeButton(const QString& name, const QString& text, const QString& hint = {});
    void onRepaintPoint(RepaintArea area);
    void addShortcut(QAbstractButton* button, const QKeySequence& keys, bool showsChart = false);
    void showRepeatedCells();
    void leaveCell(int index);
    void markInvalidCell(int index, bool invalid);
    // Tips and settings are written a moment after a change, not only when the window closes.
    void scheduleSave();
    void saveSettings();
    // Accessible names: tip cells "Tipp 3, Zahl 4", hit labels "Treffer Tipp 3", the rest by caption.
    void nameControlsForScreenReaders();
    // "Auf einen Blick" on "Lottotipp" and "Stand des Archivs" on "Datenbank", after every operation.
    void showOverview();
    std::array<std::string, tipgrid::kCells> cellsOfState() const;
    void scaleTipGrid();
    void setTipGridScale(double scale);
    void restoreWindowGeometry();
    void saveWindowGeometry();
    void fitToScreen();

    std::unique_ptr<QtHost> m_host;
    MainState m_state;
    SettingsStore& m_store;

    QTabWidget* m_pages = nullptr;
    ChartView* m_chart = nullptr;
    unsigned m_shownChartRevision = ~0U;
    std::array<QLineEdit*, tipgrid::kCells> m_cells{};
    std::array<QCheckBox*, 19> m_checkBoxes{}; // CheckBox1..CheckBox18 at their numbers
    std::array<QSpinBox*, 9> m_upDowns{};      // UpDown1..UpDown8 at their numbers
    std::array<QLabel*, kWindowLabelCount> m_stateLabels{};
    std::array<QLabel*, 2> m_statusPanels{};
    QDateEdit* m_picker1 = nullptr;
    QDateEdit* m_picker2 = nullptr;
    std::vector<std::pair<QLineEdit*, TextField>> m_textEdits;
    QToolButton* m_stopButton = nullptr;
    std::vector<QAbstractButton*> m_importButtons; // BitBtn1, SpeedButton10
    QProgressBar* m_importProgress = nullptr;
    bool m_closeAfterImport = false;
    bool m_syncing = false;
    QElapsedTimer m_repaintTimer;
    QWidget* m_tipPage = nullptr;
    QGridLayout* m_tipGrid = nullptr;
    QSize m_tipPageBase;
    double m_tipScale = 0.0;
    bool m_shownOnce = false;
    std::set<QLabel*> m_hitLabels;
    std::set<int> m_invalidCells; // cells that keep a text outside 1..45, marked
    bool m_keepInvalidCells = false;
    QTimer* m_saveTimer = nullptr;
    QDoubleSpinBox* m_stakeSpin = nullptr;
    QDoubleSpinBox* m_jokerSpin = nullptr;
    QCheckBox* m_updateOnStartBox = nullptr;
    QLabel* m_nextDrawLabel = nullptr;
    QLabel* m_winningsLabel = nullptr;
    QLabel* m_archiveStateLabel = nullptr;
    QString m_lastUpdate; // time and result of the last update in this session
    BalanceDialog* m_balanceDialog = nullptr;
    StrategyTestDialog* m_strategyTestDialog = nullptr;
    SystemDialog* m_systemDialog = nullptr;
};

} // namespace lotto
