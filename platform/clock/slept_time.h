#pragma once

#include <chrono>

namespace kestrune {

// How long the computer has slept, told from two clocks read together: a precise one that may stop
// while the computer sleeps, and a coarse one that counts on. Apart from sleep they part only by
// the coarse clock's steps and a slow drift, so only a gap beyond those is taken as sleep.
class SleptTime {
public:
    std::chrono::nanoseconds update(std::chrono::nanoseconds preciseElapsed,
                                    std::chrono::nanoseconds coarseElapsed) {
        const std::chrono::nanoseconds gap = coarseElapsed - preciseElapsed;
        if (gap > slept_ + tolerance) {
            slept_ = gap;
        }
        return slept_;
    }

private:
    static constexpr std::chrono::milliseconds tolerance{100};
    std::chrono::nanoseconds slept_{0};
};

}  // namespace kestrune
