// The settings file in its typed JSON format: any bytes are read without a crash, what is
// read is written and read back unchanged, and the values fill the window's state as at
// start-up and are saved again at shutdown.
#include "core/shell/MainState.h"
#include "settings/QtSettingsStore.h"

#include <cstdint>
#include <cstdlib>

namespace {

class NullHost : public lotto::Host {
public:
    void showMessage(const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::string inputBox(const std::string&, const std::string&, const std::string& t) override { return t; }
    std::optional<std::string> chooseSaveFile(const lotto::FileDialogState&) override { return std::nullopt; }
    std::optional<std::string> chooseOpenFile(const lotto::FileDialogState&) override { return std::nullopt; }
    void playSound(const std::string&) override {}
    void openDocument(const std::string&) override {}
    void setBusy(bool) override {}
    void repaint(lotto::RepaintArea) override {}
};

class NullClock : public lotto::Clock {
public:
    lotto::DayNumber today() override { return lotto::dayNumber(2026, 12, 7); }
    std::uint32_t seed() override { return 1; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QSettings::SettingsMap map;
    if (!lotto::QtSettingsStore::readTypedJson(bytes, map)) return 0;
    QSettings::SettingsMap again;
    if (!lotto::QtSettingsStore::readTypedJson(lotto::QtSettingsStore::writeTypedJson(map), again) || again != map)
        std::abort();

    lotto::MemorySettingsStore store;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        if (const auto value = lotto::QtSettingsStore::settingValue(it.value()))
            store.write(it.key().toStdString(), *value);
    NullHost host;
    NullClock clock;
    // No folder is touched: the program directory does not exist and nothing reads the archive.
    lotto::MainState state("/nonexistent-lotto-fuzz/", host, clock);
    state.restoreStartupState(store);
    lotto::MemorySettingsStore saved;
    state.FormClose(saved);
    return 0;
}
