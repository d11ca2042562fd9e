// Whole-window figures, offscreen: from QApplication to a shown window with the bundled
// archive and its chart, and a generation run inside the window (with its repaints).
#include "bench/BenchSupport.h"
#include "gui/TForm1.h"
#include "settings/QtSettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace lotto;

namespace {

class QuietQtHost : public QtHost {
public:
    void showMessage(const std::string&) override {}
    void showError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void playSound(const std::string&) override {}
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer total;
    total.start();
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
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

    auto timeRun = [&](const char* name, int upDown1, int upDown2, int upDown6) {
        MainState& s = form.state();
        s.setUpDown(1, upDown1);
        s.setUpDown(2, upDown2);
        s.setUpDown(6, upDown6);
        s.setUpDown(7, 10000);
        s.UpDown7Changing();
        s.random().setSeed(1);
        form.refreshFromState();
        timer.restart();
        form.run([&] { s.Label28Click(); });
        QApplication::processEvents();
        std::printf("%s: %.1f ms in the window, status \"%s\"\n", name,
                    static_cast<double>(timer.nsecsElapsed()) / 1e6, s.statusText(1).c_str());
    };
    timeRun("budget 10M, digit sums 279..279", 279, 279, 5);
    timeRun("budget 10M, archive rule 3", 100, 180, 3);
    form.state().setUpDown(7, 100);
    form.state().UpDown7Changing();
    timeRun("default run", 100, 180, 5);
    return 0;
}
