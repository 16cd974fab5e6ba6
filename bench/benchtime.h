// The clock and the message pump that every bench program uses.
#ifndef VISTRELL_BENCH_BENCHTIME_H
#define VISTRELL_BENCH_BENCHTIME_H

// Milliseconds from an arbitrary start, at the performance counter's resolution.
double nowMs();

// Runs what was sent or posted to this thread.
void pumpMessages();

#endif
