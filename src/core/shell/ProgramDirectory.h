#pragma once

#include <span>
#include <string>

namespace lotto {

// Makes sure the program directory exists. A directory that is created now receives the
// given archive bytes as "ZahlenAT.dat", so a new user can start at once; an existing
// directory is left as it is, with or without an archive. Returns the directory with a
// trailing '/'. Throws FileError when it cannot be created or written.
std::string prepareProgramDirectory(std::string dir, std::span<const unsigned char> bundledArchive);

} // namespace lotto
