#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lotto {

// A system ticket ("Systemschein"): bankers ("Bankzahlen") that stand in every tip and
// choice numbers ("Wahlzahlen") from which each tip takes the rest. It stands for every
// tip of all bankers and 6 - B choice numbers: C(W, 6 - B) tips.
struct SystemBet {
    std::vector<int> bankers; // ascending
    std::vector<int> choices; // ascending
    int bankerCount() const { return static_cast<int>(bankers.size()); }
    int choiceCount() const { return static_cast<int>(choices.size()); }
    bool empty() const { return bankers.empty() && choices.empty(); }
    bool operator==(const SystemBet&) const = default;
};

inline constexpr int kMaxBankers = 5;
inline constexpr int kMinSystemNumbers = 7;
inline constexpr std::int64_t kMaxSystemTips = 5005;

using SystemTip = std::array<int, 6>;

std::int64_t binomial(int n, int k); // 0 outside 0 <= k <= n

// C(W, 6 - B); 0 when the bankers alone exceed a tip.
std::int64_t systemTipCount(int bankers, int choices);
inline std::int64_t systemTipCount(const SystemBet& bet) {
    return systemTipCount(bet.bankerCount(), bet.choiceCount());
}

// The shorthand of the ticket: "B/W", e.g. "2/8".
std::string systemName(int bankers, int choices);
inline std::string systemName(const SystemBet& bet) {
    return systemName(bet.bankerCount(), bet.choiceCount());
}

// The banker/choice systems of the Austrian system ticket as far as they are known here,
// ascending by bankers, then choices. Any other valid system is played as single tips.
struct SystemSize {
    int bankers = 0;
    int choices = 0;
};
const std::vector<SystemSize>& ticketSystems();
bool isTicketSystem(int bankers, int choices);

// What no grid of marks can hold: a number outside 1..45 or twice, more than five bankers.
std::optional<std::string> markProblem(const SystemBet& bet);
// Why the numbers make no playable system, in German; nothing when they do. Checked: every
// number 1..45 and used once, at most five bankers, at least seven numbers, at most 5,005 tips.
std::optional<std::string> systemProblem(const SystemBet& bet);

// Builds a system from two lists (order and repetition as given, checked by systemProblem).
SystemBet makeSystem(std::vector<int> bankers, std::vector<int> choices);

// Numbers separated by "," ("3,17,22"); an empty text is no number. Nothing when a part is
// not a whole number.
std::optional<std::vector<int>> parseNumberList(std::string_view text);
std::string joinNumbers(const std::vector<int>& numbers, std::string_view separator = ",");

// The marks as the settings keep them between runs: "3,17/1,5,9,22" (bankers/choices). Reading
// takes any marks that could stand on the grid (also too few for a system), else none.
std::string formatSystemSetting(const SystemBet& bet);
SystemBet parseSystemSetting(std::string_view text);

// Every tip of a valid system, each ascending, the tips in ascending lexicographic order.
std::vector<SystemTip> expandSystem(const SystemBet& bet);

} // namespace lotto
