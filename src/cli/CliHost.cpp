#include "cli/CliHost.h"

namespace lotto {

void CliHost::showMessage(const std::string& text) {
    messages.push_back(text);
    // Every line lotto-cli writes to stderr names it, as other command-line tools do.
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        m_err << "lotto-cli: " << text.substr(start, end == std::string::npos ? end : end - start) << '\n';
        if (end == std::string::npos || end + 1 == text.size()) break;
        start = end + 1;
    }
}

} // namespace lotto
