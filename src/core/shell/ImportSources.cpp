#include "core/shell/ImportSources.h"

#include "core/import/AustrianArchive.h"
#include "core/import/AustrianToday.h"
#include "core/import/GermanHistory.h"
#include "core/import/SwissPages.h"
#include "core/shell/MainState.h"

namespace lotto {

namespace {

const std::array<ImportSourceInfo, kImportSourceCount> kImportSources{{
    {ImportSource::Austria, "austria", "Ursprüngliche Jahresdateien", ImportSource::Austria, "ServerEdit",
     kYearlyDefaultServer, kYearlyEarlierServer, &MainState::AustiaBitBtn1, true},
    {ImportSource::AustriaToday, "austria-today", "Ergebnisdateien von heute", ImportSource::AustriaToday,
     "AustriaTodayServer", kTodayDefaultServer, kTodayEarlierServer, &MainState::AustriaTodayBitBtn1, true},
    {ImportSource::AustriaLast10, "austria-last10", "Die letzten zehn Ziehungen", ImportSource::Austria,
     nullptr, nullptr, nullptr, &MainState::AustriaLast10, false},
    {ImportSource::Germany, "germany", "Deutsche Ziehungen (6 aus 49)", ImportSource::Germany,
     "GermanServerEdit", kGermanDefaultServer, nullptr, &MainState::BitBtn1Click, false},
    {ImportSource::Switzerland, "switzerland", "Schweizer Ziehungen", ImportSource::Switzerland,
     "SwissServerEdit", kSwissDefaultServer, nullptr, &MainState::SwissBitBtn1Click, false},
}};

} // namespace

const std::array<ImportSourceInfo, kImportSourceCount>& importSources() {
    return kImportSources;
}

const ImportSourceInfo& importSourceInfo(ImportSource source) {
    return kImportSources.at(static_cast<std::size_t>(source));
}

const ImportSourceInfo* findImportSource(std::string_view cliName) {
    for (const ImportSourceInfo& info : kImportSources)
        if (info.cliName == cliName) return &info;
    return nullptr;
}

} // namespace lotto
