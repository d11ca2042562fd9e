#pragma once

#include "core/shell/SettingsStore.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace lotto {

// The settings store of the window and lotto-cli: QSettings under "Zerbost"/"RedidAR"
// with a registered format that writes typed JSON, {"UpDown7": {"t": "int", "v": 100}},
// so a boolean stays a boolean and a value of the wrong type is noticed when read.
// A settings file that is, or links to, something other than a regular file (a link to
// /dev/null is how users stop a program saving, a FIFO would block the start) is neither
// read nor written: the values live in memory for this run only.
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
    // The registered format's reader and writer, on bytes: an entry whose value does not
    // fit its tag is dropped; false when the bytes are no JSON object.
    static bool readTypedJson(const QByteArray& bytes, QSettings::SettingsMap& map);
    static QByteArray writeTypedJson(const QSettings::SettingsMap& map);
    // A value as QSettings hands it out, in the store's types; nothing when it is invalid.
    static std::optional<SettingValue> settingValue(const QVariant& value);

    // Whether the file at path may be read and replaced: missing, or a regular file.
    static bool isUsableFile(const QString& path);

private:
    QString m_fileName;
    std::unique_ptr<QSettings> m_settings; // null when the file is not usable
    MemorySettingsStore m_unsaved;
};

// The per-user data directory that serves as the program directory by default.
QString defaultProgramDirectory();

} // namespace lotto
