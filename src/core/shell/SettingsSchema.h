#pragma once

#include "core/shell/SettingsStore.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lotto {

class MainState;

enum class SettingType { Bool, Int, String, Date };

// One stored value: its name, type, default and the piece of window state it fills. The
// default is written here only: a new MainState starts with every entry's default.
struct SettingEntry {
    std::string name;
    SettingType type;
    SettingValue defaultValue;
    std::function<SettingValue(const MainState&)> get;
    std::function<void(MainState&, const SettingValue&)> set;
    // What start-up makes of the value once the store is read, also when the entry's block
    // ended before it (an empty server becomes the default one); none for most.
    std::function<void(MainState&)> settle = {};
};

// The schema of the per-user settings. Entries are listed in the order they are written
// at shutdown; start-up reads them in two blocks, each of which ends at the first value of
// the wrong type.
class SettingsSchema {
public:
    static const SettingsSchema& instance();

    const std::vector<SettingEntry>& entries() const { return m_entries; }
    const SettingEntry* find(std::string_view name) const;
    const std::vector<const SettingEntry*>& firstBlock() const { return m_first; }
    const std::vector<const SettingEntry*>& secondBlock() const { return m_second; }

    // Runs every entry's settle step, after start-up read the store.
    void settle(MainState& state) const;

    // The value in the entry's type; throws SettingTypeError on a mismatch.
    static SettingValue coerce(const SettingValue& value, SettingType type);

private:
    SettingsSchema();
    std::vector<SettingEntry> m_entries;
    std::vector<const SettingEntry*> m_first;
    std::vector<const SettingEntry*> m_second;
};

} // namespace lotto
