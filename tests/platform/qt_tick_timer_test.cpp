#include "platform/qt_tick_timer.h"

#include <QtTest>

using namespace kestrune;
using namespace std::chrono_literals;

// The Qt timer on a clock the test moves by hand; wake() is what the wake-up timer calls.
class QtTickTimerTest : public QObject {
    Q_OBJECT

    BootClock::time_point now{};
    std::vector<BootClock::time_point> tickTimes;
    std::chrono::milliseconds work{};
    std::unique_ptr<QtTickTimer> timer;

    // Each tick takes the logic's steps: disable, do the tick's work, enable again.
    void tick() {
        tickTimes.push_back(now);
        timer->setEnabled(false);
        now += work;
        timer->setEnabled(true);
    }

private slots:
    void init() {
        now = BootClock::time_point(10s);
        work = 0ms;
        tickTimes.clear();
        timer = std::make_unique<QtTickTimer>([this] { tick(); }, [this] { return now; });
        timer->setInterval(1000);
    }

    void idleTimerNeverWakes() { QCOMPARE(timer->msUntilWake(), -1); }

    void handlerTimeDoesNotAccumulate() {
        work = 200ms;
        timer->setEnabled(true);
        QVERIFY(std::abs(timer->msUntilWake() - 1000) <= 2);
        for (int n = 1; n <= 3; ++n) {
            now = BootClock::time_point(10s) + n * 1000ms + 4ms;  // woken 4 ms late
            timer->wake();
            QCOMPARE(int(tickTimes.size()), n);
            // Woken at n s + 4 ms, done 200 ms later: the next tick is 796 ms away.
            QVERIFY(std::abs(timer->msUntilWake() - 796) <= 2);
        }
    }

    void missedTicksAreCaughtUpAtOnce() {
        timer->setEnabled(true);
        now += 7500ms;  // the computer slept
        timer->wake();
        QCOMPARE(int(tickTimes.size()), 7);
        QVERIFY(std::abs(timer->msUntilWake() - 500) <= 2);
    }

    void aWakeBeforeTheDueTimeRunsNoTick() {
        timer->setEnabled(true);
        now += 999ms;
        timer->wake();
        QVERIFY(tickTimes.empty());
        QVERIFY(timer->msUntilWake() <= 1);
    }

    void disablingDropsThePendingTick() {
        timer->setEnabled(true);
        timer->setEnabled(false);
        QCOMPARE(timer->msUntilWake(), -1);
        now += 5s;
        timer->wake();
        QVERIFY(tickTimes.empty());
    }
};

QTEST_GUILESS_MAIN(QtTickTimerTest)
#include "qt_tick_timer_test.moc"
