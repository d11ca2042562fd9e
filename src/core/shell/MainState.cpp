#include "core/shell/MainState.h"

#include "core/archive/ArchiveBackups.h"
#include "core/archive/ArchiveMaintenance.h"
#include "core/archive/ArchiveRebuild.h"
#include "core/archive/DrawArchive.h"
#include "core/archive/DrawStepping.h"
#include "core/evaluation/ArchiveSearch.h"
#include "core/import/AustrianArchive.h"
#include "core/import/AustrianLastTen.h"
#include "core/import/AustrianToday.h"
#include "core/import/GermanHistory.h"
#include "core/import/ImportSession.h"
#include "core/import/LatestDrawPage.h"
#include "core/import/SwissPages.h"
#include "core/output/TipFile.h"
#include "core/output/TipSheet.h"
#include "core/shell/GenerationRun.h"
#include "core/shell/ProgramDirectory.h"
#include "core/shell/SettingsSchema.h"
#include "core/shell/StateImportWindow.h"
#include "core/statistics/Distribution.h"
#include "core/statistics/GroupSearch.h"
#include "core/util/File.h"
#include "core/util/Text.h"

#include <algorithm>

namespace lotto {

namespace {

// Puts a file dialog's extension and filter back when a command ends, also after an error.
class DialogRestore {
public:
    explicit DialogRestore(FileDialogState& dialog)
        : m_dialog(dialog), m_ext(dialog.defaultExt), m_filter(dialog.filter) {}
    ~DialogRestore() {
        m_dialog.defaultExt = m_ext;
        m_dialog.filter = m_filter;
    }
    DialogRestore(const DialogRestore&) = delete;
    DialogRestore& operator=(const DialogRestore&) = delete;

private:
    FileDialogState& m_dialog;
    std::string m_ext;
    std::string m_filter;
};

constexpr const char* kTipFileFilter = "Tippdatei|*.qtp";
// Twelve lines of at most 17 characters; what lies beyond this is never looked at.
constexpr std::size_t kTipFileMaxBytes = 64 * 1024;

} // namespace

DayNumber MainState::earliestDate() {
    return dayNumber(1955, 10, 9);
}

MainState::MainState(std::string programDir, Host& host, Clock& clock)
    : m_host(host), m_clock(clock), m_programDir(std::move(programDir)) {
    if (!m_programDir.empty() && m_programDir.back() != '/') m_programDir += '/';

    for (const WindowLabelInfo& info : kWindowLabels)
        m_labels[labelIndex(info.label)].text = info.initialText;

    m_dateTimePicker1.min = earliestDate();
    m_dateTimePicker2.min = earliestDate();
    m_dateTimePicker1.date = earliestDate();

    // Every stored value starts at its default, which the schema alone knows.
    for (const SettingEntry& entry : SettingsSchema::instance().entries())
        entry.set(*this, entry.defaultValue);
    UpDown7Changing();
}

void MainState::setOption(Option option, int value) {
    const OptionInfo& info = optionInfo(option);
    m_options[static_cast<std::size_t>(option)] = info.control == OptionControl::CheckBox
                                                      ? (value != 0 ? 1 : 0)
                                                      : std::clamp(value, info.min, info.max);
}

// ---------------------------------------------------------------- start-up and shutdown

void MainState::FormCreate(SettingsStore& store) {
    restoreStartupState(store);
    startupEvaluation();
}

void MainState::restoreStartupState(SettingsStore& store) {
    m_tipsReady = false;

    const SettingsSchema& schema = SettingsSchema::instance();
    auto readBlock = [&](const std::vector<const SettingEntry*>& block) {
        try {
            for (const SettingEntry* entry : block)
                if (const auto value = store.read(entry->name))
                    entry->set(*this, SettingsSchema::coerce(*value, entry->type));
        } catch (const SettingTypeError&) {
            // A value of the wrong type ends its block; the rest keeps its defaults.
        }
    };
    readBlock(schema.firstBlock());
    m_tipsReady = true;
    readBlock(schema.secondBlock());
    // These follow from the block but must hold even when it ended early.
    UpDown7Changing();
    schema.settle(*this);

    m_random.setSeed(m_clock.seed());
    m_dateTimePicker1.setDate(m_clock.today());
    m_lastStoredDate = m_dateTimePicker2.date;
}

void MainState::startupEvaluation() {
    // Without an archive there is nothing to evaluate or chart: one message with the way out.
    if (!DrawArchive(archivePath()).exists()) {
        m_host.showMessage(kNoArchiveMessage);
        return;
    }
    SpeedButton5Click();
    SpeedButton2Click();
    reportMissingDraws();
}

MainState::ArchiveOverview MainState::archiveOverview() const {
    ArchiveOverview overview;
    if (!DrawArchive(archivePath()).exists()) return overview;
    DrawArchiveReader reader(archivePath());
    overview.draws = reader.recordCount();
    if (overview.draws == 0) return overview;
    DrawRecord record;
    reader.next(record);
    overview.first = record.day();
    reader.seek(overview.draws - 1);
    reader.next(record);
    overview.newest = record.day();
    return overview;
}

int MainState::missingDrawDays() const {
    DrawArchiveReader reader(archivePath());
    if (reader.recordCount() == 0) return 0;
    reader.seek(reader.recordCount() - 1);
    DrawRecord newest;
    reader.next(newest);
    return drawDaysBetween(newest.day(), m_clock.today());
}

void MainState::reportMissingDraws() {
    const int missing = missingDrawDays();
    if (missing == 0) return;
    setStatusText(
        0, (missing == 1 ? std::string("1 Ziehung fehlt") : std::to_string(missing) + " Ziehungen fehlen") +
               " im Archiv – F5 aktualisiert");
}

void MainState::installBundledArchive(std::span<const unsigned char> bundled) {
    if (refuseWhileImporting()) return;
    if (DrawArchive(archivePath()).exists() &&
        !m_host.askYesNo("Das vorhandene Archiv der Ziehungen wird durch das mitgelieferte ersetzt; "
                         "später eingelesene oder eingegebene Ziehungen gehen dabei verloren.\n\n"
                         "Mitgeliefertes Archiv einspielen?",
                         "Mitgeliefertes Archiv"))
        return;
    {
        const WriterScope writing(*this);
        keepBackup(archivePath());
        lotto::installBundledArchive(m_programDir, bundled);
    }
    SpeedButton5Click();
    SpeedButton2Click();
}

void MainState::FormClose(SettingsStore& store) const {
    try {
        for (const SettingEntry& entry : SettingsSchema::instance().entries())
            store.write(entry.name, entry.get(*this));
        store.flush();
    } catch (...) {
        // A failing save must not hold up closing the window.
    }
}

// ---------------------------------------------------------------- links

void MainState::Label43Click() {
    m_host.openDocument(std::string(kMakerAddress) + "/tendora/");
}

std::optional<std::string> MainState::linkAddress(WindowLabel link) {
    switch (link) {
    case WindowLabel::UpdatesLink:
        return std::string(kMakerAddress) + "/freeware/lotto.htm";
    case WindowLabel::OperatorLink:
        return kOperatorAddress;
    case WindowLabel::TendoraLink:
        return std::string(kMakerAddress) + "/tendora/";
    default:
        return std::nullopt;
    }
}

void MainState::Label52Click(WindowLabel link) {
    if (const auto address = linkAddress(link)) m_host.openDocument(*address);
}

// ---------------------------------------------------------------- downloads and imports

MainState::WriterScope::WriterScope(MainState& state) : m_state(state) {
    if (m_state.m_writerDepth == 0) {
        m_state.m_writerLock.emplace(m_state.m_programDir);
        if (!m_state.m_writerLock->held()) { // another program writes: wait a moment, visibly
            const BusyScope busy(m_state.m_host);
            m_state.m_writerLock.emplace(m_state.m_programDir, kWriterPatienceMs);
        }
        if (!m_state.m_writerLock->held()) {
            m_state.m_writerLock.reset();
            throw FileError(kWriterBusyMessage);
        }
    }
    ++m_state.m_writerDepth;
}

MainState::WriterScope::~WriterScope() {
    if (--m_state.m_writerDepth == 0) m_state.m_writerLock.reset();
}

bool MainState::refuseWhileImporting() {
    if (!m_importRunning) return false;
    m_host.showMessage(kImportRunningMessage);
    return true;
}

bool MainState::HttpFetch(const std::string& url, const std::function<void(std::string_view)>& onLine) {
    const WriterScope writing(*this); // the download file
    StateImportWindow window(*this);
    const auto ignore = [](std::string_view) {};
    return httpFetch(window, url, onLine ? onLine : ignore).received;
}

std::int64_t MainState::reportImport(const ImportSession& session) {
    const std::string failure = session.failure();
    const std::int64_t added = session.appended();
    DayNumber newest = 0;
    if (const auto last = DrawArchive(archivePath()).lastRecord()) newest = last->day();
    m_lastImport = ImportReport{added, newest, failure.empty() && !session.stopped(), failure};
    setStatusText(1, importSummary(added, newest));
    if (failure.empty() || m_rebuilding) return added;
    if (const auto year = session.unreadYear())
        m_host.showMessage(
            failure +
            " Die Ziehungen davor sind gespeichert; die nächste Aktualisierung beginnt wieder mit " +
            std::to_string(*year) + ".");
    else
        m_host.showMessage(failure);
    return added;
}

std::int64_t MainState::AustiaBitBtn1() {
    if (refuseWhileImporting()) return 0;
    m_lastImport.reset();
    const WriterScope writing(*this);
    BusyScope busy(m_host);
    StateImportWindow window(*this);
    ImportSession session(window, archivePath());
    runAustrianImport(session, server(ImportSource::Austria));
    session.finish();
    return reportImport(session);
}

std::int64_t MainState::AustriaTodayBitBtn1() {
    if (refuseWhileImporting()) return 0;
    m_lastImport.reset();
    const WriterScope writing(*this);
    BusyScope busy(m_host);
    StateImportWindow window(*this);
    ImportSession session(window, archivePath());
    PrizeTable prizes;
    try {
        // A field left empty on "Internet-Optionen" reads from the default.
        const std::string& server = this->server(ImportSource::AustriaToday);
        runAustrianTodayImport(
            session, server.empty() ? importSourceInfo(ImportSource::AustriaToday).defaultServer : server,
            m_todayFilesEdit.empty() ? kTodayDefaultFiles : m_todayFilesEdit, prizes);
    } catch (...) {
        storePrizes(prizes); // what was read before the failure is kept
        throw;
    }
    storePrizes(prizes); // before the closing check, whose hit labels name the quotas
    session.finish();
    return reportImport(session);
}

std::int64_t MainState::AustriaLast10() {
    if (refuseWhileImporting()) return 0;
    m_lastImport.reset();
    const WriterScope writing(*this);
    StateImportWindow window(*this);
    ImportSession session(window, archivePath());
    runAustrianLastTenImport(session, server(ImportSource::AustriaLast10));
    session.finish();
    return reportImport(session);
}

std::int64_t MainState::BitBtn1Click() {
    if (refuseWhileImporting()) return 0;
    m_lastImport.reset();
    const WriterScope writing(*this);
    StateImportWindow window(*this);
    ImportSession session(window, archivePath());
    runGermanImport(session, server(ImportSource::Germany));
    session.finish();
    return reportImport(session);
}

std::int64_t MainState::ImportFileBitBtnClick() {
    if (refuseWhileImporting()) return 0;
    m_lastImport.reset();
    const auto file = m_host.chooseOpenFile(m_importDialog);
    if (!file) return 0;
    const WriterScope writing(*this);
    BusyScope busy(m_host);
    // Read and recognised before the archive is opened: an unknown file leaves it untouched.
    // One byte more than any results file has tells a larger file from one cut at the limit.
    const std::string text = readWholeFile(*file, kMaxDownloadBytes + 1);
    if (text.size() > kMaxDownloadBytes) {
        m_host.showMessage(kResultsFileTooLargeMessage);
        return 0;
    }
    ResultsFile results = readResultsFile(text, *file);
    const std::vector<ParsedDraw>& draws = results.draws;
    if (results.foreign || draws.empty()) {
        m_host.showMessage(results.foreign ? kForeignResultsFileMessage : kUnknownResultsFileMessage);
        return 0;
    }
    std::erase_if(results.prizes, [&](const auto& entry) { return entry.first > m_clock.today(); });
    StateImportWindow window(*this);
    ImportSession session(window, archivePath());
    // An empty archive has no newest draw to start after: it takes the whole file.
    if (session.archiveWasEmpty()) session.takeDrawsAfter(draws.front().day - 1);
    const int total = static_cast<int>(draws.size());
    int done = 0;
    window.setProgress(done, total);
    for (const ParsedDraw& draw : draws) {
        if (!m_speedButton8Visible) break;
        session.offer(draw);
        if (++done % 64 == 0 || done == total) window.setProgress(done, total);
    }
    // As after a download, the evaluation that closes the import shows the newest draw.
    window.setPickerDate(std::max(m_clock.today(), session.lastStoredDate()));
    storePrizes(results.prizes);
    session.finish();
    return reportImport(session);
}

std::int64_t MainState::SwissBitBtn1Click() {
    if (refuseWhileImporting()) return 0;
    m_lastImport.reset();
    const WriterScope writing(*this);
    StateImportWindow window(*this);
    ImportSession session(window, archivePath());
    runSwissImport(session, server(ImportSource::Switzerland));
    session.finish();
    return reportImport(session);
}

std::vector<WindowLabel> MainState::Button1Click() {
    // The download shares the HTTP client and the download file with a running import.
    if (refuseWhileImporting()) return {};
    BusyScope busy(m_host);
    std::vector<WindowLabel> set;
    auto show = [&](WindowLabel which, std::string text, LabelColor color = LabelColor::Black) {
        setLabel(which, {std::move(text), color, {}});
        if (std::find(set.begin(), set.end(), which) == set.end()) set.push_back(which);
    };
    m_currentDraw.date = 0;
    const int referenceYear = civilDate(m_clock.today()).year;
    HttpFetch(m_urlEdit, [&](std::string_view line) {
        const auto draw = parseLatestDrawLine(line, referenceYear);
        if (!draw) return;
        m_currentDraw.date = draw->day;
        if (!draw->numbersRead) return;
        m_currentDraw.numbers = draw->numbers;
        const int day = weekday(draw->day);
        if (day != kWednesday && day != kSaturday) return;
        const bool wednesday = day == kWednesday;
        show(wednesday ? WindowLabel::WednesdayDate : WindowLabel::SaturdayDate, formatShortDate(draw->day));
        show(wednesday ? WindowLabel::WednesdayNumbers : WindowLabel::SaturdayNumbers,
             latestDrawNumbersText(*draw, wednesday));
        show(wednesday ? WindowLabel::WednesdayExtra : WindowLabel::SaturdayExtra,
             "ZZ: " + std::to_string(draw->numbers[6]));
        show(wednesday ? WindowLabel::WednesdaySuper : WindowLabel::SaturdaySuper,
             "SZ: " + std::to_string(draw->numbers[7]));
        for (int tip = 0; tip < 6; ++tip) {
            const auto texts = tipTexts(tip);
            Zettelcheck(texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]);
            const int hits = m_currentDraw.hits;
            // Wednesday draws on the tip page's own hit labels, Saturday draws beside them.
            show(wednesday ? hitLabel(tip) : saturdayHitLabel(tip),
                 std::to_string(hits) + (m_currentDraw.extraHit ? " + Z" : ""),
                 hits > 2 ? LabelColor::Red : LabelColor::Black);
        }
    });
    return set;
}

void MainState::BitBtn2Click() {
    if (refuseWhileImporting()) return;
    m_lastImport.reset();
    const std::string archive = archivePath();
    if (!confirmRebuild()) return;
    // Held for the whole rebuild, also so that another start does not take the emptied archive
    // and its set-aside copy for the remains of a killed rebuild (recoverInterruptedRebuild).
    const WriterScope writing(*this);
    // The old archive is kept beside the new one until the import has completed.
    ArchiveRebuild rebuild(archive);
    const bool hadArchive = rebuild.hadArchive();
    if (hadArchive) {
        if (rebuild.asideInTheWay()) {
            m_host.showMessage(
                "Von einer unterbrochenen Neuanlage liegt noch das alte Archiv „" + rebuild.asidePath() +
                "“ vor. Benennen Sie es um oder löschen Sie es, bevor die Datenbank neu angelegt wird.");
            return;
        }
        BusyScope busy(m_host);
        rebuild.setAside();
    }
    std::int64_t appended = 0;
    // Only a complete import replaces the old archive; this rebuild tells why one was not.
    m_rebuilding = hadArchive;
    try {
        appended = AustrianSourceUpdate();
    } catch (...) {
        m_rebuilding = false;
        rebuild.putBack();
        throw;
    }
    m_rebuilding = false;
    if (!hadArchive) return;
    const ImportReport report = m_lastImport.value_or(ImportReport{0, 0, false, {}});
    if (rebuild.finish(report.complete, appended)) return;
    const auto newest = DrawArchive(archive).lastRecord();
    m_lastImport = ImportReport{0, newest ? newest->day() : 0, false, report.failure};
    setStatusText(1, importSummary(0, 0));
    if (!report.failure.empty())
        m_host.showMessage(std::string(kRebuildIncompleteMessage) + " " + report.failure);
    else if (!report.complete)
        m_host.showMessage(std::string(kRebuildIncompleteMessage) + " Das Einlesen wurde abgebrochen.");
    else
        m_host.showMessage(kRebuildEmptyMessage);
    // The restored archive's newest draw is shown, not one the failed import read.
    m_dateTimePicker1.setDate(m_clock.today());
    SpeedButton5Click();
    setLabelText(WindowLabel::TipPageDraw, label(WindowLabel::DrawCaption).text);
}

// ---------------------------------------------------------------- charts

ArchiveFilter MainState::archiveFilter() const {
    return {m_dateTimePicker2.date, weekdayBox(WeekdayBox::Sundays), weekdayBox(WeekdayBox::Wednesdays)};
}

void MainState::publishChart(ChartModel chart) {
    m_chart = std::move(chart);
    ++m_chartRevision;
}

void MainState::SpeedButton2Click() {
    BusyScope busy(m_host);
    publishChart(numberFrequencyChart(countNumbers(DrawArchive(archivePath()), archiveFilter())));
}

void MainState::SpeedButton9Click() {
    BusyScope busy(m_host);
    publishChart(digitSumChart(countDigitSums(DrawArchive(archivePath()), archiveFilter())));
}

void MainState::prepareChart() {
    m_chart.prepare();
    ++m_chartRevision;
}

void MainState::runGroupSearch(int length) {
    BusyScope busy(m_host);
    const RunSearchResult result = searchRuns(DrawArchive(archivePath()), archiveFilter(), length);
    if (result.lastDraw) {
        m_currentDraw.loadNumbers(*result.lastDraw); // the date stays
        m_currentDraw.hits = result.lastHits;
        m_currentDraw.extraHit = result.lastExtraHit;
    }
    publishChart(runSearchChart(result));
    m_activePage = Page::Diagramm;
}

// The user's group search shows a chart; the tips stay rated against the captioned draw.
void MainState::runShownGroupSearch(int length) {
    const ShownDraw shown = shownDraw();
    runGroupSearch(length);
    restoreShownDraw(shown);
}

void MainState::Button2Click() {
    runShownGroupSearch(2);
}
void MainState::Button3Click() {
    runShownGroupSearch(3);
}
void MainState::Button4Click() {
    runShownGroupSearch(4);
}

void MainState::Button5Click() {
    BusyScope busy(m_host);
    publishChart(overdueChart(countOverdue(DrawArchive(archivePath()), archiveFilter())));
    m_activePage = Page::Diagramm;
}

bool MainState::Secheroderfuenfer(int n1, int n2, int n3, int n4, int n5, int n6) {
    const int threshold = value(Option::ArchiveMatch);
    DrawArchiveReader reader(archivePath());
    const DayNumber start = m_dateTimePicker2.date;
    prepareChart();
    const std::string texts[6] = {std::to_string(n1), std::to_string(n2), std::to_string(n3),
                                  std::to_string(n4), std::to_string(n5), std::to_string(n6)};
    DrawRecord record;
    while (reader.next(record)) {
        if (record.date < start) continue;
        m_currentDraw.load(record);
        Zettelcheck(texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]);
        if (m_currentDraw.hits >= threshold) return false;
    }
    return true;
}

void MainState::Button6Click() {
    BusyScope busy(m_host);
    publishChart(tipDistributionChart(m_cells));
    m_activePage = Page::Diagramm;
}

// ---------------------------------------------------------------- tip grid

const std::string& MainState::Edit1Change(int cell, std::string_view text) {
    std::string& target = m_cells.at(static_cast<std::size_t>(cell));
    target = tipgrid::normalizeCell(text);
    return target;
}

void MainState::Edit1Exit() {
    if (m_tipsReady) Komplettcheck();
}

void MainState::SpeedButton11Click() {
    for (int tip = 0; tip < tipgrid::kTips; ++tip) {
        for (int c = 0; c < tipgrid::kCellsPerTip; ++c)
            m_cells[static_cast<std::size_t>(tip * 6 + c)].clear();
        setLabelText(hitLabel(tip), {});
        setLabelText(tipSumLabel(tip), {});
        m_tipWinnings.at(static_cast<std::size_t>(tip)) = {};
    }
}

void MainState::SpeedButton13Click() {
    const std::string proposed = std::to_string(m_random.below(99999));
    const std::string answer = m_host.inputBox(
        "Ihre Glückszahl (1-99999999)?", "Geben Sie Ihre Glückszahl für den Zufallsgenerator ein!", proposed);
    const auto number = toInt(answer);
    if (!number) {
        m_random.setSeed(m_clock.seed());
        return;
    }
    m_random.setSeed(static_cast<std::uint32_t>(*number));
    m_status[1].set("Glückszahl " + std::to_string(*number) + " gesetzt");
    m_host.repaint(RepaintArea::StatusBar);
    if (m_host.askYesNo("Soll der Tipp jetzt berechnet werden?", "Jetzt berechnen?")) Label28Click();
}

void MainState::Label28Click() {
    GenerationRun(*this).run();
}

// ---------------------------------------------------------------- evaluation

std::array<std::string_view, 6> MainState::tipTexts(int tip) const {
    std::array<std::string_view, 6> texts;
    for (std::size_t c = 0; c < 6; ++c)
        texts[c] = m_cells[static_cast<std::size_t>(tip) * 6 + c];
    return texts;
}

void MainState::Zettelcheck(std::string_view t1, std::string_view t2, std::string_view t3,
                            std::string_view t4, std::string_view t5, std::string_view t6) {
    zettelcheck(m_currentDraw, {t1, t2, t3, t4, t5, t6});
}

int MainState::Komplettcheck() {
    if (!m_tipsReady) return 0;
    int best = 0;
    for (int tip = 0; tip < tipgrid::kTips; ++tip) {
        std::array<int, 6> values{};
        bool complete = true;
        for (std::size_t c = 0; c < 6 && complete; ++c) {
            const auto v = toInt(m_cells[static_cast<std::size_t>(tip) * 6 + c]);
            if (v)
                values[c] = *v & 0xFF;
            else
                complete = false;
        }
        if (!complete) { // a partly empty tip is neither sorted nor rated, nor shown as rated
            clearTipLabels(tip);
            continue;
        }

        int sum = 0;
        for (int v : values)
            sum += v;
        setLabelText(tipSumLabel(tip), std::to_string(sum));
        std::sort(values.begin(), values.end());
        for (std::size_t c = 0; c < 6; ++c)
            Edit1Change(static_cast<int>(static_cast<std::size_t>(tip) * 6 + c), std::to_string(values[c]));

        zettelcheck(m_currentDraw, tipTexts(tip));
        const int hits = m_currentDraw.hits;
        showHits(tip);
        if (hits >= 3) m_host.playSound(kSoundFileName);
        best = std::max(best, hits);
    }
    return best;
}

bool MainState::tipComplete(int tip) const {
    const auto texts = tipTexts(tip);
    return std::all_of(texts.begin(), texts.end(), [](std::string_view t) { return toInt(t).has_value(); });
}

void MainState::clearTipLabels(int tip) {
    setLabel(hitLabel(tip), {});
    setLabel(tipSumLabel(tip), {});
    m_tipWinnings.at(static_cast<std::size_t>(tip)) = {};
}

void MainState::showHits(int tip) {
    showHits(tip, m_currentDraw);
}

void MainState::showHits(int tip, const CurrentDraw& checked) {
    LabelControl& hitText = m_labels[labelIndex(hitLabel(tip))];
    const int hits = checked.hits;
    hitText.text = std::to_string(hits);
    hitText.color = hits >= 3 ? LabelColor::Red : LabelColor::Black;
    if (checked.extraHit) hitText.text += " + Z";
    const PrizeTable& prizes = storedPrizes();
    const auto quotas = prizes.find(wholeDay(checked.date));
    const std::vector<PrizeQuota>* drawQuotas = quotas == prizes.end() ? nullptr : &quotas->second;
    const bool paysExtraOnly = drawQuotas && findQuota(*drawQuotas, PrizeRank::Extra);
    const auto rank = prizeRank(hits, checked.extraHit, paysExtraOnly);
    hitText.hint = prizeHint(rank, drawQuotas);
    TipWinning& winning = m_tipWinnings.at(static_cast<std::size_t>(tip));
    winning = {rank, std::nullopt};
    if (rank && drawQuotas)
        if (const PrizeQuota* quota = findQuota(*drawQuotas, *rank)) winning.cents = quota->euroCents();
}

void MainState::showDraw(const DrawRecord& record, std::string_view separator) {
    m_currentDraw.load(record);
    setLabelText(WindowLabel::DrawCaption, drawCaption(m_currentDraw, separator));
    setLabelText(WindowLabel::TipPageDraw, label(WindowLabel::DrawCaption).text);
    setLabelText(WindowLabel::DigitSum, digitSumCaption(m_currentDraw));
    m_dateTimePicker1.setDate(record.day());
}

void MainState::SpeedButton5Click() {
    DrawArchive archive(archivePath());
    if (!archive.exists()) {
        m_host.showMessage("Lesen Sie zuerst die Daten der Ziehungen ein");
        return;
    }
    BusyScope busy(m_host);
    DrawArchiveReader reader(archive.path());
    const DayNumber chosen = m_dateTimePicker1.date;
    DrawRecord record;
    std::int64_t read = 0;
    bool found = false;
    while (reader.next(record)) {
        ++read;
        if (record.date >= chosen) {
            found = true;
            break;
        }
    }
    // The first draw on or after the date, else the newest; the first record of a longer
    // archive is captioned with three blanks.
    if (found || (read > 0 && record.date > 0))
        showDraw(record, found && read == 1 && reader.recordCount() > 1 ? "   " : "  ");
    m_drawStepIndex = static_cast<std::int32_t>(std::max<std::int64_t>(read - 1, 0));
    // Without any draw loaded yet there is no date to show; the field keeps its date.
    if (m_currentDraw.date > 0) m_dateTimePicker1.setDate(wholeDay(m_currentDraw.date));
    setLabelText(WindowLabel::TipPageDraw, label(WindowLabel::DrawCaption).text);
    Komplettcheck();
}

// ---------------------------------------------------------------- draw stepping

MainState::ShownDraw MainState::shownDraw() const {
    return {m_currentDraw,
            m_drawStepIndex,
            m_dateTimePicker1.date,
            label(WindowLabel::DrawCaption),
            label(WindowLabel::TipPageDraw),
            label(WindowLabel::DigitSum)};
}

void MainState::restoreShownDraw(const ShownDraw& shown) {
    m_currentDraw = shown.draw;
    m_drawStepIndex = shown.stepIndex;
    m_dateTimePicker1.date = shown.pickerDate;
    setLabel(WindowLabel::DrawCaption, shown.drawCaption);
    setLabel(WindowLabel::TipPageDraw, shown.tipPageDraw);
    setLabel(WindowLabel::DigitSum, shown.digitSum);
}

void MainState::stepShownDraw(StepDirection direction) {
    DrawArchiveReader reader(archivePath());
    if (reader.recordCount() == 0) return; // nothing to show
    // Without a draw to step to, the shown one stays.
    if (const auto step = stepDraw(reader, m_drawStepIndex, direction, archiveFilter())) {
        m_drawStepIndex = static_cast<std::int32_t>(step->index);
        showDraw(step->record, "  ");
    }
    Komplettcheck();
}

void MainState::SpeedButton6Click() {
    stepShownDraw(StepDirection::Back);
}

void MainState::SpeedButton7Click() {
    stepShownDraw(StepDirection::Forward);
}

// ---------------------------------------------------------------- tip files

DayNumber MainState::nextDrawDay() const {
    // Without a shown draw (no archive yet) the next draw after the date field.
    return nextDrawDayAfter(m_currentDraw.date > 0 ? wholeDay(m_currentDraw.date) : m_dateTimePicker1.date);
}

std::string MainState::proposedTipFileName() const {
    return tipFileNameFor(nextDrawDay());
}

void MainState::SpeedButton15Click() {
    DialogRestore restore(m_saveDialog1);
    m_saveDialog1.defaultExt = kTipFileExt;
    m_saveDialog1.filter = kTipFileFilter;
    m_saveDialog1.fileName = proposedTipFileName();
    const auto file = m_host.chooseSaveFile(m_saveDialog1);
    if (!file) return;
    DrawArchive(archivePath()).refuseAsOutput(*file);
    m_saveDialog1.fileName = *file;
    writeFileAtomically(*file, formatTipFile(m_cells));
}

void MainState::loadTipFile(const std::string& path) {
    SpeedButton11Click();
    const TipFileFields fields = parseTipFile(readWholeFile(path, kTipFileMaxBytes));
    for (int cell = 0; cell < tipgrid::kCells; ++cell)
        Edit1Change(cell, fields[static_cast<std::size_t>(cell)]);
}

void MainState::SpeedButton16Click() {
    {
        DialogRestore restore(m_openDialog1);
        m_openDialog1.defaultExt = kTipFileExt;
        m_openDialog1.filter = kTipFileFilter;
        if (const auto file = m_host.chooseOpenFile(m_openDialog1)) {
            m_openDialog1.fileName = *file;
            loadTipFile(*file);
        }
    }
    SpeedButton5Click();
}

// ---------------------------------------------------------------- tip sheet and archive search

std::string MainState::writeTipSheet() {
    const std::string sheet =
        formatTipSheet(m_cells, nextDrawDay()); // a listed tip with an empty cell ends here
    std::string path = m_programDir + kTipSheetFileName;
    DrawArchive(archivePath()).refuseAsOutput(path);
    writeFileAtomically(path, sheet);
    return path;
}

void MainState::BitBtn7Click() {
    const std::string path = writeTipSheet();
    if (m_host.openDocumentChecked(path)) return;
    // Without a program for text files the sheet is still there: say where, offer its folder.
    if (m_host.askYesNo("Der Tipp wurde in \"" + path +
                            "\" gespeichert, aber es ist kein Programm zum Anzeigen von Textdateien "
                            "eingerichtet.\n\nSoll der Ordner geöffnet werden?",
                        "Tipp gespeichert"))
        m_host.openDocument(m_programDir);
}

namespace {
ChartModel tipSearchChart(const TipSearchCounts& counts) {
    ChartModel chart;
    chart.prepare();
    for (std::size_t k = 0; k < counts.checksWithHits.size(); ++k)
        chart.bars.push_back({static_cast<int>(k), static_cast<int>(counts.checksWithHits[k])});
    chart.axisTitle = "Wie oft hatten die Tipps 1 bis 8 bei " + std::to_string(counts.draws) +
                      " durchsuchten Ziehungen 0 bis 9 Treffer?";
    return chart;
}
} // namespace

std::int64_t MainState::searchTips(int threshold, const std::function<bool(const TipSearchHit&)>& onHit) {
    BusyScope busy(m_host);
    DrawArchiveReader reader(archivePath());
    prepareChart();
    const PrizeTable& quotas = storedPrizes();
    // The draws searched pass through the current-draw buffer; the shown draw comes back at
    // the end, so stepping, captions and all twelve hit labels keep telling of the same draw.
    const ShownDraw before = shownDraw();
    std::int64_t found = 0;
    const TipSearchCounts counts =
        searchTipsInArchive(reader, m_dateTimePicker2.date, m_cells, m_currentDraw, [&](int tip) {
            if (m_currentDraw.hits < threshold) return true;
            ++found;
            return onHit(tipSearchHit(tip, m_currentDraw, quotas));
        });
    restoreShownDraw(before);
    if (m_currentDraw.date > 0)
        for (int tip = 0; tip < tipgrid::kTips; ++tip) {
            zettelcheck(m_currentDraw, tipTexts(tip));
            if (tipComplete(tip))
                showHits(tip);
            else
                clearTipLabels(tip);
        }
    publishChart(tipSearchChart(counts));
    return found;
}

void MainState::runTipSearch(const std::string& thresholdText,
                             const std::function<void(int tip, const std::string& text)>& announce) {
    searchTips(convertToInt(thresholdText), [&](const TipSearchHit& hit) {
        announce(hit.tip, "Ein Treffer am: " + formatShortDate(hit.day));
        return true;
    });
}

void MainState::SpeedButton4Click() {
    const int threshold =
        convertToInt(m_host.inputBox("Tipps in DB suchen", "Ab wie vielen Treffern anzeigen?", "6"));
    m_host.beginSearchList(threshold);
    bool stopped = false;
    const std::int64_t found = searchTips(threshold, [&](const TipSearchHit& hit) {
        stopped = !m_host.addSearchHit(hit);
        return !stopped;
    });
    m_host.endSearchList(found, stopped);
}

// ---------------------------------------------------------------- prize ranks

const PrizeTable& MainState::storedPrizes() {
    if (!m_storedPrizes) {
        try {
            m_storedPrizes = readPrizeStore(prizeStorePath());
        } catch (const FileError&) {
            m_storedPrizes = PrizeTable{}; // a hint without quotas; the balance reports the error
        }
    }
    return *m_storedPrizes;
}

void MainState::storePrizes(const PrizeTable& prizes) {
    if (prizes.empty()) return;
    m_storedPrizes.reset();
    const WriterScope writing(*this);
    try {
        DrawArchive(archivePath()).refuseAsOutput(prizeStorePath()); // a link to the archive
        mergePrizeStore(prizeStorePath(), prizes);
    } catch (const FileError& error) {
        m_host.showMessage("Die Quoten konnten nicht gespeichert werden: " + std::string(error.what()));
    }
}

PrizeBalance MainState::computePrizeBalance(DayNumber to, std::int64_t stakeCents) {
    BusyScope busy(m_host);
    DrawArchiveReader reader(archivePath());
    m_storedPrizes = readPrizeStore(prizeStorePath()); // fresh: another process may have added quotas
    return lotto::computePrizeBalance(reader, archiveFilter(), to, completeTips(m_cells), *m_storedPrizes,
                                      stakeCents);
}

void MainState::GewinnbilanzClick() {
    m_prizeBalance = computePrizeBalance(kLastDay, m_stakeCents);
    addSystemBalance();
    m_activePage = Page::Diagramm; // its course over the draws
    setStatusText(0, "Gewinnbilanz: " + formatGrouped(m_prizeBalance.draws) + " Ziehungen");
}

// ---------------------------------------------------------------- walk-forward test

std::optional<WalkForwardResult> MainState::StrategieTestClick(const ArchiveFilter& period, DayNumber to,
                                                               std::uint32_t seed,
                                                               const WalkForwardObserver& onDraw) {
    DrawArchive archive(archivePath());
    if (!archive.exists()) {
        m_host.showMessage("Lesen Sie zuerst die Daten der Ziehungen ein");
        return std::nullopt;
    }
    BusyScope busy(m_host);
    WalkForwardSettings settings;
    for (const OptionInfo& info : kGenerationOptions)
        settings.options[static_cast<std::size_t>(info.option)] = value(info.option);
    settings.maxRuns = m_maxRuns;
    settings.statistics = archiveFilter();
    settings.today = m_clock.today();
    settings.period = period;
    settings.to = to;
    settings.seed = seed;
    settings.stakeCents = m_stakeCents;
    m_storedPrizes = readPrizeStore(prizeStorePath()); // fresh: another process may have added quotas
    WalkForwardResult result = runWalkForward(archive.readAll(), settings, *m_storedPrizes, onDraw);
    setStatusText(0, "Strategie-Test: " + formatGrouped(result.draws) + " Ziehungen, " +
                         formatGrouped(result.tips) + " Tipps" + (result.stopped ? " (abgebrochen)" : ""));
    return result;
}

// ---------------------------------------------------------------- archive maintenance

void MainState::BitBtn3Click() {
    DialogRestore restore(m_saveDialog1);
    m_saveDialog1.defaultExt = "txt";
    m_saveDialog1.filter = "Textdatei|*.txt";
    m_saveDialog1.fileName = m_programDir + "Zahlen.txt";
    const auto file = m_host.chooseSaveFile(m_saveDialog1);
    if (!file) return;
    m_saveDialog1.fileName = *file;
    BusyScope busy(m_host);
    exportText(DrawArchive(archivePath()), m_dateTimePicker1.date, *file);
}

void MainState::BitBtn4Click() {
    if (refuseWhileImporting()) return;
    const DrawArchive archive(archivePath());
    const DayNumber day = wholeDay(m_currentDraw.date);
    if (countDrawsOn(archive, day) > 0) {
        if (!m_host.askBeforeChange("Ziehung vom " + formatShortDate(day) + " löschen?", "Ziehung löschen"))
            return;
        const WriterScope writing(*this);
        BusyScope busy(m_host);
        keepBackup(archive.path());
        removeDrawsOn(archive, day);
    }
    SpeedButton5Click();
}

void MainState::BitBtn8Click() {
    if (refuseWhileImporting()) return;
    const DrawArchive archive(archivePath());
    const std::optional<DrawRecord> last = archive.lastRecord();
    DrawEntry preset{m_dateTimePicker1.date, {}, 0};
    if (last) {
        preset.date = last->day();
        for (std::size_t i = 0; i < preset.main.size(); ++i)
            preset.main[i] = last->numbers[i];
        preset.extra = last->extra();
    }
    if (const auto entry = m_host.enterDraw(preset)) {
        if (const auto problem = entryProblem(*entry, m_clock.today())) {
            m_host.showMessage(*problem);
            return;
        }
        // Draws fall on Sundays and Wednesdays; another day is asked about, as Friday and
        // holiday draws exist.
        const int day = weekday(entry->date);
        if (day == kSunday || day == kWednesday ||
            m_host.askBeforeChange("Ziehung an einem " + std::string(longDayName(day)) + " eintragen?",
                                   "Ziehung eingeben")) {
            const WriterScope writing(*this);
            BusyScope busy(m_host);
            // The slot byte has no meaning in Austrian draws: the last record's is carried on.
            const std::uint8_t slot = last ? last->numbers[DrawRecord::kSlotIndex] : 0;
            const std::optional<DrawRecord> newest =
                archive.lastRecord(); // another program may have added one
            if (newest && entry->date <= newest->day()) keepBackup(archive.path()); // a rewrite follows
            insertOrReplace(archive, entryRecord(*entry, slot));
        }
    }
    if (const auto newest = archive.lastRecord()) m_dateTimePicker1.setDate(newest->day());
    SpeedButton5Click();
}

bool MainState::confirmRebuild() {
    const auto replaced = drawsReplacedByRebuild(DrawArchive(archivePath()), m_dateTimePicker1.date);
    if (!replaced) return true; // nothing to lose
    return m_host.askBeforeChange("Das Archiv wird ab " + formatShortDate(m_dateTimePicker1.date) +
                                      " neu aus dem Internet geladen; " + formatGrouped(*replaced) +
                                      " gespeicherte Ziehungen werden ersetzt.",
                                  "Datenbank neu anlegen");
}

bool MainState::RestoreBackupClick() {
    if (refuseWhileImporting()) return false;
    const std::string archive = archivePath();
    const std::vector<ArchiveBackup> backups = listBackups(archive);
    if (backups.empty()) {
        m_host.showMessage(kNoBackupMessage);
        return false;
    }
    const auto chosen = m_host.chooseBackup(backups);
    if (!chosen) return false;
    if (*chosen >= backups.size()) {
        m_host.showMessage("Es gibt keine Sicherung Nr. " + std::to_string(*chosen + 1) +
                           " (vorhanden: " + std::to_string(backups.size()) + ").");
        return false;
    }
    const ArchiveBackup& backup = backups[*chosen];
    const std::int64_t stored = fileExists(archive) ? DrawArchive(archive).recordCount() : 0;
    std::string question = "Das Archiv wird durch die Sicherung vom " + formatBackupTime(backup.takenAt) +
                           " (" + formatGrouped(backup.draws) + " Ziehungen";
    if (backup.newest) question += " bis " + formatShortDate(*backup.newest);
    question += ") ersetzt; " + formatGrouped(stored) +
                " gespeicherte Ziehungen werden ersetzt. Das jetzige Archiv wird vorher gesichert.";
    if (!m_host.askBeforeChange(question, "Sicherung wiederherstellen")) return false;
    {
        const WriterScope writing(*this);
        BusyScope busy(m_host);
        restoreBackup(archive, backup);
    }
    if (const auto newest = DrawArchive(archive).lastRecord()) m_dateTimePicker1.setDate(newest->day());
    SpeedButton5Click();
    return true;
}

// ---------------------------------------------------------------- ticket printing

void MainState::SpeedButton12Click() {
    printTicket(m_cells);
}

void MainState::printTicket(const std::array<std::string, tipgrid::kCells>& cells) {
    TicketDialogPresets presets = ticket::dayPreset(m_clock.today());
    presets.top = std::clamp(m_tippTop, ticket::kOffsetMin, ticket::kOffsetMax);
    presets.left = std::clamp(m_tippLeft, ticket::kOffsetMin, ticket::kOffsetMax);
    presets.tipCount = ticket::printedTipCount(cells);
    presets.prices = {m_stakeCents, m_jokerCents};
    auto settings = m_host.askTicketSettings(presets);
    if (!settings) return;
    settings->top = std::clamp(settings->top, ticket::kOffsetMin, ticket::kOffsetMax);
    settings->left = std::clamp(settings->left, ticket::kOffsetMin, ticket::kOffsetMax);
    m_tippTop = settings->top;
    m_tippLeft = settings->left;
    m_ticketLayout.place(*settings, cells, m_programDir + ticket::kScanFileName);
    m_host.previewTicket(m_ticketLayout);
}

} // namespace lotto
