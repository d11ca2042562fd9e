#include "core/TestSupport.h"
#include "core/import/AustrianToday.h"
#include "core/import/SwissPages.h"
#include "core/shell/MainState.h"
#include "core/shell/SettingsSchema.h"
#include "core/shell/WindowControls.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

using namespace lotto;
using namespace lotto::test;

namespace {

struct SettingsFixture : ::testing::Test {
    TempDir dir;
    FakeHost host;
    FakeClock clock;
    MemorySettingsStore store;

    SettingsFixture() { writeArchive(dir.file("ZahlenAT.dat"), {draw(2002, 1, 6, {1, 2, 3, 4, 5, 6}, 7)}); }
};

} // namespace

TEST_F(SettingsFixture, FirstStartKeepsDefaultsAndShutdownWritesEveryValue) {
    MainState state(dir.path(), host, clock);
    state.FormCreate(store);
    for (Option box : {Option::PreferOftenDrawn, Option::LimitCommonWithTips, Option::LimitLastDraw,
                       Option::LimitSecondLastDraw, Option::ForcePair, Option::ArchiveRule,
                       Option::PreferOverdue, Option::PreferRarelyDrawn, Option::NoRunOfThree})
        EXPECT_TRUE(state.isOn(box)) << optionInfo(box).valueName;
    for (Option box : {Option::PreferFrequentPairs, Option::PreferFrequentTriples,
                       Option::PreferFrequentQuadruples, Option::PreferRarestPairs,
                       Option::PreferRarestTriples, Option::PreferRarestQuadruples, Option::OnlyPreferred})
        EXPECT_FALSE(state.isOn(box)) << optionInfo(box).valueName;
    const std::pair<Option, int> positions[] = {
        {Option::DigitSumFrom, 100},        {Option::DigitSumTo, 180},
        {Option::MaxCommonWithTips, 3},     {Option::MaxFromLastDraw, 0},
        {Option::MaxFromSecondLastDraw, 0}, {Option::ArchiveMatch, 5},
        {Option::MaxRunsThousands, 100},    {Option::TipCount, 12}};
    for (const auto& [option, position] : positions)
        EXPECT_EQ(state.value(option), position) << optionInfo(option).valueName;
    EXPECT_EQ(state.fileNameEdit(), dir.path() + "Lotto.html");
    EXPECT_EQ(state.proxyPortEdit(), "80");
    EXPECT_EQ(state.proxyHostEdit(), "");
    EXPECT_EQ(state.maxRuns(), 100000);
    EXPECT_TRUE(state.tipsReady());
    EXPECT_EQ(state.statisticsStart(), dayNumber(1955, 10, 9));
    EXPECT_EQ(state.tippTop(), 88);
    EXPECT_EQ(state.tippLeft(), 26);
    EXPECT_EQ(state.cell(0), "1");
    EXPECT_EQ(state.cell(5), "6");
    EXPECT_EQ(state.cell(6), "");
    EXPECT_EQ(state.random().seed(), 4711U);
    EXPECT_EQ(state.chart().bars.size(), 45U); // the first chart

    state.FormClose(store);
    const auto& entries = SettingsSchema::instance().entries();
    // + today's source, server and table; German and Swiss servers; the stake per tip; the
    // system; the Joker price and the update at start
    EXPECT_EQ(entries.size(), 16U + 2U + 8U + 72U + 6U + 1U + 3U + 2U + 1U + 1U + 2U);
    EXPECT_EQ(store.values.size(), entries.size());
    EXPECT_TRUE(std::holds_alternative<bool>(store.values.at("Chekcbox18")));
    EXPECT_EQ(std::get<int>(store.values.at("UpDown7")), 100);
    EXPECT_EQ(std::get<std::string>(store.values.at("Edit79")), "");
    EXPECT_EQ(std::get<std::string>(store.values.at("FileNameEdit")), dir.path() + "Lotto.html");
    EXPECT_EQ(std::get<DateSetting>(store.values.at("DateTimePicker2")).days, dayNumber(1955, 10, 9));
    EXPECT_EQ(std::get<int>(store.values.at("Land")), 1);
    EXPECT_EQ(std::get<int>(store.values.at("EinsatzCent")), 120);
    EXPECT_EQ(std::get<std::string>(store.values.at("ServerEdit")), "https://www.win2day.at");
    EXPECT_EQ(std::get<std::string>(store.values.at("AustriaSource")), "austria-today");
    EXPECT_EQ(std::get<std::string>(store.values.at("AustriaTodayServer")), "https://statics.win2day.at");
    EXPECT_EQ(std::get<std::string>(store.values.at("AustriaTodayFiles")),
              "1986-2010=/media-nopagespeed/lotto-ergebnisse-1986-2010.csv;"
              "2010-2017=/media-nopagespeed/lotto-ziehungen-2010-2017.csv;2018-=/media/"
              "NN_W2D_STAT_Lotto_{JJJJ}.csv");
    EXPECT_EQ(std::get<std::string>(store.values.at("SwissServerEdit")), kSwissDefaultServer);
    EXPECT_EQ(entries.front().name, "Chekcbox1");
    EXPECT_EQ(entries.back().name, "Land");
}

TEST_F(SettingsFixture, ValuesSurviveShutdownAndStart) {
    {
        MainState state(dir.path(), host, clock);
        state.FormCreate(store);
        state.setOption(Option::PreferFrequentPairs, true);
        state.setOption(Option::NoRunOfThree, false);
        state.setOption(Option::MaxRunsThousands, 250);
        state.setOption(Option::MaxCommonWithTips, 1);
        state.setCell(40, "17");
        state.setTippOffsets(90, 30);
        state.setCountry(3);
        state.setProxyHostEdit("proxy.example");
        state.setProxyPortEdit("3128");
        state.setStatisticsStart(dayNumber(2000, 1, 1));
        state.FormClose(store);
    }
    MainState again(dir.path(), host, clock);
    again.FormCreate(store);
    EXPECT_TRUE(again.isOn(Option::PreferFrequentPairs));
    EXPECT_FALSE(again.isOn(Option::NoRunOfThree));
    EXPECT_EQ(again.value(Option::MaxRunsThousands), 250);
    EXPECT_EQ(again.maxRuns(), 250000);
    EXPECT_EQ(again.value(Option::MaxCommonWithTips), 1);
    EXPECT_EQ(again.cell(40), "17");
    EXPECT_EQ(again.tippTop(), 90);
    EXPECT_EQ(again.tippLeft(), 30);
    EXPECT_EQ(again.country(), 3);
    EXPECT_EQ(again.proxyPortEdit(), "3128");
    EXPECT_EQ(again.statisticsStart(), dayNumber(2000, 1, 1));
}

TEST_F(SettingsFixture, EarlierDefaultServersMoveTypedOnesStay) {
    store.values["ServerEdit"] = std::string("https://www.lotterien.at");
    store.values["AustriaTodayServer"] = std::string("https://www.win2day.at");
    store.values["AustriaTodayFiles"] = std::string(kTodayEarlierFiles);
    MainState moved(dir.path(), host, clock);
    moved.FormCreate(store);
    EXPECT_EQ(moved.server(ImportSource::Austria), "https://www.win2day.at");
    EXPECT_EQ(moved.server(ImportSource::AustriaToday), "https://statics.win2day.at");
    EXPECT_EQ(moved.todayFilesEdit(), kTodayDefaultFiles);

    store.values["ServerEdit"] = std::string("http://mirror.example");
    store.values["AustriaTodayServer"] = std::string("https://www.win2day.at/");
    store.values["AustriaTodayFiles"] = std::string("2018-=/media/NN_W2D_STAT_Lotto_{JJJJ}.csv");
    MainState typed(dir.path(), host, clock);
    typed.FormCreate(store);
    EXPECT_EQ(typed.server(ImportSource::Austria), "http://mirror.example");
    EXPECT_EQ(typed.server(ImportSource::AustriaToday), "https://www.win2day.at/");
    EXPECT_EQ(typed.todayFilesEdit(), "2018-=/media/NN_W2D_STAT_Lotto_{JJJJ}.csv");
}

TEST_F(SettingsFixture, WrongTypeEndsOnlyItsBlock) {
    for (int box = 1; box <= 4; ++box)
        store.values["Chekcbox" + std::to_string(box)] = box % 2 == 1; // 1, 3 on; 2, 4 off
    store.values["Chekcbox5"] = std::string("ja");
    store.values["Chekcbox6"] = true;
    store.values["UpDown1"] = 120;
    store.values["Edit1"] = std::string("44");
    store.values["TippTop"] = 99;
    store.values["URLEdit"] = std::string("http://127.0.0.1/lotto");
    store.values["ProxyHostEdit"] = std::string("proxy");
    store.values["ProxyPortEdit"] = std::string("8080");
    store.values["DateTimePicker2"] = DateSetting{static_cast<double>(dayNumber(1999, 5, 5))};

    MainState state(dir.path(), host, clock);
    state.FormCreate(store);
    EXPECT_TRUE(state.isOn(Option::PreferFrequentPairs));
    EXPECT_FALSE(state.isOn(Option::PreferOftenDrawn));
    EXPECT_TRUE(state.isOn(Option::LimitCommonWithTips));
    EXPECT_FALSE(state.isOn(Option::LimitLastDraw));
    EXPECT_TRUE(state.isOn(Option::LimitSecondLastDraw));    // default kept
    EXPECT_FALSE(state.isOn(Option::PreferFrequentTriples)); // after the bad value: default
    EXPECT_EQ(state.value(Option::DigitSumFrom), 100);
    EXPECT_EQ(state.cell(0), "1");
    EXPECT_EQ(state.tippTop(), 88);
    EXPECT_TRUE(state.tipsReady());
    EXPECT_EQ(state.urlEdit(), "http://127.0.0.1/lotto"); // second block still read
    EXPECT_EQ(state.proxyHostEdit(), "proxy");
    EXPECT_EQ(state.proxyPortEdit(), "8080");
    EXPECT_EQ(state.statisticsStart(), dayNumber(1999, 5, 5));
}

TEST_F(SettingsFixture, SecondBlockErrorStillLeavesConsistentFields) {
    store.values["UpDown7"] = 20;
    store.values["FileNameEdit"] = 5; // wrong type ends the block at once
    store.values["ProxyPortEdit"] = std::string("8080");
    MainState state(dir.path(), host, clock);
    state.FormCreate(store);
    EXPECT_EQ(state.maxRuns(), 20000);
    EXPECT_EQ(state.fileNameEdit(), dir.path() + "Lotto.html");
    EXPECT_EQ(state.proxyPortEdit(), "80");
}

TEST_F(SettingsFixture, FileNameAndProxyPortRules) {
    store.values["FileNameEdit"] = std::string("");
    store.values["ProxyHostEdit"] = std::string("");
    store.values["ProxyPortEdit"] = std::string("8080");
    MainState state(dir.path(), host, clock);
    state.FormCreate(store);
    EXPECT_EQ(state.fileNameEdit(), dir.path() + "Lotto.html");
    EXPECT_EQ(state.proxyPortEdit(), "80");
}

TEST_F(SettingsFixture, StoredValuesPassTheControlsRules) {
    store.values["Chekcbox7"] = 1; // an integer reads as a boolean, as in the registry
    store.values["UpDown7"] = true;
    store.values["UpDown3"] = 99;
    store.values["UpDown1"] = -4;
    store.values["Edit1"] = std::string("045");
    store.values["Edit2"] = std::string("50");
    store.values["Edit3"] = std::string("x");
    MainState state(dir.path(), host, clock);
    state.FormCreate(store);
    EXPECT_TRUE(state.isOn(Option::PreferFrequentQuadruples));
    EXPECT_EQ(state.value(Option::MaxRunsThousands), 1);
    EXPECT_EQ(state.maxRuns(), 1000);
    EXPECT_EQ(state.value(Option::MaxCommonWithTips), 5);
    EXPECT_EQ(state.value(Option::DigitSumFrom), 21);
    EXPECT_EQ(state.cell(0), "45");
    EXPECT_EQ(state.cell(1), "");
    EXPECT_EQ(state.cell(2), "");
}

TEST_F(SettingsFixture, RunLimitFollowsUpDown7WhicheverUpDownMoves) {
    MainState state(dir.path(), host, clock);
    state.FormCreate(store);
    state.setOption(Option::MaxRunsThousands, 42);
    state.setOption(Option::TipCount, 5);
    state.UpDown7Changing(); // bound to UpDown8 as well
    EXPECT_EQ(state.maxRuns(), 42000);
    EXPECT_EQ(state.value(Option::MaxRunsThousands), 42);
}

TEST_F(SettingsFixture, SavingStopsQuietlyAtAFailingValue) {
    struct FailingStore : MemorySettingsStore {
        void write(const std::string& name, const SettingValue& value) override {
            if (name == "UpDown1") throw std::runtime_error("disk full");
            MemorySettingsStore::write(name, value);
        }
    } failing;
    MainState state(dir.path(), host, clock);
    state.FormCreate(store);
    EXPECT_NO_THROW(state.FormClose(failing));
    EXPECT_TRUE(failing.values.count("TippLeft"));
    EXPECT_FALSE(failing.values.count("UpDown2"));
}

TEST(WindowControls, EveryLabelAndBoxHasADesignerNameOfItsOwn) {
    std::set<std::string_view> names;
    for (const WindowLabelInfo& info : kWindowLabels)
        EXPECT_TRUE(names.insert(info.designerName).second) << info.designerName;
    EXPECT_EQ(std::string_view(designerName(hitLabel(6))), "Label45");
    EXPECT_EQ(std::string_view(designerName(tipSumLabel(11))), "Label72");
    EXPECT_EQ(std::string_view(designerName(saturdayHitLabel(5))), "Label20");
    EXPECT_THROW(hitLabel(12), std::out_of_range);
    for (const WeekdayBoxInfo& box : kWeekdayBoxes) // no option's box
        for (const OptionInfo& option : kGenerationOptions)
            EXPECT_FALSE(option.control == OptionControl::CheckBox && option.number == box.number)
                << box.number;
}

TEST_F(SettingsFixture, LinksOpenTheirAddresses) {
    MainState state(dir.path(), host, clock);
    state.Label52Click(WindowLabel::OperatorLink);
    state.Label52Click(WindowLabel::UpdatesLink);
    state.Label43Click();
    ASSERT_EQ(host.opened.size(), 3U);
    EXPECT_EQ(host.opened[0], MainState::kOperatorAddress);
    EXPECT_EQ(host.opened[1], std::string(MainState::kMakerAddress) + "/freeware/lotto.htm");
}

TEST(ImportSources, EachHasItsOwnNameAndAServerWithADefault) {
    std::set<std::string> names;
    std::set<std::string> keys;
    for (const ImportSourceInfo& info : importSources()) {
        EXPECT_EQ(&importSourceInfo(info.source), &info);
        EXPECT_TRUE(names.insert(info.cliName).second) << info.cliName;
        EXPECT_EQ(findImportSource(info.cliName), &info);
        const ImportSourceInfo& server = importSourceInfo(info.serverOf);
        EXPECT_EQ(server.serverOf, server.source) << info.cliName; // the server's owner reads its own
        ASSERT_NE(server.defaultServer, nullptr) << info.cliName;
        EXPECT_EQ(std::string(server.defaultServer).rfind("http", 0), 0U) << info.cliName;
        if (info.serverOf == info.source) {
            EXPECT_TRUE(keys.insert(info.serverKey).second) << info.serverKey;
            EXPECT_NE(SettingsSchema::instance().find(info.serverKey), nullptr) << info.serverKey;
        }
    }
    EXPECT_EQ(keys.size(), 4U);
    EXPECT_EQ(findImportSource("Austria"), nullptr);
}

TEST_F(SettingsFixture, EmptyServersAreTheDefaultsAndOnlyAnAustrianSourceIsChosen) {
    for (const char* key : {"ServerEdit", "AustriaTodayServer", "GermanServerEdit", "SwissServerEdit"})
        store.values[key] = std::string();
    store.values["AustriaSource"] = std::string("austria-last10");
    MainState state(dir.path(), host, clock);
    state.FormCreate(store);
    for (const ImportSourceInfo& info : importSources())
        EXPECT_EQ(state.server(info.source), importSourceInfo(info.serverOf).defaultServer) << info.cliName;
    EXPECT_EQ(state.austrianSource(), ImportSource::AustriaToday);
    state.setServer(ImportSource::AustriaLast10, "http://mirror.test"); // the yearly files' server
    EXPECT_EQ(state.server(ImportSource::Austria), "http://mirror.test");
}
