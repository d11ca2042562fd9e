#include "core/shell/SettingsSchema.h"

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

using TextGet = std::function<const std::string&(const MainState&)>;
using TextSet = std::function<void(MainState&, std::string)>;

SettingEntry textEntry(std::string name, std::string def, TextGet get, TextSet set) {
    return {
        std::move(name), SettingType::String, std::move(def),
        [get = std::move(get)](const MainState& s) -> SettingValue { return get(s); },
        [set = std::move(set)](MainState& s, const SettingValue& v) { set(s, std::get<std::string>(v)); }};
}

// A value that an earlier version stored as its default moves to today's default; a value
// the user typed stays.
SettingEntry movingDefault(SettingEntry entry, std::string earlier) {
    auto set = entry.set;
    entry.set = [set = std::move(set), def = entry.defaultValue,
                 earlier = std::move(earlier)](MainState& s, const SettingValue& v) {
        set(s, std::get<std::string>(v) == earlier ? def : v);
    };
    return entry;
}

// A value that is empty after start-up (stored empty, or cleared) is the default again.
SettingEntry emptyIsDefault(SettingEntry entry) {
    entry.settle = [get = entry.get, set = entry.set, def = entry.defaultValue](MainState& s) {
        if (std::get<std::string>(get(s)).empty()) set(s, def);
    };
    return entry;
}

// The server of a source that reads its own, under the name and default the source table gives.
SettingEntry serverEntry(const ImportSourceInfo& info) {
    const ImportSource source = info.source;
    SettingEntry entry = textEntry(
        info.serverKey, info.defaultServer,
        [source](const MainState& s) -> const std::string& { return s.server(source); },
        [source](MainState& s, std::string url) { s.setServer(source, std::move(url)); });
    if (info.earlierServer) entry = movingDefault(std::move(entry), info.earlierServer);
    return emptyIsDefault(std::move(entry));
}

// The download file's name in the program directory while none is given.
constexpr const char* kDownloadFileName = "Lotto.html";

} // namespace

SettingsSchema::SettingsSchema() {
    auto addOptions = [this](OptionControl control) {
        for (const OptionInfo& info : kGenerationOptions)
            if (info.control == control) m_entries.push_back(optionEntry(info));
    };
    addOptions(OptionControl::CheckBox);

    // The ticket's offsets, as the print settings dialog last had them.
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

    SettingEntry downloadFile =
        textEntry("FileNameEdit", "", &MainState::fileNameEdit, &MainState::setFileNameEdit);
    downloadFile.settle = [](MainState& s) {
        if (s.fileNameEdit().empty()) s.setFileNameEdit(s.programDir() + kDownloadFileName);
    };
    m_entries.push_back(std::move(downloadFile));
    m_entries.push_back(textEntry("URLEdit", "https://www.lotto.de/content/d/homepage/", &MainState::urlEdit,
                                  &MainState::setUrlEdit));
    m_entries.push_back(
        textEntry("ProxyHostEdit", "", &MainState::proxyHostEdit, &MainState::setProxyHostEdit));
    SettingEntry proxyPort =
        textEntry("ProxyPortEdit", "80", &MainState::proxyPortEdit, &MainState::setProxyPortEdit);
    proxyPort.settle = [set = proxyPort.set, def = proxyPort.defaultValue](MainState& s) {
        if (s.proxyHostEdit().empty()) set(s, def); // without a proxy its port is the default
    };
    m_entries.push_back(std::move(proxyPort));
    for (const ImportSourceInfo& info : importSources())
        if (info.serverOf == info.source) m_entries.push_back(serverEntry(info));
    m_entries.push_back({"AustriaSource", SettingType::String,
                         std::string(importSourceInfo(kDefaultAustrianSource).cliName),
                         [](const MainState& s) -> SettingValue {
                             return std::string(importSourceInfo(s.austrianSource()).cliName);
                         },
                         [](MainState& s, const SettingValue& v) {
                             const ImportSourceInfo* source = findImportSource(std::get<std::string>(v));
                             s.setAustrianSource(source ? source->source : kDefaultAustrianSource);
                         }});
    m_entries.push_back(
        emptyIsDefault(movingDefault(textEntry("AustriaTodayFiles", kTodayDefaultFiles,
                                               &MainState::todayFilesEdit, &MainState::setTodayFilesEdit),
                                     kTodayEarlierFiles)));
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
    m_entries.push_back({"JokerCent", SettingType::Int, 170,
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
    // Added after the original values, so a wrong type among those does not reach them.
    add(m_second, importSourceInfo(ImportSource::Austria).serverKey);
    add(m_second, "AustriaSource");
    add(m_second, importSourceInfo(ImportSource::AustriaToday).serverKey);
    add(m_second, "AustriaTodayFiles");
    for (const ImportSourceInfo& info : importSources())
        if (info.serverOf == info.source && !info.choosable) add(m_second, info.serverKey);
    add(m_second, "EinsatzCent");
    add(m_second, "System");
    add(m_second, "JokerCent");
    add(m_second, "UpdateOnStart");
}

const SettingsSchema& SettingsSchema::instance() {
    static const SettingsSchema schema;
    return schema;
}

void SettingsSchema::settle(MainState& state) const {
    for (const SettingEntry& entry : m_entries)
        if (entry.settle) entry.settle(state);
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
