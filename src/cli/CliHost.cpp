#include "cli/CliHost.h"

#include "cli/OnlinePart.h"

namespace lotto {

void CliHost::showMessage(const std::string& text) {
    messages.push_back(text);
    // The operation's own message stands as the window would show it (scripts match these
    // texts); failures and usage errors carry the "lotto-cli: " prefix instead.
    m_err << text << (text.ends_with('\n') ? "" : "\n");
}

// The HTTP client comes with the module that holds it, which only a download loads.
HttpGet& CliHost::http() {
    if (!m_http) m_http = makeOnlineHttpGet();
    return *m_http;
}

std::optional<TicketSettings> CliHost::askTicketSettings(const TicketDialogPresets& presets) {
    if (!ticketAnswers) return std::nullopt;
    TicketSettings settings;
    settings.top = ticketAnswers->top.value_or(presets.top);
    settings.left = ticketAnswers->left.value_or(presets.left);
    settings.sunday = ticketAnswers->sunday.value_or(presets.sunday);
    settings.wednesday = ticketAnswers->wednesday.value_or(presets.wednesday);
    settings.joker = ticketAnswers->joker;
    settings.joker2 = ticketAnswers->joker2;
    settings.joker3 = ticketAnswers->joker3;
    settings.testImage = ticketAnswers->testImage;
    ticketCost = ticket::costText(presets.tipCount, settings, presets.prices);
    return settings;
}

} // namespace lotto
