#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>

namespace lotto {

struct DateSetting {
    double days = 0.0; // days since 30.12.1899
    bool operator==(const DateSetting&) const = default;
};

// A stored value keeps its type, so a value of the wrong type is noticed when it is read.
using SettingValue = std::variant<bool, int, std::string, DateSetting>;

class SettingTypeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The per-user key-value store of the settings.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<SettingValue> read(const std::string& name) = 0;
    virtual void write(const std::string& name, const SettingValue& value) = 0;
    virtual void flush() {}
};

// In memory; used by tests and when the stored settings are to be ignored.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<SettingValue> read(const std::string& name) override {
        const auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    void write(const std::string& name, const SettingValue& value) override { values[name] = value; }

    std::map<std::string, SettingValue> values;
};

// Typed reads with the registry's rules: booleans and integers are one kind of value (a
// boolean reads as nonzero), every other mismatch throws SettingTypeError.
bool settingAsBool(const SettingValue& value);
int settingAsInt(const SettingValue& value);
std::string settingAsString(const SettingValue& value);
double settingAsDate(const SettingValue& value);

} // namespace lotto
