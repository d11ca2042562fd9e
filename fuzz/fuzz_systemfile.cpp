// System files from anywhere: a file either loads as a playable system or is refused with a
// reason, and a loaded system saves and loads back unchanged.
#include "core/system/SystemFile.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lotto::SystemBet bet;
    try {
        bet = lotto::parseSystemFile(bytes);
    } catch (const std::runtime_error&) {
        return 0;
    }
    if (lotto::systemProblem(bet)) std::abort();
    if (!(lotto::parseSystemFile(lotto::formatSystemFile(bet)) == bet)) std::abort();
    return 0;
}
