#include "platform/alarm_sound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include "platform/alarm_tone.h"

namespace kestrune {

AlarmSound::AlarmSound() {
    const auto samples = AlarmTone::samples();
    pcm_ = QByteArray(reinterpret_cast<const char*>(samples.data()),
                      static_cast<qsizetype>(samples.size() * sizeof(samples[0])));
    source_.setBuffer(&pcm_);
    source_.open(QIODevice::ReadOnly);
}

AlarmSound::~AlarmSound() = default;

void AlarmSound::prepare() {
    if (prepared_) {
        return;
    }
    prepared_ = true;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return;
    }
    QAudioFormat format;
    format.setSampleRate(AlarmTone::sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) {
        return;
    }
    sink_ = std::make_unique<QAudioSink>(device, format);
    // The sink runs out of samples while the server still holds the last of them: give the stream
    // back to the server only once those have played.
    release_.setSingleShot(true);
    release_.setInterval(1000);
    connect(&release_, &QTimer::timeout, sink_.get(), &QAudioSink::stop);
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState) {
            release_.start();
        }
    });
}

void AlarmSound::play() {
    prepare();
    if (!sink_) {
        return;
    }
    release_.stop();
    sink_->stop();
    source_.seek(0);
    sink_->start(&source_);  // pulls the samples from the buffer as the server asks for them
}

}  // namespace kestrune
