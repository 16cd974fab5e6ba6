#include "permutation.h"

// Rounds of the mix: each is invertible on its own, so the whole is a
// bijection of the power of two above count.
static const int MIX_ROUNDS = 4;

// A 32-bit finaliser: spreads the seed and round into a round key.
static uint32_t spread(uint32_t value)
{
    value ^= value >> 16;
    value *= 0x7feb352dU;
    value ^= value >> 15;
    value *= 0x846ca68bU;
    value ^= value >> 16;
    return value;
}

uint32_t permutedIndex(uint32_t seed, uint32_t count, uint32_t position)
{
    if (count <= 1)
        return 0;
    int bits = 1;
    while (bits < 32 && (1u << bits) < count)
        ++bits;
    uint32_t mask = bits == 32 ? 0xFFFFFFFFU : (1u << bits) - 1u;
    int shift = (bits + 1) / 2;
    uint32_t value = position;
    // Walking the cycle: a value past count goes round again until it lands
    // inside, which keeps the walk a bijection of 0..count-1. With the power
    // of two less than twice count, it takes two rounds on average.
    do {
        for (int round = 0; round < MIX_ROUNDS; ++round) {
            uint32_t key = spread(seed + 0x9e3779b9U * static_cast<uint32_t>(round + 1));
            value = (value + key) & mask;
            value = (value * (key | 1u)) & mask;
            value ^= value >> shift;
        }
    } while (value >= count);
    return value;
}
