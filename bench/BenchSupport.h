#pragma once

#include "core/archive/DrawArchive.h"
#include "core/shell/Host.h"
#include "core/util/Clock.h"

#include <sys/resource.h>

#include <filesystem>
#include <string>

namespace lotto::bench {

// Operations run without any window: dialogs answer nothing, repaints cost nothing.
class QuietHost : public Host {
public:
    void showMessage(const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::string inputBox(const std::string&, const std::string&, const std::string& text) override {
        return text;
    }
    std::optional<std::string> chooseSaveFile(const FileDialogState&) override { return std::nullopt; }
    std::optional<std::string> chooseOpenFile(const FileDialogState&) override { return std::nullopt; }
    void playSound(const std::string&) override {}
    void openDocument(const std::string&) override {}
    void setBusy(bool) override {}
    void repaint(RepaintArea) override {}
};

class FixedClock : public Clock {
public:
    DayNumber today() override { return dayNumber(2026, 12, 7); }
    std::uint32_t seed() override { return 1; }
};

inline long peakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A program directory under the temporary directory holding the bundled archive.
inline std::string bundledProgramDir(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(LOTTO_BUNDLED_DAT, dir / "ZahlenAT.dat",
                               std::filesystem::copy_options::overwrite_existing);
    return dir.string() + "/";
}

} // namespace lotto::bench
