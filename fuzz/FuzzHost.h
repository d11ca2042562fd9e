// A host that answers every question with "no" and a fixed clock, for fuzz targets that
// drive the window's state.
#pragma once

#include "core/shell/Host.h"
#include "core/util/Clock.h"
#include "core/util/Dates.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lotto::fuzz {

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

} // namespace lotto::fuzz
