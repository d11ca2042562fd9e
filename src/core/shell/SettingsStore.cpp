#include "core/shell/SettingsStore.h"

namespace lotto {

bool settingAsBool(const SettingValue& value) {
    if (const bool* b = std::get_if<bool>(&value)) return *b;
    if (const int* i = std::get_if<int>(&value)) return *i != 0;
    throw SettingTypeError("Ungültiger Typ für einen Wahrheitswert");
}

int settingAsInt(const SettingValue& value) {
    if (const int* i = std::get_if<int>(&value)) return *i;
    if (const bool* b = std::get_if<bool>(&value)) return *b ? 1 : 0;
    throw SettingTypeError("Ungültiger Typ für eine Zahl");
}

std::string settingAsString(const SettingValue& value) {
    if (const std::string* s = std::get_if<std::string>(&value)) return *s;
    throw SettingTypeError("Ungültiger Typ für einen Text");
}

double settingAsDate(const SettingValue& value) {
    if (const DateSetting* d = std::get_if<DateSetting>(&value)) return d->days;
    throw SettingTypeError("Ungültiger Typ für ein Datum");
}

} // namespace lotto
