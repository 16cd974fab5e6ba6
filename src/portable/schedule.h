// When the resident changer changes the wallpaper: the start-up policy
// ("Change every") and the minute-tick period ("Time period").
#ifndef VISTRELL_SCHEDULE_H
#define VISTRELL_SCHEDULE_H

#include <stdint.h>

enum ChangePolicy {
    POLICY_EVERY_LAUNCH = 0,
    POLICY_ON_DEMAND = 1,
    POLICY_RANDOMLY = 2,
    POLICY_EVERY_DAY = 3,
    POLICY_EVERY_2_DAYS = 4,
    POLICY_EVERY_WEEK = 5,
    POLICY_EVERY_MONTH = 6
};

enum TimePeriod {
    PERIOD_ONCE = 0,
    PERIOD_5_MIN = 1,
    PERIOD_QUARTER = 2,
    PERIOD_HALF = 3,
    PERIOD_HOUR = 4
};

// today - last as a signed 32-bit difference; a "Last Change" later than
// today gives a negative count.
int32_t elapsedDays(uint32_t today, uint32_t last);

// The "Randomly (1:5)" test: seeded with the time in seconds, 99 draws are
// thrown away and the next one changes when its remainder by 5 is 1.
bool oneInFiveChance(uint32_t seedSeconds);

// Whether the start-up decision changes the wallpaper. The seed is only used
// by the random policy.
bool startupChangeDue(int policy, int32_t elapsed, uint32_t seedSeconds);

// Number of minute ticks between timed changes, or 0 when the period never
// changes (Once). Any unknown non-zero period fires at every tick (1).
uint32_t tickThreshold(int period);

// Whether a tick whose counter (already advanced) stands at counter makes a
// timed change. Fires once the counter reaches the threshold or is past it,
// so a shorter period loaded while counting takes effect at the next tick.
bool tickFires(int period, uint32_t counter);

#endif
