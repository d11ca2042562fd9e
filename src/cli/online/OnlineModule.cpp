// The module lotto-cli loads for downloads and the ticket's PDF (see cli/OnlinePart.h).
#include "HttpClient/HttpClientGet.h"
#include "cli/OnlinePart.h"
#include "print/TicketPainter.h"

#include <QGuiApplication>

namespace {

std::unique_ptr<lotto::HttpGet> makeHttpGet() {
    return std::make_unique<lotto::HttpClientGet>();
}

std::string ticketPdf(const lotto::TicketLayout& layout) {
    return lotto::ticketPdf(layout, lotto::loadTicketScan(layout.imagePath()));
}

std::unique_ptr<QCoreApplication> makeGuiApplication(int& argc, char** argv) {
    return std::make_unique<QGuiApplication>(argc, argv);
}

const lotto::OnlineFunctions kFunctions{lotto::kOnlineFunctionsVersion, makeHttpGet, ticketPdf,
                                        makeGuiApplication};

} // namespace

extern "C" __attribute__((visibility("default"))) const lotto::OnlineFunctions* lotto_cli_online_functions() {
    return &kFunctions;
}
