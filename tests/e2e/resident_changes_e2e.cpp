// Which bitmap the real resident installs on a change, in list order and at
// random, and what it does with an empty list.
#include "random31.h"
#include "residentdriver.h"

#include <gtest/gtest.h>

#include <ctime>
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

// Each random change seeds the generator from the clock's second: whichever
// second the change ran in, the entry applied is the one that second gives
// (29 warm-up draws, then one draw over the five entries).
TEST_F(ResidentChanges, RandomChoiceFollowsTheSecondOfTheChange)
{
    prepareList(5, true);
    Resident resident = startResident();
    for (int round = 0; round < 3; ++round) {
        writeSetting("Configuration", "Bitmap index", "-1");
        uint32_t before = static_cast<uint32_t>(time(nullptr));
        PostMessageA(resident.window, WM_COMMAND, CHANGE_NOW, 0);
        int index = settledIndex(1);
        uint32_t after = static_cast<uint32_t>(time(nullptr));
        bool possible = false;
        for (uint32_t second = before; second <= after; ++second)
            possible = possible || randomChoice(second, 5) + 1 == index;
        EXPECT_TRUE(possible) << "index " << index << " between " << before << " and " << after;
        ASSERT_GE(index, 1);
        ASSERT_LE(index, 5);
        EXPECT_STRCASEEQ(wallpaper().c_str(), sampleBitmap(index - 1).c_str());
    }
}
