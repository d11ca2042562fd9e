#include "core/shell/StatusText.h"

namespace lotto {

std::string StatusText::formatCandidate(int tip, const std::array<int, 6>& numbers, int sum) {
    std::string text = std::to_string(tip) + ".Tipp:  ";
    for (std::size_t i = 0; i < 6; ++i) {
        if (i == 1)
            text += ' ';
        else if (i > 1)
            text += "  ";
        text += std::to_string(numbers[i]);
    }
    text += tip == 2 || tip == 4 ? "   QS: " : (tip == 3 ? "    QS: " : "  QS: ");
    text += std::to_string(sum);
    return text;
}

} // namespace lotto
