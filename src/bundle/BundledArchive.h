#pragma once

#include <span>

namespace lotto {

// The archive that a new program directory receives: real draws from 1986 on, in the
// archive file format. Generated at build time.
std::span<const unsigned char> bundledArchive();

} // namespace lotto
