// Start-up time on an X server: from the moment a program is started to the moment its first
// top-level window is mapped. Programs are started in turn, RUNS times each, and the median of
// each is printed. Usage: kestrune_startup_probe RUNS PROGRAM [PROGRAM...]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double startOnce(xcb_connection_t* x, const char* program) {
    const auto started = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    double ms = -1;
    while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                            !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
        std::free(event);
        if (mapped) {
            ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
            break;
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    // Let the server and the page cache settle before the next start.
    usleep(300000);
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
        std::free(event);
    }
    return ms;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [PROGRAM...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X server\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    std::vector<std::vector<double>> times(argc - 2);
    for (int run = 0; run < runs + 1; ++run) {
        for (int p = 2; p < argc; ++p) {
            const double ms = startOnce(x, argv[p]);
            if (run > 0) {  // the first round only warms the caches
                times[p - 2].push_back(ms);
            }
        }
    }
    for (int p = 2; p < argc; ++p) {
        auto& t = times[p - 2];
        std::sort(t.begin(), t.end());
        std::printf("%s: median %.1f ms (min %.1f, max %.1f) over %d starts\n", argv[p],
                    t[t.size() / 2], t.front(), t.back(), runs);
    }
    xcb_disconnect(x);
    return 0;
}
