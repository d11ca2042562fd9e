// The system tips' handlers of MainState; their computation lives in core/system.
#include "core/shell/MainState.h"

#include "core/archive/DrawArchive.h"
#include "core/util/CheckedMath.h"
#include "core/util/File.h"

#include <algorithm>

namespace lotto {

namespace {

void removeNumber(std::vector<int>& numbers, int n) {
    numbers.erase(std::remove(numbers.begin(), numbers.end(), n), numbers.end());
}

void insertNumber(std::vector<int>& numbers, int n) {
    numbers.insert(std::lower_bound(numbers.begin(), numbers.end(), n), n);
}

bool contains(const std::vector<int>& numbers, int n) {
    return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
}

} // namespace

void MainState::SystemNumberClick(int number) {
    if (!isLottoNumber(number)) return;
    if (contains(m_system.bankers, number)) {
        removeNumber(m_system.bankers, number);
    } else if (contains(m_system.choices, number)) {
        removeNumber(m_system.choices, number);
        if (m_system.bankerCount() < kMaxBankers) insertNumber(m_system.bankers, number);
    } else {
        insertNumber(m_system.choices, number);
    }
}

std::int64_t MainState::systemCostCents() const {
    return systemProblem() ? 0 : checkedMul(systemTipCount(m_system), m_stakeCents);
}

std::optional<MainState::SystemDrawCheck> MainState::SystemCheckClick() {
    if (const auto problem = systemProblem()) {
        m_host.showMessage(*problem);
        return std::nullopt;
    }
    if (m_currentDraw.date <= 0) {
        m_host.showMessage(
            "Es wird keine Ziehung angezeigt, gegen die das System geprüft werden kann. Lesen Sie "
            "zuerst die Daten der Ziehungen ein.");
        return std::nullopt;
    }
    SystemDrawCheck check;
    check.day = wholeDay(m_currentDraw.date);
    SystemDraw draw;
    for (std::size_t i = 0; i < draw.main.size(); ++i)
        draw.main[i] = m_currentDraw.numbers[i];
    draw.extra = m_currentDraw.numbers[6];
    const PrizeTable& prizes = storedPrizes();
    if (const auto stored = prizes.find(check.day); stored != prizes.end()) check.quotas = stored->second;
    draw.paysExtraOnly = findQuota(check.quotas, PrizeRank::Extra) != nullptr;
    check.ranks = countSystemRanks(m_system, draw);
    check.wonCents = systemWonCents(check.ranks, check.quotas);
    for (const SystemTip& tip : expandSystem(m_system))
        check.tipRanks.push_back(tipRank(tip, draw));
    return check;
}

void MainState::SystemSaveClick() {
    if (const auto problem = systemProblem()) {
        m_host.showMessage(*problem);
        return;
    }
    FileDialogState dialog = m_systemDialog;
    if (dialog.fileName.empty()) {
        // Beside the tip files: in the folder of the tip file last loaded, if any.
        const std::string& tipFile = m_openDialog1.fileName;
        const std::size_t slash = tipFile.rfind('/');
        dialog.fileName = (slash == std::string::npos ? std::string() : tipFile.substr(0, slash + 1)) +
                          "System " + std::to_string(m_system.bankerCount()) + "-" +
                          std::to_string(m_system.choiceCount()) + "." + kSystemFileExt;
    }
    const auto file = m_host.chooseSaveFile(dialog);
    if (!file) return;
    DrawArchive(archivePath()).refuseAsOutput(*file);
    writeFileAtomically(*file, formatSystemFile(m_system));
    m_systemDialog.fileName = *file;
}

void MainState::loadSystemFile(const std::string& path) {
    m_system = parseSystemFile(readWholeFile(path, kSystemFileMaxBytes));
}

void MainState::SystemLoadClick() {
    const auto file = m_host.chooseOpenFile(m_systemDialog);
    if (!file) return;
    loadSystemFile(*file); // a file that holds no system leaves the marks as they are
    m_systemDialog.fileName = *file;
}

bool MainState::SystemPrintClick() {
    if (const auto problem = systemProblem()) {
        m_host.showMessage(*problem);
        return true;
    }
    if (systemTipCount(m_system) > kSystemTicketTips) return false;
    std::array<std::string, tipgrid::kCells> cells;
    std::size_t cell = 0;
    for (const SystemTip& tip : expandSystem(m_system))
        for (const int n : tip)
            cells[cell++] = std::to_string(n);
    printTicket(cells);
    return true;
}

void MainState::addSystemBalance() {
    m_systemBalance.reset();
    if (systemProblem()) return;
    BusyScope busy(m_host);
    DrawArchiveReader reader(archivePath());
    const SystemBalance system =
        computeSystemBalance(reader, archiveFilter(), kLastDay, m_system, storedPrizes(), m_stakeCents);
    addSystemToBalance(m_prizeBalance, system);
    m_systemBalance = system.tally;
}

} // namespace lotto
