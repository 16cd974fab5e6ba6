#include "schedule.h"

#include "random31.h"

int32_t elapsedDays(uint32_t today, uint32_t last)
{
    return static_cast<int32_t>(today - last);
}

bool oneInFiveChance(uint32_t seedSeconds)
{
    seedRandom31(seedSeconds);
    for (int i = 0; i < 99; ++i)
        drawRandom31();
    return drawRandom31() % 5 == 1;
}

bool startupChangeDue(int policy, int32_t elapsed, uint32_t seedSeconds)
{
    switch (policy) {
    case POLICY_EVERY_LAUNCH:
        return true;
    case POLICY_RANDOMLY:
        return oneInFiveChance(seedSeconds);
    case POLICY_EVERY_DAY:
        return elapsed >= 1;
    case POLICY_EVERY_2_DAYS:
        return elapsed >= 2;
    case POLICY_EVERY_WEEK:
        return elapsed >= 7;
    case POLICY_EVERY_MONTH:
        return elapsed >= 30;
    default:
        return false;  // On Demand, and any value outside the list
    }
}

uint32_t tickThreshold(int period)
{
    switch (period) {
    case PERIOD_ONCE:
        return 0;
    case PERIOD_5_MIN:
        return 5;
    case PERIOD_QUARTER:
        return 15;
    case PERIOD_HALF:
        return 30;
    case PERIOD_HOUR:
        return 60;
    default:
        return 1;
    }
}

bool tickFires(int period, uint32_t counter)
{
    uint32_t threshold = tickThreshold(period);
    return threshold != 0 && counter >= threshold;
}
