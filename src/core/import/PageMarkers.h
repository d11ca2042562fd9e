#pragma once

#include <string_view>

namespace lotto {

// Values the results pages carry behind a marker. Both read only within the line and throw
// ConversionError when the text found is not a whole number.

// The number of an image reference: the text after the marker's first occurrence up to the
// next "." within the following 15 characters, trimmed of blanks ("lottozahlen/ 7.gif").
int pageNumber(std::string_view line, std::string_view marker);

// The text after the marker's first occurrence up to the next "</" (or the line's end),
// as a number; the marker must be on the line.
int numberBeforeTag(std::string_view line, std::string_view marker);

} // namespace lotto
