// Every file of the hostile bitmap corpus (tools/corpus) through the real
// editor's Preview and Apply. One editor runs the whole corpus, its GDI
// object table filled up to a small headroom that each case must leave as
// it found it. 64-bit Wine can swallow an access violation inside a window
// procedure, so each case also checks what the user sees: the frame's
// pixels, the list, and a save of the settings.
#include "bitmapcorpus.h"
#include "editor_driver.h"
#include "gdiprobe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>

void PrintTo(const BitmapCase& file, std::ostream* out)
{
    *out << file.name;
}

namespace {
const DWORD GDI_HEADROOM = 200;
// The picture shown after every case: does the preview still work?
const COLORREF CONTROL = RGB(40, 160, 60);

std::string corpusFile(const BitmapCase& file)
{
    static const std::string folder = freshFolder("bitmap-corpus");
    std::string path = folder + file.name + ".bmp";
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out) {
        std::fwrite(file.bytes.data(), 1, file.bytes.size(), out);
        std::fclose(out);
    }
    return path;
}

// The frame's inside, 2 pixels in from its edge, on the screen.
std::vector<COLORREF> frameInside(HWND dialog)
{
    RECT place;
    GetWindowRect(GetDlgItem(dialog, ED_PREVIEW_FRAME), &place);
    RECT inside = {place.left + 2, place.top + 2, place.right - 2, place.bottom - 2};
    HDC screen = GetDC(NULL);
    std::vector<COLORREF> pixels = capturePixels(screen, inside);
    ReleaseDC(NULL, screen);
    return pixels;
}

// Polls the frame until it shows the pixels wanted (or the time is up).
bool frameShows(HWND dialog, const std::vector<COLORREF>& wanted, DWORD timeoutMs = 5000)
{
    DWORD start = GetTickCount();
    while (frameInside(dialog) != wanted) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        pumpFor(20);
    }
    return true;
}

std::vector<COLORREF> filled(HWND dialog, COLORREF colour)
{
    return std::vector<COLORREF>(frameInside(dialog).size(), colour);
}

// Makes row the only selected and the caret row; the notification clears
// the frame, which repaints at once.
void showRow(HWND dialog, int row)
{
    selectRows(dialog, {row});
    setCaretRow(dialog, row);
    sendCommand(dialog, ED_LIST);
    UpdateWindow(GetDlgItem(dialog, ED_PREVIEW_FRAME));
}

// The probe counts on a thread of its own: a count taken while the editor
// paints misses the objects of that moment, which a later count finds again;
// an object kept for good stays missing. Counts until one reaches wanted.
DWORD settledFreeObjects(GdiProbe& probe, DWORD wanted)
{
    DWORD most = 0;
    for (DWORD start = GetTickCount(); most < wanted && GetTickCount() - start < 2000; pumpFor(50))
        most = std::max(most, probe.freeObjects());
    return most;
}

// One editor for the corpus: started at the first case and again after a
// case that ended it.
struct Session {
    Editor editor;
    std::unique_ptr<GdiProbe> probe;
    std::vector<COLORREF> empty;
    DWORD freeObjects = 0;
};
Session* session = NULL;

void endSession()
{
    if (!session)
        return;
    session->probe.reset();
    if (isRunning(session->editor.program))
        closeUnchanged(session->editor);
    stopProgram(session->editor.program);
    delete session;
    session = NULL;
}

class BitmapCorpus : public ::testing::TestWithParam<BitmapCase> {
protected:
    static void TearDownTestSuite() { endSession(); }

    // The running session, or a new one whose table is filled after a first
    // preview and apply have made whatever the editor keeps for good.
    Session* current()
    {
        if (session && isRunning(session->editor.program) && answers(session->editor.dialog))
            return session;
        endSession();
        killEditors();
        writeEntries({{sampleBitmap(1), 0, 0, 1}});
        session = new Session;
        session->editor = startEditor();
        HWND dialog = session->editor.dialog;
        if (!dialog)
            return NULL;
        SetForegroundWindow(dialog);
        pumpFor(300);
        showRow(dialog, 0);
        session->empty = frameInside(dialog);
        sendCommand(dialog, ED_PREVIEW);
        sendCommand(dialog, ED_APPLY);
        EXPECT_TRUE(frameShows(dialog, filled(dialog, CONTROL)));
        showRow(dialog, 0);
        session->probe.reset(new GdiProbe(session->editor.program.process, GDI_HEADROOM));
        EXPECT_TRUE(session->probe->ready()) << "the probe could not be loaded into the editor";
        // The most found over a while: the editor at rest.
        session->freeObjects = settledFreeObjects(*session->probe, 2 * GDI_HEADROOM);
        EXPECT_GE(session->freeObjects, GDI_HEADROOM);
        return session;
    }
};
}  // namespace

TEST_P(BitmapCorpus, PreviewAndApplyDrawOrClearTheFrameAndKeepNothing)
{
    const BitmapCase& file = GetParam();
    std::string path = corpusFile(file);
    Session* running = current();
    ASSERT_TRUE(running && running->probe && running->probe->ready());
    HWND dialog = running->editor.dialog;
    writeEntries({{path, 0, 0, 1}, {sampleBitmap(1), 0, 0, 1}});
    sendCommand(dialog, ED_UNDO);
    ASSERT_EQ(listRows(dialog), (std::vector<std::string>{path, sampleBitmap(1)}));

    showRow(dialog, 0);
    ASSERT_TRUE(frameShows(dialog, running->empty)) << "the frame was not cleared";
    sendCommand(dialog, ED_PREVIEW);
    switch (file.preview) {
    case PREVIEW_DRAWN:
        EXPECT_TRUE(frameShows(dialog, filled(dialog, file.colour))) << "the picture is not drawn";
        break;
    case PREVIEW_REFUSED:
        // The preview draws within its command; the dialog answers once it
        // is back in its loop, with whatever it drew on the screen.
        ASSERT_TRUE(answers(dialog));
        EXPECT_EQ(frameInside(dialog), running->empty) << "something was drawn";
        break;
    case PREVIEW_EITHER:
        break;
    }

    // Wine sets any file as the wallpaper (and its desktop draws what it
    // can); Windows refuses what it cannot load with "Cannot Setup
    // Wallpaper.", which is answered here too.
    postCommand(dialog, ED_APPLY);
    DWORD start = GetTickCount();
    while (lstrcmpiA(readProfile(DESKTOP_SECTION, DESKTOP_WALLPAPER).c_str(), path.c_str()) != 0 && GetTickCount() - start < 5000) {
        HWND box = findMessageBox(MSG_TITLE, running->editor.program.id);
        if (box) {
            EXPECT_EQ(messageBoxText(box), "Cannot Setup Wallpaper.");
            answerMessageBox(box, IDOK);
            break;
        }
        pumpFor(20);
    }
    ASSERT_TRUE(isRunning(running->editor.program)) << "the editor ended";
    ASSERT_TRUE(answers(dialog)) << "the editor does not answer";

    // Still usable: another picture previews, and the list saves.
    showRow(dialog, 1);
    ASSERT_TRUE(frameShows(dialog, running->empty));
    sendCommand(dialog, ED_PREVIEW);
    EXPECT_TRUE(frameShows(dialog, filled(dialog, CONTROL))) << "the preview no longer draws";
    sendCommand(dialog, ED_SAVE);
    EXPECT_EQ(readEntry(0), (std::vector<std::string>{path, "0", "0", "1"}));
    EXPECT_EQ(readEntry(1), (std::vector<std::string>{sampleBitmap(1), "0", "0", "1"}));
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_BITMAP_INDEX), "1");
    EXPECT_GE(settledFreeObjects(*running->probe, running->freeObjects), running->freeObjects)
        << "GDI objects were kept";
}

INSTANTIATE_TEST_SUITE_P(Hostile, BitmapCorpus, ::testing::ValuesIn(hostileBitmaps()),
                         [](const ::testing::TestParamInfo<BitmapCase>& info) { return info.param.name; });
