// Alarm latency: from the time-up tick to the first sample of the alarm reaching the sound server.
// Runs short countdowns on the Qt platform layer while recording the server's output (from the
// input "ward_capture" that bench/alarm_latency.sh sets up) and prints, for each, how long after
// the time-up tick the first loud sample arrived. The recording's own buffering is counted too, so
// this is an upper bound. Usage: kestrune_alarm_latency [RUNS]
#include <QApplication>
#include <QAudioSource>
#include <QMediaDevices>
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

    QAudioDevice monitor;
    for (const QAudioDevice& device : QMediaDevices::audioInputs()) {
        if (device.id() == "ward_capture") {
            monitor = device;
        }
    }
    if (monitor.isNull()) {
        std::fprintf(stderr, "no input \"ward_capture\" carrying the sound server's output\n");
        return 1;
    }
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    QAudioSource recorder(monitor, format);
    recorder.setBufferSize(48000 * 2 / 100);  // 10 ms
    QIODevice* recording = recorder.start();

    TimedForm timed;
    std::optional<BootClock::time_point> firstSound;
    const auto& timeUpTick = timed.timeUp;

    QObject::connect(recording, &QIODevice::readyRead, [&] {
        const auto arrived = BootClock::now();
        const QByteArray data = recording->readAll();
        const auto* samples = reinterpret_cast<const qint16*>(data.constData());
        const qsizetype count = data.size() / 2;
        if (!timeUpTick || firstSound) {
            return;
        }
        for (qsizetype i = 0; i < count; ++i) {
            if (std::abs(samples[i]) > 1000) {
                // The sample played (count - i) samples before the chunk arrived.
                firstSound = arrived - std::chrono::microseconds((count - i) * 1000000 / 48000);
                return;
            }
        }
    });

    std::vector<double> latencies;
    for (int run = 0; run < runs; ++run) {
        firstSound.reset();
        timed.startSeconds(1);
        QTimer deadline;
        deadline.setSingleShot(true);
        deadline.start(5000);
        while (!firstSound && deadline.isActive()) {
            app.processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        if (!firstSound) {
            std::printf("run %d: no alarm heard (recorder state %d, error %d)\n", run + 1,
                        int(recorder.state()), int(recorder.error()));
            return 1;
        }
        latencies.push_back(Ms(*firstSound - *timeUpTick).count());
        std::printf("run %d: alarm %.1f ms after the time-up tick\n", run + 1, latencies.back());
        timed.form.Command3_Click();
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("median alarm latency %.1f ms over %d runs\n", latencies[latencies.size() / 2],
                runs);
    return 0;
}
