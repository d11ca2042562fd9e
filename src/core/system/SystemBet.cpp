#include "core/system/SystemBet.h"

#include "core/archive/DrawRecord.h"
#include "core/util/Text.h"

#include <algorithm>

namespace lotto {

std::int64_t binomial(int n, int k) {
    if (k < 0 || n < 0 || k > n) return 0;
    k = std::min(k, n - k);
    std::int64_t value = 1;
    for (int i = 1; i <= k; ++i)
        value = value * (n - k + i) / i; // exact: a product of i consecutive numbers is divisible by i!
    return value;
}

std::int64_t systemTipCount(int bankers, int choices) {
    if (bankers > 6) return 0;
    return binomial(choices, 6 - bankers);
}

std::string systemName(int bankers, int choices) {
    return std::to_string(bankers) + "/" + std::to_string(choices);
}

const std::vector<SystemSize>& ticketSystems() {
    // The operator's game conditions name 48 full systems in the shorthand B/W for the system
    // ticket. This table is our reading of them; correct it here when the ticket says otherwise.
    static const std::vector<SystemSize> systems = [] {
        constexpr std::array<std::array<int, 2>, 6> choiceRange{
            {{7, 15}, {6, 15}, {5, 14}, {4, 12}, {3, 8}, {2, 5}}};
        std::vector<SystemSize> list;
        for (int b = 0; b <= kMaxBankers; ++b)
            for (int w = choiceRange[static_cast<std::size_t>(b)][0];
                 w <= choiceRange[static_cast<std::size_t>(b)][1]; ++w)
                list.push_back({b, w});
        return list;
    }();
    return systems;
}

bool isTicketSystem(int bankers, int choices) {
    const auto& systems = ticketSystems();
    return std::any_of(systems.begin(), systems.end(),
                       [&](const SystemSize& s) { return s.bankers == bankers && s.choices == choices; });
}

std::optional<std::string> markProblem(const SystemBet& bet) {
    std::array<bool, 46> seen{};
    for (const std::vector<int>* list : {&bet.bankers, &bet.choices})
        for (const int n : *list) {
            if (!isLottoNumber(n)) return "Die Zahl " + std::to_string(n) + " liegt nicht zwischen 1 und 45.";
            if (seen[static_cast<std::size_t>(n)])
                return "Die Zahl " + std::to_string(n) + " steht zweimal im System.";
            seen[static_cast<std::size_t>(n)] = true;
        }
    if (bet.bankerCount() > kMaxBankers) return "Ein System hat höchstens 5 Bankzahlen.";
    return std::nullopt;
}

std::optional<std::string> systemProblem(const SystemBet& bet) {
    if (auto problem = markProblem(bet)) return problem;
    if (bet.bankerCount() + bet.choiceCount() < kMinSystemNumbers)
        return "Ein System braucht mindestens 7 Zahlen (Bank- und Wahlzahlen zusammen).";
    if (const std::int64_t tips = systemTipCount(bet); tips > kMaxSystemTips)
        return "Das System " + systemName(bet) + " hätte " + formatGrouped(tips) +
               " Tipps; erlaubt sind höchstens " + formatGrouped(kMaxSystemTips) + ".";
    return std::nullopt;
}

SystemBet makeSystem(std::vector<int> bankers, std::vector<int> choices) {
    std::sort(bankers.begin(), bankers.end());
    std::sort(choices.begin(), choices.end());
    return {std::move(bankers), std::move(choices)};
}

std::optional<std::vector<int>> parseNumberList(std::string_view text) {
    std::vector<int> numbers;
    if (text.empty()) return numbers;
    for (;;) {
        const std::size_t comma = text.find(',');
        const auto n = toInt(text.substr(0, comma));
        if (!n) return std::nullopt;
        numbers.push_back(*n);
        if (comma == std::string_view::npos) return numbers;
        text.remove_prefix(comma + 1);
    }
}

std::string joinNumbers(const std::vector<int>& numbers, std::string_view separator) {
    std::string text;
    for (const int n : numbers) {
        if (!text.empty()) text += separator;
        text += std::to_string(n);
    }
    return text;
}

std::string formatSystemSetting(const SystemBet& bet) {
    return joinNumbers(bet.bankers) + "/" + joinNumbers(bet.choices);
}

SystemBet parseSystemSetting(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return {};
    const auto bankers = parseNumberList(text.substr(0, slash));
    const auto choices = parseNumberList(text.substr(slash + 1));
    if (!bankers || !choices) return {};
    SystemBet bet = makeSystem(*bankers, *choices);
    if (markProblem(bet)) return {};
    if (bet.bankerCount() + bet.choiceCount() >= kMinSystemNumbers && systemProblem(bet)) return {};
    return bet;
}

std::vector<SystemTip> expandSystem(const SystemBet& bet) {
    std::vector<SystemTip> tips;
    const int take = 6 - bet.bankerCount();
    const int w = bet.choiceCount();
    if (take < 0 || take > w) return tips;
    tips.reserve(static_cast<std::size_t>(systemTipCount(bet)));
    // Choice subsets in lexicographic order give the tips in lexicographic order: the
    // bankers are common to all tips, so two tips first differ where their choices do.
    std::array<int, 6> index{};
    for (int i = 0; i < take; ++i)
        index[static_cast<std::size_t>(i)] = i;
    for (;;) {
        SystemTip tip{};
        std::size_t n = 0;
        for (const int banker : bet.bankers)
            tip[n++] = banker;
        for (int i = 0; i < take; ++i)
            tip[n++] = bet.choices[static_cast<std::size_t>(index[static_cast<std::size_t>(i)])];
        std::sort(tip.begin(), tip.end());
        tips.push_back(tip);
        int i = take - 1;
        while (i >= 0 && index[static_cast<std::size_t>(i)] == w - take + i)
            --i;
        if (i < 0) break;
        ++index[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < take; ++j)
            index[static_cast<std::size_t>(j)] = index[static_cast<std::size_t>(j - 1)] + 1;
    }
    return tips;
}

} // namespace lotto
