// Archive files with any content under the window's operations: the charts, the group
// searches, evaluation and stepping, and a short generation run with the archive rule.
#include "FuzzHost.h"
#include "core/shell/MainState.h"
#include "core/util/File.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdlib.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The window's handlers read the archive by its path: a scratch file, written without a
    // sync (nothing else reads it), in one folder per process removed when the process ends.
    static const struct ScratchDir {
        std::string path;
        ScratchDir() {
            std::string name = (std::filesystem::temp_directory_path() / "lotto-fuzz-XXXXXX").string();
            if (::mkdtemp(name.data()) == nullptr) std::abort();
            path = name + "/";
        }
        ~ScratchDir() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    } scratch;
    const std::string& dir = scratch.path;
    {
        lotto::File file(dir + "ZahlenAT.dat", lotto::File::Mode::CreateTruncate);
        file.write(data, size);
    }
    lotto::fuzz::NullHost host;
    lotto::fuzz::NullClock clock;
    lotto::MainState state(dir, host, clock);
    state.setTipsReady(true);
    state.SpeedButton2Click();
    state.SpeedButton9Click();
    state.Button2Click();
    state.Button4Click();
    state.Button5Click();
    state.setDrawDate(lotto::dayNumber(2000, 1, 1));
    state.SpeedButton5Click();
    state.SpeedButton7Click();
    state.SpeedButton6Click();
    state.setWeekdayBox(lotto::WeekdayBox::Wednesdays, false);
    state.SpeedButton7Click();
    state.SpeedButton6Click();
    state.setOption(lotto::Option::MaxRunsThousands, 1);
    state.UpDown7Changing();
    state.setOption(lotto::Option::PreferFrequentPairs, true);
    state.setOption(lotto::Option::PreferFrequentQuadruples, true);
    state.Label28Click();
    return 0;
}
