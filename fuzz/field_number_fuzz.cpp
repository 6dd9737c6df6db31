// Field number and field integer of any byte string.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/field_number.h"

using namespace kestrune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double number = fieldNumber(text);
    if (std::isnan(number)) {
        std::abort();
    }

    // The integer lies in 16 bits and, inside that range, within half of the number.
    const int integer = fieldInteger(number);
    if (integer < -32768 || integer > 32767) {
        std::abort();
    }
    if (std::fabs(number) < 32767 && std::fabs(integer - number) > 0.5) {
        std::abort();
    }

    // Leading blanks are skipped; nothing after the number changes it.
    if (fieldNumber(" " + text) != number || fieldNumber(text + "x") != number) {
        std::abort();
    }

    // A plain run of a few digits reads as the whole number it writes.
    if (size > 0 && size <= 15 && text.find_first_not_of("0123456789") == std::string::npos &&
        number != static_cast<double>(std::stoll(text))) {
        std::abort();
    }
    return 0;
}
