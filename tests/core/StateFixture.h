#pragma once

#include "core/TestSupport.h"
#include "core/shell/MainState.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lotto::test {

// A window state on a program directory of its own, with a host the test can inspect.
template <class HostType = FakeHost> struct StateFixture : ::testing::Test {
    TempDir dir;
    HostType host;
    FakeClock clock;
    MainState state{dir.path(), host, clock};

    void archive(const std::vector<DrawRecord>& records) { writeArchive(dir.file("ZahlenAT.dat"), records); }
    void realArchive() { std::filesystem::copy_file(realArchivePath(), dir.file("ZahlenAT.dat")); }
    // Changes the draw in the current-draw buffer as work on other draws leaves it; the
    // captions stay.
    template <class Change> void changeBufferedDraw(Change change) {
        MainState::ShownDraw shown = state.shownDraw();
        change(shown.draw);
        state.restoreShownDraw(shown);
    }
};

} // namespace lotto::test
