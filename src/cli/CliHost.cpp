#include "cli/CliHost.h"

namespace lotto {

void CliHost::showMessage(const std::string& text) {
    messages.push_back(text);
    // The operation's own message stands as the window would show it (scripts match these
    // texts); failures and usage errors carry the "lotto-cli: " prefix instead.
    m_err << text << (text.ends_with('\n') ? "" : "\n");
}

} // namespace lotto
