#include "core/import/PageMarkers.h"

#include "core/util/Text.h"

#include <algorithm>

namespace lotto {

namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

int pageNumber(std::string_view line, std::string_view marker) {
    const std::size_t at = line.find(marker);
    if (at == std::string_view::npos) return convertToInt("");
    const std::string_view after = line.substr(at + marker.size());
    const std::size_t dot = after.substr(0, 15).find('.');
    return convertToInt(
        trimBlanks(dot == std::string_view::npos ? std::string_view() : after.substr(0, dot)));
}

int numberBeforeTag(std::string_view line, std::string_view marker) {
    const std::size_t at = line.find(marker);
    if (at == std::string_view::npos) return convertToInt("");
    const std::string_view after = line.substr(at + marker.size());
    return convertToInt(after.substr(0, after.find("</")));
}

} // namespace lotto
