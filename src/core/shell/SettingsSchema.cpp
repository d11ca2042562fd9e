#include "core/shell/SettingsSchema.h"

#include "core/shell/MainState.h"

namespace lotto {

namespace {

SettingEntry boolEntry(std::string name, bool def, int box) {
    return {std::move(name), SettingType::Bool, def,
            [box](const MainState& s) -> SettingValue { return s.checkBox(box); },
            [box](MainState& s, const SettingValue& v) { s.setCheckBox(box, std::get<bool>(v)); }};
}

SettingEntry upDownEntry(int n, int def) {
    return {"UpDown" + std::to_string(n), SettingType::Int, def,
            [n](const MainState& s) -> SettingValue { return s.upDown(n).position; },
            [n](MainState& s, const SettingValue& v) { s.setUpDown(n, std::get<int>(v)); }};
}

SettingEntry textEntry(std::string name, std::string def, std::string& (*field)(MainState&),
                       const std::string& (*constField)(const MainState&)) {
    return {std::move(name), SettingType::String, std::move(def),
            [constField](const MainState& s) -> SettingValue { return constField(s); },
            [field](MainState& s, const SettingValue& v) { field(s) = std::get<std::string>(v); }};
}

} // namespace

SettingsSchema::SettingsSchema() {
    constexpr bool kCheckedByDefault[19] = {false, false, true,  true,  true, true,  false, false, true, true,
                                            true,  false, false, false, true, false, false, false, true};
    for (int box = 1; box <= 15; ++box)
        m_entries.push_back(boolEntry("Chekcbox" + std::to_string(box), kCheckedByDefault[box], box));
    m_entries.push_back(boolEntry("Chekcbox18", kCheckedByDefault[18], 18));

    m_entries.push_back(
        {"TippTop", SettingType::Int, 88, [](const MainState& s) -> SettingValue { return s.tippTop(); },
         [](MainState& s, const SettingValue& v) { s.setTippOffsets(std::get<int>(v), s.tippLeft()); }});
    m_entries.push_back(
        {"TippLeft", SettingType::Int, 26, [](const MainState& s) -> SettingValue { return s.tippLeft(); },
         [](MainState& s, const SettingValue& v) { s.setTippOffsets(s.tippTop(), std::get<int>(v)); }});

    constexpr int kUpDownDefaults[9] = {0, 100, 180, 3, 0, 0, 5, 100, 12};
    for (int n = 1; n <= 8; ++n)
        m_entries.push_back(upDownEntry(n, kUpDownDefaults[n]));

    for (int cell = 0; cell < tipgrid::kCells; ++cell) {
        m_entries.push_back(
            {tipgrid::editName(cell), SettingType::String,
             cell < 6 ? std::to_string(cell + 1) : std::string(),
             [cell](const MainState& s) -> SettingValue { return s.cell(cell); },
             [cell](MainState& s, const SettingValue& v) { s.Edit1Change(cell, std::get<std::string>(v)); }});
    }

    m_entries.push_back(textEntry(
        "FileNameEdit", "", [](MainState& s) -> std::string& { return s.fileNameEdit(); },
        [](const MainState& s) -> const std::string& { return s.fileNameEdit(); }));
    m_entries.push_back(textEntry(
        "URLEdit", "https://www.lotto.de/content/d/homepage/",
        [](MainState& s) -> std::string& { return s.urlEdit(); },
        [](const MainState& s) -> const std::string& { return s.urlEdit(); }));
    m_entries.push_back(textEntry(
        "ProxyHostEdit", "", [](MainState& s) -> std::string& { return s.proxyHostEdit(); },
        [](const MainState& s) -> const std::string& { return s.proxyHostEdit(); }));
    m_entries.push_back(textEntry(
        "ProxyPortEdit", "80", [](MainState& s) -> std::string& { return s.proxyPortEdit(); },
        [](const MainState& s) -> const std::string& { return s.proxyPortEdit(); }));
    m_entries.push_back({"DateTimePicker2", SettingType::Date,
                         DateSetting{static_cast<double>(MainState::earliestDate())},
                         [](const MainState& s) -> SettingValue {
                             return DateSetting{static_cast<double>(s.dateTimePicker2().date)};
                         },
                         [](MainState& s, const SettingValue& v) {
                             s.dateTimePicker2().setDate(wholeDay(std::get<DateSetting>(v).days));
                         }});
    m_entries.push_back({"Land", SettingType::Int, 1,
                         [](const MainState& s) -> SettingValue { return s.country(); },
                         [](MainState& s, const SettingValue& v) { s.setCountry(std::get<int>(v)); }});

    auto add = [this](std::vector<const SettingEntry*>& block, std::string_view name) {
        block.push_back(find(name));
    };
    for (int box = 1; box <= 15; ++box)
        add(m_first, "Chekcbox" + std::to_string(box));
    add(m_first, "Chekcbox18");
    add(m_first, "Land");
    add(m_first, "TippTop");
    add(m_first, "TippLeft");
    for (int n = 1; n <= 8; ++n)
        add(m_first, "UpDown" + std::to_string(n));
    for (int cell = 0; cell < tipgrid::kCells; ++cell)
        add(m_first, tipgrid::editName(cell));
    for (const char* name : {"FileNameEdit", "URLEdit", "ProxyHostEdit", "ProxyPortEdit", "DateTimePicker2"})
        add(m_second, name);
}

const SettingsSchema& SettingsSchema::instance() {
    static const SettingsSchema schema;
    return schema;
}

const SettingEntry* SettingsSchema::find(std::string_view name) const {
    for (const SettingEntry& e : m_entries)
        if (e.name == name) return &e;
    return nullptr;
}

SettingValue SettingsSchema::coerce(const SettingValue& value, SettingType type) {
    switch (type) {
    case SettingType::Bool:
        return settingAsBool(value);
    case SettingType::Int:
        return settingAsInt(value);
    case SettingType::String:
        return settingAsString(value);
    case SettingType::Date:
        return DateSetting{settingAsDate(value)};
    }
    throw SettingTypeError("Unbekannter Typ");
}

} // namespace lotto
