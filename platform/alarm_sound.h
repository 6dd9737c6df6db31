#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <memory>

class QAudioSink;

namespace kestrune {

// Plays the alarm tone through the desktop's sound server, without blocking the window's thread.
// Where there is no sound server, or no output device, it stays silent and nothing fails.
class AlarmSound : public QObject {
public:
    AlarmSound();
    ~AlarmSound() override;

    // Finds the output device and makes the stream ready, so that time up sounds at once. Costs a
    // connection to the sound server: done once the window has been drawn, not before.
    void prepare();
    void play();
    bool available() const { return sink_ != nullptr; }

private:
    QByteArray pcm_;
    QBuffer source_;
    std::unique_ptr<QAudioSink> sink_;
    QTimer release_;
    bool prepared_ = false;
};

}  // namespace kestrune
