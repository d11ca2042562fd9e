#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lotto {

// The options of "Tipps berechnen" on the options page, in the order of the table below.
enum class Option {
    PreferFrequentPairs,
    PreferOftenDrawn,
    LimitCommonWithTips,
    LimitLastDraw,
    LimitSecondLastDraw,
    PreferFrequentTriples,
    PreferFrequentQuadruples,
    ForcePair,
    ArchiveRule,
    PreferOverdue,
    PreferRarestPairs,
    PreferRarestTriples,
    PreferRarestQuadruples,
    PreferRarelyDrawn,
    OnlyPreferred,
    NoRunOfThree,
    DigitSumFrom,
    DigitSumTo,
    MaxCommonWithTips,
    MaxFromLastDraw,
    MaxFromSecondLastDraw,
    ArchiveMatch,
    MaxRunsThousands,
    TipCount,
};

enum class OptionControl { CheckBox, UpDown };

// One option: the window control that shows it (CheckBox<number> or UpDown<number>), the
// name it is stored under, its default (0/1 for a check box) and range.
struct OptionInfo {
    Option option;
    OptionControl control;
    int number;
    const char* valueName;
    int defaultValue;
    int min;
    int max;
    const char* meaning;
};

// The check boxes are stored as "Chekcbox<n>", misspelt: existing settings carry these
// names, and a corrected name would silently reset every user's options to the defaults.
inline constexpr std::array<OptionInfo, 24> kGenerationOptions{{
    {Option::PreferFrequentPairs, OptionControl::CheckBox, 1, "Chekcbox1", 0, 0, 1,
     "prefer numbers of frequent pairs"},
    {Option::PreferOftenDrawn, OptionControl::CheckBox, 2, "Chekcbox2", 1, 0, 1,
     "prefer often drawn numbers"},
    {Option::LimitCommonWithTips, OptionControl::CheckBox, 3, "Chekcbox3", 1, 0, 1,
     "limit the numbers a tip shares with the tips before it"},
    {Option::LimitLastDraw, OptionControl::CheckBox, 4, "Chekcbox4", 1, 0, 1,
     "limit the numbers of the last draw in a tip"},
    {Option::LimitSecondLastDraw, OptionControl::CheckBox, 5, "Chekcbox5", 1, 0, 1,
     "limit the numbers of the second-last draw in a tip"},
    {Option::PreferFrequentTriples, OptionControl::CheckBox, 6, "Chekcbox6", 0, 0, 1,
     "prefer numbers of frequent triples"},
    {Option::PreferFrequentQuadruples, OptionControl::CheckBox, 7, "Chekcbox7", 0, 0, 1,
     "prefer numbers of frequent quadruples"},
    {Option::ForcePair, OptionControl::CheckBox, 8, "Chekcbox8", 1, 0, 1, "every tip holds two neighbours"},
    {Option::ArchiveRule, OptionControl::CheckBox, 9, "Chekcbox9", 1, 0, 1,
     "no tip matches an archived draw in ArchiveMatch numbers"},
    {Option::PreferOverdue, OptionControl::CheckBox, 10, "Chekcbox10", 1, 0, 1, "prefer overdue numbers"},
    {Option::PreferRarestPairs, OptionControl::CheckBox, 11, "Chekcbox11", 0, 0, 1,
     "prefer numbers of the rarest pairs"},
    {Option::PreferRarestTriples, OptionControl::CheckBox, 12, "Chekcbox12", 0, 0, 1,
     "prefer numbers of the rarest triples"},
    {Option::PreferRarestQuadruples, OptionControl::CheckBox, 13, "Chekcbox13", 0, 0, 1,
     "prefer numbers of the rarest quadruples"},
    {Option::PreferRarelyDrawn, OptionControl::CheckBox, 14, "Chekcbox14", 1, 0, 1,
     "prefer rarely drawn numbers"},
    {Option::OnlyPreferred, OptionControl::CheckBox, 15, "Chekcbox15", 0, 0, 1,
     "draw only preferred numbers"},
    {Option::NoRunOfThree, OptionControl::CheckBox, 18, "Chekcbox18", 1, 0, 1,
     "no three neighbours in a tip"},
    {Option::DigitSumFrom, OptionControl::UpDown, 1, "UpDown1", 100, 21, 279, "smallest digit sum of a tip"},
    {Option::DigitSumTo, OptionControl::UpDown, 2, "UpDown2", 180, 21, 279, "largest digit sum of a tip"},
    {Option::MaxCommonWithTips, OptionControl::UpDown, 3, "UpDown3", 3, 0, 5,
     "numbers a tip may share with each tip before it"},
    {Option::MaxFromLastDraw, OptionControl::UpDown, 4, "UpDown4", 0, 0, 5,
     "numbers of the last draw a tip may hold"},
    {Option::MaxFromSecondLastDraw, OptionControl::UpDown, 5, "UpDown5", 0, 0, 5,
     "numbers of the second-last draw a tip may hold"},
    {Option::ArchiveMatch, OptionControl::UpDown, 6, "UpDown6", 5, 3, 6,
     "matching numbers that make an archived draw refuse a tip"},
    {Option::MaxRunsThousands, OptionControl::UpDown, 7, "UpDown7", 100, 1, 10000,
     "picks a run may make, in thousands"},
    {Option::TipCount, OptionControl::UpDown, 8, "UpDown8", 12, 1, 12, "tips a run computes"},
}};

constexpr const OptionInfo& optionInfo(Option option) {
    return kGenerationOptions[static_cast<std::size_t>(option)];
}

// The option stored under a value name, or nullptr.
const OptionInfo* findOption(std::string_view valueName);
// The control's object name: "CheckBox8", "UpDown4".
std::string controlName(const OptionInfo& info);

} // namespace lotto
