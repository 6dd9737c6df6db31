// Alarm latency: from the time-up tick to the first sample of the alarm at the sound server.
// Runs short countdowns on the Qt platform layer while parec records the monitor of the null output
// "ward" that bench/alarm_latency.sh sets up, and prints, for each, how long after the time-up tick
// each step was done: the tick's handler (which asks for the alarm and turns the window red), the
// window repainted red, the alarm handed to the server by the sound module's thread, and its first
// loud sample passed through the server.
//
// The recorder asks for 50 ms blocks, as the alarm checks' recorder does. A recorder that asks for
// a few ms makes the server run its whole output in cycles that short, and the alarm then starts
// sooner than it would on a nurse's desktop. Each sample is timed back from its block's arrival by
// the samples that came after it, so the block size does not count.
// Usage: kestrune_alarm_latency [RUNS]
#include <dlfcn.h>

#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "timed_form.h"

using namespace kestrune;
using Ms = std::chrono::duration<double, std::milli>;

namespace {

constexpr int sampleRate = 48000;

// When the sound module last handed samples to the server, in ns of the boot clock. The module,
// loaded after this program, calls this program's pa_stream_write (the program exports it) in place
// of the client library's, which it then calls.
std::atomic<std::int64_t> handedOver{0};

struct PaStream;
using StreamWrite = int(PaStream*, const void*, std::size_t, void (*)(void*), std::int64_t, int);

}  // namespace

extern "C" __attribute__((visibility("default"))) int pa_stream_write(
    PaStream* stream, const void* data, std::size_t bytes, void (*done)(void*), std::int64_t offset,
    int seek) {
    handedOver = BootClock::now().time_since_epoch().count();
    static auto* const write = reinterpret_cast<StreamWrite*>(
        dlsym(dlopen("libpulse.so.0", RTLD_NOW | RTLD_NOLOAD), "pa_stream_write"));
    return write(stream, data, bytes, done, offset, seek);
}

namespace {

// Notes when the window has repainted after time up.
struct RepaintWatch : QObject {
    std::optional<BootClock::time_point> timeUp;
    std::optional<BootClock::time_point> repainted;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::UpdateRequest || !timeUp || repainted) {
            return false;
        }
        watched->event(event);  // the repaint itself
        repainted = BootClock::now();
        return true;
    }
};

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
    RepaintWatch repaint;
    timed.window.installEventFilter(&repaint);
    timed.onTimeUp = [&] {
        handled = BootClock::now();
        repaint.timeUp = timed.timeUp;
    };
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

    Figures handler, repainted, written, heard;
    for (int run = 0; run < runs; ++run) {
        timed.startSeconds(2);
        firstSound.reset();
        handled.reset();
        repaint.timeUp.reset();
        repaint.repainted.reset();
        handedOver = 0;
        QTimer deadline;
        deadline.setSingleShot(true);
        deadline.start(6000);
        while (!firstSound && deadline.isActive()) {
            app.processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        const BootClock::time_point handedAt{BootClock::duration(handedOver.load())};
        if (!firstSound || !handled || !repaint.repainted || handedAt < *timed.timeUp) {
            std::printf("run %d: no alarm heard, or a step not seen\n", run + 1);
            return 1;
        }
        const auto after = [&](BootClock::time_point t) { return Ms(t - *timed.timeUp).count(); };
        handler.values.push_back(after(*handled));
        repainted.values.push_back(after(*repaint.repainted));
        written.values.push_back(after(handedAt));
        heard.values.push_back(after(*firstSound));
        std::printf("run %d: alarm %.1f ms after the time-up tick (handler %.1f ms)\n", run + 1,
                    heard.values.back(), handler.values.back());
        timed.form.Command3_Click();
        QTimer::singleShot(600, &app, [] {});  // let the alarm end before the next countdown
        app.processEvents(QEventLoop::WaitForMoreEvents, 700);
    }
    recorder.kill();
    recorder.waitForFinished();
    std::printf("over %d runs, ms after the time-up tick, median and 95th percentile:\n", runs);
    const auto line = [](const char* step, Figures& f) {
        std::printf("  %-42s %6.1f %6.1f\n", step, f.at(0.5), f.at(0.95));
    };
    line("the tick's handler returned", handler);
    line("the window repainted red", repainted);
    line("the alarm handed to the server", written);
    line("its first sample passed through the server", heard);
    return 0;
}
