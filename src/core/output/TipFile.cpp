#include "core/output/TipFile.h"

#include "core/util/Text.h"

namespace lotto {

std::string tipFileNameFor(DayNumber drawDay) {
    return formatCompactDate(drawDay) + "." + kTipFileExt;
}

std::string formatTipFile(const std::array<std::string, tipgrid::kCells>& cells) {
    std::string out;
    for (int tip = 0; tip < tipgrid::kTips; ++tip) {
        for (int c = 0; c < tipgrid::kCellsPerTip; ++c) {
            if (c > 0) out += ',';
            out += cells[static_cast<std::size_t>(tip * tipgrid::kCellsPerTip + c)];
        }
        out += "\r\n";
    }
    return utf8ToWindows1252(out);
}

std::array<std::string, 6> splitTipLine(std::string_view line) {
    std::array<std::string, 6> fields;
    std::string_view rest = line;
    for (std::size_t f = 0; f < 5; ++f) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) continue; // field stays empty, rest kept
        fields[f] = std::string(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
    }
    fields[5] = std::string(rest);
    return fields;
}

TipFileFields parseTipFile(std::string_view bytes) {
    TipFileFields fields;
    std::string_view rest = bytes;
    // Editors that save as UTF-8 may put a byte-order mark first; it is no part of the tips.
    if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
    for (int tip = 0; tip < tipgrid::kTips && !rest.empty(); ++tip) {
        std::string_view line = rest;
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) {
            rest = {};
        } else {
            line = rest.substr(0, end);
            rest.remove_prefix(end + 1);
        }
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto six = splitTipLine(line);
        for (std::size_t c = 0; c < 6; ++c)
            fields[static_cast<std::size_t>(tip) * 6 + c] = windows1252ToUtf8(six[c]);
    }
    return fields;
}

} // namespace lotto
