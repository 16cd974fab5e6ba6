// A keyed permutation of 0..count-1, computed on the fly: a folder of
// thousands of pictures is shuffled without a list of them being kept.
#ifndef VISTRELL_PERMUTATION_H
#define VISTRELL_PERMUTATION_H

#include <stdint.h>

// The element at position (below count) of the permutation that seed picks.
// Every position gives a different element; other seeds give other orders.
uint32_t permutedIndex(uint32_t seed, uint32_t count, uint32_t position);

#endif
