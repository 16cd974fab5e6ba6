// A keyed 64-bit hash of bytes: FNV-1a over the bytes, begun from the key,
// then the splitmix64 finaliser over the result and the key, so that every
// bit of the bytes and of the key reaches every bit of the hash. Not for
// secrets; for names and orders that must be the same on every run and
// every Windows.
#ifndef VISTRELL_HASH64_H
#define VISTRELL_HASH64_H

#include <stddef.h>
#include <stdint.h>

uint64_t hashBytes64(const void* bytes, size_t length, uint64_t key);

// The splitmix64 finaliser: a bijection of 64-bit values.
uint64_t mix64(uint64_t value);

#endif
