#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "core/duration.h"

namespace kestrune {

// Whose countdown ended, as the time-up notification says it: the patient's name; where none was
// typed, the countdown's length and the time of day it started ("25:00 · 开始 10:05:12"), so that
// a nurse running several timers knows which one it was.
std::string whoseTimeIsUp(std::string_view name, Duration length, std::string_view startedAt);

// How long time up has gone unanswered, in whole minutes ("已超时 3 分钟"); nothing under a minute.
std::string overdueText(std::chrono::milliseconds overdue);

}  // namespace kestrune
