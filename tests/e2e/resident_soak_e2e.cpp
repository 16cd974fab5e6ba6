// A long run of the real resident: thousands of timed changes and hundreds of
// tray pop-ups must leave its private memory flat and the program answering.
#include "residentdriver.h"

#include <gtest/gtest.h>

namespace {
const int WARM_UP_CHANGES = 100;
const int SOAK_CHANGES = 2000;
// The first pop-ups make the platform's menu windows and caches for good.
const int WARM_UP_MENUS = 20;
const int SOAK_MENUS = 200;
// Allowed growth over the soak: far below what a handle, menu or buffer lost
// on every change or pop-up would add up to, above the allocator's noise.
const SIZE_T ALLOWED_GROWTH = 256 * 1024;

class ResidentSoak : public ResidentTest {};

void postTicks(HWND window, int count)
{
    for (int i = 0; i < count; ++i)
        PostMessageA(window, WM_TIMER, 666, 0);
}

void popUpMenus(const Resident& resident, int count)
{
    for (int i = 0; i < count; ++i) {
        PostMessageA(resident.window, WM_USER, 666, WM_LBUTTONDOWN);
        HWND menu = waitForPopupMenu(resident.program.id, 5000);
        ASSERT_NE(menu, (HWND)NULL) << "pop-up " << i;
        ASSERT_TRUE(dismissPopupMenu(menu)) << "pop-up " << i;
    }
}
}  // namespace

TEST_F(ResidentSoak, ThousandsOfChangesAndMenusKeepMemoryFlat)
{
    // A list longer than all the changes, so "Bitmap index" counts them.
    writeLongBitmapList(WARM_UP_CHANGES + SOAK_CHANGES + 10);
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Configuration", "Time period", "9");
    Resident resident = startResident();
    ASSERT_NE(resident.window, (HWND)NULL);

    postTicks(resident.window, WARM_UP_CHANGES);
    ASSERT_EQ(waitForIndex(WARM_UP_CHANGES, 30000), WARM_UP_CHANGES);
    popUpMenus(resident, WARM_UP_MENUS);
    SIZE_T start = privateBytes(resident.program.process);
    ASSERT_GT(start, 0u);

    postTicks(resident.window, SOAK_CHANGES);
    ASSERT_EQ(waitForIndex(WARM_UP_CHANGES + SOAK_CHANGES, 120000), WARM_UP_CHANGES + SOAK_CHANGES);
    ASSERT_TRUE(answers(resident.window));
    SIZE_T afterChanges = privateBytes(resident.program.process);

    popUpMenus(resident, SOAK_MENUS);
    ASSERT_TRUE(answers(resident.window));
    SIZE_T afterMenus = privateBytes(resident.program.process);

    std::printf("private bytes: %lu at start, %lu after %d changes, %lu after %d pop-ups\n",
                static_cast<unsigned long>(start), static_cast<unsigned long>(afterChanges), SOAK_CHANGES,
                static_cast<unsigned long>(afterMenus), SOAK_MENUS);
    EXPECT_LT(afterChanges, start + ALLOWED_GROWTH);
    EXPECT_LT(afterMenus, afterChanges + ALLOWED_GROWTH);

    DWORD code = 1;
    ASSERT_TRUE(closeResident(resident, &code));
    EXPECT_EQ(code, 0u);
}
