#pragma once

#include "core/import/HttpGet.h"
#include "core/output/TicketLayout.h"

#include <memory>
#include <string>

class QCoreApplication;

namespace lotto {

// What lotto-cli needs of Qt Gui and Qt Network: the HTTP client of the downloads and the
// ticket's PDF page. They live in a module (lotto-cli-online.so) loaded the first time one
// of them is asked for, so every other command starts with Qt Core alone. A missing
// module throws std::runtime_error with a German text.
std::unique_ptr<HttpGet> makeOnlineHttpGet();
// The ticket page as PDF, with the scan behind it where the layout asks for one.
std::string onlineTicketPdf(const TicketLayout& layout);
// The GUI application the ticket's fonts need (on whatever platform QT_QPA_PLATFORM names).
std::unique_ptr<QCoreApplication> makeOnlineGuiApplication(int& argc, char** argv);

// The module's table of entry points; both sides are built from this one header.
struct OnlineFunctions {
    int version;
    std::unique_ptr<HttpGet> (*makeHttpGet)();
    std::string (*ticketPdf)(const TicketLayout& layout);
    std::unique_ptr<QCoreApplication> (*makeGuiApplication)(int& argc, char** argv);
};
inline constexpr int kOnlineFunctionsVersion = 1;
inline constexpr const char* kOnlineEntryPoint = "lotto_cli_online_functions";

} // namespace lotto
