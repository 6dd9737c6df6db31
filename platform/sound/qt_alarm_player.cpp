// The sound module: plays the alarm with Qt Multimedia's audio output.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTimer>
#include <memory>

#include "platform/alarm_player.h"

namespace kestrune {
namespace {

class QtAlarmPlayer : public QObject, public AlarmPlayer {
public:
    QtAlarmPlayer(QByteArray pcm, const QAudioDevice& device, const QAudioFormat& format)
        : pcm_(std::move(pcm)), device_(device), format_(format) {
        // The sink runs out of samples while the server still holds the last of them: give the
        // stream back to the server only once those have played.
        release_.setSingleShot(true);
        release_.setInterval(1000);
        connect(&release_, &QTimer::timeout, this, [this] { stream_.reset(); });
    }

    // Each alarm plays on a stream of its own: a sink stopped and started again may stay silent.
    void play() override {
        release_.stop();
        stream_.reset();
        stream_ = std::make_unique<Stream>(pcm_, device_, format_);
        connect(&stream_->sink, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (state == QAudio::IdleState) {
                release_.start();
            }
        });
        stream_->sink.start(&stream_->source);  // pulls the samples as the server asks for them
    }

private:
    struct Stream {
        Stream(QByteArray& pcm, const QAudioDevice& device, const QAudioFormat& format)
            : sink(device, format) {
            source.setBuffer(&pcm);
            source.open(QIODevice::ReadOnly);
        }
        QBuffer source;
        QAudioSink sink;
    };

    QByteArray pcm_;
    QAudioDevice device_;
    QAudioFormat format_;
    std::unique_ptr<Stream> stream_;
    QTimer release_;
};

}  // namespace
}  // namespace kestrune

extern "C" Q_DECL_EXPORT kestrune::AlarmPlayer* kestrune_create_alarm_player(
    const std::int16_t* samples, std::size_t count, int sampleRate) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || !device.isFormatSupported(format)) {
        return nullptr;
    }
    QByteArray pcm(reinterpret_cast<const char*>(samples),
                   static_cast<qsizetype>(count * sizeof(std::int16_t)));
    return new kestrune::QtAlarmPlayer(std::move(pcm), device, format);
}
