#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lotto {

class MainState;

// The places an archive import reads draws from.
enum class ImportSource { Austria, AustriaToday, AustriaLast10, Germany, Switzerland };

// One source as the window, lotto-cli and the settings know it. A new source needs a row in
// kImportSources (ImportSources.cpp), its computation in import/ and its MainState operation.
struct ImportSourceInfo {
    ImportSource source;
    const char* cliName; // lotto-cli's --source; for the choosable ones also the stored choice
    const char* title;   // the name users read
    // The source whose server it reads: its own, or (the last-ten page) the yearly files'.
    ImportSource serverOf;
    // Of a source reading its own server: the server's stored value name, its default, and
    // the default of earlier versions (moved to today's when read), or nullptr.
    const char* serverKey;
    const char* defaultServer;
    const char* earlierServer;
    std::int64_t (MainState::*run)(); // the operation that imports from it
    // One of the Austrian sources chosen on "Internet-Optionen", which "Datenbank
    // aktualisieren" and the rebuild read; only these may rebuild the archive.
    bool choosable;
};

inline constexpr std::size_t kImportSourceCount = 5;
// The Austrian source read while none is chosen.
inline constexpr ImportSource kDefaultAustrianSource = ImportSource::AustriaToday;

// Every source, in the order lotto-cli names them.
const std::array<ImportSourceInfo, kImportSourceCount>& importSources();
const ImportSourceInfo& importSourceInfo(ImportSource source);
// The source lotto-cli calls name; nullptr for none.
const ImportSourceInfo* findImportSource(std::string_view cliName);
// Where a source's server is kept: the index of the source whose server it reads.
inline std::size_t serverSlot(ImportSource source) {
    return static_cast<std::size_t>(importSourceInfo(source).serverOf);
}

} // namespace lotto
