// The placement data behind the rows of the dialog's bitmap list. Each row's
// text (the bitmap's path) lives in the list box; its origin and placement
// live in one occupied slot of the table, which names the row it belongs to.
#ifndef VISTEDIT_SLOTTABLE_H
#define VISTEDIT_SLOTTABLE_H

#include "keys.h"

#include <windows.h>

#include <stdint.h>

const uint16_t SLOT_COUNT = 50;
const uint16_t NO_SLOT = 0xFFFF;

struct BitmapSlot {
    int32_t occupied;  // 0 free, anything else in use
    uint16_t row;      // list row that shows this entry's path
    uint16_t x;        // wallpaper origin, meaningful in Defined placement
    uint16_t y;
    int32_t mode;      // PositionMode
};

struct BitmapSlotTable {
    BitmapSlot slots[SLOT_COUNT];
    HWND listWindow;
};

// One row's entry: its path as the list shows it, and its slot's placement.
struct SlotEntry {
    char path[PATH_BUFFER];
    uint16_t x;
    uint16_t y;
    int32_t mode;
};

// The editor's one table, bound to the dialog's list when the dialog starts.
extern BitmapSlotTable slotTable;

void bindList(BitmapSlotTable* table, HWND listWindow);
uint16_t findFreeSlot(BitmapSlotTable* table);
uint16_t findSlotByRow(BitmapSlotTable* table, uint16_t row);
// 1 = added as the list's last row, 0 = table full (or the list refused the text).
int addEntry(BitmapSlotTable* table, const char* path, int x, int y, int mode);
void removeSelectedEntries(BitmapSlotTable* table);
void clearTable(BitmapSlotTable* table);
// The caret row's entry; true when that row exists and has a slot. Fields
// the call did not get from a slot keep the values the caller gave them.
bool getCurrentEntry(BitmapSlotTable* table, SlotEntry* entry);
// The same for a row's entry in separate outputs; text must hold PATH_BUFFER bytes.
bool getEntryAtRow(BitmapSlotTable* table, uint16_t row, char* text, uint16_t* x, uint16_t* y, int32_t* mode);
void setSelectedAttributes(BitmapSlotTable* table, int x, int y, int mode);

#endif
