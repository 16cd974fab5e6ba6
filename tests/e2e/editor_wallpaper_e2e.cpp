// "Apply BMP" and "Preview": the caret row's bitmap installed on the desktop
// with its placement, or drawn into the dialog's preview frame.
#include "editor_driver.h"

#include <gtest/gtest.h>

namespace {
class EditorWallpaper : public EditorFixture {};

const char* const DESKTOP_KEY = "Control Panel\\desktop";

COLORREF screenPixel(int x, int y)
{
    HDC screen = GetDC(NULL);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return colour;
}

// How many pixels of the frame's inside (2 pixels in from its edge at 100 %,
// 3 at 150 %) show colour.
int countInside(HWND frame, COLORREF colour, int* total, int dpi = 96)
{
    RECT place;
    GetWindowRect(frame, &place);
    int inset = MulDiv(2, dpi, 96);
    RECT inside = {place.left + inset, place.top + inset, place.right - inset, place.bottom - inset};
    HDC screen = GetDC(NULL);
    std::vector<COLORREF> pixels = capturePixels(screen, inside);
    ReleaseDC(NULL, screen);
    int same = 0;
    *total = 0;
    int width = inside.right - inside.left;
    for (int y = 0; y < inside.bottom - inside.top; y += 3)
        for (int x = 0; x < width; x += 3) {
            same += pixels[static_cast<size_t>(y) * width + x] == colour;
            ++*total;
        }
    return same;
}
}  // namespace

// As Windows XP, where the desktop itself draws a bitmap at an origin; from
// Vista on the editor composes a Defined entry instead (EditorDisplay).
TEST_F(EditorWallpaper, ApplyInstallsTheCaretRowWithItsPlacement)
{
    writeEntries({{sampleBitmap(1), 100, 50, 2}, {sampleBitmap(2), 7, 8, 0}});
    setProgramVersion("vistedit.exe", windowsXp());
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);

    // Tile passes no origin of its own.
    const struct {
        int row;
        const char* tile;
        const char* originX;
        const char* originY;
    } applied[] = {{0, "0", "100", "50"}, {1, "1", "0", "0"}};
    for (const auto& apply : applied) {
        SCOPED_TRACE(apply.row);
        setCaretRow(editor.dialog, apply.row);
        sendCommand(editor.dialog, ED_APPLY);
        EXPECT_STRCASEEQ(readProfile("DESKTOP", "WALLPAPER").c_str(), sampleBitmap(apply.row + 1).c_str());
        EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), apply.tile);
        EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), apply.originX);
        EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginY"), apply.originY);
    }
    EXPECT_EQ(countMessageBoxes("MSG"), 0);

    // The editor heard of its own change: the combo shows the new wallpaper.
    std::vector<std::string> shown;
    for (int i = 0; i < 100; ++i, pumpFor(20)) {
        shown = comboRows(editor.dialog, ED_CURRENT_WALLPAPER);
        if (shown.size() == 1 && lstrcmpiA(shown[0].c_str(), sampleBitmap(2).c_str()) == 0)
            break;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_STRCASEEQ(shown[0].c_str(), sampleBitmap(2).c_str());
    for (char c : shown[0])
        EXPECT_FALSE(c >= 'A' && c <= 'Z') << shown[0];
    closeUnchanged(editor);
}

TEST_F(EditorWallpaper, ApplyAndPreviewOfAnEmptyListDoNothing)
{
    writeProfile("DESKTOP", "TileWallpaper", "1");
    std::string before = readProfile("DESKTOP", "WALLPAPER");
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    // Each command answers only once it has ended: a box inside it would
    // hold the answer back.
    for (int command : {ED_APPLY, ED_PREVIEW}) {
        DWORD_PTR result = 0;
        EXPECT_TRUE(SendMessageTimeoutA(editor.dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                                        reinterpret_cast<LPARAM>(GetDlgItem(editor.dialog, command)), SMTO_NORMAL,
                                        5000, &result))
            << command;
    }
    EXPECT_EQ(countMessageBoxes("MSG"), 0);
    EXPECT_EQ(readProfile("DESKTOP", "WALLPAPER"), before);
    EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "1");
    EXPECT_TRUE(isRunning(editor.program));
    closeUnchanged(editor);
}

// At 100 % and 150 % display scale: the frame grows with the dialog (61
// dialog units of its font), and the picture fills it inside an edge that
// grows too.
struct PreviewScale {
    int dpi;
    int frameWidth;
};

class EditorPreview : public EditorFixture, public ::testing::WithParamInterface<PreviewScale> {};

TEST_P(EditorPreview, DrawsTheBitmapInsideTheFrameUntilTheListMoves)
{
    // sampleBitmap(0) is a plain red picture.
    const COLORREF red = RGB(200, 40, 40);
    int dpi = GetParam().dpi;
    ScreenDpi scale(dpi);
    writeEntries({{sampleBitmap(0), 1, 1, 1}, {sampleBitmap(1), 1, 1, 1}});
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    // Activating the editor clears the frame, and so does its first paint:
    // both must be over before the preview draws.
    SetForegroundWindow(editor.dialog);
    for (int i = 0; i < 100 && GetForegroundWindow() != editor.dialog; ++i)
        pumpFor(20);
    ASSERT_TRUE(answers(editor.dialog));
    RedrawWindow(editor.dialog, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    HWND frame = GetDlgItem(editor.dialog, ED_PREVIEW_FRAME);
    int total = 0;
    // Nothing drawn yet: the frame shows its own face.
    EXPECT_EQ(countInside(frame, red, &total, dpi), 0);

    setCaretRow(editor.dialog, 0);
    sendCommand(editor.dialog, ED_PREVIEW);
    for (int i = 0; i < 100 && countInside(frame, red, &total, dpi) != total; ++i)
        pumpFor(20);
    EXPECT_EQ(countInside(frame, red, &total, dpi), total) << "the picture fills the frame inside its edge";
    RECT place;
    GetWindowRect(frame, &place);
    EXPECT_EQ(place.right - place.left, GetParam().frameWidth);
    int edge = MulDiv(2, dpi, 96) - 1;
    EXPECT_NE(screenPixel(place.left + edge, place.top + edge), red) << "the frame's own edge stays";
    EXPECT_NE(screenPixel(place.right - 1 - edge, place.bottom - 1 - edge), red);

    // Moved to a monitor of another scale, the dialog manager sizes the
    // frame anew (its face repaints, wiping the picture) and the dialog
    // hears WM_DPICHANGED: the picture comes back filling the new size.
    // It grows into the gap above the Preview button, where nothing covers it.
    SetWindowPos(frame, NULL, 0, 0, place.right - place.left, place.bottom - place.top + MulDiv(8, dpi, 96),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(editor.dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0);
    for (int i = 0; i < 100 && countInside(frame, red, &total, dpi) != total; ++i)
        pumpFor(20);
    EXPECT_EQ(countInside(frame, red, &total, dpi), total) << "drawn again at the frame's new size";

    // Any list notification clears the frame: the red goes.
    sendCommand(editor.dialog, ED_LIST);
    for (int i = 0; i < 100 && countInside(frame, red, &total, dpi) != 0; ++i)
        pumpFor(20);
    EXPECT_EQ(countInside(frame, red, &total, dpi), 0);
    closeUnchanged(editor);
}

INSTANTIATE_TEST_SUITE_P(Dpi, EditorPreview, ::testing::Values(PreviewScale{96, 107}, PreviewScale{144, 153}));
