#include "core/evaluation/TipGrid.h"

#include "core/util/Text.h"

namespace lotto::tipgrid {

namespace {
constexpr std::array<const char*, kTips> kCaption{"Label28", "Label30", "Label31", "Label32",
                                                  "Label33", "Label34", "Label46", "Label48",
                                                  "Label62", "Label61", "Label63", "Label64"};
} // namespace

int editNumber(int cell) {
    if (cell < 36) return cell + 1;
    if (cell < 48) return cell + 7;
    return cell + 8;
}

std::optional<int> cellForEdit(int number) {
    if (number >= 1 && number <= 36) return number - 1;
    if (number >= 43 && number <= 54) return number - 7;
    if (number >= 56 && number <= 79) return number - 8;
    return std::nullopt;
}

std::string editName(int cell) {
    return "Edit" + std::to_string(editNumber(cell));
}

std::optional<int> cellForName(std::string_view objectName) {
    if (objectName.substr(0, 4) != "Edit") return std::nullopt;
    const auto number = toInt(objectName.substr(4));
    if (!number) return std::nullopt;
    return cellForEdit(*number);
}

const char* captionLabel(int tip) {
    return kCaption.at(static_cast<std::size_t>(tip));
}

std::string normalizeCell(std::string_view text) {
    const auto value = toInt(text);
    if (!value || *value < 1 || *value > 45) return {};
    return std::to_string(*value);
}

bool isRepeatedCell(const std::array<std::string, kCells>& cells, int cell) {
    const auto value = toInt(cells.at(static_cast<std::size_t>(cell)));
    if (!value) return false;
    const int first = cell / kCellsPerTip * kCellsPerTip;
    for (int other = first; other < first + kCellsPerTip; ++other)
        if (other != cell && toInt(cells[static_cast<std::size_t>(other)]) == value) return true;
    return false;
}

} // namespace lotto::tipgrid
