#pragma once

#include <array>
#include <cstddef>

namespace lotto {

// The labels of the main window that operations write (and the links they open), named by
// what they show. The window's objects keep their designer names ("Label29"); kWindowLabels
// below is the one place that pairs the two. lotto-cli's `latest` prints these names too.
enum class WindowLabel {
    DrawCaption, // the shown draw, "Letzte Ziehung" on "Datenbank"
    TipPageDraw, // the same caption above the tips
    DigitSum,    // "Quersumme: n" of the shown draw
    // Page "Zahlen der letzten Ziehung": the Wednesday draw and the Saturday draw.
    WednesdayDate,
    WednesdayNumbers,
    WednesdayExtra, // "ZZ: n"
    WednesdaySuper, // "SZ: n"
    SaturdayDate,
    SaturdayNumbers,
    SaturdayExtra,
    SaturdaySuper,
    // Tips 1 to 12 on "Lottotipp": hits against the shown draw (hitLabel), digit sum (tipSumLabel).
    TipHits1,
    TipHits2,
    TipHits3,
    TipHits4,
    TipHits5,
    TipHits6,
    TipHits7,
    TipHits8,
    TipHits9,
    TipHits10,
    TipHits11,
    TipHits12,
    TipSum1,
    TipSum2,
    TipSum3,
    TipSum4,
    TipSum5,
    TipSum6,
    TipSum7,
    TipSum8,
    TipSum9,
    TipSum10,
    TipSum11,
    TipSum12,
    // Tips 1 to 6: hits in the Saturday draw of the latest-draw page (saturdayHitLabel).
    SaturdayHits1,
    SaturdayHits2,
    SaturdayHits3,
    SaturdayHits4,
    SaturdayHits5,
    SaturdayHits6,
    // The links of "Internet-Optionen" (Label52Click).
    UpdatesLink,
    OperatorLink,
    TendoraLink,
};

struct WindowLabelInfo {
    WindowLabel label;
    const char* designerName; // the window's objectName
    const char* initialText;  // what it shows before an operation writes it
};

inline constexpr std::size_t kWindowLabelCount = static_cast<std::size_t>(WindowLabel::TendoraLink) + 1;

// In the order of the enumerators (checked where it is defined).
inline constexpr std::array<WindowLabelInfo, kWindowLabelCount> kWindowLabels{{
    {WindowLabel::DrawCaption, "Label29", ""},       {WindowLabel::TipPageDraw, "Label35", ""},
    {WindowLabel::DigitSum, "Label13", "Quersumme"}, {WindowLabel::WednesdayDate, "Label3", ""},
    {WindowLabel::WednesdayNumbers, "Label1", ""},   {WindowLabel::WednesdayExtra, "Label6", "ZZ:"},
    {WindowLabel::WednesdaySuper, "Label7", "SZ:"},  {WindowLabel::SaturdayDate, "Label5", ""},
    {WindowLabel::SaturdayNumbers, "Label2", ""},    {WindowLabel::SaturdayExtra, "Label9", "ZZ:"},
    {WindowLabel::SaturdaySuper, "Label8", "SZ:"},   {WindowLabel::TipHits1, "Label22", ""},
    {WindowLabel::TipHits2, "Label23", ""},          {WindowLabel::TipHits3, "Label24", ""},
    {WindowLabel::TipHits4, "Label25", ""},          {WindowLabel::TipHits5, "Label26", ""},
    {WindowLabel::TipHits6, "Label27", ""},          {WindowLabel::TipHits7, "Label45", ""},
    {WindowLabel::TipHits8, "Label47", ""},          {WindowLabel::TipHits9, "Label65", ""},
    {WindowLabel::TipHits10, "Label66", ""},         {WindowLabel::TipHits11, "Label69", ""},
    {WindowLabel::TipHits12, "Label70", ""},         {WindowLabel::TipSum1, "Label36", ""},
    {WindowLabel::TipSum2, "Label37", ""},           {WindowLabel::TipSum3, "Label38", ""},
    {WindowLabel::TipSum4, "Label39", ""},           {WindowLabel::TipSum5, "Label40", ""},
    {WindowLabel::TipSum6, "Label41", ""},           {WindowLabel::TipSum7, "Label49", ""},
    {WindowLabel::TipSum8, "Label50", ""},           {WindowLabel::TipSum9, "Label67", ""},
    {WindowLabel::TipSum10, "Label68", ""},          {WindowLabel::TipSum11, "Label71", ""},
    {WindowLabel::TipSum12, "Label72", ""},          {WindowLabel::SaturdayHits1, "Label15", ""},
    {WindowLabel::SaturdayHits2, "Label16", ""},     {WindowLabel::SaturdayHits3, "Label17", ""},
    {WindowLabel::SaturdayHits4, "Label18", ""},     {WindowLabel::SaturdayHits5, "Label19", ""},
    {WindowLabel::SaturdayHits6, "Label20", ""},     {WindowLabel::UpdatesLink, "Label52", ""},
    {WindowLabel::OperatorLink, "Label54", ""},      {WindowLabel::TendoraLink, "Label56", ""},
}};

constexpr std::size_t labelIndex(WindowLabel label) {
    return static_cast<std::size_t>(label);
}
constexpr const WindowLabelInfo& labelInfo(WindowLabel label) {
    return kWindowLabels[labelIndex(label)];
}
constexpr const char* designerName(WindowLabel label) {
    return labelInfo(label).designerName;
}

// Tip 0..11's hit and digit-sum labels; tip 0..5's hits in the Saturday draw.
WindowLabel hitLabel(int tip);
WindowLabel tipSumLabel(int tip);
WindowLabel saturdayHitLabel(int tip);

// The check boxes that are no generation option: the statistics' weekday filter, honoured by
// the statistics and by stepping through the draws ("Sonntag Ziehungen", "Mittwoch Ziehungen").
enum class WeekdayBox { Sundays, Wednesdays };

struct WeekdayBoxInfo {
    WeekdayBox box;
    int number; // the window's CheckBox<number>
};

inline constexpr std::array<WeekdayBoxInfo, 2> kWeekdayBoxes{{
    {WeekdayBox::Sundays, 16},
    {WeekdayBox::Wednesdays, 17},
}};

constexpr int checkBoxNumber(WeekdayBox box) {
    return kWeekdayBoxes[static_cast<std::size_t>(box)].number;
}

} // namespace lotto
