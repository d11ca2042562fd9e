// Whole-window figures, offscreen: from QApplication to a shown window with the bundled
// archive and its chart, every chart button (median of five), and generation runs inside the
// window (with their repaints); last the process's peak memory.
//   bench_window                  everything
//   bench_window --startup-only   start-up and peak memory only (for /usr/bin/time -v)
#include "bench/BenchSupport.h"
#include "gui/TForm1.h"
#include "settings/QtSettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

using namespace lotto;

namespace {

class QuietQtHost : public QtHost {
public:
    void showMessage(const std::string&) override {}
    void showError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void playSound(const std::string&) override {}
};

long peakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer total;
    total.start();
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const bool startupOnly = argc > 1 && std::strcmp(argv[1], "--startup-only") == 0;
    QApplication app(argc, argv);
    const std::string dir = bench::bundledProgramDir("lotto-bench-window");
    QtSettingsStore store;
    store.clear();
    bench::FixedClock clock;

    QElapsedTimer timer;
    timer.start();
    TForm1 form(dir, store, clock, std::make_unique<QuietQtHost>());
    form.show();
    QApplication::processEvents();
    const double startup = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::printf("window start-up (construct, first evaluation and chart, show): %.1f ms; since process start "
                "%.1f ms\n",
                startup, static_cast<double>(total.nsecsElapsed()) / 1e6);
    if (startupOnly) {
        std::printf("peak memory: %ld KiB\n", peakRssKiB());
        return 0;
    }

    auto timeRun = [&](const char* name, int upDown1, int upDown2, int upDown6, int thousands) {
        MainState& s = form.state();
        s.setOption(Option::DigitSumFrom, upDown1);
        s.setOption(Option::DigitSumTo, upDown2);
        s.setOption(Option::ArchiveMatch, upDown6);
        s.setOption(Option::MaxRunsThousands, thousands);
        s.UpDown7Changing();
        s.random().setSeed(1);
        form.refreshFromState();
        timer.restart();
        form.run([&] { s.Label28Click(); });
        QApplication::processEvents();
        std::printf("%s: %.1f ms in the window, status \"%s\"\n", name,
                    static_cast<double>(timer.nsecsElapsed()) / 1e6, s.statusText(1).c_str());
    };
    // The default run's options; the budget of 100,000 picks is the default too.
    timeRun("default run", 100, 180, 5, 100);
    timeRun("budget 10M, digit sums 279..279", 279, 279, 5, 10000);
    timeRun("budget 10M, archive rule 3", 100, 180, 3, 10000);

    // Each chart as its button runs it: the operation, then the repaint of the chart page.
    auto timeChart = [&](const char* name, const std::function<void(MainState&)>& operation) {
        std::vector<double> samples;
        for (int i = 0; i < 5; ++i) {
            timer.restart();
            form.run([&] { operation(form.state()); });
            QApplication::processEvents();
            samples.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(samples.begin(), samples.end());
        std::printf("chart %s: median %.1f ms (min %.1f, max %.1f)\n", name, samples[2], samples[0],
                    samples[4]);
    };
    timeChart("frequency", [](MainState& s) { s.SpeedButton2Click(); });
    timeChart("digit sums", [](MainState& s) { s.SpeedButton9Click(); });
    timeChart("tips", [](MainState& s) { s.Button6Click(); });
    timeChart("pairs", [](MainState& s) { s.Button2Click(); });
    timeChart("triples", [](MainState& s) { s.Button3Click(); });
    timeChart("quadruples", [](MainState& s) { s.Button4Click(); });
    timeChart("overdue", [](MainState& s) { s.Button5Click(); });
    std::printf("peak memory: %ld KiB\n", peakRssKiB());
    return 0;
}
