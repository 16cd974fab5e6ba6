// The bitmap slot table over a real list box under Wine, styled like the
// editor's bitmap list (multiple selection, not sorted).
#include "ids.h"
#include "keys.h"
#include "slottable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
const DWORD LIST_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                         LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_USETABSTOPS | LBS_DISABLENOSCROLL;

HWND createHost()
{
    return CreateWindowExA(0, "STATIC", "slot table host", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
}

HWND createList(HWND host, DWORD extraStyle = 0)
{
    return CreateWindowExA(0, "LISTBOX", "BMP list", LIST_STYLE | extraStyle, 10, 10, 300, 200, host,
                           reinterpret_cast<HMENU>(IDC_LIST), GetModuleHandleA(NULL), NULL);
}

std::string rowText(HWND list, int row)
{
    char text[512] = "";
    SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    return text;
}

int occupiedCount(const BitmapSlotTable& table)
{
    int count = 0;
    for (const BitmapSlot& slot : table.slots)
        count += slot.occupied != 0;
    return count;
}

// Every row is claimed by exactly one occupied slot, and no slot claims a
// row that does not exist.
::testing::AssertionResult rowsAndSlotsInStep(const BitmapSlotTable& table)
{
    int rows = static_cast<int>(SendMessageA(table.listWindow, LB_GETCOUNT, 0, 0));
    for (int s = 0; s < SLOT_COUNT; ++s)
        if (table.slots[s].occupied && table.slots[s].row >= rows)
            return ::testing::AssertionFailure() << "slot " << s << " claims missing row " << table.slots[s].row;
    for (int r = 0; r < rows; ++r) {
        int claims = 0;
        for (const BitmapSlot& slot : table.slots)
            claims += slot.occupied && slot.row == r;
        if (claims != 1)
            return ::testing::AssertionFailure() << "row " << r << " claimed " << claims << " times";
    }
    return ::testing::AssertionSuccess();
}

struct Entry {
    std::string text;
    uint16_t x, y;
    int32_t mode;
};

Entry entryAt(uint16_t row)
{
    Entry entry = {"", 0, 0, 0};
    char text[PATH_BUFFER] = "";
    getEntryAtRow(&slotTable, row, text, &entry.x, &entry.y, &entry.mode);
    entry.text = text;
    return entry;
}

class SlotTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        host = createHost();
        ASSERT_TRUE(host != NULL);
        list = createList(host);
        ASSERT_TRUE(list != NULL);
        bindList(&slotTable, list);
    }
    void TearDown() override { DestroyWindow(host); }

    int rows() { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }
    void select(int row, bool on = true) { SendMessageA(list, LB_SETSEL, on, row); }
    void addNumbered(int count, int first = 0)
    {
        for (int i = first; i < first + count; ++i) {
            std::string path = "c:\\pics\\p" + std::to_string(i) + ".bmp";
            ASSERT_EQ(addEntry(&slotTable, path.c_str(), 10 + i, 20 + i, i % 3), 1) << i;
        }
    }

    HWND host = NULL;
    HWND list = NULL;
};
}  // namespace

TEST_F(SlotTable, BindingEmptiesTheListFreesEverySlotAndWidensTheScroll)
{
    addNumbered(3);
    slotTable.slots[40].occupied = 7;
    bindList(&slotTable, list);
    EXPECT_EQ(slotTable.listWindow, list);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(occupiedCount(slotTable), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), 500);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 0);
}

TEST_F(SlotTable, FiftyEntriesFitAndTheFiftyFirstIsRefused)
{
    addNumbered(50);
    EXPECT_EQ(findFreeSlot(&slotTable), NO_SLOT);
    EXPECT_EQ(addEntry(&slotTable, "c:\\one-too-many.bmp", 1, 1, 1), 0);
    EXPECT_EQ(rows(), 50);
    EXPECT_EQ(rowText(list, 49), "c:\\pics\\p49.bmp");
    EXPECT_TRUE(rowsAndSlotsInStep(slotTable));

    // Emptied, the table takes 50 again; and so after a rebind (a reload).
    clearTable(&slotTable);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(occupiedCount(slotTable), 0);
    addNumbered(50);
    EXPECT_EQ(addEntry(&slotTable, "c:\\x.bmp", 1, 1, 1), 0);
    bindList(&slotTable, list);
    addNumbered(50);
    EXPECT_TRUE(rowsAndSlotsInStep(slotTable));
}

TEST_F(SlotTable, EntriesAreAppendedInOrderWithTheirOwnAttributes)
{
    ASSERT_EQ(addEntry(&slotTable, "c:\\b.bmp", 5, 6, 2), 1);
    ASSERT_EQ(addEntry(&slotTable, "c:\\a.bmp", 7, 8, 0), 1);
    EXPECT_EQ(rowText(list, 0), "c:\\b.bmp");
    EXPECT_EQ(rowText(list, 1), "c:\\a.bmp");
    Entry second = entryAt(1);
    EXPECT_EQ(second.text, "c:\\a.bmp");
    EXPECT_EQ(second.x, 7);
    EXPECT_EQ(second.y, 8);
    EXPECT_EQ(second.mode, 0);
    EXPECT_EQ(findSlotByRow(&slotTable, 1), 1);
    EXPECT_EQ(findSlotByRow(&slotTable, 2), NO_SLOT);
}

TEST_F(SlotTable, OriginsKeepTheirLow16BitsAndTheModeStaysWhole)
{
    ASSERT_EQ(addEntry(&slotTable, "c:\\a.bmp", 70000, -5, 65535), 1);
    ASSERT_EQ(addEntry(&slotTable, "c:\\b.bmp", 65536, 0x7FFFFFFF, -3), 1);
    Entry a = entryAt(0);
    EXPECT_EQ(a.x, 4464);
    EXPECT_EQ(a.y, 65531);
    EXPECT_EQ(a.mode, 65535);
    Entry b = entryAt(1);
    EXPECT_EQ(b.x, 0);
    EXPECT_EQ(b.y, 65535);
    EXPECT_EQ(b.mode, -3);

    select(0);
    setSelectedAttributes(&slotTable, -1, 70001, 2);
    a = entryAt(0);
    EXPECT_EQ(a.x, 65535);
    EXPECT_EQ(a.y, 4465);
    EXPECT_EQ(a.mode, 2);
}

TEST_F(SlotTable, RemovingSelectedRowsKeepsTheOthersWithTheirOwnAttributes)
{
    addNumbered(5);
    select(1);
    select(3);
    removeSelectedEntries(&slotTable);
    ASSERT_EQ(rows(), 3);
    const int former[] = {0, 2, 4};
    for (uint16_t row = 0; row < 3; ++row) {
        int i = former[row];
        Entry entry = entryAt(row);
        EXPECT_EQ(entry.text, "c:\\pics\\p" + std::to_string(i) + ".bmp");
        EXPECT_EQ(entry.x, 10 + i);
        EXPECT_EQ(entry.y, 20 + i);
        EXPECT_EQ(entry.mode, i % 3);
    }
    EXPECT_EQ(occupiedCount(slotTable), 3);
    EXPECT_TRUE(rowsAndSlotsInStep(slotTable));
}

TEST_F(SlotTable, AdjacentSelectedRowsAreAllRemoved)
{
    addNumbered(6);
    select(2);
    select(3);
    select(4);
    removeSelectedEntries(&slotTable);
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(entryAt(2).text, "c:\\pics\\p5.bmp");
    EXPECT_EQ(entryAt(2).x, 15);
    EXPECT_TRUE(rowsAndSlotsInStep(slotTable));
}

TEST_F(SlotTable, RemovingEveryRowEmptiesTheListAndFreesEverySlot)
{
    addNumbered(50);
    SendMessageA(list, LB_SETSEL, TRUE, -1);
    removeSelectedEntries(&slotTable);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(occupiedCount(slotTable), 0);
    addNumbered(50);
    EXPECT_TRUE(rowsAndSlotsInStep(slotTable));
}

TEST_F(SlotTable, AFreedSlotIsReusedForAnEntryAtTheListEnd)
{
    addNumbered(3);
    select(0);
    removeSelectedEntries(&slotTable);
    ASSERT_EQ(findFreeSlot(&slotTable), 0);
    ASSERT_EQ(addEntry(&slotTable, "c:\\new.bmp", 9, 9, 1), 1);
    EXPECT_EQ(rowText(list, 2), "c:\\new.bmp");
    EXPECT_EQ(findSlotByRow(&slotTable, 2), 0);
    EXPECT_EQ(slotTable.slots[0].row, 2);
    EXPECT_EQ(entryAt(0).text, "c:\\pics\\p1.bmp");
    EXPECT_EQ(entryAt(0).x, 11);
    EXPECT_TRUE(rowsAndSlotsInStep(slotTable));
}

TEST_F(SlotTable, CurrentEntryIsTheCaretRowEvenWhenItIsNotSelected)
{
    addNumbered(4);
    select(0);
    SendMessageA(list, LB_SETCARETINDEX, 2, FALSE);
    ASSERT_EQ(SendMessageA(list, LB_GETSEL, 2, 0), 0);
    SlotEntry entry = {"", 0, 0, -9};
    EXPECT_TRUE(getCurrentEntry(&slotTable, &entry));
    EXPECT_STREQ(entry.path, "c:\\pics\\p2.bmp");
    EXPECT_EQ(entry.x, 12);
    EXPECT_EQ(entry.y, 22);
    EXPECT_EQ(entry.mode, 2);
}

TEST_F(SlotTable, MissingRowsLeaveEveryOutputAsTheCallerHadIt)
{
    SlotEntry entry = {"untouched", 111, 222, 333};
    // The caret of an empty list.
    EXPECT_FALSE(getCurrentEntry(&slotTable, &entry));
    EXPECT_STREQ(entry.path, "untouched");
    EXPECT_EQ(entry.x, 111);
    EXPECT_EQ(entry.y, 222);
    EXPECT_EQ(entry.mode, 333);

    addNumbered(2);
    EXPECT_FALSE(getEntryAtRow(&slotTable, 2, entry.path, &entry.x, &entry.y, &entry.mode));
    EXPECT_FALSE(getEntryAtRow(&slotTable, NO_SLOT, entry.path, &entry.x, &entry.y, &entry.mode));
    EXPECT_STREQ(entry.path, "untouched");
    EXPECT_EQ(entry.x, 111);
    EXPECT_EQ(entry.mode, 333);
}

TEST_F(SlotTable, ARowTooLongForTheBufferGivesAnEmptyTextWithoutOverrun)
{
    std::string longPath = "c:\\" + std::string(150, 'q') + ".bmp";
    ASSERT_EQ(addEntry(&slotTable, longPath.c_str(), 3, 4, 2), 1);
    struct {
        char text[PATH_BUFFER];
        char guard[64];
    } area;
    std::memset(&area, 'G', sizeof area);
    uint16_t x = 0, y = 0;
    int32_t mode = 0;
    EXPECT_TRUE(getEntryAtRow(&slotTable, 0, area.text, &x, &y, &mode));
    EXPECT_STREQ(area.text, "");
    EXPECT_EQ(x, 3);
    EXPECT_EQ(mode, 2);
    for (char c : area.guard)
        ASSERT_EQ(c, 'G');

    // 99 characters still fit whole.
    std::string fits = "c:\\" + std::string(92, 'f') + ".bmp";
    ASSERT_EQ(fits.size(), 99u);
    ASSERT_EQ(addEntry(&slotTable, fits.c_str(), 0, 0, 1), 1);
    EXPECT_EQ(entryAt(1).text, fits);
}

TEST_F(SlotTable, AttributesGoToEverySelectedRowAndOnlyThere)
{
    addNumbered(4);
    setSelectedAttributes(&slotTable, 500, 600, 2);
    for (uint16_t row = 0; row < 4; ++row) {
        EXPECT_EQ(entryAt(row).x, 10 + row);
        EXPECT_EQ(entryAt(row).mode, row % 3);
    }
    select(1);
    select(3);
    setSelectedAttributes(&slotTable, 500, 600, 2);
    for (uint16_t row = 0; row < 4; ++row) {
        Entry entry = entryAt(row);
        bool selected = row == 1 || row == 3;
        EXPECT_EQ(entry.x, selected ? 500 : 10 + row) << row;
        EXPECT_EQ(entry.y, selected ? 600 : 20 + row) << row;
        EXPECT_EQ(entry.mode, selected ? 2 : row % 3) << row;
    }
}

TEST_F(SlotTable, ARowWithoutASlotStopsAttributesAndIsRemovedAlone)
{
    addNumbered(1);
    // A row put into the list behind the table's back.
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("c:\\stray.bmp"));
    addNumbered(1, 1);
    // Row 2 belongs to slot 1.
    select(0);
    select(1);
    select(2);
    setSelectedAttributes(&slotTable, 70, 80, 0);
    EXPECT_EQ(entryAt(0).x, 70);
    EXPECT_EQ(slotTable.slots[1].x, 11) << "rows after the stray one keep their values";

    char text[PATH_BUFFER] = "";
    uint16_t x = 5, y = 6;
    int32_t mode = 7;
    EXPECT_FALSE(getEntryAtRow(&slotTable, 1, text, &x, &y, &mode));
    EXPECT_STREQ(text, "c:\\stray.bmp");
    EXPECT_EQ(x, 5);
    EXPECT_EQ(mode, 7);

    select(0, false);
    select(2, false);
    removeSelectedEntries(&slotTable);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(occupiedCount(slotTable), 2);
    EXPECT_TRUE(rowsAndSlotsInStep(slotTable));
    EXPECT_EQ(entryAt(1).text, "c:\\pics\\p1.bmp");
}

TEST(SlotTableSortedList, RowsStayInStepWhenTheListInsertsInTheMiddle)
{
    HWND host = createHost();
    HWND list = createList(host, LBS_SORT);
    bindList(&slotTable, list);
    ASSERT_EQ(addEntry(&slotTable, "c:\\c.bmp", 3, 3, 0), 1);
    ASSERT_EQ(addEntry(&slotTable, "c:\\a.bmp", 1, 1, 1), 1);
    ASSERT_EQ(addEntry(&slotTable, "c:\\b.bmp", 2, 2, 2), 1);
    EXPECT_TRUE(rowsAndSlotsInStep(slotTable));
    for (uint16_t row = 0; row < 3; ++row) {
        Entry entry = entryAt(row);
        EXPECT_EQ(entry.text, std::string("c:\\") + static_cast<char>('a' + row) + ".bmp");
        EXPECT_EQ(entry.x, row + 1);
        EXPECT_EQ(entry.mode, (row + 1) % 3);
    }
    DestroyWindow(host);
}

namespace {
WNDPROC listProcedure = NULL;

LRESULT CALLBACK refusingList(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LB_ADDSTRING)
        return LB_ERRSPACE;
    return CallWindowProcA(listProcedure, window, message, wParam, lParam);
}
}  // namespace

TEST(SlotTableRefusingList, NoSlotClaimsARowTheListRefused)
{
    HWND host = createHost();
    HWND list = createList(host);
    bindList(&slotTable, list);
    ASSERT_EQ(addEntry(&slotTable, "c:\\kept.bmp", 1, 1, 1), 1);
    listProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(refusingList)));
    EXPECT_EQ(addEntry(&slotTable, "c:\\refused.bmp", 1, 1, 1), 0);
    EXPECT_EQ(occupiedCount(slotTable), 1);
    EXPECT_EQ(findFreeSlot(&slotTable), 1);
    EXPECT_TRUE(rowsAndSlotsInStep(slotTable));
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProcedure));
    DestroyWindow(host);
}
