// The finish time of any clock reading and any three field texts is a valid time of day.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/finish_time.h"

using namespace kestrune;

namespace {

void requireTimeOfDay(const std::string& text) {
    const auto digit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() != 8 || text[2] != ':' || text[5] != ':' || !digit(0) || !digit(1) ||
        !digit(3) || !digit(4) || !digit(6) || !digit(7)) {
        std::abort();
    }
    if (std::stoi(text.substr(0, 2)) > 23 || std::stoi(text.substr(3, 2)) > 59 ||
        std::stoi(text.substr(6, 2)) > 59) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const ClockReading clock{data[0] % 24, data[1] % 60, data[2] % 60, ""};
    // The rest holds the hours, minutes and seconds texts, split at newlines.
    std::string_view rest(reinterpret_cast<const char*>(data + 3), size - 3);
    std::string_view texts[3];
    for (auto& text : texts) {
        const std::size_t end = rest.find('\n');
        text = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    requireTimeOfDay(finishText(clock, texts[0], texts[1], texts[2]));
    requireTimeOfDay(finishTextAfter(clock, fieldsDuration(texts[0], texts[1], texts[2])));
    return 0;
}
