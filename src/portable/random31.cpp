#include "random31.h"

#include "hash64.h"

#include <ctime>

// A 64-bit linear congruential generator (Knuth's MMIX constants), seeded
// through the splitmix64 finaliser; its top 31 bits are the draw, which
// avoids the short cycles of the low bits.
static uint64_t randomState = 1;

void seedRandom31(uint32_t seed)
{
    // Seeds are seconds of the clock, a few minutes apart from change to
    // change: taken as they are, such seeds start sequences a fixed step
    // apart, and a round of changes could never come in some orders. Mixed
    // first, each second starts a sequence of its own.
    randomState = mix64(seed);
    drawRandom31();
}

int32_t drawRandom31()
{
    randomState = randomState * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int32_t>(randomState >> 33);
}

void seedRandom31FromClock()
{
    seedRandom31(static_cast<uint32_t>(std::time(nullptr)));
}
