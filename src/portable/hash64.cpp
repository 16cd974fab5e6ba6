#include "hash64.h"

const uint64_t FNV64_START = 14695981039346656037ull;
const uint64_t FNV64_PRIME = 1099511628211ull;
const uint64_t GOLDEN_GAMMA = 0x9E3779B97F4A7C15ull;

uint64_t mix64(uint64_t value)
{
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

uint64_t hashBytes64(const void* bytes, size_t length, uint64_t key)
{
    const uint8_t* at = static_cast<const uint8_t*>(bytes);
    uint64_t hash = FNV64_START ^ mix64(key);
    for (size_t i = 0; i < length; ++i)
        hash = (hash ^ at[i]) * FNV64_PRIME;
    return mix64(hash + key * GOLDEN_GAMMA);
}
