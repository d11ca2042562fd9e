#include "core/StateFixture.h"
#include "core/system/SystemCheck.h"
#include "core/system/SystemFile.h"
#include "core/util/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using namespace lotto;
using namespace lotto::test;

namespace {

std::vector<int> range(int from, int to) {
    std::vector<int> numbers(static_cast<std::size_t>(to - from + 1));
    std::iota(numbers.begin(), numbers.end(), from);
    return numbers;
}

RankCounts ranks(std::initializer_list<std::pair<PrizeRank, std::int64_t>> counts) {
    RankCounts result{};
    for (const auto& [rank, count] : counts)
        result[static_cast<std::size_t>(rank)] = count;
    return result;
}

} // namespace

TEST(SystemSize, TipCountsNamesAndTheTicketsList) {
    EXPECT_EQ(systemTipCount(0, 7), 7);
    EXPECT_EQ(systemTipCount(0, 8), 28);
    EXPECT_EQ(systemTipCount(0, 12), 924);
    EXPECT_EQ(systemTipCount(2, 8), 70);
    EXPECT_EQ(systemTipCount(0, 15), 5005);
    EXPECT_EQ(systemTipCount(5, 40), 40);
    EXPECT_EQ(systemName(2, 8), "2/8");
    EXPECT_EQ(ticketSystems().size(), 48U);
    EXPECT_TRUE(isTicketSystem(2, 8));
    EXPECT_TRUE(isTicketSystem(0, 15));
    EXPECT_FALSE(isTicketSystem(0, 16));
    EXPECT_FALSE(isTicketSystem(5, 40));
}

TEST(SystemSize, ProblemsAtEachLimit) {
    EXPECT_EQ(systemProblem(makeSystem({}, range(1, 7))), std::nullopt);
    EXPECT_EQ(systemProblem(makeSystem({}, range(1, 6))),
              "Ein System braucht mindestens 7 Zahlen (Bank- und Wahlzahlen zusammen).");
    EXPECT_EQ(systemProblem(makeSystem(range(1, 5), {6, 7})), std::nullopt);
    EXPECT_EQ(systemProblem(makeSystem(range(1, 6), {7, 8})), "Ein System hat höchstens 5 Bankzahlen.");
    EXPECT_EQ(systemProblem(makeSystem({}, range(1, 15))), std::nullopt);
    EXPECT_EQ(systemProblem(makeSystem({}, range(1, 16))),
              "Das System 0/16 hätte 8.008 Tipps; erlaubt sind höchstens 5.005.");
    EXPECT_EQ(systemProblem(makeSystem({3}, range(1, 7))), "Die Zahl 3 steht zweimal im System.");
    EXPECT_EQ(systemProblem(makeSystem({}, {0, 1, 2, 3, 4, 5, 6})),
              "Die Zahl 0 liegt nicht zwischen 1 und 45.");
    EXPECT_EQ(systemProblem(makeSystem({}, range(40, 46))), "Die Zahl 46 liegt nicht zwischen 1 und 45.");
    EXPECT_EQ(parseNumberList("3,17"), (std::vector<int>{3, 17}));
    EXPECT_EQ(parseNumberList(""), std::vector<int>{});
    EXPECT_EQ(parseNumberList("3,,17"), std::nullopt);
    EXPECT_EQ(parseNumberList("3;17"), std::nullopt);
}

TEST(SystemExpansion, EveryTipOnceInLexicographicOrder) {
    const SystemBet bet = makeSystem({30, 2}, {45, 1, 10, 20, 31, 40, 3, 44});
    const std::vector<SystemTip> tips = expandSystem(bet);
    ASSERT_EQ(tips.size(), 70U);
    EXPECT_EQ(tips.front(), (SystemTip{1, 2, 3, 10, 20, 30}));
    EXPECT_EQ(tips.back(), (SystemTip{2, 30, 31, 40, 44, 45}));
    EXPECT_TRUE(std::adjacent_find(tips.begin(), tips.end(), std::greater_equal<>()) == tips.end());
    for (const SystemTip& tip : tips) {
        EXPECT_TRUE(std::is_sorted(tip.begin(), tip.end()));
        EXPECT_TRUE(std::binary_search(tip.begin(), tip.end(), 2) &&
                    std::binary_search(tip.begin(), tip.end(), 30));
    }
    EXPECT_EQ(expandSystem(makeSystem({}, range(1, 15))).size(), 5005U);
}

TEST(SystemCheck, HandCountedDraws) {
    // 0/7 holding all six numbers and the extra number: the six and six times 5 + ZZ.
    const SystemDraw allDrawn{{1, 2, 3, 4, 5, 6}, 7, true};
    EXPECT_EQ(countSystemRanks(makeSystem({}, range(1, 7)), allDrawn),
              ranks({{PrizeRank::Six, 1}, {PrizeRank::FiveExtra, 6}}));
    // 2/8: banker 1 drawn, choices 3 and 4 drawn, extra 5 a choice number. Of the 15 tips with
    // 3 and 4, five hold the 5 (3 + ZZ); every tip with the 5 and fewer hits is a ZZ (20 + 10).
    const SystemBet bet = makeSystem({1, 2}, range(3, 10));
    SystemDraw draw{{1, 3, 4, 20, 21, 22}, 5, true};
    EXPECT_EQ(countSystemRanks(bet, draw),
              ranks({{PrizeRank::ThreeExtra, 5}, {PrizeRank::Three, 10}, {PrizeRank::Extra, 30}}));
    draw.paysExtraOnly = false;
    EXPECT_EQ(countSystemRanks(bet, draw), ranks({{PrizeRank::ThreeExtra, 5}, {PrizeRank::Three, 10}}));
    // The extra number as a banker stands in every tip.
    EXPECT_EQ(countSystemRanks(makeSystem({5}, {1, 3, 4, 6, 7, 8}), {{1, 3, 4, 20, 21, 22}, 5, true}),
              ranks({{PrizeRank::ThreeExtra, 3}, {PrizeRank::Extra, 3}}));
}

TEST(SystemCheck, FormulaAgreesWithWalkingTheTipsOnRandomSystems) {
    std::mt19937 random(2026);
    for (int round = 0; round < 400; ++round) {
        std::vector<int> numbers = range(1, 45);
        std::shuffle(numbers.begin(), numbers.end(), random);
        const int b = static_cast<int>(random() % 6);
        int w = std::max(7 - b, 2) + static_cast<int>(random() % 12);
        while (systemTipCount(b, w) > kMaxSystemTips)
            --w;
        const SystemBet bet = makeSystem({numbers.begin(), numbers.begin() + b},
                                         {numbers.begin() + b, numbers.begin() + b + w});
        ASSERT_EQ(systemProblem(bet), std::nullopt);
        // The draw mostly from the system's numbers, so high ranks occur too.
        std::vector<int> pool(numbers.begin(), numbers.begin() + b + w);
        pool.insert(pool.end(), numbers.begin() + b + w, numbers.begin() + std::min(45, b + w + 4));
        std::shuffle(pool.begin(), pool.end(), random);
        SystemDraw draw{{pool[0], pool[1], pool[2], pool[3], pool[4], pool[5]}, pool[6], random() % 2 == 0};
        const RankCounts byFormula = countSystemRanks(bet, draw);
        ASSERT_EQ(byFormula, countSystemRanksByWalking(expandSystem(bet), draw))
            << systemName(bet) << " #" << round;
    }
}

TEST(SystemFile, RoundTripTextAndRefusals) {
    const SystemBet bet = makeSystem({17, 3}, {1, 5, 9, 22, 30, 41, 43, 45});
    const std::string text = formatSystemFile(bet);
    EXPECT_EQ(text, "[Zerbosts Lotto System]\r\nSystem=2/8\r\nBankzahlen=3,17\r\n"
                    "Wahlzahlen=1,5,9,22,30,41,43,45\r\nTipps=70\r\n");
    EXPECT_EQ(parseSystemFile(text), bet);
    // Edited by hand: LF line ends, numbers in any order, no bankers line.
    EXPECT_EQ(parseSystemFile("[Zerbosts Lotto System]\nWahlzahlen=7,6,5,4,3,2,1\n"),
              makeSystem({}, range(1, 7)));
    EXPECT_THROW(parseSystemFile("Wahlzahlen=1,2,3,4,5,6,7\n"), std::runtime_error);
    EXPECT_THROW(parseSystemFile("[Zerbosts Lotto System]\nBankzahlen=1\n"), std::runtime_error);
    EXPECT_THROW(parseSystemFile("[Zerbosts Lotto System]\nWahlzahlen=1,2,x\n"), std::runtime_error);
    EXPECT_THROW(parseSystemFile("[Zerbosts Lotto System]\nWahlzahlen=1,2,3,4,5,6\n"), std::runtime_error);
    const std::string sheet = formatSystemSheet(bet, 120);
    EXPECT_EQ(sheet.substr(0, sheet.find("\n1.")), "System 2/8: 70 Tipps, 84,00 €\nBankzahlen: 3 17\n"
                                                   "Wahlzahlen: 1 5 9 22 30 41 43 45\n");
    EXPECT_NE(sheet.find("\n70.       3  17  30  41  43  45\n"), std::string::npos);
}

using SystemStateTest = StateFixture<>;

TEST_F(SystemStateTest, ClicksMarkChoiceThenBankerThenFree) {
    state.SystemNumberClick(9);
    EXPECT_EQ(state.system(), makeSystem({}, {9}));
    state.SystemNumberClick(9);
    EXPECT_EQ(state.system(), makeSystem({9}, {}));
    state.SystemNumberClick(9);
    EXPECT_TRUE(state.system().empty());
    for (int n = 1; n <= 6; ++n) {
        state.SystemNumberClick(n);
        state.SystemNumberClick(n);
    }
    EXPECT_EQ(state.system(), makeSystem(range(1, 5), {})); // a sixth banker is not taken
    for (int n = 10; n <= 17; ++n)
        state.SystemNumberClick(n);
    state.setSystem(makeSystem({1, 2}, range(10, 17)));
    EXPECT_EQ(state.systemCostCents(), 8400);
    EXPECT_EQ(formatCents(state.systemCostCents()), "84,00 €");
    state.setStakeCents(100);
    EXPECT_EQ(state.systemCostCents(), 7000);
    state.setSystem(makeSystem({}, range(1, 6)));
    EXPECT_EQ(state.systemCostCents(), 0);
}

TEST_F(SystemStateTest, CheckWinsFromStoredQuotasAndCountsInTheBalance) {
    archive(prizeBalanceDraws());
    writeBytes(dir.file("Quoten.csv"), kPrizeBalanceQuotas);
    state.SpeedButton11Click(); // no tips: the balance is the system's alone
    // 07.03.2010 drew 1 2 3 20 21 22, extra 40: leaving out the 40 gives a 3er, leaving out
    // 4, 5 or 6 a 3er + ZZ, leaving out 1, 2 or 3 a ZZ.
    state.setSystem(makeSystem({}, {1, 2, 3, 4, 5, 6, 40}));
    state.setDrawDate(dayNumber(2010, 3, 7));
    state.SpeedButton5Click();
    const auto check = state.SystemCheckClick();
    ASSERT_TRUE(check);
    EXPECT_EQ(check->ranks,
              ranks({{PrizeRank::ThreeExtra, 3}, {PrizeRank::Three, 1}, {PrizeRank::Extra, 3}}));
    EXPECT_EQ(check->wonCents, 3 * 1610 + 510 + 3 * 110);

    state.GewinnbilanzClick();
    ASSERT_TRUE(state.systemBalance());
    const PrizeTally& system = *state.systemBalance();
    EXPECT_EQ(system.played, 4);
    EXPECT_EQ(system.stakeCents, 4 * 7 * 120);
    // 03.01.1999 (1-6, extra 7): a 6er and six 5er, without such quotas; 10.03.2010 (1 2 3 4
    // 30 31): leaving out 40, 5 or 6 a 4er, leaving out 1 to 4 a 3er.
    EXPECT_EQ(system.ranks, ranks({{PrizeRank::Six, 1},
                                   {PrizeRank::Five, 6},
                                   {PrizeRank::Four, 3},
                                   {PrizeRank::ThreeExtra, 3},
                                   {PrizeRank::Three, 5},
                                   {PrizeRank::Extra, 3}}));
    EXPECT_EQ(system.wonCents, check->wonCents + 3 * 4800 + 4 * 510);
    EXPECT_EQ(state.prizeBalance().total.stakeCents, system.stakeCents); // no tips entered
    EXPECT_EQ(state.prizeBalance().netCurve.back().second, system.netCents());

    state.setSystem(makeSystem({}, range(1, 6)));
    EXPECT_EQ(state.SystemCheckClick(), std::nullopt);
    EXPECT_EQ(host.messages.back(),
              "Ein System braucht mindestens 7 Zahlen (Bank- und Wahlzahlen zusammen).");
    state.GewinnbilanzClick();
    EXPECT_FALSE(state.systemBalance());
}

TEST_F(SystemStateTest, SavedAndLoadedThroughTheDialogs) {
    state.setSystem(makeSystem({3, 17}, {1, 5, 9, 22, 30, 41, 43, 45}));
    host.saveFile = dir.file("mein.qsy");
    state.SystemSaveClick();
    EXPECT_EQ(host.saveDialogs.back().fileName, "System 2-8.qsy");
    EXPECT_EQ(host.saveDialogs.back().defaultExt, "qsy");
    state.SystemClearClick();
    host.openFile = dir.file("mein.qsy");
    state.SystemLoadClick();
    EXPECT_EQ(state.system(), makeSystem({3, 17}, {1, 5, 9, 22, 30, 41, 43, 45}));
    writeBytes(dir.file("bad.qsy"), "[Zerbosts Lotto System]\nWahlzahlen=1,2\n");
    host.openFile = dir.file("bad.qsy");
    EXPECT_THROW(state.SystemLoadClick(), std::runtime_error);
    EXPECT_EQ(state.system().choiceCount(), 8); // kept
}

namespace {
struct TicketHost : FakeHost {
    std::optional<TicketSettings> askTicketSettings(const TicketDialogPresets& presets) override {
        tipCounts.push_back(presets.tipCount);
        return TicketSettings{};
    }
    std::vector<int> tipCounts;
};
} // namespace

using SystemPrintTest = StateFixture<TicketHost>;

TEST_F(SystemPrintTest, UpToTwelveTipsGoOntoTheNormalTicket) {
    state.setCell(0, "8");
    state.setSystem(makeSystem({1, 2, 3, 4}, {5, 6, 7}));
    EXPECT_TRUE(state.SystemPrintClick());
    EXPECT_EQ(host.tipCounts, std::vector<int>{3});
    EXPECT_TRUE(state.ticketLayout().numberMark(17).printed()); // the third tip's last number
    EXPECT_FALSE(state.ticketLayout().numberMark(18).printed());
    EXPECT_EQ(state.cell(0), "8"); // the tips on "Lottotipp" stay
    state.setSystem(makeSystem({}, range(1, 8)));
    EXPECT_FALSE(state.SystemPrintClick());
    EXPECT_EQ(host.tipCounts.size(), 1U);
}

TEST_F(SystemStateTest, MarksSurviveARestartAndBadSettingsAreDropped) {
    MemorySettingsStore store;
    state.setSystem(makeSystem({17, 3}, {1, 5}));
    state.FormClose(store);
    EXPECT_EQ(std::get<std::string>(store.values.at("System")), "3,17/1,5");
    MainState restarted(dir.path(), host, clock);
    restarted.restoreStartupState(store);
    EXPECT_EQ(restarted.system(), makeSystem({3, 17}, {1, 5})); // a system in progress stays
    EXPECT_EQ(parseSystemSetting("/1,2,3,4,5,6,7"), makeSystem({}, range(1, 7)));
    for (const char* bad :
         {"", "1,2", "3,3/1", "1,2,3,4,5,6/7", "/1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", "x/1"})
        EXPECT_TRUE(parseSystemSetting(bad).empty()) << bad;
}
