#pragma once

#include "core/shell/SettingsStore.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace lotto {

// The settings store of the window and lotto-cli: QSettings under "Zerbost"/"RedidAR"
// with a registered format that writes typed JSON, {"UpDown7": {"t": "int", "v": 100}},
// so a boolean stays a boolean and a value of the wrong type is noticed when read.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;

    std::optional<SettingValue> read(const std::string& name) override;
    void write(const std::string& name, const SettingValue& value) override;
    void flush() override;
    // Forgets every stored value.
    void clear();

    QString fileName() const;
    static QSettings::Format jsonFormat();

private:
    std::unique_ptr<QSettings> m_settings;
};

// The per-user data directory that serves as the program directory by default.
QString defaultProgramDirectory();

} // namespace lotto
