#pragma once

#include <cstdint>
#include <string_view>

namespace kestrune {

// The leading number of a field's text: blanks, an optional sign, digits, and an optional full
// stop with more digits. Anything else ends the number; a text that does not begin with one
// reads 0. Full-width digits, signs and full stop ("２５", "－５", "１．５") read as their ASCII
// forms. Exponents and hexadecimal prefixes are not part of a number ("1e5" is 1, "0x10" is 0).
// A digit run too long for a double reads as +/- infinity.
double fieldNumber(std::string_view text);

// The field number rounded to the nearest integer (halves to even), saturated to 16 bits.
std::int16_t fieldInteger(double number);

}  // namespace kestrune
