#include "core/system/SystemFile.h"

#include "core/util/Text.h"

#include <optional>
#include <stdexcept>

namespace lotto {

namespace {
constexpr std::string_view kHeader = "[Zerbosts Lotto System]";
} // namespace

std::string formatSystemFile(const SystemBet& bet) {
    std::string text;
    text += kHeader;
    text += "\r\nSystem=" + systemName(bet) + "\r\n";
    text += "Bankzahlen=" + joinNumbers(bet.bankers) + "\r\n";
    text += "Wahlzahlen=" + joinNumbers(bet.choices) + "\r\n";
    text += "Tipps=" + std::to_string(systemTipCount(bet)) + "\r\n";
    return text;
}

SystemBet parseSystemFile(std::string_view text) {
    std::optional<std::vector<int>> bankers;
    std::optional<std::vector<int>> choices;
    bool header = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == kHeader) header = true;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == "Bankzahlen" || key == "Wahlzahlen") {
            const auto numbers = parseNumberList(value);
            if (!numbers)
                throw std::runtime_error("Die Systemdatei enthält bei „" + std::string(key) +
                                         "“ etwas anderes als Zahlen mit Komma dazwischen.");
            (key == "Bankzahlen" ? bankers : choices) = numbers;
        }
    }
    if (!header || !choices)
        throw std::runtime_error("Die Datei ist keine Systemdatei von Zerbosts Lotto (es fehlt „" +
                                 std::string(header ? "Wahlzahlen=" : kHeader) + "“).");
    SystemBet bet = makeSystem(bankers.value_or(std::vector<int>{}), *choices);
    if (const auto problem = systemProblem(bet))
        throw std::runtime_error("Die Systemdatei ist ungültig: " + *problem);
    return bet;
}

std::string formatSystemSheet(const SystemBet& bet, std::int64_t stakeCents) {
    const std::int64_t tips = systemTipCount(bet);
    std::string text = "System " + systemName(bet) + ": " + formatGrouped(tips) + " Tipps, " +
                       formatCents(tips * stakeCents) + "\n";
    if (!bet.bankers.empty()) text += "Bankzahlen: " + joinNumbers(bet.bankers, " ") + "\n";
    text += "Wahlzahlen: " + joinNumbers(bet.choices, " ") + "\n\n";
    int number = 0;
    for (const SystemTip& tip : expandSystem(bet)) {
        std::string line = std::to_string(++number) + ".";
        line.resize(7, ' ');
        for (const int n : tip) {
            std::string cell = std::to_string(n);
            line += std::string(4 - cell.size(), ' ') + cell;
        }
        text += line + "\n";
    }
    return text;
}

} // namespace lotto
