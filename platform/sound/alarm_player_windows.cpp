// The sound module on Windows: plays the alarm with the system's PlaySound, from a WAV image made
// in memory. PlaySound runs on the module's own thread, so opening the sound device never holds up
// the window's thread, which only leaves a request.
#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sound/alarm_player.h"

namespace kestrune {
namespace {

// A RIFF WAVE file of 16-bit mono PCM around the samples; both are little-endian, as Windows is.
#pragma pack(push, 1)
struct WaveHeader {
    char riff[4] = {'R', 'I', 'F', 'F'};
    std::uint32_t riffSize;
    char wave[8] = {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    std::uint32_t formatSize = 16;
    std::uint16_t format = WAVE_FORMAT_PCM;
    std::uint16_t channels = 1;
    std::uint32_t sampleRate;
    std::uint32_t bytesPerSecond;
    std::uint16_t bytesPerFrame = 2;
    std::uint16_t bitsPerSample = 16;
    char data[4] = {'d', 'a', 't', 'a'};
    std::uint32_t dataSize;
};
#pragma pack(pop)
static_assert(sizeof(WaveHeader) == 44);

// PlaySound closes the device once its last buffer is reported played. Under 32-bit Wine the
// alarm's last 15 to 20 ms were cut then, most likely still queued in Wine's driver; a silence
// after the alarm is all that such a driver can cut.
constexpr int kTrailingSilenceMs = 60;

std::vector<char> waveFile(const std::int16_t* samples, std::size_t count, int sampleRate) {
    WaveHeader header;
    const std::size_t silence = static_cast<std::size_t>(sampleRate) * kTrailingSilenceMs / 1000;
    header.dataSize = static_cast<std::uint32_t>((count + silence) * sizeof(std::int16_t));
    header.riffSize = sizeof header - 8 + header.dataSize;
    header.sampleRate = static_cast<std::uint32_t>(sampleRate);
    header.bytesPerSecond = header.sampleRate * header.bytesPerFrame;
    std::vector<char> file(sizeof header + header.dataSize);  // zeros: the silence
    std::memcpy(file.data(), &header, sizeof header);
    std::memcpy(file.data() + sizeof header, samples, count * sizeof(std::int16_t));
    return file;
}

class WinmmAlarmPlayer : public AlarmPlayer {
public:
    WinmmAlarmPlayer(const std::int16_t* samples, std::size_t count, int sampleRate)
        : wave_(waveFile(samples, count, sampleRate)), thread_([this] { run(); }) {}

    ~WinmmAlarmPlayer() override {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    // The system keeps no connection to make ready: the WAV image is made at construction.
    void prepare() override {}

    void play() override {
        {
            std::lock_guard lock(mutex_);
            playing_ = true;
        }
        wake_.notify_one();
    }

private:
    void run() {
        std::unique_lock lock(mutex_);
        while (true) {
            wake_.wait(lock, [this] { return quit_ || playing_; });
            if (quit_) {
                return;
            }
            playing_ = false;
            lock.unlock();
            PlaySoundW(reinterpret_cast<LPCWSTR>(wave_.data()), nullptr,
                       SND_MEMORY | SND_NODEFAULT);
            lock.lock();
        }
    }

    const std::vector<char> wave_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool playing_ = false;
    bool quit_ = false;
    std::thread thread_;  // last: it starts at once and uses the members above
};

}  // namespace
}  // namespace kestrune

extern "C" __declspec(dllexport) kestrune::AlarmPlayer* kestrune_create_alarm_player(
    const std::int16_t* samples, std::size_t count, int sampleRate) {
    return new kestrune::WinmmAlarmPlayer(samples, count, sampleRate);
}
