// The changes the changer made lately, oldest first, and which of them the
// desktop shows: going back shows the one before, going forward the one
// after. A new change drops what lay ahead of the one shown (as a browser
// does) and, beyond HISTORY_LIMIT, the oldest. Each change is kept as the
// bytes its caller gives; the history is lost when the changer ends.
#ifndef VISTRELL_HISTORY_H
#define VISTRELL_HISTORY_H

#include <stddef.h>
#include <stdint.h>

const int HISTORY_LIMIT = 16;

struct ChangeHistory {
    uint8_t* records[HISTORY_LIMIT];
    size_t sizes[HISTORY_LIMIT];
    int count;
    int shown;  // the index of the change shown; count - 1 unless gone back
};

void clearHistory(ChangeHistory* history);

// Keeps a new change as the one shown; false when memory runs out (the
// history is then empty, not wrong).
bool recordChange(ChangeHistory* history, const void* record, size_t size);

// Whether a record can be shown again (its files are still there).
typedef bool (*RecordUsable)(const uint8_t* record, size_t size, void* context);

// Moves one change back (step -1) or forward (+1) to the nearest that
// usable takes, dropping those it passes over, and gives its bytes; NULL
// (the history where it was) when there is none.
const uint8_t* stepHistory(ChangeHistory* history, int step, RecordUsable usable, void* context, size_t* size);

// Whether there is a change to step to (files aside).
bool canStepHistory(const ChangeHistory& history, int step);

#endif
