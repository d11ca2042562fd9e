#pragma once

#include "core/system/SystemBet.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lotto {

// A system file (.qsy): a few lines of text a person can read and edit, Windows-1252 with
// CR LF as every text file of the program:
//   [Zerbosts Lotto System]
//   System=2/8
//   Bankzahlen=3,17
//   Wahlzahlen=1,5,9,22,30,41,43,45
//   Tipps=70
// Loading reads only the two lists; "System" and "Tipps" are there for the reader.
inline constexpr const char* kSystemFileExt = "qsy";
inline constexpr const char* kSystemFileFilter = "Lotto-System|*.qsy";
inline constexpr std::size_t kSystemFileMaxBytes = 64 * 1024;

std::string formatSystemFile(const SystemBet& bet);

// The system of a file's text; throws std::runtime_error with a German reason when the
// text holds no valid system.
SystemBet parseSystemFile(std::string_view text);

// The system and its tips as a list to print: a heading, the numbers, then one line per tip.
std::string formatSystemSheet(const SystemBet& bet, std::int64_t stakeCents);

} // namespace lotto
