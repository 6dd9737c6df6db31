#pragma once

#include <chrono>

namespace kestrune {

// After time up, until someone answers it, the alarm calls again: every 30 s for the first five
// minutes, then every minute.
constexpr std::chrono::seconds firstReminders{30};
constexpr int firstReminderCount = 10;  // 30 s to 5 minutes
constexpr std::chrono::seconds laterReminders{60};

// When the n-th reminder (from 1) falls due, counted from time up.
constexpr std::chrono::seconds reminderAfter(int n) {
    return n <= firstReminderCount
               ? firstReminders * n
               : firstReminders * firstReminderCount + laterReminders * (n - firstReminderCount);
}

// How many reminders had fallen due by `overdue` after time up.
constexpr int remindersDueBy(std::chrono::milliseconds overdue) {
    const auto firstPhase = firstReminders * firstReminderCount;
    if (overdue < firstPhase) {
        return static_cast<int>(overdue / firstReminders);
    }
    return firstReminderCount + static_cast<int>((overdue - firstPhase) / laterReminders);
}

}  // namespace kestrune
