// The sound module on Linux: plays the alarm with PulseAudio's client library, which PipeWire's
// pulse layer serves too. Everything that talks to the server runs on the module's own thread, on
// the library's asynchronous API; the window's thread only leaves a request and wakes that thread,
// so a hung, slow or missing server never holds it up.
#include <pulse/pulseaudio.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <set>
#include <thread>
#include <utility>

#include "platform/sound/alarm_player.h"

namespace kestrune {
namespace {

class PulseAlarmPlayer : public AlarmPlayer {
public:
    PulseAlarmPlayer(const std::int16_t* samples, std::size_t count, int sampleRate)
        : samples_(samples),
          bytes_(count * sizeof(std::int16_t)),
          spec_{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(sampleRate), 1},
          loop_(pa_mainloop_new()),
          wake_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
        pa_mainloop_api* api = pa_mainloop_get_api(loop_);
        api->io_new(api, wake_, PA_IO_EVENT_INPUT, &PulseAlarmPlayer::woken, this);
        thread_ = std::thread([this] { run(); });
    }

    ~PulseAlarmPlayer() override {
        request(quit);
        thread_.join();
        pa_mainloop_free(loop_);
        close(wake_);
    }

    void prepare() override { request(prepareRequest); }
    void play() override { request(playRequest); }

private:
    enum Request : unsigned { prepareRequest = 1, playRequest = 2, quit = 4 };

    // Leaves the request, then wakes the module's thread through an eventfd of its own: that
    // thread reads the eventfd before it takes the requests, so none can be missed.
    // (pa_mainloop_wakeup is no use here: the loop drains its wake-up pipe before each poll.)
    void request(Request r) {
        requests_.fetch_or(r);
        eventfd_write(wake_, 1);
    }

    // The module's thread: waits for the server or a request, whichever comes first.
    void run() {
        pa_mainloop_run(loop_, nullptr);
        dropContext();
    }

    static void woken(pa_mainloop_api*, pa_io_event*, int fd, pa_io_event_flags_t, void* self) {
        eventfd_t count = 0;
        eventfd_read(fd, &count);
        static_cast<PulseAlarmPlayer*>(self)->takeRequests();
    }

    void takeRequests() {
        const unsigned r = requests_.exchange(0);
        if (r & quit) {
            pa_mainloop_quit(loop_, 0);
            return;
        }
        if (r & prepareRequest) {
            // A new countdown is about to end: an alarm that could not sound before is moot.
            playWanted_ = false;
            connect();
            keepRunning();
        }
        if (r & playRequest) {
            playWanted_ = true;
            connect();
            startIfReady();
        }
    }

    // Connects to the server that runs now, unless a connection is up or under way; then readies
    // a stream once it is up.
    void connect() {
        if (context_) {
            const pa_context_state_t state = pa_context_get_state(context_);
            if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED) {
                dropContext();
            }
        }
        if (!context_) {
            context_ = pa_context_new(pa_mainloop_get_api(loop_), "Kestrune");
            pa_context_set_state_callback(context_, &PulseAlarmPlayer::contextChanged, this);
            // No autospawn: starting a server would wait for it.
            if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
                dropContext();
                return;
            }
        }
        makeStream();
    }

    static void contextChanged(pa_context*, void* self) {
        static_cast<PulseAlarmPlayer*>(self)->makeStream();
    }

    // A stream that runs from the moment the alarm is made ready, empty and waiting for its
    // prebuffer (the server plays silence meanwhile), so that at time up the alarm is only written
    // to it and the server sends it out with its next cycle. Starting a paused stream at time up
    // would cost more: PipeWire takes a started stream into its graph up to 80 ms later. A running
    // stream also wakes a sound card the server had put to sleep before time up, not after.
    //
    // It asks for 100 ms of latency, as desktop players do, and no less: a short one brings the
    // first beep a few ms sooner but makes the server run its whole graph in cycles of 5 ms, and on
    // a busy PC one cycle that comes late is a gap heard inside a beep.
    //
    // The prebuffer, as long as that latency, holds the server's read position while the stream
    // is empty; the alarm, longer, fills it at once and plays from its first sample. Without one
    // the read position runs on through the silence, and a cycle that comes as the alarm arrives
    // skips the alarm's start up to it (a beep was once heard 15 ms short on PipeWire).
    //
    // No media role is set: desktops let users silence the "event" role with the system sounds.
    void makeStream() {
        if (!context_ || pa_context_get_state(context_) != PA_CONTEXT_READY || stream_) {
            return;
        }
        stream_ = pa_stream_new(context_, "Kestrune alarm", &spec_, nullptr);
        if (!stream_) {
            return;
        }
        pa_stream_set_state_callback(stream_, &PulseAlarmPlayer::streamChanged, this);
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(100000, &spec_));
        attr.prebuf = static_cast<std::uint32_t>(-1);
        attr.minreq = static_cast<std::uint32_t>(-1);
        attr.fragsize = static_cast<std::uint32_t>(-1);
        if (pa_stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr,
                                       nullptr) < 0) {
            dropStream(stream_);
            return;
        }
        corked_ = false;
        keepRunning();
    }

    static void streamChanged(pa_stream* stream, void* self) {
        auto* player = static_cast<PulseAlarmPlayer*>(self);
        switch (pa_stream_get_state(stream)) {
            case PA_STREAM_READY:
                player->startIfReady();
                break;
            case PA_STREAM_FAILED:
            case PA_STREAM_TERMINATED:
                player->dropStream(stream);
                break;
            default:
                break;
        }
    }

    // Keeps the stream running for the countdown's last seconds, which make it ready again each
    // second. One left unused there (the countdown was paused or reset) is paused, so that it
    // neither keeps the sound card awake nor costs the server a cycle for nothing.
    void keepRunning() {
        if (!stream_) {
            return;
        }
        if (corked_) {
            unrefOperation(pa_stream_cork(stream_, 0, nullptr, nullptr));
            corked_ = false;
        }
        const pa_usec_t at = pa_rtclock_now() + unusedAfter;
        if (unused_) {
            pa_context_rttime_restart(context_, unused_, at);
        } else {
            unused_ = pa_context_rttime_new(context_, at, &PulseAlarmPlayer::leftUnused, this);
        }
    }

    static void leftUnused(pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
        auto* player = static_cast<PulseAlarmPlayer*>(self);
        if (player->stream_ && pa_stream_get_state(player->stream_) == PA_STREAM_READY) {
            unrefOperation(pa_stream_cork(player->stream_, 1, nullptr, nullptr));
            player->corked_ = true;
        }
    }

    // Writes the alarm to the ready stream if it is wanted, and lets the stream go once it has
    // played.
    void startIfReady() {
        if (!playWanted_ || !stream_ || pa_stream_get_state(stream_) != PA_STREAM_READY) {
            return;
        }
        playWanted_ = false;
        pa_context_rttime_restart(context_, unused_, PA_USEC_INVALID);
        pa_stream* playing = std::exchange(stream_, nullptr);
        playing_.insert(playing);
        if (std::exchange(corked_, false)) {
            unrefOperation(pa_stream_cork(playing, 0, nullptr, nullptr));
        }
        pa_stream_write(playing, samples_, bytes_, nullptr, 0, PA_SEEK_RELATIVE);
        unrefOperation(pa_stream_drain(playing, &PulseAlarmPlayer::drained, this));
    }

    static void drained(pa_stream* stream, int, void* self) {
        static_cast<PulseAlarmPlayer*>(self)->dropStream(stream);
    }

    void dropStream(pa_stream* stream) {
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        if (pa_stream_get_state(stream) == PA_STREAM_READY ||
            pa_stream_get_state(stream) == PA_STREAM_CREATING) {
            pa_stream_disconnect(stream);
        }
        pa_stream_unref(stream);
        if (stream == stream_) {
            stream_ = nullptr;
        }
        playing_.erase(stream);
    }

    void dropContext() {
        if (stream_) {
            dropStream(stream_);
        }
        while (!playing_.empty()) {
            dropStream(*playing_.begin());
        }
        if (context_) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(context_);
            context_ = nullptr;
        }
    }

    static void unrefOperation(pa_operation* operation) {
        if (operation) {
            pa_operation_unref(operation);
        }
    }

    const std::int16_t* const samples_;  // the caller's, kept as long as the player
    const std::size_t bytes_;
    const pa_sample_spec spec_;
    pa_mainloop* const loop_;
    const int wake_;
    std::atomic<unsigned> requests_{0};
    static constexpr pa_usec_t unusedAfter = 15 * PA_USEC_PER_SEC;

    // Used on the module's thread only.
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;      // ready to take the alarm, or being made ready
    bool corked_ = false;              // stream_ was left unused and is paused
    pa_time_event* unused_ = nullptr;  // when stream_ counts as left unused
    std::set<pa_stream*> playing_;
    bool playWanted_ = false;

    std::thread thread_;  // started once everything above is in place
};

}  // namespace
}  // namespace kestrune

extern "C" __attribute__((visibility("default"))) kestrune::AlarmPlayer*
kestrune_create_alarm_player(const std::int16_t* samples, std::size_t count, int sampleRate) {
    return new kestrune::PulseAlarmPlayer(samples, count, sampleRate);
}
