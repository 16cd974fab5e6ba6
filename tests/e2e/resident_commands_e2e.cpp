// The resident menu's commands, sent to the real program as WM_COMMAND the
// way the tray pop-up delivers them.
#include "residentdriver.h"
#include "residentmenuids.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {
LRESULT sendCommand(HWND window, WPARAM wParam, LPARAM lParam = 0)
{
    DWORD_PTR result = 0xBAD;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_COMMAND, wParam, lParam, SMTO_NORMAL, 5000, &result)) << wParam;
    return static_cast<LRESULT>(result);
}

// Posts a command that shows a box, checks the box and answers it.
void expectBox(const Resident& resident, WPARAM command, const char* title, const char* text, UINT icon,
               std::vector<int> buttons, int answer)
{
    PostMessageA(resident.window, WM_COMMAND, command, 0);
    HWND box = waitForMessageBox(title, 5000, resident.program.id);
    ASSERT_NE(box, (HWND)NULL) << "no box for " << command;
    if (text) {
        EXPECT_EQ(messageBoxText(box), text) << command;
    }
    if (icon) {
        EXPECT_EQ(messageBoxIcon(box), icon) << command;
    }
    EXPECT_EQ(messageBoxButtons(box), buttons) << command;
    EXPECT_EQ(messageBoxOwner(box), resident.window) << command;
    ASSERT_TRUE(answerMessageBox(box, answer));
}

class ResidentCommands : public ResidentTest {
protected:
    void SetUp() override
    {
        ResidentTest::SetUp();
        writeBitmapList(5);
        writeSetting("Configuration", "Change every", "1");
        writeSetting("Configuration", "Last Change", "12345");
    }
};
}  // namespace

TEST_F(ResidentCommands, OpenProgramWindowShowsTheEditor)
{
    // A copy with no editor beside it: a launch would end in its error box.
    HWND editor = createEditorStandIn();
    Resident resident = startResident(isolatedResidentCopy());
    EXPECT_EQ(sendCommand(resident.window, IDM_OPEN_EDITOR), 0);
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(countMessageBoxes(NULL, resident.program.id), 0);
    DestroyWindow(editor);
}

TEST_F(ResidentCommands, SetupNewWallpaperChangesEachTimeAndKeepsLastChange)
{
    Resident resident = startResident();
    EXPECT_EQ(sendCommand(resident.window, 106), 0);
    EXPECT_EQ(bitmapIndex(), 1);
    EXPECT_STRCASEEQ(readProfile("DESKTOP", "Wallpaper").c_str(), sampleBitmap(0).c_str());
    // Only the low word names the command.
    EXPECT_EQ(sendCommand(resident.window, MAKEWPARAM(106, 1), 0x1234), 0);
    EXPECT_EQ(bitmapIndex(), 2);
    EXPECT_STRCASEEQ(readProfile("DESKTOP", "Wallpaper").c_str(), sampleBitmap(1).c_str());
    EXPECT_EQ(readSetting("Configuration", "Last Change"), "12345");
}

// Every identifier up to one past the highest the resident uses, but those
// its header defines, and two system commands: the default answer, and no
// change, box or launch.
TEST_F(ResidentCommands, UnknownIdentifiersGetTheDefaultAnswer)
{
    const std::set<WPARAM> used = {RESIDENT_MENU_IDS};
    std::vector<WPARAM> unused = {0xF060, 0xFFFF};
    for (WPARAM command = 0; command <= *used.rbegin() + 1; ++command)
        if (!used.count(command))
            unused.push_back(command);
    HWND editor = createEditorStandIn();
    Resident resident = startResident();
    for (WPARAM command : unused)
        EXPECT_EQ(sendCommand(resident.window, command), 0) << command;
    // Each was answered once it was handled. A change asked for after them
    // is the first one: "Bitmap index" goes from none to 1.
    EXPECT_EQ(bitmapIndex(), -1000);
    EXPECT_EQ(sendCommand(resident.window, IDM_CHANGE_NOW), 0);
    EXPECT_EQ(bitmapIndex(), 1);
    EXPECT_EQ(countMessageBoxes(NULL, resident.program.id), 0);
    EXPECT_FALSE(IsWindowVisible(editor));
    EXPECT_TRUE(isRunning(resident.program));
    DestroyWindow(editor);
}

TEST_F(ResidentCommands, RemoveFromMemoryAsksAndEndsOnYes)
{
    Resident resident = startResident();
    expectBox(resident, 128, "Query", "Remove from memory ?", MB_ICONQUESTION, {IDYES, IDNO}, IDNO);
    ASSERT_TRUE(answers(resident.window));
    EXPECT_TRUE(isRunning(resident.program));
    EXPECT_TRUE(trayIconPresent(resident.window));

    expectBox(resident, 128, "Query", "Remove from memory ?", 0, {IDYES, IDNO}, IDYES);
    DWORD code = 1;
    ASSERT_TRUE(waitForExit(resident.program, 5000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(trayIconPresent(resident.window));
}

// Only ever answered No: a log-off would end every process of the prefix.
TEST_F(ResidentCommands, ShutdownCommandsAskFirst)
{
    Resident resident = startResident();
    expectBox(resident, 126, "Caution", "You attempt to restart Windows.\nAre you sure ?", MB_ICONEXCLAMATION,
              {IDYES, IDNO}, IDNO);
    expectBox(resident, 127, "Caution", "You attempt to reboot machine.\nAre you sure ?", MB_ICONEXCLAMATION,
              {IDYES, IDNO}, IDNO);
    ASSERT_TRUE(answers(resident.window));
    EXPECT_TRUE(isRunning(resident.program));
}

TEST_F(ResidentCommands, AboutBoxIsOwnedByTheResident)
{
    Resident resident = startResident();
    // The version and date come from the build's project version.
    expectBox(resident, 130, "About Scenara",
              "Vistrell - Scenara wallpaper changer\nVersion " VISTRELL_VERSION ", released " VISTRELL_RELEASE_DATE
              "\n\nWritten by the Scenara team.",
              0, {IDOK}, IDOK);
    EXPECT_TRUE(answers(resident.window));
}
