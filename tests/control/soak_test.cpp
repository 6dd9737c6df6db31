// A seeded random soak of the window's logic through the fake desktop: clicks on enabled buttons,
// list picks, typed texts, ticks and stalls, with the window's rules checked after every event.
// KESTRUNE_SOAK_EVENTS sets the number of events (a million by default), KESTRUNE_SOAK_SEED the
// seed. A failure prints its seed and the shortest event list found that still fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <optional>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "control/fake_operations.h"
#include "control/states.h"
#include "core/duration.h"

namespace {

// Live heap bytes, for checking that a long run does not grow its memory.
std::size_t liveBytes = 0;

}  // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size + sizeof(std::max_align_t));
    if (!p) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(p) = size;
    liveBytes += size;
    return static_cast<char*>(p) + sizeof(std::max_align_t);
}

void operator delete(void* p) noexcept {
    if (p) {
        char* block = static_cast<char*>(p) - sizeof(std::max_align_t);
        liveBytes -= *reinterpret_cast<std::size_t*>(block);
        std::free(block);
    }
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

// Every other form goes through the two above, so that no block is freed by a different allocator
// from the one that made it (the sanitizers' runtime supplies the forms not replaced here).
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept {
    return operator new(size, nothrow);
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    operator delete(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    operator delete(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    operator delete(p);
}

namespace kestrune::testing {
namespace {

enum class Kind { Click, Pick, Type, Clear, Name, Tick, Stall };

struct Event {
    Kind kind;
    int target = 0;  // button or field
    std::string text;
    int ticks = 1;
};

std::string describe(const Event& e) {
    const char* fields[] = {"Combo1", "Combo2", "Combo3"};
    std::ostringstream out;
    switch (e.kind) {
        case Kind::Click:
            out << "click Command" << e.target + 1;
            break;
        case Kind::Pick:
            out << "pick " << fields[e.target] << " \"" << e.text << '"';
            break;
        case Kind::Type:
            out << "type " << fields[e.target] << " \"" << e.text.substr(0, 40)
                << (e.text.size() > 40 ? "...\"" : "\"");
            break;
        case Kind::Clear:
            out << "clear " << fields[e.target];
            break;
        case Kind::Name:
            out << "name \"" << e.text << '"';
            break;
        case Kind::Tick:
            out << "tick";
            break;
        case Kind::Stall:
            out << "stall of " << e.ticks << " ticks";
            break;
    }
    return out.str();
}

class EventSource {
public:
    explicit EventSource(std::uint64_t seed) : random_(seed) {}

    Event next() {
        const int roll = between(0, 99);
        if (roll < 40) {
            return {Kind::Tick, 0, ""};
        }
        if (roll < 43) {
            return {Kind::Stall, 0, "", between(2, 400)};
        }
        if (roll < 60) {
            // Exit ends the program; everything else may be clicked.
            static constexpr int clickable[] = {0, 1, 2, 4, 5};
            return {Kind::Click, clickable[between(0, 4)], ""};
        }
        if (roll < 70) {
            return {Kind::Pick, between(0, 2), std::to_string(between(0, 100))};
        }
        if (roll < 88) {
            return {Kind::Type, between(0, 2), text()};
        }
        if (roll < 95) {
            return {Kind::Clear, between(0, 2), ""};
        }
        return {Kind::Name, 0, text()};
    }

private:
    int between(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }

    std::string text() {
        static const char* const pool[] = {"0",
                                           "1",
                                           "5",
                                           "25",
                                           "59",
                                           "60",
                                           "61",
                                           "100",
                                           "2.5",
                                           "3.5",
                                           "1.6",
                                           "-5",
                                           "-1",
                                           "+7",
                                           " 7",
                                           ".5",
                                           "1e5",
                                           "0x10",
                                           "abc",
                                           "张三",
                                           "时间",
                                           "９",
                                           "",
                                           " ",
                                           "32767",
                                           "32768",
                                           "-32768",
                                           "100000",
                                           "99999999999999999999",
                                           "1.2.3",
                                           "-",
                                           "\t3",
                                           "7分",
                                           "一"};
        switch (between(0, 9)) {
            case 0:
                return std::string(between(310, 400), '9');  // past any double
            case 1:
                return std::to_string(between(-100000, 100000));
            default:
                return pool[between(0, std::size(pool) - 1)];
        }
    }

    std::mt19937_64 random_;
};

// Replays events on a fresh desktop, checking the rules after each; returns the first broken rule.
class Checker {
public:
    std::optional<std::string> run(const std::vector<Event>& events) {
        FakeDesktop desk;
        desk.ops.keepDisplayHistory = false;
        for (std::size_t i = 0; i < events.size(); ++i) {
            if (auto broken = apply(desk, events[i])) {
                return "after event " + std::to_string(i) + " (" + describe(events[i]) +
                       "): " + *broken;
            }
        }
        return std::nullopt;
    }

private:
    std::optional<std::string> apply(FakeDesktop& desk, const Event& e) {
        switch (e.kind) {
            case Kind::Click:
                desk.click(Button(e.target));
                break;
            case Kind::Pick:
                desk.pick(Combo(e.target), e.text);
                break;
            case Kind::Type:
                desk.type(Combo(e.target), e.text);
                break;
            case Kind::Clear:
                desk.clearField(Combo(e.target));
                break;
            case Kind::Name:
                desk.typeName(e.text);
                break;
            case Kind::Tick:
            case Kind::Stall:
                return ticks(desk, e.ticks);
        }
        // Anything but ticks starts a new untouched stretch.
        untouchedTicks_ = 0;
        untouchedFrom_ = desk.form.remaining();
        return rules(desk);
    }

    std::optional<std::string> ticks(FakeDesktop& desk, int count) {
        for (int i = 0; i < count; ++i) {
            if (!desk.ops.timerEnabled) {
                // Stopped, the time passes for the reminders alone.
                desk.wait(std::chrono::seconds(count - i));
                return rules(desk);
            }
            desk.tick();
            ++untouchedTicks_;
            const bool timeUp = desk.background() == timeUpColour;
            if (timeUp) {
                nameAtTimeUp_ = desk.ops.name;
            }
            const long long due = untouchedFrom_.seconds + 1;
            if (timeUp != (untouchedTicks_ == due)) {
                return "time up on tick " + std::to_string(untouchedTicks_) +
                       " of a countdown of " + std::to_string(untouchedFrom_.seconds) + " s";
            }
            if (auto broken = rules(desk)) {
                return broken;
            }
        }
        return std::nullopt;
    }

    std::optional<std::string> rules(const FakeDesktop& desk) const {
        static const std::regex durationPattern("^[0-9]{2,}:[0-5][0-9]:[0-5][0-9]$");
        const std::string display = desk.display();
        // The name shown is the one typed when time was up; typing another later changes nothing.
        const std::string timeUpText = nameAtTimeUp_ + std::string(timeUpSuffix);
        if (!std::regex_match(display, durationPattern) && display != timeUpText) {
            return "display reads \"" + display + "\"";
        }
        if (!(desk.bar() >= 0.0f && desk.bar() <= 4215.0f)) {
            return "bar is " + std::to_string(desk.bar()) + " twips";
        }
        const bool timer = desk.ops.timerEnabled;
        const bool reset = desk.ops.isEnabled(Button::Command3);
        // Kept from sleeping exactly while it counts down or time up goes unanswered, and calling
        // only then.
        const bool calling = desk.form.timeUpCalling();
        if (desk.ops.awake != (timer || calling)) {
            return std::string(desk.ops.awake ? "keeping the computer awake while stopped"
                                              : "counting or calling while the computer may sleep");
        }
        if (calling != (desk.ops.reminderDue.has_value() && desk.ops.timeUpShown)) {
            return std::string("reminders or the notification outlive the call, or stop short");
        }
        switch (desk.background()) {
            case idleColour:
                if (timer) {
                    return std::string("idle with the timer on");
                }
                break;
            case runningColour:
                if (!timer || reset) {
                    return std::string("running without its timer, or with Reset enabled");
                }
                break;
            case pausedColour:
            case timeUpColour:
                if (timer || !reset) {
                    return std::string("stopped with the timer on, or with Reset disabled");
                }
                break;
            default:
                return "background " + std::to_string(desk.background());
        }
        return std::nullopt;
    }

    int untouchedTicks_ = 0;
    Duration untouchedFrom_{};
    std::string nameAtTimeUp_;
};

// Removes events while the run still fails, so that the list left is short enough to read.
std::vector<Event> shrink(std::vector<Event> events) {
    for (std::size_t chunk = events.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t at = 0; at + chunk <= events.size();) {
            std::vector<Event> shorter(events.begin(), events.begin() + at);
            shorter.insert(shorter.end(), events.begin() + at + chunk, events.end());
            if (Checker().run(shorter)) {
                events = std::move(shorter);
            } else {
                at += chunk;
            }
        }
    }
    return events;
}

long long fromEnvironment(const char* name, long long fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoll(value) : fallback;
}

TEST(Soak, AMillionRandomEventsKeepTheWindowConsistent) {
    const auto seed =
        static_cast<std::uint64_t>(fromEnvironment("KESTRUNE_SOAK_SEED", std::random_device{}()));
    const long long total = fromEnvironment("KESTRUNE_SOAK_EVENTS", 1'000'000);
    // Events run in batches on fresh desktops, so that a failure replays and shrinks quickly.
    constexpr long long batch = 20'000;
    EventSource source(seed);
    for (long long done = 0; done < total; done += batch) {
        std::vector<Event> events;
        for (long long i = 0; i < std::min(batch, total - done); ++i) {
            events.push_back(source.next());
        }
        if (const auto broken = Checker().run(events)) {
            std::ostringstream report;
            report << "seed " << seed << ", batch from event " << done << ": " << *broken
                   << "\nshortest failing events:\n";
            for (const Event& e : shrink(events)) {
                report << "  " << describe(e) << '\n';
            }
            FAIL() << report.str();
        }
    }
    std::printf("soak: %lld events, seed %llu\n", total, static_cast<unsigned long long>(seed));
}

TEST(Soak, AHundredHourCountdownArrivesExactlyWithoutGrowingMemory) {
    FakeDesktop desk;
    desk.ops.keepDisplayHistory = false;
    desk.pick(Combo::Combo1, "100");
    desk.click(Button::Command1);
    ASSERT_EQ(desk.display(), "100:00:00");
    desk.tick(1000);
    const std::size_t settled = liveBytes;
    desk.tick(360000 - 1000);
    EXPECT_EQ(desk.display(), "00:00:00");
    EXPECT_EQ(desk.background(), runningColour);
    EXPECT_EQ(desk.bar(), 4215.0f);
    EXPECT_EQ(liveBytes, settled);
    desk.tick();
    EXPECT_EQ(desk.background(), timeUpColour);
}

}  // namespace
}  // namespace kestrune::testing
