#include "history.h"

#include <stdlib.h>
#include <string.h>

void clearHistory(ChangeHistory* history)
{
    for (int i = 0; i < history->count; ++i)
        free(history->records[i]);
    history->count = 0;
    history->shown = -1;
}

// Takes the change at index out of the history.
static void dropChange(ChangeHistory* history, int index)
{
    free(history->records[index]);
    memmove(history->records + index, history->records + index + 1,
            sizeof history->records[0] * static_cast<size_t>(history->count - index - 1));
    memmove(history->sizes + index, history->sizes + index + 1,
            sizeof history->sizes[0] * static_cast<size_t>(history->count - index - 1));
    --history->count;
    if (history->shown >= index)
        --history->shown;
}

bool recordChange(ChangeHistory* history, const void* record, size_t size)
{
    while (history->count > history->shown + 1)
        dropChange(history, history->count - 1);
    if (history->count == HISTORY_LIMIT)
        dropChange(history, 0);
    uint8_t* copy = static_cast<uint8_t*>(malloc(size ? size : 1));
    if (!copy) {
        clearHistory(history);
        return false;
    }
    memcpy(copy, record, size);
    history->records[history->count] = copy;
    history->sizes[history->count] = size;
    history->shown = history->count++;
    return true;
}

const uint8_t* stepHistory(ChangeHistory* history, int step, RecordUsable usable, void* context, size_t* size)
{
    for (int next = history->shown + step; next >= 0 && next < history->count;) {
        if (usable(history->records[next], history->sizes[next], context)) {
            history->shown = next;
            *size = history->sizes[next];
            return history->records[next];
        }
        // Gone: it is not offered again. Going back, the next one to look
        // at moves down with it.
        dropChange(history, next);
        if (step < 0)
            --next;
    }
    return NULL;
}

bool canStepHistory(const ChangeHistory& history, int step)
{
    int next = history.shown + step;
    return history.shown >= 0 && next >= 0 && next < history.count;
}
