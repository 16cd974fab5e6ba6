// The editor's dialog classes in real dialogs under Wine: built from an
// in-memory template that names them, shown, clicked and read back from the
// screen.
#include "bwcc.h"
#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

enum {
    ID_ALPHA = 201,  // first radio group: Alpha, Beta
    ID_BETA = 202,
    ID_TILE = 203,  // second radio group: Tile, Center, Defined
    ID_CENTER = 204,
    ID_DEFINED = 205,
    ID_LABEL = 206,
    ID_PUSH = 207,  // a push button lying under the frame
    ID_PANEL = 300,
    ID_DIVIDER = 301,
    ID_FRAME = 302,
    ID_COMBO = 303,
};

const DWORD DIALOG_STYLE = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION |
                           WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
const DWORD RADIO_FIRST = 0x50030009;  // visible child, group, tab stop, auto radio
const DWORD RADIO_NEXT = 0x50010009;
const DWORD PANEL_STYLE = 0x50000006;
const DWORD DIVIDER_STYLE = 0x50010002;  // with a tab stop that a shade must not keep
const DWORD FRAME_STYLE = 0x50028001;
const DWORD LABEL_STYLE = 0x50000000;
const DWORD PUSH_STYLE = 0x50010000;

// An in-memory DLGTEMPLATE with string class names.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short x, short y, short cx, short cy, const char* className,
                   const char* title)
    {
        dword(style);
        dword(0);
        words_.push_back(0);  // control count, patched in
        words_.insert(words_.end(), {static_cast<WORD>(x), static_cast<WORD>(y),
                                     static_cast<WORD>(cx), static_cast<WORD>(cy)});
        words_.push_back(0);  // no menu
        text(className);
        text(title);
        words_.push_back(8);
        text("MS Sans Serif");
    }

    void control(const char* className, const char* title, DWORD style, short x, short y, short cx,
                 short cy, WORD id)
    {
        if (words_.size() % 2) words_.push_back(0);
        dword(style);
        dword(0);
        words_.insert(words_.end(), {static_cast<WORD>(x), static_cast<WORD>(y),
                                     static_cast<WORD>(cx), static_cast<WORD>(cy), id});
        text(className);
        text(title);
        words_.push_back(0);  // no creation data
        ++words_[4];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void dword(DWORD value)
    {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void text(const char* value)
    {
        while (*value) words_.push_back(static_cast<unsigned char>(*value++));
        words_.push_back(0);
    }
    std::vector<WORD> words_;
};

// The test dialog: like the editor's, a raised panel listed after the first
// controls and before the others, a divider, a label, and a recessed frame
// listed after the radio buttons it surrounds and before a button inside it.
DialogTemplate testTemplate()
{
    DialogTemplate dialog(DIALOG_STYLE, 10, 10, 200, 120, GRAY_DIALOG_CLASS, "Dlgctl test");
    dialog.control(LABEL_CLASS, "Label text", LABEL_STYLE, 10, 32, 60, 8, ID_LABEL);
    dialog.control(RADIO_CLASS, "Alpha", RADIO_FIRST, 10, 10, 50, 10, ID_ALPHA);
    dialog.control(RADIO_CLASS, "Beta", RADIO_NEXT, 70, 10, 50, 10, ID_BETA);
    dialog.control(SHADE_CLASS, "", PANEL_STYLE, 3, 3, 194, 114, ID_PANEL);
    dialog.control(SHADE_CLASS, "", DIVIDER_STYLE, 5, 24, 190, 3, ID_DIVIDER);
    dialog.control(RADIO_CLASS, "Tile", RADIO_FIRST, 14, 52, 36, 10, ID_TILE);
    dialog.control(RADIO_CLASS, "Center", RADIO_NEXT, 60, 52, 40, 10, ID_CENTER);
    dialog.control(RADIO_CLASS, "Defined", RADIO_NEXT, 110, 52, 40, 10, ID_DEFINED);
    dialog.control(SHADE_CLASS, "", FRAME_STYLE, 10, 48, 180, 18, ID_FRAME);
    dialog.control("BUTTON", "Push", PUSH_STYLE, 158, 50, 28, 14, ID_PUSH);
    dialog.control("COMBOBOX", "", 0x50210802, 10, 80, 60, 49, ID_COMBO);
    return dialog;
}

std::vector<std::pair<WPARAM, LPARAM>> commands;

INT_PTR CALLBACK recordingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        commands.push_back({wParam, lParam});
        return TRUE;
    default:
        return FALSE;
    }
}

std::string classOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT screenRect(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    return area;
}

// A copy of part of the screen, read back pixel by pixel in screen
// coordinates. Other processes' windows cannot be read through their own DC,
// so everything is taken from the screen's.
class Snapshot {
public:
    explicit Snapshot(const RECT& area) : area_(area)
    {
        HDC screen = GetDC(NULL);
        pixels_ = capturePixels(screen, area);
        ReleaseDC(NULL, screen);
    }

    COLORREF at(int x, int y) const
    {
        return pixels_[(y - area_.top) * (area_.right - area_.left) + (x - area_.left)];
    }

    // Pixels of the part that are not the colour.
    int countOther(const RECT& part, COLORREF colour) const
    {
        int count = 0;
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x)
                if (at(x, y) != colour) ++count;
        return count;
    }

    bool samePixels(const Snapshot& other) const { return pixels_ == other.pixels_; }

private:
    RECT area_;
    std::vector<COLORREF> pixels_;
};

void repaintNow(HWND window, UINT extra = 0)
{
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | extra);
    pumpFor(50);
}

// A modeless test dialog, shown on top of everything so that its pixels can
// be read from the screen.
class DlgctlDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(BWCCRegister(GetModuleHandleA(NULL)));
        commands.clear();
        dialog = CreateDialogIndirectParamA(GetModuleHandleA(NULL), dialogTemplate.get(), NULL,
                                            recordingDialogProc, 0);
        ASSERT_NE(dialog, (HWND)NULL) << "error " << GetLastError();
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(dialog);
        UpdateWindow(dialog);
        pumpFor(150);
    }
    void TearDown() override
    {
        if (dialog) DestroyWindow(dialog);
        pumpFor(20);
    }

    HWND item(int id) const { return GetDlgItem(dialog, id); }
    bool checked(int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    // Sends a key press through the dialog manager, as the message loop would.
    void pressKey(WPARAM key)
    {
        MSG press = {GetFocus(), WM_KEYDOWN, key, 1, GetTickCount(), {0, 0}};
        IsDialogMessageA(dialog, &press);
        MSG release = {GetFocus(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u), GetTickCount(), {0, 0}};
        IsDialogMessageA(dialog, &release);
        pumpFor(20);
    }

    DialogTemplate dialogTemplate = testTemplate();
    HWND dialog = NULL;
};

}  // namespace

TEST_F(DlgctlDialog, DialogAndControlsHaveTheTemplateClassesAndTheDialogFont)
{
    EXPECT_EQ(classOf(dialog), GRAY_DIALOG_CLASS);
    EXPECT_EQ(classOf(item(ID_ALPHA)), RADIO_CLASS);
    EXPECT_EQ(classOf(item(ID_PANEL)), SHADE_CLASS);
    EXPECT_EQ(classOf(item(ID_LABEL)), LABEL_CLASS);

    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(dialogFont, (HFONT)NULL);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(item(ID_LABEL), WM_GETFONT, 0, 0)), dialogFont);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(item(ID_TILE), WM_GETFONT, 0, 0)), dialogFont);
}

TEST_F(DlgctlDialog, ClickChecksTheRadioClearsOnlyItsGroupAndNotifies)
{
    // Set and read back through the dialog functions and the button messages.
    CheckDlgButton(dialog, ID_BETA, BST_CHECKED);
    SendMessageA(item(ID_TILE), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(checked(ID_TILE));
    EXPECT_EQ(SendMessageA(item(ID_BETA), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(commands.empty()) << "setting the state is not a click";

    SendMessageA(item(ID_DEFINED), BM_CLICK, 0, 0);
    EXPECT_TRUE(checked(ID_DEFINED));
    EXPECT_FALSE(checked(ID_TILE));
    EXPECT_FALSE(checked(ID_CENTER));
    EXPECT_TRUE(checked(ID_BETA)) << "the other group must keep its choice";

    SendMessageA(item(ID_ALPHA), BM_CLICK, 0, 0);
    EXPECT_TRUE(checked(ID_ALPHA));
    EXPECT_FALSE(checked(ID_BETA));
    EXPECT_TRUE(checked(ID_DEFINED));

    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].first, MAKEWPARAM(ID_DEFINED, BN_CLICKED));
    EXPECT_EQ(commands[0].second, reinterpret_cast<LPARAM>(item(ID_DEFINED)));
    EXPECT_EQ(commands[1].first, MAKEWPARAM(ID_ALPHA, BN_CLICKED));
}

TEST_F(DlgctlDialog, ArrowKeysMoveWithinTheGroupAndShadesAreNoStops)
{
    SetFocus(item(ID_TILE));
    pressKey(VK_DOWN);
    EXPECT_EQ(GetFocus(), item(ID_CENTER));
    EXPECT_TRUE(checked(ID_CENTER));
    pressKey(VK_DOWN);
    pressKey(VK_DOWN);
    EXPECT_EQ(GetFocus(), item(ID_TILE)) << "the frame's WS_GROUP ends the group";
    EXPECT_TRUE(checked(ID_TILE));
    EXPECT_FALSE(checked(ID_CENTER));

    // The panel and the divider follow Beta in the first group; they must not
    // take the focus from the arrow keys.
    SetFocus(item(ID_BETA));
    pressKey(VK_DOWN);
    EXPECT_EQ(GetFocus(), item(ID_ALPHA));

    // Tab stops never include a shade, although the divider's template asks
    // for one.
    std::vector<int> stops;
    HWND first = GetNextDlgTabItem(dialog, NULL, FALSE);
    for (HWND stop = first; stop != NULL && stops.size() < 20;) {
        stops.push_back(GetDlgCtrlID(stop));
        stop = GetNextDlgTabItem(dialog, stop, FALSE);
        if (stop == first) break;
    }
    for (int shade : {ID_PANEL, ID_DIVIDER, ID_FRAME})
        EXPECT_EQ(std::count(stops.begin(), stops.end(), shade), 0) << shade;
    EXPECT_EQ(std::count(stops.begin(), stops.end(), ID_PUSH), 1);
    EXPECT_EQ(std::count(stops.begin(), stops.end(), ID_COMBO), 1);
}

TEST_F(DlgctlDialog, ShadesTakeNoFocusAndLetClicksThroughToControlsUnderThem)
{
    for (int id : {ID_PANEL, ID_DIVIDER, ID_FRAME}) {
        EXPECT_FALSE(IsWindowEnabled(item(id))) << id;
        EXPECT_EQ(GetWindowLongA(item(id), GWL_STYLE) & WS_TABSTOP, 0) << id;
        EXPECT_TRUE(SendMessageA(item(id), WM_GETDLGCODE, 0, 0) & DLGC_STATIC) << id;
    }

    // The push button lies under the frame among the dialog's windows.
    ASSERT_EQ(GetWindow(item(ID_FRAME), GW_HWNDNEXT), item(ID_PUSH));
    RECT push = screenRect(item(ID_PUSH));
    POINT inPush = {(push.left + push.right) / 2, (push.top + push.bottom) / 2};
    EXPECT_EQ(WindowFromPoint(inPush), item(ID_PUSH));

    RECT frame = screenRect(item(ID_FRAME));
    POINT onFrameEdge = {frame.left + 2, frame.top};
    EXPECT_EQ(WindowFromPoint(onFrameEdge), dialog);
    RECT panel = screenRect(item(ID_PANEL));
    POINT onPanel = {panel.left + 3, panel.bottom - 3};
    EXPECT_EQ(WindowFromPoint(onPanel), dialog);
}

TEST_F(DlgctlDialog, LabelsAndRadioButtonsDrawOnTheDialogGray)
{
    const COLORREF gray = GetSysColor(COLOR_BTNFACE);
    RECT whole = screenRect(dialog);
    Snapshot screen(whole);
    POINT corner = {0, 0};
    ClientToScreen(dialog, &corner);
    EXPECT_EQ(screen.at(corner.x + 1, corner.y + 1), gray) << "dialog background";

    char text[32] = "";
    SendMessageA(item(ID_LABEL), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Label text");
    RECT label = screenRect(item(ID_LABEL));
    EXPECT_GT(screen.countOther(label, gray), 20) << "the label's text is drawn";
    EXPECT_EQ(screen.at(label.right - 1, label.top), gray);
    EXPECT_EQ(screen.at(label.right - 1, label.bottom - 1), gray);

    RECT radio = screenRect(item(ID_CENTER));
    EXPECT_GT(screen.countOther(radio, gray), 20) << "the radio button is drawn";
    EXPECT_EQ(screen.at(radio.right - 1, radio.top), gray);
    EXPECT_EQ(screen.at(radio.right - 1, radio.bottom - 1), gray);
}

TEST_F(DlgctlDialog, ShadesDrawTheirEdgesOnTheDialogGray)
{
    const COLORREF gray = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_3DHILIGHT);
    const COLORREF dark = GetSysColor(COLOR_3DSHADOW);
    ASSERT_NE(light, gray);
    Snapshot screen(screenRect(dialog));

    // Raised panel: light top and left, dark bottom and right, gray inside.
    RECT panel = screenRect(item(ID_PANEL));
    int x = panel.left + 5, y = panel.bottom - 5;
    EXPECT_EQ(screen.at(x, panel.top), light);
    EXPECT_EQ(screen.at(panel.left, y), light);
    EXPECT_EQ(screen.at(x, panel.bottom - 1), dark);
    EXPECT_EQ(screen.at(panel.right - 1, y), dark);
    EXPECT_EQ(screen.at(x, y), gray);

    // Recessed frame: the other way round.
    RECT frame = screenRect(item(ID_FRAME));
    x = frame.left + 2;
    y = (frame.top + frame.bottom) / 2;
    EXPECT_EQ(screen.at(x, frame.top), dark);
    EXPECT_EQ(screen.at(frame.left, y), dark);
    EXPECT_EQ(screen.at(x, frame.bottom - 1), light);
    EXPECT_EQ(screen.at(frame.right - 1, y), light);
    EXPECT_EQ(screen.at(x, y), gray);

    // Divider: a dark line over a light one across the middle, gray above
    // and below.
    RECT divider = screenRect(item(ID_DIVIDER));
    ASSERT_GE(divider.bottom - divider.top, 4);
    x = divider.left + 40;
    int darkRow = -1;
    for (y = divider.top; y < divider.bottom; ++y)
        if (screen.at(x, y) == dark) darkRow = y;
    ASSERT_NE(darkRow, -1) << "no dark line";
    EXPECT_LE(abs(darkRow - (divider.top + divider.bottom) / 2), 1);
    for (y = divider.top; y < divider.bottom; ++y)
        EXPECT_EQ(screen.at(x, y), y == darkRow ? dark : y == darkRow + 1 ? light : gray)
            << "row " << y - divider.top;
    RECT darkLine = {divider.left, darkRow, divider.right, darkRow + 1};
    EXPECT_EQ(screen.countOther(darkLine, dark), 0) << "the line runs the whole width";
}

TEST_F(DlgctlDialog, ShadesRepaintWithoutCoveringTheControlsOverOrUnderThem)
{
    // The client area only: the caption's look depends on activation.
    RECT whole;
    GetClientRect(dialog, &whole);
    MapWindowPoints(dialog, NULL, reinterpret_cast<POINT*>(&whole), 2);
    Snapshot before(whole);
    const COLORREF gray = GetSysColor(COLOR_BTNFACE);
    for (int id : {ID_LABEL, ID_ALPHA, ID_TILE, ID_PUSH, ID_COMBO})
        ASSERT_GT(before.countOther(screenRect(item(id)), gray), 20) << id;

    // Each shade alone, after everything else has painted. Among the dialog's
    // windows the label and Alpha lie over the panel; the second group, the
    // push button and the combo lie under it, and the push button under the
    // frame too.
    repaintNow(item(ID_PANEL));
    repaintNow(item(ID_FRAME));
    repaintNow(item(ID_DIVIDER));
    EXPECT_TRUE(Snapshot(whole).samePixels(before));

    // The whole dialog, in whatever order the children repaint.
    repaintNow(dialog, RDW_ALLCHILDREN);
    EXPECT_TRUE(Snapshot(whole).samePixels(before));

    // A control that goes away uncovers the frame and the panel behind it.
    RECT push = screenRect(item(ID_PUSH));
    ShowWindow(item(ID_PUSH), SW_HIDE);
    pumpFor(100);
    EXPECT_EQ(Snapshot(whole).countOther(push, gray), 0);
}

namespace {
struct ModalRun {
    std::string dialogClass;
    bool centerChecked = false;
    std::vector<WPARAM> commands;
};

const UINT RUN_CHECKS = WM_APP + 1;

// Clicks a radio button from inside the dialog's own modal loop, then ends it.
INT_PTR CALLBACK modalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    ModalRun* run = reinterpret_cast<ModalRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        PostMessageA(dialog, RUN_CHECKS, 0, 0);
        return TRUE;
    case RUN_CHECKS:
        run->dialogClass = classOf(dialog);
        SendDlgItemMessageA(dialog, ID_CENTER, BM_CLICK, 0, 0);
        run->centerChecked = IsDlgButtonChecked(dialog, ID_CENTER) == BST_CHECKED;
        EndDialog(dialog, 42);
        return TRUE;
    case WM_COMMAND:
        run->commands.push_back(wParam);
        return TRUE;
    default:
        return FALSE;
    }
}
}  // namespace

TEST(DlgctlModal, RunsThroughTheDialogManagersModalLoopUntilEndDialog)
{
    ASSERT_TRUE(BWCCRegister(GetModuleHandleA(NULL)));
    DialogTemplate dialogTemplate = testTemplate();
    ModalRun run;
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(NULL), dialogTemplate.get(), NULL,
                                             modalDialogProc, reinterpret_cast<LPARAM>(&run));
    EXPECT_EQ(result, 42);
    EXPECT_EQ(run.dialogClass, GRAY_DIALOG_CLASS);
    EXPECT_TRUE(run.centerChecked);
    EXPECT_EQ(run.commands, (std::vector<WPARAM>{MAKEWPARAM(ID_CENTER, BN_CLICKED)}));
}

TEST(DlgctlRegister, RepeatedRegistrationKeepsEveryClassWorkingForAnyModule)
{
    HINSTANCE program = GetModuleHandleA(NULL);
    EXPECT_TRUE(BWCCRegister(program));
    EXPECT_TRUE(BWCCRegister(program));

    // A template loaded for another module finds the classes too.
    DialogTemplate dialogTemplate = testTemplate();
    commands.clear();
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA("user32.dll"), dialogTemplate.get(),
                                             NULL, recordingDialogProc, 0);
    ASSERT_NE(dialog, (HWND)NULL) << "error " << GetLastError();
    EXPECT_EQ(classOf(dialog), GRAY_DIALOG_CLASS);
    EXPECT_EQ(classOf(GetDlgItem(dialog, ID_FRAME)), SHADE_CLASS);
    SendDlgItemMessageA(dialog, ID_BETA, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, ID_BETA), BST_CHECKED);
    EXPECT_EQ(commands.size(), 1u);
    DestroyWindow(dialog);
}
