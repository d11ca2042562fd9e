#include "cli/CliApp.h"

#include "bundle/BundledArchive.h"
#include "cli/CliHost.h"
#include "cli/OnlinePart.h"
#include "core/archive/ArchiveBackups.h"
#include "core/archive/ArchiveMaintenance.h"
#include "core/archive/DrawArchive.h"
#include "core/backtest/ChanceComparison.h"
#include "core/shell/ImportSources.h"
#include "core/shell/MainState.h"
#include "core/shell/ProgramDirectory.h"
#include "core/util/CheckedMath.h"
#include "core/util/File.h"
#include "core/util/SystemClock.h"
#include "core/util/Text.h"
#include "settings/QtSettingsStore.h"

#include <charconv>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <set>

namespace lotto {

namespace {

constexpr const char* kUsage = R"(Aufruf: lotto-cli [--datadir DIR] [--no-settings] BEFEHL [ARGUMENTE]

Befehle:
  show [--date D]                       Ziehung zum Datum D (Vorgabe: heute) anzeigen
  check TIPS.qtp [--date D]             Tipps gegen die Ziehung zum Datum D prüfen
  stats ART [--since D] [--no-sunday] [--no-wednesday] [--tips TIPS.qtp]
                                        Statistik: frequency, digitsums, pairs, triples,
                                        quadruples, overdue oder tips (mit --tips)
  generate [--seed N] [--set NAME=WERT]... [--out TIPS.qtp]
                                        Tipps berechnen; --seed N: 0 bis 4294967295;
                                        --set ändert eine Option
                                        (Chekcbox1..15, Chekcbox18: 0/1; UpDown1..8: Position)
  update [--source S] [--from D] [--server URL] [--proxy HOST] [--proxy-port PORT] [--file PATH]
                                        Archiv aus dem Internet ergänzen (Quelle: {SOURCES}; Vorgabe: die gewählte Quelle)
  import DATEI                          Ziehungen einer Ergebnisdatei ins Archiv übernehmen
  rebuild --from D [--source S] [--server URL] [--proxy HOST] [--proxy-port PORT] [--file PATH]
                                        Archiv ab dem Datum D neu einlesen
  latest [--url URL] [--tips TIPS.qtp]  letzte Mittwochs- und Samstagsziehung laden, Treffer
                                        der Tipps 1 bis 6
  fetch URL [--file PATH] [--proxy HOST] [--proxy-port PORT]
                                        eine Seite in die Temp-Datei laden
  search TIPS.qtp [--threshold N] [--since D]
                                        Tipps 1 bis 8 im Archiv ab D suchen; jede Ziehung
                                        mit mindestens N Treffern (Vorgabe 6) melden
  prizes TIPS.qtp [--since D] [--to D] [--no-sunday] [--no-wednesday] [--stake CENTS]
                                        Gewinnbilanz der Tipps: Ränge, Gewinn, Einsatz und
                                        Saldo in Cent je Tipp (Einsatz je Tipp und Ziehung)
  backtest [--since D] [--to D] [--no-sunday] [--no-wednesday] [--seed N] [--set NAME=WERT]...
                                        Strategie-Test: die Tipps, die jede Ziehung des
                                        Zeitraums aus den Ziehungen davor bekommen hätte
                                        (Glückszahl N + Position), gegen Zufallstipps
  sheet TIPS.qtp [--date D]             Tippzettel Tipp.txt für die Ziehung nach D schreiben
  export DATEI [--from D]               Archiv ab D (Vorgabe: 09.10.1955) als Text speichern
  add D N1 N2 N3 N4 N5 N6 Z             Ziehung vom D von Hand eingeben
  delete D                              Ziehung vom D löschen
  system WAHLZAHLEN [--bank BANKZAHLEN] [--list] [--date D] [--stake CENTS]
                                        Systemschein: Zahlen mit Komma getrennt; Anzahl der
                                        Tipps und Kosten in Cent, mit --list jeder Tipp, mit
                                        --date die Gewinnränge bei der Ziehung vom D
  backups                               gesicherte Archive auflisten (1 = neueste)
  restore N                             Sicherung N als Archiv zurückholen
  ticket TIPS.qtp --pdf OUT.pdf [--top N] [--left N] [--days so|mi|so,mi|none]
         [--joker] [--joker2] [--joker3] [--test-image]
                                        Tipps für den Lottoschein als PDF-Seite drucken;
                                        --top/--left: Versatz 0 bis 100

Gemeinsame Optionen:
  --datadir DIR   Programmverzeichnis (Archiv ZahlenAT.dat usw.)
  --no-settings   gespeicherte Einstellungen nicht lesen
  --help          diese Hilfe
  --version       Name und Version des Programms

Jede Option außer --set darf nur einmal vorkommen.

Datumsangaben: TT.MM.JJJJ. Exit-Status: 0 erledigt, 1 fehlgeschlagen, 2 falscher Aufruf.
)";

// The usage with the import sources' names from the source table: the first ends the line of
// the description, the others follow on the next line.
const std::string& usage() {
    static const std::string text = [] {
        const std::string nextLine = ",\n" + std::string(40, ' ');
        std::string names;
        for (std::size_t i = 0; i < importSources().size(); ++i)
            names += (i == 0   ? std::string()
                      : i == 1 ? nextLine
                               : std::string(", ")) +
                     importSources()[i].cliName;
        std::string all = kUsage;
        const std::string placeholder = "{SOURCES}";
        all.replace(all.find(placeholder), placeholder.size(), names);
        return all;
    }();
    return text;
}

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The arguments of one command: positional words, options with a value, flags.
struct Arguments {
    std::vector<std::string> positional;
    std::multimap<std::string, std::string> values;
    std::set<std::string> flags;

    std::optional<std::string> value(const std::string& name) const {
        const auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool flag(const std::string& name) const { return flags.count(name) != 0; }
};

struct CommandSyntax {
    std::size_t minPositional;
    std::size_t maxPositional;
    std::set<std::string> valueOptions;
    std::set<std::string> flagOptions;
};

const std::map<std::string, CommandSyntax>& commandSyntaxes() {
    static const std::map<std::string, CommandSyntax> syntaxes{
        {"show", {0, 0, {"--date"}, {}}},
        {"check", {1, 1, {"--date"}, {}}},
        {"stats", {1, 1, {"--since", "--tips"}, {"--no-sunday", "--no-wednesday"}}},
        {"generate", {0, 0, {"--seed", "--set", "--out"}, {}}},
        {"update", {0, 0, {"--source", "--from", "--server", "--proxy", "--proxy-port", "--file"}, {}}},
        {"rebuild", {0, 0, {"--source", "--from", "--server", "--proxy", "--proxy-port", "--file"}, {}}},
        {"import", {1, 1, {}, {}}},
        {"fetch", {1, 1, {"--proxy", "--proxy-port", "--file"}, {}}},
        {"latest", {0, 0, {"--url", "--tips"}, {}}},
        {"search", {1, 1, {"--threshold", "--since"}, {}}},
        {"prizes", {1, 1, {"--since", "--to", "--stake"}, {"--no-sunday", "--no-wednesday"}}},
        {"backtest", {0, 0, {"--since", "--to", "--seed", "--set"}, {"--no-sunday", "--no-wednesday"}}},
        {"sheet", {1, 1, {"--date"}, {}}},
        {"export", {1, 1, {"--from"}, {}}},
        {"add", {8, 8, {}, {}}},
        {"delete", {1, 1, {}, {}}},
        {"system", {1, 1, {"--bank", "--date", "--stake"}, {"--list"}}},
        {"backups", {0, 0, {}, {}}},
        {"restore", {1, 1, {}, {}}},
        {"ticket",
         {1, 1, {"--pdf", "--top", "--left", "--days"}, {"--joker", "--joker2", "--joker3", "--test-image"}}},
    };
    return syntaxes;
}

// The seed in one notation for the whole 32-bit range: 0 to 4294967295. The lucky number
// of the window takes a signed number, so its -1 is the seed 4294967295 here.
std::uint32_t parseSeedArgument(const std::string& text) {
    std::uint64_t value = 0;
    bool valid = !text.empty() && text.size() <= 10;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') {
            valid = false;
            break;
        }
        value = value * 10 + static_cast<std::uint64_t>(ch - '0');
    }
    if (!valid || value > 0xFFFFFFFFULL)
        throw UsageError("--seed: eine ganze Zahl von 0 bis 4294967295 erwartet: " + text);
    return static_cast<std::uint32_t>(value);
}

DayNumber parseDateArgument(const std::string& option, const std::string& text, Clock& clock) {
    const auto day = parseShortDate(text, civilDate(clock.today()).year);
    if (!day) throw UsageError(option + ": kein gültiges Datum (TT.MM.JJJJ): " + text);
    return *day;
}

std::string joinTip(const MainState& state, int tip) {
    std::string line;
    for (int c = 0; c < tipgrid::kCellsPerTip; ++c) {
        if (c > 0) line += ',';
        line += state.cell(tip * tipgrid::kCellsPerTip + c);
    }
    return line;
}

void printChart(const MainState& state, std::ostream& out) {
    const ChartModel& chart = state.chart();
    out << "title: " << chart.axisTitle << '\n';
    if (chart.valueAxisAutomatic)
        out << "axis: automatic\n";
    else
        out << "axis: fixed " << chart.valueAxisMin << ' ' << chart.valueAxisMax << '\n';
    for (const ChartBar& bar : chart.bars)
        out << bar.x << ' ' << bar.y << '\n';
}

class Session {
public:
    Session(MainState& state, CliHost& host, const Arguments& args, std::ostream& out)
        : m_state(state), m_host(host), m_args(args), m_out(out) {}

    int show() {
        setEvaluationDate();
        m_state.SpeedButton5Click();
        if (!m_host.messages.empty()) return 1;
        m_out << m_state.label(WindowLabel::DrawCaption).text << '\n'
              << m_state.label(WindowLabel::DigitSum).text << '\n';
        return 0;
    }

    int check() {
        m_state.loadTipFile(m_args.positional.at(0));
        setEvaluationDate();
        m_state.SpeedButton5Click();
        if (!m_host.messages.empty()) return 1;
        m_out << m_state.label(WindowLabel::DrawCaption).text << '\n';
        for (int tip = 0; tip < tipgrid::kTips; ++tip) {
            const LabelControl& hit = m_state.label(hitLabel(tip));
            m_out << joinTip(m_state, tip) << '\t' << m_state.label(tipSumLabel(tip)).text << '\t' << hit.text
                  << '\t' << (hit.color == LabelColor::Red ? "red" : "black") << '\n';
        }
        return 0;
    }

    int stats() {
        if (const auto since = m_args.value("--since"))
            m_state.setStatisticsStart(parseDateArgument("--since", *since, m_state.clock()));
        if (m_args.flag("--no-sunday")) m_state.setWeekdayBox(WeekdayBox::Sundays, false);
        if (m_args.flag("--no-wednesday")) m_state.setWeekdayBox(WeekdayBox::Wednesdays, false);
        const std::string& kind = m_args.positional.at(0);
        static const std::map<std::string, void (MainState::*)()> operations{
            {"frequency", &MainState::SpeedButton2Click}, {"digitsums", &MainState::SpeedButton9Click},
            {"tips", &MainState::Button6Click},           {"pairs", &MainState::Button2Click},
            {"triples", &MainState::Button3Click},        {"quadruples", &MainState::Button4Click},
            {"overdue", &MainState::Button5Click},
        };
        const auto op = operations.find(kind);
        if (op == operations.end()) throw UsageError("stats: unbekannte Art „" + kind + "“");
        if (kind == "tips") {
            const auto tips = m_args.value("--tips");
            if (!tips) throw UsageError("stats tips braucht --tips TIPS.qtp");
            m_state.loadTipFile(*tips);
        }
        (m_state.*(op->second))();
        printChart(m_state, m_out);
        return 0;
    }

    int generate() {
        if (const auto seed = m_args.value("--seed")) m_state.random().setSeed(parseSeedArgument(*seed));
        for (auto [it, end] = m_args.values.equal_range("--set"); it != end; ++it)
            applySet(it->second);
        // Refused before the run, so nothing is printed that is not also saved.
        if (const auto file = m_args.value("--out")) DrawArchive(m_state.archivePath()).refuseAsOutput(*file);
        m_state.Label28Click();
        for (int tip = 0; tip < tipgrid::kTips; ++tip)
            m_out << joinTip(m_state, tip) << '\n';
        m_out << "status: " << m_state.statusText(1) << '\n';
        if (const auto file = m_args.value("--out")) {
            m_host.saveFile = *file;
            m_state.SpeedButton15Click();
        }
        return 0;
    }

    int search() {
        m_state.loadTipFile(m_args.positional.at(0));
        if (const auto since = m_args.value("--since"))
            m_state.setStatisticsStart(parseDateArgument("--since", *since, m_state.clock()));
        m_state.runTipSearch(
            m_args.value("--threshold").value_or("6"),
            [this](int tip, const std::string& text) { m_out << tip + 1 << '\t' << text << '\n'; });
        return 0;
    }

    int prizes() {
        m_state.loadTipFile(m_args.positional.at(0));
        if (const auto since = m_args.value("--since"))
            m_state.setStatisticsStart(parseDateArgument("--since", *since, m_state.clock()));
        if (m_args.flag("--no-sunday")) m_state.setWeekdayBox(WeekdayBox::Sundays, false);
        if (m_args.flag("--no-wednesday")) m_state.setWeekdayBox(WeekdayBox::Wednesdays, false);
        const DayNumber to = m_args.value("--to")
                                 ? parseDateArgument("--to", *m_args.value("--to"), m_state.clock())
                                 : kLastDay;
        const PrizeBalance balance = m_state.computePrizeBalance(to, stakeArgument());
        auto printTally = [this](const std::string& name, const PrizeTally& tally) {
            m_out << name << '\t' << tally.played;
            for (const std::int64_t count : tally.ranks)
                m_out << '\t' << count;
            m_out << '\t' << tally.wonCents << '\t' << tally.stakeCents << '\t' << tally.netCents() << '\n';
        };
        for (std::size_t i = 0; i < balance.tips.size(); ++i)
            printTally(std::to_string(balance.tips[i] + 1), balance.perTip[i]);
        printTally("total", balance.total);
        return 0;
    }

    // The period is the arguments' alone: the generation keeps the statistics filter it
    // has, as `generate` would run on each draw's archive.
    int backtest() {
        ArchiveFilter period = m_state.archiveFilter();
        if (const auto since = m_args.value("--since"))
            period.startDate = parseDateArgument("--since", *since, m_state.clock());
        if (m_args.flag("--no-sunday")) period.sundays = false;
        if (m_args.flag("--no-wednesday")) period.wednesdays = false;
        const DayNumber to = m_args.value("--to")
                                 ? parseDateArgument("--to", *m_args.value("--to"), m_state.clock())
                                 : kLastDay;
        const std::uint32_t seed = m_args.value("--seed") ? parseSeedArgument(*m_args.value("--seed")) : 0;
        for (auto [it, end] = m_args.values.equal_range("--set"); it != end; ++it)
            applySet(it->second);
        const auto result = m_state.StrategieTestClick(period, to, seed);
        if (!result) return 1;
        const auto fixed = [](double value, int decimals) {
            char text[64];
            const auto end =
                std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
            return std::string(text, end);
        };
        const double tips = static_cast<double>(result->tips);
        m_out << "draws\t" << result->draws << "\ntips\t" << result->tips << '\n';
        for (int k = 0; k <= 6; ++k)
            m_out << "hits\t" << k << '\t' << result->hits[static_cast<std::size_t>(k)] << '\t'
                  << fixed(tips * hitProbability(k), 2) << '\n';
        for (int r = 0; r < kPrizeRanks; ++r) {
            const auto rank = static_cast<PrizeRank>(r);
            const double base = rank == PrizeRank::Extra ? static_cast<double>(result->extraOnlyTips) : tips;
            m_out << "rank\t" << prizeRankName(rank) << '\t' << result->ranks[static_cast<std::size_t>(r)]
                  << '\t' << fixed(base * rankProbability(rank), 2) << '\n';
        }
        const ChiSquareTest test = chiSquareOfHits(result->hits, result->tips);
        m_out << "won\t" << result->wonCents << "\nstake\t" << result->stakeCents << '\n'
              << "chi2\t" << fixed(test.statistic, 4) << '\t' << test.degreesOfFreedom << '\t'
              << fixed(test.pValue, 4) << '\n';
        return 0;
    }

    int system() {
        const auto choices = parseNumberList(m_args.positional.at(0));
        const auto bankers = parseNumberList(m_args.value("--bank").value_or(""));
        if (!choices || !bankers) {
            m_host.showMessage(
                "Die Zahlen des Systems sind ganze Zahlen von 1 bis 45, durch \",\" getrennt.");
            return 1;
        }
        const SystemBet bet = makeSystem(*bankers, *choices);
        if (const auto problem = systemProblem(bet)) {
            m_host.showMessage(*problem);
            return 1;
        }
        const std::int64_t stake = stakeArgument();
        std::optional<DayNumber> day;
        if (const auto date = m_args.value("--date"))
            day = parseDateArgument("--date", *date, m_state.clock());
        m_state.setSystem(bet);
        // The draw is looked up first, so a date without a draw prints nothing.
        std::optional<MainState::SystemDrawCheck> check;
        if (day) {
            m_state.setDrawDate(*day);
            m_state.SpeedButton5Click();
            if (!m_host.messages.empty()) return 1;
            if (wholeDay(m_state.currentDraw().date) != *day) {
                m_host.showMessage("Keine Ziehung am " + formatShortDate(*day));
                return 1;
            }
            check = m_state.SystemCheckClick();
            if (!check) return 1;
        }
        const std::int64_t tips = systemTipCount(bet);
        m_out << "system\t" << systemName(bet) << '\t' << tips << '\t' << checkedMul(tips, stake) << '\n';
        if (m_args.flag("--list"))
            for (const SystemTip& tip : expandSystem(bet))
                m_out << joinNumbers({tip.begin(), tip.end()}) << '\n';
        if (!check) return 0;
        m_out << "draw\t" << m_state.label(WindowLabel::DrawCaption).text << '\n';
        for (std::size_t r = 0; r < check->ranks.size(); ++r)
            m_out << prizeRankName(static_cast<PrizeRank>(r)) << '\t' << check->ranks[r] << '\n';
        m_out << "won\t" << check->wonCents << '\n';
        return 0;
    }

    int sheet() {
        m_state.loadTipFile(m_args.positional.at(0));
        setEvaluationDate();
        m_state.SpeedButton5Click();
        if (!m_host.messages.empty()) return 1;
        m_out << std::filesystem::absolute(m_state.writeTipSheet()).lexically_normal().string() << '\n';
        return 0;
    }

    int exportArchive() {
        const auto from = m_args.value("--from");
        m_state.setDrawDate(from ? parseDateArgument("--from", *from, m_state.clock())
                                 : MainState::earliestDate());
        m_host.saveFile = m_args.positional.at(0);
        m_state.BitBtn3Click();
        return m_host.messages.empty() ? 0 : 1;
    }

    int add() {
        DrawEntry entry;
        entry.date = parseDateArgument("Datum", m_args.positional.at(0), m_state.clock());
        for (std::size_t i = 0; i < 7; ++i) {
            const std::string& text = m_args.positional.at(i + 1);
            const auto n = toInt(text);
            if (!n) throw UsageError("add: keine ganze Zahl: " + text);
            (i < 6 ? entry.main[i] : entry.extra) = *n;
        }
        m_host.drawEntry = entry;
        m_state.BitBtn8Click();
        if (!m_host.messages.empty()) return 1;
        m_out << m_state.label(WindowLabel::DrawCaption).text << '\n';
        return 0;
    }

    // The draw dated D is shown first, as in the window, then deleted as the shown draw.
    int remove() {
        const DayNumber day = parseDateArgument("Datum", m_args.positional.at(0), m_state.clock());
        m_state.setDrawDate(day);
        m_state.SpeedButton5Click();
        if (!m_host.messages.empty()) return 1;
        if (wholeDay(m_state.currentDraw().date) != day) {
            m_host.showMessage("Keine Ziehung am " + formatShortDate(day));
            return 1;
        }
        m_state.BitBtn4Click();
        return m_host.messages.empty() ? 0 : 1;
    }

    int backups() {
        int number = 0;
        for (const ArchiveBackup& backup : listBackups(m_state.archivePath()))
            m_out << ++number << '\t' << formatBackupTime(backup.takenAt) << '\t' << backup.draws << '\t'
                  << (backup.newest ? formatShortDate(*backup.newest) : std::string()) << '\n';
        return 0;
    }

    int restore() {
        const std::string& text = m_args.positional.at(0);
        const auto number = toInt(text);
        if (!number || *number < 1)
            throw UsageError("restore: die Nummer einer Sicherung (1 = neueste) erwartet: " + text);
        m_host.backupChoice = static_cast<std::size_t>(*number - 1);
        if (!m_state.RestoreBackupClick() || !m_host.messages.empty()) return 1;
        m_out << m_state.label(WindowLabel::DrawCaption).text << '\n';
        return 0;
    }

    int ticket() {
        const auto pdf = m_args.value("--pdf");
        if (!pdf) throw UsageError("ticket braucht --pdf OUT.pdf");
        CliHost::TicketAnswers answers;
        answers.top = offsetArgument("--top");
        answers.left = offsetArgument("--left");
        if (const auto days = m_args.value("--days")) {
            if (*days != "so" && *days != "mi" && *days != "so,mi" && *days != "none")
                throw UsageError("--days: so, mi, so,mi oder none erwartet: " + *days);
            answers.sunday = *days == "so" || *days == "so,mi";
            answers.wednesday = *days == "mi" || *days == "so,mi";
        }
        answers.joker = m_args.flag("--joker");
        answers.joker2 = m_args.flag("--joker2");
        answers.joker3 = m_args.flag("--joker3");
        answers.testImage = m_args.flag("--test-image");
        m_state.loadTipFile(m_args.positional.at(0));
        DrawArchive(m_state.archivePath()).refuseAsOutput(*pdf);
        m_host.ticketAnswers = answers;
        m_state.SpeedButton12Click();
        if (!m_host.ticketPreviewed) return 1;
        // The page first: nothing is printed for a PDF that could not be written.
        const TicketLayout& layout = m_state.ticketLayout();
        writeFileAtomically(*pdf, onlineTicketPdf(layout));
        m_out << "Kosten: " << m_host.ticketCost << '\n';
        for (const TicketMark& mark : layout.printedMarks())
            m_out << mark.name << ' ' << mark.left << ' ' << mark.top << '\n';
        return 0;
    }

    int update() {
        m_state.runImport(prepareImport().source);
        return importOutput();
    }

    int importFile() {
        m_host.openFile = m_args.positional.at(0);
        m_state.ImportFileBitBtnClick();
        if (!m_host.messages.empty()) return 1; // not a results file: the message alone
        return importOutput();
    }

    int rebuild() {
        if (!m_args.value("--from")) throw UsageError("rebuild braucht --from D");
        prepareImport(true);
        m_state.BitBtn2Click();
        return importOutput();
    }

    int latest() {
        if (const auto url = m_args.value("--url")) m_state.setUrlEdit(*url);
        if (const auto tips = m_args.value("--tips")) m_state.loadTipFile(*tips);
        for (const WindowLabel label : m_state.Button1Click())
            m_out << designerName(label) << ": " << m_state.label(label).text << '\n';
        return m_host.messages.empty() ? 0 : 1;
    }

    int fetch() {
        applyDownloadOptions();
        const bool received = m_state.HttpFetch(m_args.positional.at(0));
        m_out << m_state.statusText(0) << '\n';
        return received && m_state.statusText(0).rfind("Received", 0) == 0 ? 0 : 1;
    }

private:
    // --stake CENTS, else the stored price per tip.
    std::int64_t stakeArgument() const {
        const auto text = m_args.value("--stake");
        if (!text) return m_state.stakeCents();
        const auto cents = toInt(*text);
        if (!cents || *cents < 0 || text->front() == '+' || text->front() == '-')
            throw UsageError("--stake: eine ganze Zahl von Cent ab 0 erwartet: " + *text);
        return *cents;
    }

    std::optional<int> offsetArgument(const std::string& option) const {
        const auto text = m_args.value(option);
        if (!text) return std::nullopt;
        const auto value = toInt(*text);
        if (!value || *value < ticket::kOffsetMin || *value > ticket::kOffsetMax)
            throw UsageError(option + ": eine ganze Zahl von 0 bis 100 erwartet: " + *text);
        return value;
    }

    void applyDownloadOptions() {
        if (const auto proxy = m_args.value("--proxy")) m_state.setProxyHostEdit(*proxy);
        if (const auto port = m_args.value("--proxy-port")) m_state.setProxyPortEdit(*port);
        if (const auto file = m_args.value("--file")) m_state.setFileNameEdit(*file);
    }

    // The source's server, picker and status output for update and rebuild; returns the source.
    // Without --source the Austrian source chosen on "Internet-Optionen" applies.
    const ImportSourceInfo& prepareImport(bool rebuilding = false) {
        const std::string name =
            m_args.value("--source").value_or(importSourceInfo(m_state.austrianSource()).cliName);
        const ImportSourceInfo* source = findImportSource(name);
        if (!source) throw UsageError("--source: unbekannte Quelle „" + name + "“");
        if (rebuilding && !source->choosable)
            throw UsageError("--source " + name + ": rebuild liest nur die österreichischen Quellen");
        if (source->choosable) m_state.setAustrianSource(source->source);
        applyDownloadOptions();
        if (const auto url = m_args.value("--server")) m_state.setServer(source->source, *url);
        if (const auto from = m_args.value("--from"))
            m_state.setDrawDate(parseDateArgument("--from", *from, m_state.clock()));
        else
            m_state.setDrawDate(m_state.clock().today());
        m_state.setStatusListener([this](int panel, const std::string& text) {
            if (panel == 0) m_out << text << '\n' << std::flush;
        });
        return *source;
    }

    int importOutput() {
        m_state.setStatusListener({});
        const auto& report = m_state.lastImport();
        m_out << "Neue Ziehungen: " << (report ? report->added : 0) << '\n';
        m_out << m_state.label(WindowLabel::TipPageDraw).text << '\n';
        return m_host.messages.empty() ? 0 : 1;
    }

    void setEvaluationDate() {
        const auto date = m_args.value("--date");
        m_state.setDrawDate(date ? parseDateArgument("--date", *date, m_state.clock())
                                 : m_state.clock().today());
    }

    void applySet(const std::string& assignment) {
        const std::size_t eq = assignment.find('=');
        if (eq == std::string::npos) throw UsageError("--set erwartet NAME=WERT: " + assignment);
        const std::string name = assignment.substr(0, eq);
        const auto value = toInt(assignment.substr(eq + 1));
        if (!value) throw UsageError("--set " + name + ": keine ganze Zahl");
        const OptionInfo* option = findOption(name);
        if (!option) throw UsageError("--set: unbekannte Option „" + name + "“");
        if (option->control == OptionControl::CheckBox && *value != 0 && *value != 1)
            throw UsageError("--set " + assignment + ": " + name + " mit 0 oder 1");
        m_state.setOption(option->option, *value); // a position is kept within the control's range
        m_state.UpDown7Changing();
    }

    MainState& m_state;
    CliHost& m_host;
    const Arguments& m_args;
    std::ostream& m_out;
};

} // namespace

int runCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    std::optional<std::string> dataDir;
    bool noSettings = false;
    std::string command;
    Arguments args;
    try {
        std::vector<std::string> rest;
        for (std::size_t i = 0; i < argv.size(); ++i) {
            const std::string& a = argv[i];
            if (a == "--help" || a == "-h") {
                out << usage();
                return 0;
            }
            if (a == "--version") {
                out << "Zerbosts Lotto " << LOTTO_VERSION << '\n';
                return 0;
            }
            if (a == "--datadir") {
                if (i + 1 >= argv.size()) throw UsageError("--datadir braucht ein Verzeichnis");
                if (dataDir) throw UsageError("--datadir ist mehrfach angegeben");
                dataDir = argv[++i];
            } else if (a == "--no-settings") {
                if (noSettings) throw UsageError("--no-settings ist mehrfach angegeben");
                noSettings = true;
            } else {
                rest.push_back(a);
            }
        }
        if (rest.empty()) throw UsageError("kein Befehl angegeben");
        command = rest.front();
        const auto syntax = commandSyntaxes().find(command);
        if (syntax == commandSyntaxes().end()) throw UsageError("unbekannter Befehl „" + command + "“");
        for (std::size_t i = 1; i < rest.size(); ++i) {
            const std::string& a = rest[i];
            if (syntax->second.valueOptions.count(a)) {
                if (i + 1 >= rest.size()) throw UsageError(a + " braucht einen Wert");
                if (a != "--set" && args.values.count(a)) throw UsageError(a + " ist mehrfach angegeben");
                args.values.emplace(a, rest[++i]);
            } else if (syntax->second.flagOptions.count(a)) {
                if (!args.flags.insert(a).second) throw UsageError(a + " ist mehrfach angegeben");
            } else if (a.size() > 1 && a[0] == '-' && !toInt(a)) { // "-5" is a number of `add`
                throw UsageError("unbekannte Option „" + a + "“ für " + command);
            } else {
                args.positional.push_back(a);
            }
        }
        if (args.positional.size() < syntax->second.minPositional ||
            args.positional.size() > syntax->second.maxPositional)
            throw UsageError("falsche Zahl von Argumenten für " + command);
    } catch (const UsageError& e) {
        err << "lotto-cli: " << e.what() << '\n' << usage();
        return 2;
    }

    CliHost host(err);
    try {
        const std::string dir = prepareProgramDirectory(
            dataDir ? *dataDir : defaultProgramDirectory().toStdString(), bundledArchive());
        SystemClock clock;
        MainState state(dir, host, clock);
        std::unique_ptr<SettingsStore> store;
        if (noSettings)
            store = std::make_unique<MemorySettingsStore>();
        else
            store = std::make_unique<QtSettingsStore>();
        state.restoreStartupState(*store);

        Session session(state, host, args, out);
        static const std::map<std::string, int (Session::*)()> handlers{
            {"show", &Session::show},         {"check", &Session::check},
            {"stats", &Session::stats},       {"generate", &Session::generate},
            {"update", &Session::update},     {"rebuild", &Session::rebuild},
            {"import", &Session::importFile}, {"fetch", &Session::fetch},
            {"latest", &Session::latest},     {"search", &Session::search},
            {"prizes", &Session::prizes},     {"backtest", &Session::backtest},
            {"sheet", &Session::sheet},       {"export", &Session::exportArchive},
            {"add", &Session::add},           {"delete", &Session::remove},
            {"system", &Session::system},     {"backups", &Session::backups},
            {"restore", &Session::restore},   {"ticket", &Session::ticket}};
        return (session.*(handlers.at(command)))();
    } catch (const UsageError& e) {
        err << "lotto-cli: " << e.what() << '\n' << usage();
        return 2;
    } catch (const std::exception& e) {
        // An operation that already said why it stopped (a message box in the window) is
        // not reported twice.
        if (host.messages.empty()) err << "lotto-cli: " << e.what() << '\n';
        return 1;
    }
}

} // namespace lotto
