#include "core/generation/GenerationOptions.h"

namespace lotto {

namespace {
constexpr bool tableInOrder() {
    for (std::size_t i = 0; i < kGenerationOptions.size(); ++i)
        if (static_cast<std::size_t>(kGenerationOptions[i].option) != i) return false;
    return true;
}
static_assert(tableInOrder(), "optionInfo() indexes the table by the enumerator");
} // namespace

const OptionInfo* findOption(std::string_view valueName) {
    for (const OptionInfo& info : kGenerationOptions)
        if (valueName == info.valueName) return &info;
    return nullptr;
}

std::string controlName(const OptionInfo& info) {
    return (info.control == OptionControl::CheckBox ? "CheckBox" : "UpDown") + std::to_string(info.number);
}

} // namespace lotto
