// The duration text of any count of seconds: hh:nn:ss with whole hours, reading back to the count.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/duration.h"

using namespace kestrune;

namespace {

bool isDigits(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int64_t seconds = 0;
    std::memcpy(&seconds, data, std::min(size, sizeof seconds));
    const Duration duration{seconds};
    const std::string text = durationText(duration);

    // ^[0-9]{2,}:[0-5][0-9]:[0-5][0-9]$
    const std::size_t n = text.size();
    if (n < 8 || text[n - 3] != ':' || text[n - 6] != ':') {
        std::abort();
    }
    const std::string hours = text.substr(0, n - 6);
    const std::string minutes = text.substr(n - 5, 2);
    const std::string secs = text.substr(n - 2, 2);
    if (!isDigits(hours) || hours.size() < 2 || !isDigits(minutes) || !isDigits(secs) ||
        minutes[0] > '5' || secs[0] > '5') {
        std::abort();
    }

    // Reads back to the count; a negative count is nothing left.
    const std::int64_t expected = seconds < 0 ? 0 : seconds;
    const std::int64_t readBack =
        std::stoll(hours) * 3600 + std::stoll(minutes) * 60 + std::stoll(secs);
    if (readBack != expected) {
        std::abort();
    }
    if (oneSecondLess(duration).seconds != (expected > 0 ? expected - 1 : 0)) {
        std::abort();
    }
    return 0;
}
