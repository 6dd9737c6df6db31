#include "platform/timer/qt_tick_timer.h"

#include <QtTest>

using namespace kestrune;
using namespace std::chrono_literals;

// The Qt timer on a clock the test moves by hand; wake() is what the wake-up timer calls.
class QtTickTimerTest : public QObject {
    Q_OBJECT

    BootClock::time_point now{};
    std::vector<BootClock::time_point> tickTimes;
    std::vector<BootClock::time_point> dueTimes;  // when each tick fell due, as the timer says
    std::chrono::milliseconds work{};
    std::unique_ptr<QtTickTimer> timer;

    // Each tick takes the logic's steps: disable, do the tick's work, enable again.
    void tick() {
        tickTimes.push_back(now);
        dueTimes.push_back(timer->tickDue());
        timer->setEnabled(false);
        now += work;
        timer->setEnabled(true);
    }

private slots:
    void init() {
        now = BootClock::time_point(10s);
        work = 0ms;
        tickTimes.clear();
        dueTimes.clear();
        timer = std::make_unique<QtTickTimer>([this] { tick(); }, [this] { return now; });
        timer->setInterval(1000);
    }

    BootClock::time_point at(std::chrono::milliseconds sinceStart) {
        return BootClock::time_point(10s) + sinceStart;
    }

    void idleTimerNeverWakes() {
        QVERIFY(!timer->nextWake());
        timer->setEnabled(true);
        timer->setEnabled(false);
        QVERIFY(!timer->nextWake());
    }

    void handlerTimeDoesNotAccumulate() {
        work = 200ms;
        timer->setEnabled(true);
        QCOMPARE(timer->nextWake(), at(1000ms));
        for (int n = 1; n <= 3; ++n) {
            now = at(n * 1000ms + 4ms);  // woken 4 ms late, and each tick takes 200 ms
            timer->wake();
            QCOMPARE(int(tickTimes.size()), n);
            QCOMPARE(timer->nextWake(), at((n + 1) * 1000ms));
        }
    }

    void missedTicksAreCaughtUpAtOnce() {
        timer->setEnabled(true);
        now += 7500ms;  // the computer slept
        timer->wake();
        QCOMPARE(int(tickTimes.size()), 7);
        QCOMPARE(timer->nextWake(), at(8000ms));
        // Each knows when it fell due, though all run on waking.
        for (int n = 1; n <= 7; ++n) {
            QCOMPARE(dueTimes[n - 1], at(n * 1000ms));
        }
    }

    void aWakeBeforeTheDueTimeRunsNoTick() {
        timer->setEnabled(true);
        now += 999ms;
        timer->wake();
        QVERIFY(tickTimes.empty());
        QCOMPARE(timer->nextWake(), at(1000ms));
    }

    void disablingDropsThePendingTick() {
        timer->setEnabled(true);
        timer->setEnabled(false);
        QVERIFY(!timer->nextWake());
        now += 5s;
        timer->wake();
        QVERIFY(tickTimes.empty());
    }

    void theWakeTimerFiresAtItsMomentAndNotBefore() {
        std::optional<BootClock::time_point> firedAt;
        WakeTimer wake([&] { firedAt = BootClock::now(); });
        const auto due = BootClock::now() + 30ms;
        wake.wakeAt(due);
        QCOMPARE(wake.due(), due);
        QTRY_VERIFY_WITH_TIMEOUT(firedAt.has_value(), 5000);
        QVERIFY(*firedAt >= due);
        // Within a few ms on an idle machine; the bound leaves room for a busy one.
        QVERIFY2(*firedAt - due < 200ms, "woken more than 200 ms late");
        QVERIFY(!wake.due());
    }

    void aCancelledWakeTimerNeverFires() {
        bool fired = false;
        WakeTimer wake([&] { fired = true; });
        wake.wakeAt(BootClock::now() + 10ms);
        wake.cancel();
        QTest::qWait(50);
        QVERIFY(!fired);
    }
};

QTEST_GUILESS_MAIN(QtTickTimerTest)
#include "qt_tick_timer_test.moc"
