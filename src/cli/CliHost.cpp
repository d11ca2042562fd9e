#include "cli/CliHost.h"

namespace lotto {

void CliHost::showMessage(const std::string& text) {
    messages.push_back(text);
    m_err << text << '\n';
}

} // namespace lotto
