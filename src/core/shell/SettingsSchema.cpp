#include "core/shell/SettingsSchema.h"

#include "core/import/AustrianArchive.h"
#include "core/import/AustrianToday.h"
#include "core/shell/MainState.h"

namespace lotto {

namespace {

// A generation option, stored under its value name with the control's value.
SettingEntry optionEntry(const OptionInfo& info) {
    const Option option = info.option;
    if (info.control == OptionControl::CheckBox)
        return {info.valueName, SettingType::Bool, info.defaultValue != 0,
                [option](const MainState& s) -> SettingValue { return s.isOn(option); },
                [option](MainState& s, const SettingValue& v) { s.setOption(option, std::get<bool>(v)); }};
    return {info.valueName, SettingType::Int, info.defaultValue,
            [option](const MainState& s) -> SettingValue { return s.value(option); },
            [option](MainState& s, const SettingValue& v) { s.setOption(option, std::get<int>(v)); }};
}

SettingEntry textEntry(std::string name, std::string def, std::string& (*field)(MainState&),
                       const std::string& (*constField)(const MainState&)) {
    return {std::move(name), SettingType::String, std::move(def),
            [constField](const MainState& s) -> SettingValue { return constField(s); },
            [field](MainState& s, const SettingValue& v) { field(s) = std::get<std::string>(v); }};
}

// A value that an earlier version stored as its default moves to today's default; a value
// the user typed stays.
SettingEntry movingDefaultEntry(std::string name, std::string def, std::string earlier,
                                std::string& (*field)(MainState&),
                                const std::string& (*constField)(const MainState&)) {
    SettingEntry entry = textEntry(std::move(name), def, field, constField);
    entry.set = [field, def = std::move(def), earlier = std::move(earlier)](MainState& s,
                                                                            const SettingValue& v) {
        const std::string& stored = std::get<std::string>(v);
        field(s) = stored == earlier ? def : stored;
    };
    return entry;
}

} // namespace

SettingsSchema::SettingsSchema() {
    auto addOptions = [this](OptionControl control) {
        for (const OptionInfo& info : kGenerationOptions)
            if (info.control == control) m_entries.push_back(optionEntry(info));
    };
    addOptions(OptionControl::CheckBox);

    m_entries.push_back(
        {"TippTop", SettingType::Int, 88, [](const MainState& s) -> SettingValue { return s.tippTop(); },
         [](MainState& s, const SettingValue& v) { s.setTippOffsets(std::get<int>(v), s.tippLeft()); }});
    m_entries.push_back(
        {"TippLeft", SettingType::Int, 26, [](const MainState& s) -> SettingValue { return s.tippLeft(); },
         [](MainState& s, const SettingValue& v) { s.setTippOffsets(s.tippTop(), std::get<int>(v)); }});

    addOptions(OptionControl::UpDown);

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
    m_entries.push_back(movingDefaultEntry(
        "ServerEdit", kYearlyDefaultServer, kYearlyEarlierServer,
        [](MainState& s) -> std::string& { return s.serverEdit(); },
        [](const MainState& s) -> const std::string& { return s.serverEdit(); }));
    m_entries.push_back(textEntry(
        "AustriaSource", MainState::kSourceAustriaToday,
        [](MainState& s) -> std::string& { return s.austrianSource(); },
        [](const MainState& s) -> const std::string& { return s.austrianSource(); }));
    m_entries.push_back(movingDefaultEntry(
        "AustriaTodayServer", kTodayDefaultServer, kTodayEarlierServer,
        [](MainState& s) -> std::string& { return s.todayServerEdit(); },
        [](const MainState& s) -> const std::string& { return s.todayServerEdit(); }));
    m_entries.push_back(movingDefaultEntry(
        "AustriaTodayFiles", kTodayDefaultFiles, kTodayEarlierFiles,
        [](MainState& s) -> std::string& { return s.todayFilesEdit(); },
        [](const MainState& s) -> const std::string& { return s.todayFilesEdit(); }));
    m_entries.push_back(textEntry(
        "GermanServerEdit", MainState::kGermanHistoryAddress,
        [](MainState& s) -> std::string& { return s.germanServerEdit(); },
        [](const MainState& s) -> const std::string& { return s.germanServerEdit(); }));
    m_entries.push_back(textEntry(
        "SwissServerEdit", MainState::kSwissResultsAddress,
        [](MainState& s) -> std::string& { return s.swissServerEdit(); },
        [](const MainState& s) -> const std::string& { return s.swissServerEdit(); }));
    m_entries.push_back({"DateTimePicker2", SettingType::Date,
                         DateSetting{static_cast<double>(MainState::earliestDate())},
                         [](const MainState& s) -> SettingValue {
                             return DateSetting{static_cast<double>(s.statisticsStart())};
                         },
                         [](MainState& s, const SettingValue& v) {
                             s.setStatisticsStart(wholeDay(std::get<DateSetting>(v).days));
                         }});
    m_entries.push_back({"EinsatzCent", SettingType::Int, 120,
                         [](const MainState& s) -> SettingValue { return static_cast<int>(s.stakeCents()); },
                         [](MainState& s, const SettingValue& v) { s.setStakeCents(std::get<int>(v)); }});
    m_entries.push_back({"System", SettingType::String, std::string(),
                         [](const MainState& s) -> SettingValue { return formatSystemSetting(s.system()); },
                         [](MainState& s, const SettingValue& v) {
                             s.setSystem(parseSystemSetting(std::get<std::string>(v)));
                         }});
    m_entries.push_back({"JokerCent", SettingType::Int, static_cast<int>(TicketPrices{}.jokerCents),
                         [](const MainState& s) -> SettingValue { return static_cast<int>(s.jokerCents()); },
                         [](MainState& s, const SettingValue& v) { s.setJokerCents(std::get<int>(v)); }});
    m_entries.push_back({"UpdateOnStart", SettingType::Bool, false,
                         [](const MainState& s) -> SettingValue { return s.updateOnStart(); },
                         [](MainState& s, const SettingValue& v) { s.setUpdateOnStart(std::get<bool>(v)); }});
    m_entries.push_back({"Land", SettingType::Int, 1,
                         [](const MainState& s) -> SettingValue { return s.country(); },
                         [](MainState& s, const SettingValue& v) { s.setCountry(std::get<int>(v)); }});

    auto add = [this](std::vector<const SettingEntry*>& block, std::string_view name) {
        block.push_back(find(name));
    };
    auto addOptionNames = [&](OptionControl control) {
        for (const OptionInfo& info : kGenerationOptions)
            if (info.control == control) add(m_first, info.valueName);
    };
    addOptionNames(OptionControl::CheckBox);
    add(m_first, "Land");
    add(m_first, "TippTop");
    add(m_first, "TippLeft");
    addOptionNames(OptionControl::UpDown);
    for (int cell = 0; cell < tipgrid::kCells; ++cell)
        add(m_first, tipgrid::editName(cell));
    for (const char* name : {"FileNameEdit", "URLEdit", "ProxyHostEdit", "ProxyPortEdit", "DateTimePicker2"})
        add(m_second, name);
    // Added after the original values, so a wrong type among those does not reach it.
    add(m_second, "ServerEdit");
    for (const char* name : {"AustriaSource", "AustriaTodayServer", "AustriaTodayFiles"})
        add(m_second, name);
    add(m_second, "GermanServerEdit");
    add(m_second, "SwissServerEdit");
    add(m_second, "EinsatzCent");
    add(m_second, "System");
    add(m_second, "JokerCent");
    add(m_second, "UpdateOnStart");
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
