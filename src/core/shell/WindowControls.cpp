#include "core/shell/WindowControls.h"

#include "core/evaluation/TipGrid.h"

#include <stdexcept>
#include <string>

namespace lotto {

namespace {

constexpr bool labelsInOrder() {
    for (std::size_t i = 0; i < kWindowLabels.size(); ++i)
        if (labelIndex(kWindowLabels[i].label) != i) return false;
    return true;
}
static_assert(labelsInOrder(), "labelInfo() indexes the table by the enumerator");

constexpr bool boxesInOrder() {
    for (std::size_t i = 0; i < kWeekdayBoxes.size(); ++i)
        if (static_cast<std::size_t>(kWeekdayBoxes[i].box) != i) return false;
    return true;
}
static_assert(boxesInOrder(), "checkBoxNumber() indexes the table by the enumerator");

WindowLabel labelOfTip(WindowLabel first, int tip, int tips) {
    if (tip < 0 || tip >= tips) throw std::out_of_range("no tip " + std::to_string(tip));
    return static_cast<WindowLabel>(labelIndex(first) + static_cast<std::size_t>(tip));
}

} // namespace

WindowLabel hitLabel(int tip) {
    return labelOfTip(WindowLabel::TipHits1, tip, tipgrid::kTips);
}

WindowLabel tipSumLabel(int tip) {
    return labelOfTip(WindowLabel::TipSum1, tip, tipgrid::kTips);
}

WindowLabel saturdayHitLabel(int tip) {
    return labelOfTip(WindowLabel::SaturdayHits1, tip, 6);
}

} // namespace lotto
