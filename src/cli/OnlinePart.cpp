#include "cli/OnlinePart.h"

#include <QCoreApplication>

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

namespace lotto {

namespace {

// Beside the program in the build folder; installed, where LOTTO_ONLINE_MODULE_DIR (relative
// to the program's folder) says.
const OnlineFunctions& onlineFunctions() {
    static const OnlineFunctions* functions = [] {
        std::error_code ec;
        const std::filesystem::path programDir =
            std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
        std::string errors;
        for (const std::filesystem::path& candidate :
             {programDir / "lotto-cli-online.so",
              programDir / LOTTO_ONLINE_MODULE_DIR / "lotto-cli-online.so"}) {
            void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!handle) {
                errors += std::string("\n  ") + ::dlerror();
                continue;
            }
            using Entry = const OnlineFunctions* (*)();
            const auto entry = reinterpret_cast<Entry>(::dlsym(handle, kOnlineEntryPoint));
            if (entry && entry()->version == kOnlineFunctionsVersion) return entry();
            errors += "\n  " + candidate.string() + ": passt nicht zu diesem lotto-cli";
        }
        throw std::runtime_error("Der Teil von lotto-cli für Downloads und den Schein (lotto-cli-online.so) "
                                 "kann nicht geladen werden:" +
                                 errors);
    }();
    return *functions;
}

} // namespace

std::unique_ptr<HttpGet> makeOnlineHttpGet() {
    return onlineFunctions().makeHttpGet();
}

std::string onlineTicketPdf(const TicketLayout& layout) {
    return onlineFunctions().ticketPdf(layout);
}

std::unique_ptr<QCoreApplication> makeOnlineGuiApplication(int& argc, char** argv) {
    return onlineFunctions().makeGuiApplication(argc, argv);
}

} // namespace lotto
