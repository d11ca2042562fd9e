#include "core/archive/PrizeStore.h"

#include "core/util/CheckedMath.h"
#include "core/util/File.h"

#include <algorithm>

namespace lotto {

namespace {

constexpr std::array<std::string_view, kPrizeRanks> kRankNames{"6er", "5er + ZZ", "5er", "4er + ZZ",
                                                               "4er", "3er + ZZ", "3er", "ZZ"};

// Decimal digits only, at most 15 of them (no overflow of the sums that follow).
std::optional<std::int64_t> count(std::string_view text) {
    if (text.empty() || text.size() > 15) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<DayNumber> storedDate(std::string_view text) {
    if (text.size() != 10 || text[2] != '.' || text[5] != '.') return std::nullopt;
    const auto d = count(text.substr(0, 2));
    const auto m = count(text.substr(3, 2));
    const auto y = count(text.substr(6, 4));
    if (!d || !m || !y || *y < 1 ||
        !isValidCivilDate(static_cast<int>(*y), static_cast<int>(*m), static_cast<int>(*d)))
        return std::nullopt;
    return dayNumber(static_cast<int>(*y), static_cast<int>(*m), static_cast<int>(*d));
}

} // namespace

std::string_view prizeRankName(PrizeRank rank) {
    return kRankNames.at(static_cast<std::size_t>(rank));
}

std::optional<PrizeRank> prizeRankFromName(std::string_view name) {
    for (std::size_t i = 0; i < kRankNames.size(); ++i)
        if (kRankNames[i] == name) return static_cast<PrizeRank>(i);
    return std::nullopt;
}

std::int64_t PrizeQuota::euroCents() const {
    if (currency == Currency::Euro) return amount;
    // amount Groschen / 13,7603 = amount * 10000 / 137603 cents; 137603 is odd, so no exact half.
    const std::int64_t scaled = checkedMul(amount, 10000);
    std::int64_t cents = scaled / 137603;
    const std::int64_t rest = scaled % 137603;
    if (2 * (rest < 0 ? -rest : rest) > 137603) cents += scaled < 0 ? -1 : 1;
    return cents;
}

void addQuota(std::vector<PrizeQuota>& quotas, const PrizeQuota& quota) {
    const auto at =
        std::lower_bound(quotas.begin(), quotas.end(), quota,
                         [](const PrizeQuota& a, const PrizeQuota& b) { return a.rank < b.rank; });
    if (at != quotas.end() && at->rank == quota.rank) return;
    quotas.insert(at, quota);
}

const PrizeQuota* findQuota(const std::vector<PrizeQuota>& quotas, PrizeRank rank) {
    for (const PrizeQuota& quota : quotas)
        if (quota.rank == rank) return &quota;
    return nullptr;
}

PrizeTable parsePrizeStore(std::string_view text) {
    PrizeTable table;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::array<std::string_view, 5> fields;
        std::size_t n = 0;
        for (; n < fields.size(); ++n) {
            const std::size_t at = line.find(';');
            fields[n] = line.substr(0, at);
            line = at == std::string_view::npos ? std::string_view{} : line.substr(at + 1);
            if (at == std::string_view::npos) break;
        }
        if (n != 4) continue; // exactly five fields
        const auto day = storedDate(fields[0]);
        const auto rank = prizeRankFromName(fields[1]);
        const auto winners = count(fields[2]);
        const auto amount = count(fields[3]);
        if (!day || !rank || !winners || !amount || *amount > kMaxPrizeAmount ||
            (fields[4] != "EUR" && fields[4] != "ATS"))
            continue;
        addQuota(table[*day],
                 {*rank, *winners, *amount, fields[4] == "EUR" ? Currency::Euro : Currency::Schilling});
    }
    return table;
}

std::string formatPrizeStore(const PrizeTable& table) {
    std::string text;
    text.reserve(table.size() * 8 * 36);
    for (const auto& [day, quotas] : table) {
        const std::string date = formatShortDate(day);
        for (const PrizeQuota& quota : quotas) {
            text += date;
            text += ';';
            text += prizeRankName(quota.rank);
            text += ';' + std::to_string(quota.winners) + ';' + std::to_string(quota.amount) + ';';
            text += quota.currency == Currency::Euro ? "EUR\n" : "ATS\n";
        }
    }
    return text;
}

PrizeTable readPrizeStore(const std::string& path) {
    if (!fileExists(path)) return {};
    return parsePrizeStore(readWholeFile(path));
}

void mergePrizeStore(const std::string& path, const PrizeTable& update) {
    PrizeTable table = readPrizeStore(path);
    bool changed = false;
    for (const auto& [day, quotas] : update) {
        if (quotas.empty()) continue;
        std::vector<PrizeQuota>& stored = table[day];
        if (stored == quotas) continue;
        stored = quotas;
        changed = true;
    }
    if (changed) writeFileAtomically(path, formatPrizeStore(table));
}

} // namespace lotto
