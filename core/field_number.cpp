#include "core/field_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kestrune {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// An input method in full-width mode types U+FF0B to U+FF19: "＋", "－", "．" and "０" to "９"
// among them. Each is read as the ASCII character it stands for: "２５" is 25.
std::string withAsciiDigits(std::string_view text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // In UTF-8, U+FF0B to U+FF19 are EF BC 8B to EF BC 99, in the order of '+' to '9'.
        const std::string_view three = text.substr(i, 3);
        if (three.size() == 3 && three[0] == '\xEF' && three[1] == '\xBC' && three[2] >= '\x8B' &&
            three[2] <= '\x99') {
            const char c = static_cast<char>('+' + (three[2] - '\x8B'));
            if (c == '+' || c == '-' || c == '.' || isDigit(c)) {
                ascii += c;
                i += 2;
                continue;
            }
        }
        ascii += text[i];
    }
    return ascii;
}

double asciiFieldNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t begin = i;
    bool nonZeroWhole = false;
    while (i < text.size() && isDigit(text[i])) {
        nonZeroWhole = nonZeroWhole || text[i] != '0';
        ++i;
    }
    if (i + 1 < text.size() && text[i] == '.' && isDigit(text[i + 1])) {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
        }
    }
    if (i == begin) {
        return 0.0;
    }

    double magnitude = 0.0;
    const auto [end, error] =
        std::from_chars(text.data() + begin, text.data() + i, magnitude, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Too large for a double, or a fraction too small for one.
        magnitude = nonZeroWhole ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc{} || end != text.data() + i) {
        return 0.0;
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace

double fieldNumber(std::string_view text) {
    return asciiFieldNumber(withAsciiDigits(text));
}

std::int16_t fieldInteger(double number) {
    if (std::isnan(number)) {
        return 0;
    }
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const double rounded = std::nearbyint(number);
    if (rounded <= std::numeric_limits<std::int16_t>::min()) {
        return std::numeric_limits<std::int16_t>::min();
    }
    if (rounded >= std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace kestrune
