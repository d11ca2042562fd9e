// The settings file in its typed JSON format: any bytes are read without a crash, what is
// read is written and read back unchanged, and the values fill the window's state as at
// start-up and are saved again at shutdown.
#include "FuzzHost.h"
#include "core/shell/MainState.h"
#include "settings/QtSettingsStore.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QSettings::SettingsMap map;
    if (!lotto::QtSettingsStore::readTypedJson(bytes, map)) return 0;
    QSettings::SettingsMap again;
    if (!lotto::QtSettingsStore::readTypedJson(lotto::QtSettingsStore::writeTypedJson(map), again) ||
        again != map)
        std::abort();

    lotto::MemorySettingsStore store;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        if (const auto value = lotto::QtSettingsStore::settingValue(it.value()))
            store.write(it.key().toStdString(), *value);
    lotto::fuzz::NullHost host;
    lotto::fuzz::NullClock clock;
    // No folder is touched: the program directory does not exist and nothing reads the archive.
    lotto::MainState state("/nonexistent-lotto-fuzz/", host, clock);
    state.restoreStartupState(store);
    lotto::MemorySettingsStore saved;
    state.FormClose(saved);
    return 0;
}
