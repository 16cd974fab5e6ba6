#include "slottable.h"

#include <string.h>

BitmapSlotTable slotTable;

// Pixels the list can scroll sideways, so that long paths can be read whole.
const WPARAM LIST_SCROLL_WIDTH = 500;

static LRESULT sendList(BitmapSlotTable* table, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(table->listWindow, message, wParam, lParam);
}

static void freeAllSlots(BitmapSlotTable* table)
{
    memset(table->slots, 0, sizeof table->slots);
}

void bindList(BitmapSlotTable* table, HWND listWindow)
{
    table->listWindow = listWindow;
    freeAllSlots(table);
    sendList(table, LB_RESETCONTENT, 0, 0);
    sendList(table, LB_SETHORIZONTALEXTENT, LIST_SCROLL_WIDTH, 0);
    // The list is empty here, and a multiple-selection list refuses this
    // message anyway: nothing becomes selected.
    sendList(table, LB_SETCURSEL, 1, 0);
}

uint16_t findFreeSlot(BitmapSlotTable* table)
{
    for (uint16_t s = 0; s < SLOT_COUNT; ++s)
        if (table->slots[s].occupied == 0)
            return s;
    return NO_SLOT;
}

uint16_t findSlotByRow(BitmapSlotTable* table, uint16_t row)
{
    for (uint16_t s = 0; s < SLOT_COUNT; ++s)
        if (table->slots[s].occupied != 0 && table->slots[s].row == row)
            return s;
    return NO_SLOT;
}

int addEntry(BitmapSlotTable* table, const char* path, int x, int y, int mode)
{
    uint16_t s = findFreeSlot(table);
    if (s == NO_SLOT)
        return 0;
    LRESULT added = sendList(table, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path));
    // A list that refused the text has no new row for the slot to claim.
    if (added == LB_ERR || added == LB_ERRSPACE)
        return 0;
    uint16_t r = static_cast<uint16_t>(added);
    // An unsorted list appends, so nothing moves; a list that inserts in the
    // middle pushes the rows from r on down by one.
    for (uint16_t i = 0; i < SLOT_COUNT; ++i) {
        BitmapSlot& other = table->slots[i];
        if (other.occupied != 0 && other.row >= r)
            ++other.row;
    }
    BitmapSlot& slot = table->slots[s];
    slot.row = r;
    slot.x = static_cast<uint16_t>(x);
    slot.y = static_cast<uint16_t>(y);
    slot.mode = mode;
    slot.occupied = 1;
    return 1;
}

void removeSelectedEntries(BitmapSlotTable* table)
{
    uint16_t i = 0;
    while (sendList(table, LB_GETCOUNT, 0, 0) > i) {
        if (sendList(table, LB_GETSEL, i, 0) == 0) {
            ++i;
            continue;
        }
        uint16_t s = findSlotByRow(table, i);
        if (s != NO_SLOT)
            table->slots[s].occupied = 0;
        sendList(table, LB_DELETESTRING, i, 0);
        for (uint16_t k = 0; k < SLOT_COUNT; ++k) {
            BitmapSlot& other = table->slots[k];
            if (other.occupied != 0 && other.row > i)
                --other.row;
        }
        // The next row has moved into place i: look at i again.
    }
}

void clearTable(BitmapSlotTable* table)
{
    freeAllSlots(table);
    sendList(table, LB_RESETCONTENT, 0, 0);
}

bool getEntryAtRow(BitmapSlotTable* table, uint16_t row, char* text, uint16_t* x, uint16_t* y, int32_t* mode)
{
    // A row that does not exist writes nothing; a row whose text would not
    // fit the caller's buffer gives an empty text rather than overrunning it.
    LRESULT length = sendList(table, LB_GETTEXTLEN, row, 0);
    if (length < 0)
        return false;
    if (length >= PATH_BUFFER)
        text[0] = '\0';
    else
        sendList(table, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    uint16_t s = findSlotByRow(table, row);
    if (s == NO_SLOT)
        return false;
    *x = table->slots[s].x;
    *y = table->slots[s].y;
    *mode = table->slots[s].mode;
    return true;
}

bool getCurrentEntry(BitmapSlotTable* table, SlotEntry* entry)
{
    // The caret row holds the focus rectangle; it need not be selected.
    LRESULT caret = sendList(table, LB_GETCARETINDEX, 0, 0);
    return getEntryAtRow(table, static_cast<uint16_t>(caret), entry->path, &entry->x, &entry->y, &entry->mode);
}

void setSelectedAttributes(BitmapSlotTable* table, int x, int y, int mode)
{
    for (uint16_t i = 0; i < static_cast<uint16_t>(sendList(table, LB_GETCOUNT, 0, 0)); ++i) {
        if (sendList(table, LB_GETSEL, i, 0) == 0)
            continue;
        uint16_t s = findSlotByRow(table, i);
        // A selected row without an entry ends the whole operation.
        if (s == NO_SLOT)
            return;
        table->slots[s].x = static_cast<uint16_t>(x);
        table->slots[s].y = static_cast<uint16_t>(y);
        table->slots[s].mode = mode;
    }
}
