// Which bitmap the real resident installs on a change, in list order and at
// random, and what it does with an empty list.
#include "residentdriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const int CHANGE_NOW = 106;

class ResidentChanges : public ResidentTest {
protected:
    // Command 106, then the settled "Bitmap index" once it reached expected.
    int changeNow(const Resident& resident, int expected)
    {
        PostMessageA(resident.window, WM_COMMAND, CHANGE_NOW, 0);
        return waitForIndex(expected);
    }
    std::string wallpaper() { return readProfile("DESKTOP", "Wallpaper"); }
    // A list of count sample entries, taken at random or in order, and no
    // change at start ("On Demand"), so that every change is the test's.
    void prepareList(int count, bool random)
    {
        writeBitmapList(count);
        writeSetting("Configuration", "Change every", "1");
        if (random)
            writeSetting("Configuration", "Successive", "0");
    }
};
}  // namespace

TEST_F(ResidentChanges, SuccessiveWalksTheListAndWrapsToTheTop)
{
    prepareList(3, false);
    writeSetting("Configuration", "Bitmap index", "1");
    Resident resident = startResident();
    const int expectedEntry[] = {1, 2, 0, 1};
    for (int entry : expectedEntry) {
        EXPECT_EQ(changeNow(resident, entry + 1), entry + 1);
        EXPECT_STRCASEEQ(wallpaper().c_str(), sampleBitmap(entry).c_str()) << entry;
    }
}

TEST_F(ResidentChanges, RandomWithOneEntryAlwaysTakesIt)
{
    prepareList(1, true);
    Resident resident = startResident();
    for (int round = 0; round < 3; ++round) {
        writeSetting("Configuration", "Bitmap index", "7");
        EXPECT_EQ(changeNow(resident, 1), 1) << round;
        EXPECT_STRCASEEQ(wallpaper().c_str(), sampleBitmap(0).c_str()) << round;
    }
}

TEST_F(ResidentChanges, RandomWithAnEmptyListAsksForTheEditor)
{
    prepareList(0, true);
    writeProfile("DESKTOP", "Wallpaper", "c:\\before.bmp");
    Resident resident = startResident(isolatedResidentCopy());
    PostMessageA(resident.window, WM_COMMAND, CHANGE_NOW, 0);
    HWND box = waitForMessageBox("Vistrell reporting error:", 5000, resident.program.id);
    ASSERT_NE(box, (HWND)NULL);
    EXPECT_EQ(messageBoxOwner(box), resident.window);
    ASSERT_TRUE(answerMessageBox(box, IDOK));
    ASSERT_TRUE(answers(resident.window));
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "<absent>");
    EXPECT_EQ(wallpaper(), "c:\\before.bmp");
    EXPECT_TRUE(isRunning(resident.program));
}

// Random changes of the real program name an entry of the list, up to the
// first gap, and install that entry. (Which entries come up over many seeds
// is checked in the picker's own tests.)
TEST_F(ResidentChanges, RandomChangesStayInTheList)
{
    struct {
        const char* gap;  // entry key removed, or NULL
        int reachable;
    } cases[] = {{NULL, 5}, {"002_wall", 2}};
    for (auto& c : cases) {
        prepareList(5, true);
        if (c.gap)
            writeSetting("Bitmap list", c.gap, NULL);
        Resident resident = startResident();
        for (int round = 0; round < 3; ++round) {
            writeSetting("Configuration", "Bitmap index", "-1");
            PostMessageA(resident.window, WM_COMMAND, CHANGE_NOW, 0);
            int index = settledIndex(1);
            ASSERT_GE(index, 1) << c.reachable;
            ASSERT_LE(index, c.reachable);
            EXPECT_STRCASEEQ(wallpaper().c_str(), sampleBitmap(index - 1).c_str());
        }
        closeResident(resident);
    }
}
