#pragma once

#include "core/archive/ArchiveFilter.h"
#include "core/archive/DrawStepping.h"
#include "core/backtest/WalkForward.h"
#include "core/evaluation/ArchiveSearch.h"
#include "core/evaluation/CurrentDraw.h"
#include "core/evaluation/PrizeBalance.h"
#include "core/evaluation/TipGrid.h"
#include "core/generation/GenerationOptions.h"
#include "core/output/TicketLayout.h"
#include "core/shell/Host.h"
#include "core/shell/ImportSources.h"
#include "core/shell/SettingsStore.h"
#include "core/shell/StatusText.h"
#include "core/shell/WindowControls.h"
#include "core/statistics/ChartModel.h"
#include "core/system/SystemCheck.h"
#include "core/system/SystemFile.h"
#include "core/util/Clock.h"
#include "core/util/File.h"
#include "core/util/Random.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lotto {

class ImportSession;

struct DatePickerControl {
    DayNumber min = 0;
    DayNumber date = 0;
    void setDate(DayNumber d) { date = d < min ? min : (d > kLastDay ? kLastDay : d); }
};

// A label's font colour; red is 255 as the window's colour value for it.
enum class LabelColor { Black = 0, Red = 255 };

struct LabelControl {
    std::string text;
    LabelColor color = LabelColor::Black;
    std::string hint; // the tooltip, where an operation sets one
    bool operator==(const LabelControl&) const = default;
};

enum class Page { Lottotipp = 0, LetzteZiehung, Optionen, Diagramm, Datenbank, Internet };

// The main window's state and operations without any window: the controls' values, the
// chart, the current draw and the program's fields. Every operation is a method named after
// its handler; the Qt window and lotto-cli call them and show the state afterwards.
class MainState {
public:
    static constexpr const char* kApplicationTitle = "Zerbosts Lotto";
    static constexpr const char* kOperatorAddress = "https://www.lotterien.at";
    static constexpr const char* kMakerAddress = "https://www.zerbost.de";

    MainState(std::string programDir, Host& host, Clock& clock);

    // --- start-up and shutdown ---
    void FormCreate(SettingsStore& store);
    void FormClose(SettingsStore& store) const;
    // FormCreate in two halves: settings, seed and date first (all that lotto-cli needs),
    // then the first evaluation and the frequency chart.
    void restoreStartupState(SettingsStore& store);
    void startupEvaluation();
    // Draw days between the newest stored draw and today; said in status panel 0 at start-up.
    int missingDrawDays() const;
    // The archive at a glance (page "Datenbank"): its draws, the first and the newest day.
    struct ArchiveOverview {
        std::int64_t draws = 0;
        DayNumber first = 0;
        DayNumber newest = 0;
    };
    ArchiveOverview archiveOverview() const; // no archive: no draws
    void reportMissingDraws();
    // "Beim Start aktualisieren": the window updates the archive by itself when draws are missing.
    bool updateOnStart() const { return m_updateOnStart; }
    void setUpdateOnStart(bool on) { m_updateOnStart = on; }
    static constexpr const char* kNoArchiveMessage =
        "Es ist noch kein Archiv der Ziehungen (ZahlenAT.dat) vorhanden.\n\n"
        "Auf der Seite \"Datenbank\" spielt \"Mitgeliefertes Archiv einspielen\" die mitgelieferten "
        "Ziehungen ein.";
    // "Mitgeliefertes Archiv einspielen": writes the bundled archive (after a question when
    // an archive exists), then evaluates and charts it as at start-up.
    void installBundledArchive(std::span<const unsigned char> bundled);

    // --- window links, stop button, run limit ---
    void Label43Click();
    // A link label of "Internet-Optionen": opens its address; any other label does nothing.
    void Label52Click(WindowLabel link);
    // The address a link label shows and opens; nothing for a label that is no link.
    static std::optional<std::string> linkAddress(WindowLabel link);
    void SpeedButton8Click() { m_speedButton8Visible = false; }

    // --- downloads and archive imports ---
    // HttpFetch of url into the download file; the lines are handed to onLine.
    bool HttpFetch(const std::string& url, const std::function<void(std::string_view)>& onLine = {});
    // "Datenbank aktualisieren" (BitBtn1, SpeedButton10): the Austrian archive import.
    // Returns the number of draws appended.
    std::int64_t AustiaBitBtn1();
    // The operator's results files as published today (the same session and append rule).
    std::int64_t AustriaTodayBitBtn1();
    // "Datenbank aktualisieren", SpeedButton10 and the rebuild: the Austrian source chosen on
    // "Internet-Optionen" (austrianSource()).
    std::int64_t AustrianSourceUpdate() { return runImport(m_austrianSource); }
    // The import from a source, by the operation the source table names for it.
    std::int64_t runImport(ImportSource source) { return (this->*importSourceInfo(source).run)(); }
    // "Datei importieren…": a results file chosen in the open dialog, appended through the
    // same session and rule; a file in none of the known layouts imports nothing.
    std::int64_t ImportFileBitBtnClick();
    static constexpr const char* kUnknownResultsFileMessage =
        "Die Datei enthält keine Ziehungen in einem bekannten Format (Ergebnisdatei der "
        "Österreichischen Lotterien oder CSV der mitgelieferten Ziehungen). Es wurde nichts eingelesen.";
    static constexpr const char* kForeignResultsFileMessage =
        "Die Datei enthält Ziehungen eines anderen Spiels (Zahlen außerhalb von 1 bis 45 oder fremde "
        "Spalten wie „superzahl“), nicht von Lotto 6 aus 45. Es wurde nichts eingelesen.";
    static constexpr const char* kResultsFileTooLargeMessage =
        "Die Datei ist größer als 64 MiB und ist keine Ergebnisdatei. Es wurde nichts eingelesen.";
    // The Austrian page of the last ten draws (no control of the window starts it).
    // Returns the number of draws appended.
    std::int64_t AustriaLast10();
    // "Lottozahlen aus dem Internet laden" (page "Zahlen der letzten Ziehung"): the page at
    // URLEdit, its Wednesday and Saturday draws shown with the hits of tips 1 to 6. Returns
    // the labels it set, in the order it first set them.
    std::vector<WindowLabel> Button1Click();
    // "Datenbank neu anlegen": the archive is set aside and read anew from DateTimePicker1;
    // when that brings no draw, the old archive is put back and the user is told.
    void BitBtn2Click();
    // The German history import and the Swiss import (no control of the window starts them).
    // Return the number of draws stored.
    std::int64_t BitBtn1Click();
    std::int64_t SwissBitBtn1Click();
    static constexpr const char* kRebuildEmptyMessage =
        "Beim Neuanlegen wurde keine Ziehung eingelesen (keine Verbindung zum Server oder "
        "abgebrochen). Das bisherige Archiv bleibt erhalten.";
    // Followed by the reason.
    static constexpr const char* kRebuildIncompleteMessage =
        "Die Datenbank wurde nicht neu angelegt; das bisherige Archiv bleibt unverändert erhalten.";
    static constexpr const char* kImportRunningMessage =
        "Die Ziehungen werden gerade eingelesen. Das Archiv kann erst geändert werden, wenn das "
        "Einlesen beendet ist (\"Stoppt das Einlesen\" beendet es nach dem laufenden Jahr).";
    // Held by every operation that changes the archive, the prize store or the download file,
    // for its whole run: one writer at a time per program directory, the window and lotto-cli
    // alike (readers take nothing). Within one run it is shared by the operations it calls.
    // Another program's writer gets kWriterPatienceMs, then FileError(kWriterBusyMessage).
    class WriterScope {
    public:
        explicit WriterScope(MainState& state);
        ~WriterScope();
        WriterScope(const WriterScope&) = delete;
        WriterScope& operator=(const WriterScope&) = delete;

    private:
        MainState& m_state;
    };
    static constexpr int kWriterPatienceMs = 2000;
    static constexpr const char* kWriterBusyMessage =
        "Ein anderes Programm ändert gerade das Archiv der Ziehungen (Aktualisierung, Import oder "
        "Eingabe). Versuchen Sie es gleich noch einmal; das Archiv bleibt unverändert.";
    // While an import runs, every other operation that writes the archive calls this first:
    // it tells the user and returns true, and the operation does nothing.
    bool refuseWhileImporting();
    bool importRunning() const { return m_importRunning; }
    // BitBtn1 and SpeedButton10 are disabled while an import runs, Button1 during a fetch.
    bool importButtonsEnabled() const { return !m_importRunning; }
    bool button1Enabled() const { return m_button1Enabled; }
    struct ImportProgress {
        int done = 0;
        int total = 0;
    };
    const ImportProgress& importProgress() const { return m_importProgress; }
    DayNumber lastStoredDate() const { return m_lastStoredDate; }
    // What the last update, import or rebuild did; status panel 1 shows its summary.
    struct ImportReport {
        std::int64_t added = 0; // appended or inserted; a rebuild's are the new archive's
        DayNumber newest = 0;   // the archive's newest draw afterwards
        bool complete = true;   // every download arrived, nothing was left unread, no stop
        std::string failure;    // why not, unless it was stopped
    };
    // Nothing while none has run, or the last one ended before it began (a refused file).
    const std::optional<ImportReport>& lastImport() const { return m_lastImport; }
    // Called with every text a status panel receives, as it is set (lotto-cli prints them).
    void setStatusListener(std::function<void(int, const std::string&)> listener) {
        m_statusListener = std::move(listener);
    }
    void UpDown7Changing() { m_maxRuns = value(Option::MaxRunsThousands) * 1000; }

    // --- charts ---
    void SpeedButton2Click(); // number frequency
    void SpeedButton9Click(); // digit-sum distribution
    void Button6Click();      // tip distribution
    void Button2Click();      // pairs
    void Button3Click();      // triples
    void Button4Click();      // quadruples
    void Button5Click();      // overdue numbers
    // The group search of Button2Click..Button4Click without putting the shown draw back:
    // the current-draw buffer keeps the last passing draw, which the preference pool reads.
    void runGroupSearch(int length);

    // The archive rule of the generation: true when no archived draw from the statistics'
    // start date on has at least UpDown6 of the six numbers among its main numbers.
    bool Secheroderfuenfer(int n1, int n2, int n3, int n4, int n5, int n6);

    // --- tip grid ---
    // The change rule of every tip cell; returns the text the cell holds afterwards.
    const std::string& Edit1Change(int cell, std::string_view text);
    void Edit1Exit();
    void SpeedButton11Click();
    void SpeedButton13Click();
    void Label28Click(); // the generation run

    // --- evaluation ---
    void Zettelcheck(std::string_view t1, std::string_view t2, std::string_view t3, std::string_view t4,
                     std::string_view t5, std::string_view t6);
    int Komplettcheck();
    void SpeedButton5Click();
    void SpeedButton6Click(); // one draw back
    void SpeedButton7Click(); // one draw forward

    // What each tip wins at the shown draw, as its hit label's hint says; nothing for a tip
    // without a rank or not rated.
    struct TipWinning {
        std::optional<PrizeRank> rank;
        std::optional<std::int64_t> cents; // where the draw's quota is stored
        bool operator==(const TipWinning&) const = default;
    };
    const TipWinning& tipWinning(int tip) const { return m_tipWinnings.at(static_cast<std::size_t>(tip)); }

    // --- tip files ---
    void SpeedButton15Click(); // save
    void SpeedButton16Click(); // load
    // The load without its dialog and evaluation: clears the tips and fills them from file.
    void loadTipFile(const std::string& path);
    // The next Sunday or Wednesday after the shown draw (after DateTimePicker1 without one):
    // the draw the tip file and the tip sheet are for.
    DayNumber nextDrawDay() const;
    // The file name the save dialog proposes: that draw's date, "20020106.qtp".
    std::string proposedTipFileName() const;

    // --- tip sheet and archive search ---
    void BitBtn7Click(); // writes "Tipp.txt" and opens it
    // The sheet without opening it; returns the path written.
    std::string writeTipSheet();
    // "Tipps in DB suchen": asks from how many hits on a tip is shown, then hands every hit to
    // the host's list as it is found; the list can stop the search.
    void SpeedButton4Click();
    // The search with the threshold given: onHit gets each hit in archive order and returns
    // false to stop. The shown draw stays; all twelve hit labels are checked against it
    // afterwards. Returns the number of hits handed over.
    std::int64_t searchTips(int threshold, const std::function<bool(const TipSearchHit&)>& onHit);
    // lotto-cli's search: the input box's answer given; announce(tip, "Ein Treffer am: ...").
    void runTipSearch(const std::string& thresholdText,
                      const std::function<void(int tip, const std::string& text)>& announce);

    // --- prize ranks ---
    // "Gewinnbilanz": tips 1 to 12 against the draws from DateTimePicker2 on (weekday boxes
    // honoured) up to the newest, at the stake per tip and draw; kept for the window.
    void GewinnbilanzClick();
    // The same for lotto-cli, with the end date and stake given (no end: the newest draw).
    PrizeBalance computePrizeBalance(DayNumber to, std::int64_t stakeCents);
    const PrizeBalance& prizeBalance() const { return m_prizeBalance; }
    // "Einsatz je Tipp" on "Berechnungs-Optionen", in cents (0 to 100 €).
    static constexpr std::int64_t kMaxStakeCents = 10000;
    std::int64_t stakeCents() const { return m_stakeCents; }
    void setStakeCents(std::int64_t cents) { m_stakeCents = cents < 0 ? 0 : std::min(cents, kMaxStakeCents); }
    // "Preis je Joker" beside it: what the ticket's cost charges per Joker game and draw.
    std::int64_t jokerCents() const { return m_jokerCents; }
    void setJokerCents(std::int64_t cents) { m_jokerCents = cents < 0 ? 0 : std::min(cents, kMaxStakeCents); }
    std::string prizeStorePath() const { return m_programDir + kPrizeStoreName; }
    // Adds the quotas an import read to "Quoten.csv"; a failure is reported, the import stands.
    void storePrizes(const PrizeTable& prizes);

    // --- "Strategie-Test": the generation tried on every past draw of a period ---
    // The tips a run with the options and statistics filter as they stand would have given
    // from the draws before each draw that passes `period` up to `to` (seeded with seed + the
    // draw's position), checked against it at the price per tip. `onDraw` sees every draw done
    // and may stop the test. Without an archive: a message and nothing.
    std::optional<WalkForwardResult> StrategieTestClick(const ArchiveFilter& period, DayNumber to,
                                                        std::uint32_t seed,
                                                        const WalkForwardObserver& onDraw = {});

    // --- system tips (the dialog "System" from "Lottotipp") ---
    const SystemBet& system() const { return m_system; }
    void setSystem(SystemBet bet) { m_system = std::move(bet); }
    // A click on a number of the system's grid: free -> choice number -> banker -> free
    // (with five bankers already, the second click frees it).
    void SystemNumberClick(int number);
    void SystemClearClick() { m_system = {}; }
    // Why the marked numbers make no playable system; nothing when they do.
    std::optional<std::string> systemProblem() const { return lotto::systemProblem(m_system); }
    // Tips x the price per tip; 0 while the system is not playable.
    std::int64_t systemCostCents() const;
    struct SystemDrawCheck {
        DayNumber day = 0;
        RankCounts ranks{};
        std::vector<PrizeQuota> quotas; // the draw's stored quotas, possibly none
        std::int64_t wonCents = 0;
        std::vector<std::optional<PrizeRank>> tipRanks; // per tip of expandSystem, for the list
    };
    // "Prüfen": the system against the shown draw (a problem with the system is shown and
    // nothing is returned, as is a missing draw).
    std::optional<SystemDrawCheck> SystemCheckClick();
    void SystemSaveClick();
    void SystemLoadClick();
    void loadSystemFile(const std::string& path);
    // Printing: a system of at most 12 tips goes onto a normal ticket through the ticket
    // print (returns true); a larger one returns false, and the face prints its tip list.
    static constexpr int kSystemTicketTips = 12;
    bool SystemPrintClick();
    // The system's row of the last "Gewinnbilanz"; nothing when no playable system was entered.
    const std::optional<PrizeTally>& systemBalance() const { return m_systemBalance; }

    // --- archive maintenance (page "Datenbank") ---
    void BitBtn3Click(); // export as text from the date of DateTimePicker1 on
    void BitBtn4Click(); // delete the shown draw (button BitBtn6)
    void BitBtn8Click(); // enter a draw by hand
    // "Sicherung wiederherstellen…": the kept copies listed, the chosen one put back after a
    // question. Returns whether a copy was put back.
    bool RestoreBackupClick();
    static constexpr const char* kNoBackupMessage = "Es ist noch keine Sicherung des Archivs vorhanden.";
    // --- ticket printing ---
    // "Schein": the print settings dialog, then the preview of the crosses on a paper ticket.
    void SpeedButton12Click();
    const TicketLayout& ticketLayout() const { return m_ticketLayout; }

    // --- controls ---
    const std::string& cell(int index) const { return m_cells.at(static_cast<std::size_t>(index)); }
    void setCell(int index, std::string_view text) { Edit1Change(index, text); }
    // The window marks these cells ("Zahl doppelt").
    bool isRepeatedCell(int index) const { return tipgrid::isRepeatedCell(m_cells, index); }

    // The generation's options by name (CheckBox1..15 and 18, UpDown1..8): a check box is 0
    // or 1, an up-down's position is kept within its range.
    bool isOn(Option option) const { return value(option) != 0; }
    int value(Option option) const { return m_options[static_cast<std::size_t>(option)]; }
    void setOption(Option option, int value);

    // The statistics' weekday filter (CheckBox16, CheckBox17).
    bool weekdayBox(WeekdayBox box) const { return m_weekdayBoxes[static_cast<std::size_t>(box)]; }
    void setWeekdayBox(WeekdayBox box, bool checked) {
        m_weekdayBoxes[static_cast<std::size_t>(box)] = checked;
    }

    // The window's labels that operations write (WindowControls.h names them).
    using LabelValues = std::array<LabelControl, kWindowLabelCount>;
    const LabelControl& label(WindowLabel which) const { return m_labels[labelIndex(which)]; }
    const LabelValues& labels() const { return m_labels; }
    void setLabel(WindowLabel which, LabelControl value) { m_labels[labelIndex(which)] = std::move(value); }
    void setLabelText(WindowLabel which, std::string text) {
        m_labels[labelIndex(which)].text = std::move(text);
    }

    // The date fields, both from earliestDate() on: DateTimePicker1 on "Datenbank" (the draw
    // to evaluate, the start of a rebuild and of the text export) and DateTimePicker2 on
    // "Diagramm" (the first draw the statistics count).
    DayNumber drawDate() const { return m_dateTimePicker1.date; }
    void setDrawDate(DayNumber day) { m_dateTimePicker1.setDate(day); }
    DayNumber statisticsStart() const { return m_dateTimePicker2.date; }
    void setStatisticsStart(DayNumber day) { m_dateTimePicker2.setDate(day); }

    // "Internet-Optionen": the download file, the latest-draw page, the proxy.
    const std::string& fileNameEdit() const { return m_fileNameEdit; }
    const std::string& urlEdit() const { return m_urlEdit; }
    const std::string& proxyHostEdit() const { return m_proxyHostEdit; }
    const std::string& proxyPortEdit() const { return m_proxyPortEdit; }
    void setFileNameEdit(std::string path) { m_fileNameEdit = std::move(path); }
    void setUrlEdit(std::string url) { m_urlEdit = std::move(url); }
    void setProxyHostEdit(std::string host) { m_proxyHostEdit = std::move(host); }
    void setProxyPortEdit(std::string port) { m_proxyPortEdit = std::move(port); }
    // The web server a source reads from (the last-ten page shares the yearly files' server).
    const std::string& server(ImportSource source) const { return m_servers.at(serverSlot(source)); }
    void setServer(ImportSource source, std::string url) {
        m_servers.at(serverSlot(source)) = std::move(url);
    }
    // The Austrian source chosen for "Datenbank aktualisieren" and the rebuild; a source
    // that cannot be chosen (ImportSourceInfo::choosable) sets the default one.
    ImportSource austrianSource() const { return m_austrianSource; }
    void setAustrianSource(ImportSource source) {
        m_austrianSource = importSourceInfo(source).choosable ? source : kDefaultAustrianSource;
    }
    // Today's results files: the table of which file serves which years (AustrianToday.h).
    const std::string& todayFilesEdit() const { return m_todayFilesEdit; }
    void setTodayFilesEdit(std::string table) { m_todayFilesEdit = std::move(table); }

    const std::string& statusText(int panel) const {
        return m_status.at(static_cast<std::size_t>(panel)).text();
    }
    void setStatusText(int panel, std::string text) {
        m_status.at(static_cast<std::size_t>(panel)).set(std::move(text));
        if (m_statusListener) m_statusListener(panel, statusText(panel));
    }
    void setCandidateStatus(int tip, const std::array<int, 6>& numbers, int sum) {
        m_status[1].setCandidate(tip, numbers, sum);
    }

    const ChartModel& chart() const { return m_chart; }
    // Bumped whenever the chart changes, so a view redraws only then.
    unsigned chartRevision() const { return m_chartRevision; }

    Page activePage() const { return m_activePage; }
    void setActivePage(Page page) { m_activePage = page; }

    // --- fields of the window ---
    const std::string& programDir() const { return m_programDir; }
    std::string archivePath() const { return m_programDir + kArchiveFileName; }
    std::string soundFileName() const { return kSoundFileName; }
    int maxRuns() const { return m_maxRuns; }
    bool tipsReady() const { return m_tipsReady; }
    void setTipsReady(bool ready) { m_tipsReady = ready; }
    int drawStepIndex() const { return m_drawStepIndex; }
    const CurrentDraw& currentDraw() const { return m_currentDraw; }
    bool speedButton8Visible() const { return m_speedButton8Visible; }
    int tippTop() const { return m_tippTop; }
    int tippLeft() const { return m_tippLeft; }
    void setTippOffsets(int top, int left) {
        m_tippTop = top;
        m_tippLeft = left;
    }
    int country() const { return m_country; }
    void setCountry(int country) { m_country = country; }
    Random& random() { return m_random; }
    Host& host() { return m_host; }
    Clock& clock() { return m_clock; }
    // Replaces the chart, as a statistic does when it publishes its result.
    void publishChart(ChartModel chart);
    // Shows an empty bar series: the chart preparation without a result.
    void prepareChart();
    ArchiveFilter archiveFilter() const;

    const FileDialogState& saveDialog1() const { return m_saveDialog1; }
    const FileDialogState& openDialog1() const { return m_openDialog1; }

    static DayNumber earliestDate(); // 09.10.1955, the pickers' minimum

    // The shown draw with its captions, kept to be put back after work that loads other
    // draws into the current-draw buffer.
    struct ShownDraw {
        CurrentDraw draw;
        std::int32_t stepIndex;
        DayNumber pickerDate;
        LabelControl drawCaption, tipPageDraw, digitSum;
    };
    ShownDraw shownDraw() const;
    void restoreShownDraw(const ShownDraw& shown);

private:
    friend class StateImportWindow;
    // The question before the rebuild throws stored draws away; true when it may go on.
    bool confirmRebuild();
    void runShownGroupSearch(int length);
    void showDraw(const DrawRecord& record, std::string_view separator);
    void stepShownDraw(StepDirection direction); // the arrows: showDraw of the step, if any
    std::array<std::string_view, 6> tipTexts(int tip) const;
    const PrizeTable& storedPrizes();
    bool tipComplete(int tip) const;
    void clearTipLabels(int tip); // hit and digit-sum label of a tip that is not complete
    // Records what the import did, shows its summary and tells why it is not complete.
    std::int64_t reportImport(const ImportSession& session);
    // A tip's hit label after a check against the current draw: hits, colour, rank hint.
    void showHits(int tip);
    void showHits(int tip, const CurrentDraw& checked); // tip's hit label for a check of that draw
    void printTicket(const std::array<std::string, tipgrid::kCells>& cells);
    void addSystemBalance(); // the system's row to m_prizeBalance

    Host& m_host;
    Clock& m_clock;

    std::string m_programDir;
    static constexpr const char* kArchiveFileName = "ZahlenAT.dat";
    static constexpr const char* kSoundFileName = "yippee.wav";

    std::array<std::string, tipgrid::kCells> m_cells;
    std::array<int, kGenerationOptions.size()> m_options{};
    std::array<bool, kWeekdayBoxes.size()> m_weekdayBoxes{true, true};
    LabelValues m_labels;
    DatePickerControl m_dateTimePicker1;
    DatePickerControl m_dateTimePicker2;
    std::string m_fileNameEdit;
    std::string m_urlEdit;
    std::string m_proxyHostEdit;
    std::string m_proxyPortEdit;
    std::array<std::string, kImportSourceCount> m_servers; // at serverSlot
    ImportSource m_austrianSource{};
    std::string m_todayFilesEdit;
    std::array<StatusText, 2> m_status;
    ChartModel m_chart;
    unsigned m_chartRevision = 0;
    Page m_activePage = Page::Lottotipp;
    FileDialogState m_saveDialog1{"txt", "Textdatei|*.txt", {}};
    FileDialogState m_openDialog1{"", "", {}};
    FileDialogState m_importDialog{"csv", "Ergebnisdatei|*.csv;*.txt", {}};

    CurrentDraw m_currentDraw;
    std::int32_t m_drawStepIndex = 0;
    bool m_tipsReady = false;
    std::int32_t m_maxRuns = 0; // follows UpDown7
    bool m_speedButton8Visible = false;
    bool m_importRunning = false;
    bool m_button1Enabled = true;
    ImportProgress m_importProgress;
    DayNumber m_lastStoredDate = 0;
    std::optional<ImportReport> m_lastImport;
    bool m_rebuilding = false; // the rebuild tells of a failed import itself
    std::function<void(int, const std::string&)> m_statusListener;
    // The settings' values below start at the schema's defaults (SettingsSchema).
    int m_tippTop = 0;
    int m_tippLeft = 0;
    int m_country = 0;
    Random m_random;
    TicketLayout m_ticketLayout;
    std::int64_t m_stakeCents = 0;
    std::int64_t m_jokerCents = 0;
    bool m_updateOnStart = false;
    std::array<TipWinning, tipgrid::kTips> m_tipWinnings{};
    PrizeBalance m_prizeBalance;
    std::optional<PrizeTable> m_storedPrizes; // read once, dropped when an import adds quotas
    SystemBet m_system;
    std::optional<PrizeTally> m_systemBalance;
    FileDialogState m_systemDialog{kSystemFileExt, kSystemFileFilter, {}};
    std::optional<FolderLock> m_writerLock;
    int m_writerDepth = 0;
};

} // namespace lotto
