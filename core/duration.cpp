#include "core/duration.h"

#include <algorithm>
#include <cstdio>

namespace kestrune {

Duration timeSerial(std::int16_t hours, std::int16_t minutes, std::int16_t seconds) {
    const std::int64_t total = std::int64_t{hours} * 3600 + std::int64_t{minutes} * 60 + seconds;
    return Duration{std::max<std::int64_t>(total, 0)};
}

std::string durationText(Duration d) {
    const std::int64_t s = std::max<std::int64_t>(d.seconds, 0);
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
    return text;
}

Duration oneSecondLess(Duration d) {
    return Duration{d.seconds > 0 ? d.seconds - 1 : 0};
}

}  // namespace kestrune
