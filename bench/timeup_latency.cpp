// Runs a real countdown on the Qt platform layer and reports how late time up comes against the
// ideal moment (start + seconds + 1, the tick after the display reads 00:00:00), and how late each
// tick is against its whole second. Usage: kestrune_timeup_latency [seconds]
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "timed_form.h"

using namespace kestrune;
using Ms = std::chrono::duration<double, std::milli>;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    TimedForm timed;
    timed.onTimeUp = [&] { app.quit(); };
    const auto start = timed.startSeconds(seconds);
    app.exec();
    const auto& ticks = timed.ticks;

    double worst = 0, sum = 0;
    for (std::size_t n = 0; n < ticks.size(); ++n) {
        const double late = Ms(ticks[n] - (start + std::chrono::seconds(n + 1))).count();
        worst = std::max(worst, late);
        sum += late;
    }
    const double timeUpLate =
        Ms(ticks.back() - (start + std::chrono::seconds(seconds + 1))).count();
    std::printf("countdown of %d s: %zu ticks\n", seconds, ticks.size());
    std::printf("time up late by      %8.3f ms (ideal: start + %d s)\n", timeUpLate, seconds + 1);
    std::printf("mean tick lateness   %8.3f ms\n", sum / static_cast<double>(ticks.size()));
    std::printf("largest tick lateness %7.3f ms\n", worst);
    // Drift: how far the mean period between ticks is from one second.
    const double period = Ms(ticks.back() - ticks.front()).count() /
                          static_cast<double>(std::max<std::size_t>(ticks.size() - 1, 1));
    std::printf("mean tick period      %8.3f ms (drift %+.4f ms a tick)\n", period,
                period - 1000.0);
    return 0;
}
