// Long runs of the real resident: timed changes in random order with a reload
// every hundred, and the editor opened from the tray and closed again, must
// leave the resident's private memory and handles flat and both programs
// answering. make test runs the short size; make soak runs the full one and
// the long run of start-up decisions (the tests named DISABLED_ here).
#include "editor_driver.h"
#include "residentdriver.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
const int LIST_LENGTH = 50;
const int CHANGES_PER_RELOAD = 100;
const int RELOAD_PERIOD = 107;
const int TRAY_ID = 666;
// Private bytes may grow by 1 % at most over the run; handles and objects not
// at all, but for a couple that the platform opens and closes on its own
// schedule.
const double ALLOWED_GROWTH = 0.01;
const DWORD HANDLE_SLACK = 2;

struct SoakSize {
    int changes;
    int editorOpens;
};
const SoakSize SHORT_SOAK = {500, 5};
const SoakSize FULL_SOAK = {20000, 500};

// Every change broadcasts WM_SETTINGCHANGE for the wallpaper to all top-level
// windows and waits for each to answer. A window of this process counts them
// on a thread of its own, which answers at once whatever the test's thread
// is doing.
class ChangeCounter {
public:
    ChangeCounter()
    {
        ready_ = CreateEventA(NULL, TRUE, FALSE, NULL);
        thread_ = CreateThread(NULL, 0, run, this, 0, &threadId_);
        WaitForSingleObject(ready_, 10000);
    }
    ~ChangeCounter()
    {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
        CloseHandle(ready_);
    }
    LONG count() const { return InterlockedCompareExchange(&counted, 0, 0); }

private:
    static volatile LONG counted;
    static LRESULT CALLBACK countChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SETTINGCHANGE && wParam == SPI_SETDESKWALLPAPER)
            InterlockedIncrement(&counted);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static DWORD WINAPI run(void* self)
    {
        ChangeCounter* counter = static_cast<ChangeCounter*>(self);
        registerTestClass("VistrellChangeCounter", countChanges);
        HWND window = CreateWindowExA(0, "VistrellChangeCounter", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                      GetModuleHandleA(NULL), NULL);
        InterlockedExchange(&counted, 0);
        SetEvent(counter->ready_);
        MSG message;
        while (GetMessageA(&message, NULL, 0, 0) > 0)
            DispatchMessageA(&message);
        DestroyWindow(window);
        return 0;
    }
    HANDLE ready_ = NULL;
    HANDLE thread_ = NULL;
    DWORD threadId_ = 0;
};
volatile LONG ChangeCounter::counted = 0;

// What the resident holds. Under Wine GetGuiResources answers 0 (on Windows
// it counts the GDI and USER objects), private bytes come from PagefileUsage
// (the same count on Windows) and handles from the handle table.
struct Usage {
    SIZE_T privateBytes;
    DWORD handles;
    DWORD gdiObjects;
    DWORD userObjects;
};

Usage usageOf(HANDLE process)
{
    return {privateBytes(process), handleCount(process), GetGuiResources(process, GR_GDIOBJECTS),
            GetGuiResources(process, GR_USEROBJECTS)};
}

void printUsage(const char* when, const Usage& usage)
{
    std::printf("%s: private bytes %lu, handles %lu, GDI objects %lu, USER objects %lu\n", when,
                static_cast<unsigned long>(usage.privateBytes), static_cast<unsigned long>(usage.handles),
                static_cast<unsigned long>(usage.gdiObjects), static_cast<unsigned long>(usage.userObjects));
}

// A hundred timed changes, then the reload, as the user's "Update changes";
// the tray pop-up that shows they were all handled soaks the menu too.
void changeAHundredTimes(const Resident& resident)
{
    for (int i = 0; i < CHANGES_PER_RELOAD; ++i)
        PostMessageA(resident.window, WM_TIMER, 666, 0);
    PostMessageA(resident.window, WM_COMMAND, RELOAD_PERIOD, 0);
    // A hundred changes take a few seconds, far more on a loaded machine.
    ASSERT_TRUE(waitUntilHandled(resident, 120000));
}

// A double click on the tray icon starts the editor beside the resident; it
// loads the list and is closed unchanged.
void openAndCloseEditor(const Resident& resident)
{
    PostMessageA(resident.window, WM_USER, TRAY_ID, WM_LBUTTONDBLCLK);
    Editor editor = attachEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    ASSERT_EQ(listRows(editor.dialog).size(), static_cast<size_t>(LIST_LENGTH));
    closeUnchanged(editor);
}

class ResidentSoak : public ResidentTest {
protected:
    void TearDown() override
    {
        killEditors();
        ResidentTest::TearDown();
    }
    void soak(const SoakSize& size)
    {
        writeBitmapList(LIST_LENGTH);
        writeSetting("Configuration", "Successive", "0");
        writeSetting("Configuration", "Change every", "1");
        writeSetting("Configuration", "Time period", "9");  // a change at every tick
        ChangeCounter counter;
        Resident resident = startResident();
        ASSERT_NE(resident.window, (HWND)NULL);

        // The first rounds make the platform's caches and windows for good.
        changeAHundredTimes(resident);
        openAndCloseEditor(resident);
        Usage before = usageOf(resident.program.process);
        // Measuring twice in a row gives the same handles: the probe keeps none.
        ASSERT_EQ(usageOf(resident.program.process).handles, before.handles);
        LONG changesBefore = counter.count();
        ASSERT_GE(changesBefore, CHANGES_PER_RELOAD);

        int rounds = size.changes / CHANGES_PER_RELOAD;
        DWORD start = GetTickCount();
        for (int round = 0; round < rounds; ++round) {
            ASSERT_NO_FATAL_FAILURE(changeAHundredTimes(resident)) << "round " << round;
            // The editor's opens spread evenly over the rounds.
            int opens = size.editorOpens * (round + 1) / rounds - size.editorOpens * round / rounds;
            for (int i = 0; i < opens; ++i)
                ASSERT_NO_FATAL_FAILURE(openAndCloseEditor(resident)) << "round " << round;
        }
        ASSERT_TRUE(answers(resident.window));
        Usage after = usageOf(resident.program.process);
        printUsage("before", before);
        printUsage("after", after);
        DWORD minutes = (GetTickCount() - start) / 60000;
        LONG changes = counter.count() - changesBefore;
        // Wine's WinExec waits for the new editor with WaitForInputIdle, which
        // leaves the editor's idle event open in the caller: one handle per
        // launch that Windows does not keep.
        DWORD launchHandles = underWine() ? static_cast<DWORD>(size.editorOpens) : 0;
        std::printf("%ld timed changes and %d opens of the editor in %lu minutes; %lu handles allowed for "
                    "Wine's launches\n",
                    changes, size.editorOpens, static_cast<unsigned long>(minutes),
                    static_cast<unsigned long>(launchHandles));

        // The resident's own minute timer adds a change now and then.
        EXPECT_GE(changes, rounds * CHANGES_PER_RELOAD);
        EXPECT_LE(changes, rounds * CHANGES_PER_RELOAD + static_cast<LONG>(minutes) + 1);
        EXPECT_GT(before.privateBytes, 0u);
        EXPECT_LE(after.privateBytes, before.privateBytes + before.privateBytes * ALLOWED_GROWTH);
        EXPECT_LE(after.handles, before.handles + HANDLE_SLACK + launchHandles);
        EXPECT_LE(after.gdiObjects, before.gdiObjects + HANDLE_SLACK);
        EXPECT_LE(after.userObjects, before.userObjects + HANDLE_SLACK);
        // Both programs still answer: the editor once more from the tray.
        openAndCloseEditor(resident);
        DWORD code = 1;
        ASSERT_TRUE(closeResident(resident, &code));
        EXPECT_EQ(code, 0u);
    }
};
}  // namespace

TEST_F(ResidentSoak, ChangesAndEditorOpensKeepMemoryAndHandlesFlat)
{
    soak(SHORT_SOAK);
}

TEST_F(ResidentSoak, DISABLED_TwentyThousandChangesAndFiveHundredEditorOpens)
{
    soak(FULL_SOAK);
}

// "Randomly (1:5)" over 300 starts, each in a second of its own: about one in
// five changes. The bounds 30..95 (10 % to 32 %) fail a sound program with a
// chance of 1.6e-6, and one that changes one start in ten or one in three
// about half the time and more.
TEST_F(ResidentSoak, DISABLED_RandomPolicyChangesAboutOneStartInFive)
{
    int changed = changingStartsUnderRandomPolicy(300);
    EXPECT_GE(changed, 30);
    EXPECT_LE(changed, 95);
}
