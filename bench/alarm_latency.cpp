// Alarm latency: from the time-up tick to the first sample of the alarm at the sound server.
// Runs short countdowns on the Qt platform layer while parec records the monitor of the null output
// "ward" that bench/alarm_latency.sh sets up, and prints, for each, how long after the time-up tick
// the first loud sample passed through the server, in two steps: the tick's handler (which asks for
// the alarm and turns the window red), then the sound module and the server.
//
// The recorder asks for 50 ms blocks, as the alarm checks' recorder does. A recorder that asks for
// a few ms makes the server run its whole output in cycles that short, and the alarm then starts
// sooner than it would on a nurse's desktop. Each sample is timed back from its block's arrival by
// the samples that came after it, so the block size does not count.
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

namespace {

constexpr int sampleRate = 48000;

struct Figures {
    std::vector<double> values;

    double at(double share) {
        std::sort(values.begin(), values.end());
        return values[std::min(values.size() - 1, std::size_t(share * values.size()))];
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    QProcess recorder;
    recorder.start(QStringLiteral("parec"), {"-d", "ward.monitor", "--format=s16le", "--rate=48000",
                                             "--channels=1", "--raw", "--latency-msec=50"});
    if (!recorder.waitForStarted()) {
        std::fprintf(stderr, "parec did not start\n");
        return 1;
    }

    TimedForm timed;
    std::optional<BootClock::time_point> handled;  // when the time-up tick's handler returned
    timed.onTimeUp = [&] { handled = BootClock::now(); };
    std::optional<BootClock::time_point> firstSound;
    QByteArray pending;
    QObject::connect(&recorder, &QProcess::readyReadStandardOutput, [&] {
        const auto arrived = BootClock::now();
        pending += recorder.readAllStandardOutput();
        const qsizetype count = pending.size() / 2;
        const auto* samples = reinterpret_cast<const qint16*>(pending.constData());
        for (qsizetype i = 0; i < count && timed.timeUp && !firstSound; ++i) {
            if (std::abs(samples[i]) > 1000) {
                const auto after = std::chrono::duration<double>(double(count - i) / sampleRate);
                firstSound = arrived - std::chrono::duration_cast<BootClock::duration>(after);
            }
        }
        pending.remove(0, count * 2);
    });

    Figures total, handler, sound;
    for (int run = 0; run < runs; ++run) {
        timed.startSeconds(2);
        firstSound.reset();
        handled.reset();
        QTimer deadline;
        deadline.setSingleShot(true);
        deadline.start(6000);
        while (!firstSound && deadline.isActive()) {
            app.processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        if (!firstSound || !handled) {
            std::printf("run %d: no alarm heard\n", run + 1);
            return 1;
        }
        total.values.push_back(Ms(*firstSound - *timed.timeUp).count());
        handler.values.push_back(Ms(*handled - *timed.timeUp).count());
        sound.values.push_back(Ms(*firstSound - *handled).count());
        std::printf("run %d: alarm %.1f ms after the time-up tick (handler %.1f ms)\n", run + 1,
                    total.values.back(), handler.values.back());
        timed.form.Command3_Click();
        QTimer::singleShot(600, &app, [] {});  // let the alarm end before the next countdown
        app.processEvents(QEventLoop::WaitForMoreEvents, 700);
    }
    recorder.kill();
    recorder.waitForFinished();
    std::printf("over %d runs, median and 95th percentile, ms:\n", runs);
    std::printf("  time-up tick to the first sample at the server  %5.1f  %5.1f\n", total.at(0.5),
                total.at(0.95));
    std::printf("    the tick's handler                            %5.1f  %5.1f\n", handler.at(0.5),
                handler.at(0.95));
    std::printf("    its end to the first sample                   %5.1f  %5.1f\n", sound.at(0.5),
                sound.at(0.95));
    return 0;
}
