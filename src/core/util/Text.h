#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lotto {

// The program's strict text-to-integer conversion: an optional sign followed by decimal
// digits and nothing else, within the 32-bit range. Leading zeros are allowed ("045").
std::optional<int> toInt(std::string_view text);

// A text that should have held a whole number; the message quotes it, in German.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// toInt for operations that end on a text that is not a number: throws ConversionError.
int convertToInt(std::string_view text);

// Rounds half to the even neighbour, as every rounding in the program does.
long long roundHalfEven(double value);

// Money as the program shows it on every system: "10,20 €", "1.234,50 €", "-0,85 €".
std::string formatEuro(double amount);
std::string formatCents(long long cents);   // the same from a whole number of cents
std::string formatGrouped(long long value); // "3.586", "-1.234.567"

// Conversion at the boundary of text files, which are Windows-1252.
std::string utf8ToWindows1252(std::string_view utf8); // unmappable characters become '?'
std::string windows1252ToUtf8(std::string_view bytes);

} // namespace lotto
