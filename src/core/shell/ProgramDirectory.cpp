#include "core/shell/ProgramDirectory.h"

#include "core/util/File.h"

namespace lotto {

std::string prepareProgramDirectory(std::string dir, std::span<const unsigned char> bundledArchive) {
    if (dir.empty()) dir = "./";
    if (dir.back() != '/') dir += '/';
    if (!directoryExists(dir)) {
        createDirectories(dir);
        writeFileAtomically(
            dir + "ZahlenAT.dat",
            std::string_view(reinterpret_cast<const char*>(bundledArchive.data()), bundledArchive.size()));
    }
    return dir;
}

} // namespace lotto
