// The process's pseudo-random generator: draws are 0..2147483647 (31 bits),
// and the same seed always gives the same sequence. The C runtime's rand()
// gives only 15 bits on Windows, so the changer uses this one instead.
#ifndef VISTRELL_RANDOM31_H
#define VISTRELL_RANDOM31_H

#include <stdint.h>

const int32_t RANDOM31_MAX = 2147483647;

void seedRandom31(uint32_t seed);
int32_t drawRandom31();

// Seeds from the current time in whole seconds, as every user of the
// generator does before its draws.
void seedRandom31FromClock();

#endif
