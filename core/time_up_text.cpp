#include "core/time_up_text.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace kestrune {

namespace {

// "05:00" under an hour, "1:05:30" from an hour on.
std::string lengthText(Duration length) {
    const long long s = std::max<std::int64_t>(length.seconds, 0);
    char text[32];
    if (s < 3600) {
        std::snprintf(text, sizeof text, "%02lld:%02lld", s / 60, s % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    }
    return text;
}

}  // namespace

std::string whoseTimeIsUp(std::string_view name, Duration length, std::string_view startedAt) {
    if (name.find_first_not_of(" \t") != std::string_view::npos) {
        return std::string(name);
    }
    return lengthText(length) + " · 开始 " + std::string(startedAt);
}

std::string overdueText(std::chrono::milliseconds overdue) {
    const auto minutes = std::chrono::floor<std::chrono::minutes>(overdue).count();
    if (minutes < 1) {
        return {};
    }
    return "已超时 " + std::to_string(minutes) + " 分钟";
}

}  // namespace kestrune
