// Timed changes that fail. Each shows a box, and the ticks that come while it
// is open run inside its message loop: they must start no second change. A
// day of ticks leaves the one box, and once it is closed the changes come at
// their usual ticks again.
#include "residentdriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
const int TRAY_ID = 666;
// A day of minute ticks, plus two so that the counter stops between changes.
const int DAY_OF_TICKS = 1440;
const int PAST_THE_DAY = 2;
// "Time period" 1: a change at every fifth tick.
const int TICKS_PER_CHANGE = 5;

struct ExpectedBox {
    const char* title;
    const char* text;
    bool ownedByResident;
};

struct FailingChange {
    const char* what;
    // Locked "Control Panel\desktop": the applier's two boxes over a list of
    // five. Otherwise an empty list and no editor beside the resident.
    bool lockDesktopKey;
    std::vector<ExpectedBox> boxes;  // what one change shows, in order
};

const FailingChange FAILING_CHANGES[] = {
    {"empty list, no editor",
     false,
     {{"Vistrell reporting error:",
       "Scenara was unable to launch\npart of program ('VISTEDIT.EXE')\nPlease re-install to correct the problem.\n",
       true}}},
    {"locked desktop key",
     true,
     {{"MSG", "Error While Access Register. ", false}, {"MSG", "Cannot Setup Wallpaper.", false}}},
};

class ResidentBoxes : public ResidentTest {
protected:
    void TearDown() override
    {
        lockDesktopRegistry(false);
        ResidentTest::TearDown();
    }
    Resident startFailing(const FailingChange& change)
    {
        writeBitmapList(change.lockDesktopKey ? 5 : 0);
        writeSetting("Configuration", "Change every", "1");
        writeSetting("Configuration", "Time period", "1");
        lockDesktopRegistry(change.lockDesktopKey);
        return startResident(change.lockDesktopKey ? residentPath() : isolatedResidentCopy());
    }
};

void postTicks(HWND window, int count)
{
    for (int i = 0; i < count; ++i)
        PostMessageA(window, WM_TIMER, 666, 0);
}

// One change's boxes, in order, each the only one with its title on screen,
// with its text, hand icon and owner unchanged; each answered with OK.
void expectOneChange(const Resident& resident, const FailingChange& change)
{
    for (const ExpectedBox& expected : change.boxes) {
        HWND box = waitForMessageBox(expected.title, 10000, resident.program.id);
        ASSERT_NE(box, (HWND)NULL) << "no box saying " << expected.text;
        EXPECT_EQ(countMessageBoxes(expected.title, resident.program.id), 1) << expected.text;
        EXPECT_EQ(messageBoxText(box), expected.text);
        EXPECT_EQ(messageBoxIcon(box), (UINT)MB_ICONHAND) << expected.text;
        EXPECT_EQ(messageBoxButtons(box), std::vector<int>{IDOK}) << expected.text;
        EXPECT_EQ(messageBoxOwner(box), expected.ownedByResident ? resident.window : (HWND)NULL) << expected.text;
        ASSERT_TRUE(answerMessageBox(box, IDOK)) << expected.text;
    }
}
}  // namespace

TEST_F(ResidentBoxes, ADayOfFailingTicksLeavesOneBoxAndTheRhythm)
{
    for (const FailingChange& change : FAILING_CHANGES) {
        SCOPED_TRACE(change.what);
        Resident resident = startFailing(change);
        ASSERT_NE(resident.window, (HWND)NULL);

        // The fifth tick opens the box; the rest of the day ticks inside it.
        postTicks(resident.window, DAY_OF_TICKS + PAST_THE_DAY);
        ASSERT_TRUE(waitUntilHandled(resident))
            << countMessageBoxes(change.boxes[0].title, resident.program.id) << " boxes open";
        expectOneChange(resident, change);
        ASSERT_TRUE(waitUntilHandled(resident));
        EXPECT_EQ(countMessageBoxes(change.boxes[0].title, resident.program.id), 0);

        // The counter went on counting inside the box: the next change comes
        // at the next fifth tick, not sooner and not later.
        postTicks(resident.window, TICKS_PER_CHANGE - PAST_THE_DAY - 1);
        ASSERT_TRUE(waitUntilHandled(resident));
        EXPECT_EQ(countMessageBoxes(change.boxes[0].title, resident.program.id), 0);
        postTicks(resident.window, 1);
        expectOneChange(resident, change);
        EXPECT_TRUE(answers(resident.window));
        // A failed apply still moves on: one step per change made.
        int expectedIndex = change.lockDesktopKey ? 2 : -1000;
        EXPECT_EQ(waitForIndex(expectedIndex), expectedIndex);
        EXPECT_TRUE(closeResident(resident));
        lockDesktopRegistry(false);
    }
}

// Only the timer holds back: a change the user asks for while a timed
// change's box is open still runs at once, and shows its own box.
TEST_F(ResidentBoxes, AChangeAskedForDuringATimedBoxStillRuns)
{
    const FailingChange& change = FAILING_CHANGES[0];
    Resident resident = startFailing(change);
    ASSERT_NE(resident.window, (HWND)NULL);
    postTicks(resident.window, TICKS_PER_CHANGE);
    ASSERT_NE(waitForMessageBox(change.boxes[0].title, 10000, resident.program.id), (HWND)NULL);
    PostMessageA(resident.window, WM_USER, TRAY_ID, WM_RBUTTONDOWN);
    for (int i = 0; i < 500 && countMessageBoxes(change.boxes[0].title, resident.program.id) < 2; ++i)
        pumpFor(20);
    ASSERT_EQ(countMessageBoxes(change.boxes[0].title, resident.program.id), 2);
    // The newest box is on top; each closes in turn.
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(answerMessageBox(findMessageBox(change.boxes[0].title, resident.program.id), IDOK)) << i;
    EXPECT_TRUE(answers(resident.window));
}
