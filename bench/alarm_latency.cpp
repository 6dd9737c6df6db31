// Alarm latency: from the time-up tick to the first sample of the alarm reaching the sound server.
// Runs short countdowns on the Qt platform layer while parec records the monitor of the null output
// "ward" that bench/alarm_latency.sh sets up, and prints, for each, how long after the time-up tick
// the block holding the first loud sample reached the recorder. The recorder's own latency is
// counted too, so this is an upper bound.
// Usage: kestrune_alarm_latency [RUNS]
#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

#include "timed_form.h"

using namespace kestrune;
using Ms = std::chrono::duration<double, std::milli>;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    QProcess recorder;
    recorder.start(QStringLiteral("parec"), {"-d", "ward.monitor", "--format=s16le", "--rate=48000",
                                             "--channels=1", "--raw", "--latency-msec=5"});
    if (!recorder.waitForStarted()) {
        std::fprintf(stderr, "parec did not start\n");
        return 1;
    }

    TimedForm timed;
    std::optional<BootClock::time_point> firstSound;
    QByteArray pending;
    QObject::connect(&recorder, &QProcess::readyReadStandardOutput, [&] {
        const auto arrived = BootClock::now();
        pending += recorder.readAllStandardOutput();
        const qsizetype count = pending.size() / 2;
        const auto* samples = reinterpret_cast<const qint16*>(pending.constData());
        for (qsizetype i = 0; i < count && timed.timeUp && !firstSound; ++i) {
            if (std::abs(samples[i]) > 1000) {
                firstSound = arrived;
            }
        }
        pending.remove(0, count * 2);
    });

    std::vector<double> latencies;
    for (int run = 0; run < runs; ++run) {
        timed.startSeconds(2);
        firstSound.reset();
        QTimer deadline;
        deadline.setSingleShot(true);
        deadline.start(6000);
        while (!firstSound && deadline.isActive()) {
            app.processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        if (!firstSound) {
            std::printf("run %d: no alarm heard\n", run + 1);
            return 1;
        }
        latencies.push_back(Ms(*firstSound - *timed.timeUp).count());
        std::printf("run %d: alarm %.1f ms after the time-up tick\n", run + 1, latencies.back());
        timed.form.Command3_Click();
        QTimer::singleShot(600, &app, [] {});  // let the alarm end before the next countdown
        app.processEvents(QEventLoop::WaitForMoreEvents, 700);
    }
    recorder.kill();
    recorder.waitForFinished();
    std::sort(latencies.begin(), latencies.end());
    std::printf("median alarm latency %.1f ms over %d runs (min %.1f, max %.1f)\n",
                latencies[latencies.size() / 2], runs, latencies.front(), latencies.back());
    return 0;
}
