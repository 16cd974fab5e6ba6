// Adding bitmaps through the platform's real open-file dialog under Wine. A
// helper thread plays the user: it finds the dialog, reads the folder it
// opened in, types file names and presses Open or Cancel.
#include "addbitmaps.h"
#include "editorstate.h"
#include "harness.h"
#include "ids.h"
#include "keys.h"
#include "oldshell.h"
#include "slottable.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {
const char DIALOG_TITLE[] = "Add Bitmaps...";

// Makes a fresh directory under the temp directory, holding the named files.
std::string makeFolder(const std::string& name, const std::vector<std::string>& files)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), NULL);
    for (const std::string& file : files)
        writeTestBitmap(folder + "\\" + file, 4, 4, RGB(1, 2, 3));
    // The long form, as the dialog reports it.
    char full[MAX_PATH];
    GetLongPathNameA(folder.c_str(), full, MAX_PATH);
    return full;
}

// What the helper thread does once the dialog is up.
struct DialogScript {
    std::string browseTo;  // a folder to go to first, if any
    std::string typed;     // empty: press Cancel
    bool found = false;
    bool typedIn = false;
    bool closed = false;
    std::string openedIn;
    HWND owner = NULL;
};

HWND findFileDialog()
{
    return findMessageBox(DIALOG_TITLE, GetCurrentProcessId());
}

BOOL CALLBACK findEdit(HWND child, LPARAM param)
{
    char className[16];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Edit") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = child;
    return FALSE;
}

// The file name box: an edit control of its own, or the edit deep inside the
// file name combo box, depending on the dialog's template.
HWND fileNameBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, edt1);
    if (box)
        return box;
    HWND combo = GetDlgItem(dialog, cmb13);
    if (combo)
        EnumChildWindows(combo, findEdit, reinterpret_cast<LPARAM>(&box));
    return box;
}

BOOL CALLBACK closeOwnedBy(HWND window, LPARAM owner)
{
    if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void typeAndOpen(HWND dialog, HWND nameBox, const std::string& text)
{
    SendMessageA(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

DWORD WINAPI playUser(void* param)
{
    DialogScript* script = static_cast<DialogScript*>(param);
    HWND dialog = NULL;
    for (int i = 0; i < 500 && !dialog; ++i) {
        dialog = findFileDialog();
        if (!dialog)
            Sleep(20);
    }
    if (!dialog)
        return 0;
    script->found = true;
    script->owner = GetWindow(dialog, GW_OWNER);
    Sleep(200);  // let the dialog fill its views
    // The dialog answers in wide characters: the editor asks for names in
    // any script.
    WCHAR wide[MAX_PATH] = L"";
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(wide));
    char folder[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, folder, MAX_PATH, NULL, NULL);
    script->openedIn = folder;
    HWND nameBox = fileNameBox(dialog);
    script->typedIn = nameBox != NULL;
    if (script->typed.empty() || !nameBox) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    } else {
        // Typing a folder and pressing Open moves the dialog there, as a
        // user would browse to it.
        if (!script->browseTo.empty()) {
            typeAndOpen(dialog, nameBox, script->browseTo);
            Sleep(400);
        }
        typeAndOpen(dialog, nameBox, script->typed);
    }
    for (int i = 0; i < 250 && IsWindow(dialog); ++i)
        Sleep(20);
    // A dialog that did not take the answer (it may show a box of its own)
    // would hold the test for ever.
    script->closed = !IsWindow(dialog);
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) {
        EnumWindows(closeOwnedBy, reinterpret_cast<LPARAM>(dialog));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        Sleep(50);
    }
    return 0;
}

class AddBitmaps : public ::testing::Test {
protected:
    void SetUp() override
    {
        removeSettings();
        resetOldShell(false);
        resetEditorState(GetModuleHandleA(NULL));
        GetCurrentDirectoryA(MAX_PATH, startDirectory);
        host = CreateWindowExA(0, "STATIC", "add host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 400, 300, NULL,
                               NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_TRUE(host != NULL);
        list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_MULTIPLESEL | LBS_EXTENDEDSEL, 5, 5,
                               380, 200, host, reinterpret_cast<HMENU>(IDC_LIST), GetModuleHandleA(NULL), NULL);
        bindList(&slotTable, list);
    }
    void TearDown() override
    {
        DestroyWindow(host);
        SetCurrentDirectoryA(startDirectory);
        resetEditorState(NULL);
        removeSettings();
    }

    // Runs addBitmapsFromDialog while the helper thread answers the dialog:
    // it types text (presses Cancel when text is empty), going to browseTo
    // first when given. What the thread saw is kept in seen.
    int addTyping(const std::string& text, const std::string& browseTo = "")
    {
        seen = DialogScript();
        seen.typed = text;
        seen.browseTo = browseTo;
        HANDLE thread = CreateThread(NULL, 0, playUser, &seen, 0, NULL);
        int result = addBitmapsFromDialog(host);
        WaitForSingleObject(thread, 10000);
        CloseHandle(thread);
        EXPECT_TRUE(seen.found) << "the file dialog did not appear";
        EXPECT_TRUE(seen.typedIn) << "no file name box in the dialog";
        EXPECT_TRUE(seen.closed) << "the dialog did not take the answer";
        return result;
    }

    // A fresh folder holding the files, remembered as the folder to open in.
    std::string rememberedFolder(const std::string& name, const std::vector<std::string>& files)
    {
        std::string folder = makeFolder(name, files);
        writeSetting(SECTION_CONFIG, KEY_OPEN_DIRECTORY, folder.c_str());
        return folder;
    }

    int rows() { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }
    std::string rowText(int row)
    {
        char text[PATH_BUFFER] = "";
        uint16_t x = 0, y = 0;
        int32_t mode = 0;
        EXPECT_TRUE(getEntryAtRow(&slotTable, static_cast<uint16_t>(row), text, &x, &y, &mode));
        EXPECT_EQ(x, 1);
        EXPECT_EQ(y, 1);
        EXPECT_EQ(mode, 1);
        return text;
    }

    DialogScript seen;
    char startDirectory[MAX_PATH] = "";
    HWND host = NULL;
    HWND list = NULL;
};
}  // namespace

TEST_F(AddBitmaps, OneFileIsAddedCentredInLowerCaseAndItsFolderRemembered)
{
    std::string folder = rememberedFolder("AddOne", {"Sun.BMP"});
    EXPECT_EQ(addTyping("Sun.BMP"), 1);
    EXPECT_EQ(lowerAscii(withoutTrailingSlash(seen.openedIn)), lowerAscii(folder)) << "opened in the remembered folder";
    EXPECT_EQ(seen.owner, host);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(rowText(0), lowerAscii(folder) + "\\sun.bmp");
    EXPECT_TRUE(isDirty);
    EXPECT_EQ(lowerAscii(withoutTrailingSlash(readSetting(SECTION_CONFIG, KEY_OPEN_DIRECTORY))), lowerAscii(folder));
}

TEST_F(AddBitmaps, SeveralFilesAreAddedInTheDialogsOrderWithTheirNamesCase)
{
    std::string folder = rememberedFolder("AddSeveral", {"a.bmp", "B.bmp", "c.bmp"});
    ASSERT_EQ(addEntry(&slotTable, "c:\\already.bmp", 5, 5, 2), 1);
    EXPECT_EQ(addTyping("\"a.bmp\" \"B.bmp\""), 1);
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(lowerAscii(rowText(1)), lowerAscii(folder) + "\\a.bmp");
    EXPECT_EQ(lowerAscii(rowText(2)), lowerAscii(folder) + "\\b.bmp");
    // The folder is lower-cased; the names behind it keep the dialog's case.
    std::string second = rowText(2);
    EXPECT_EQ(second.substr(0, folder.size()), lowerAscii(folder));
    EXPECT_EQ(second.substr(folder.size() + 1), "B.bmp");
    EXPECT_TRUE(isDirty);
}

TEST_F(AddBitmaps, CancelChangesNothing)
{
    std::string folder = rememberedFolder("AddCancel", {"x.bmp"});
    ASSERT_EQ(addEntry(&slotTable, "c:\\kept.bmp", 1, 1, 1), 1);
    EXPECT_EQ(addTyping(""), 1);
    EXPECT_EQ(rows(), 1);
    EXPECT_FALSE(isDirty);
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_OPEN_DIRECTORY), folder);
}

TEST_F(AddBitmaps, WithoutARememberedFolderTheDialogOpensInTheCurrentOneAndRemembersTheChosenOne)
{
    std::string start = makeFolder("AddStart", {"s.bmp"});
    std::string other = makeFolder("AddOther", {"o.bmp"});
    SetCurrentDirectoryA(start.c_str());
    EXPECT_EQ(addTyping("o.bmp", other), 1);
    EXPECT_EQ(lowerAscii(withoutTrailingSlash(seen.openedIn)), lowerAscii(start));
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(rowText(0), lowerAscii(other) + "\\o.bmp");
    EXPECT_EQ(lowerAscii(withoutTrailingSlash(readSetting(SECTION_CONFIG, KEY_OPEN_DIRECTORY))), lowerAscii(other));

    // The next dialog opens where the last choice was made.
    EXPECT_EQ(addTyping("o.bmp"), 1);
    EXPECT_EQ(lowerAscii(withoutTrailingSlash(seen.openedIn)), lowerAscii(other));
    EXPECT_EQ(rows(), 2);
}

TEST_F(AddBitmaps, AFullTableStopsAtTheFileThatDoesNotFit)
{
    std::string folder = rememberedFolder("AddFull", {"one.bmp", "two.bmp", "three.bmp"});
    for (int i = 0; i < 49; ++i)
        ASSERT_EQ(addEntry(&slotTable, "c:\\filler.bmp", 0, 0, 0), 1);
    EXPECT_EQ(addTyping("\"one.bmp\" \"two.bmp\" \"three.bmp\""), 0);
    EXPECT_EQ(rows(), 50);
    EXPECT_EQ(lowerAscii(rowText(49)), lowerAscii(folder) + "\\one.bmp");
    EXPECT_TRUE(isDirty);

    // Full already: nothing fits, yet the choice marks the list changed.
    resetEditorState(GetModuleHandleA(NULL));
    EXPECT_EQ(addTyping("two.bmp"), 0);
    EXPECT_EQ(rows(), 50);
    EXPECT_TRUE(isDirty);
}

TEST_F(AddBitmaps, PathsTooLongForTheListAreSkippedAndTold)
{
    // A folder of about 80 characters: a short name still fits in 99, a
    // long one does not.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp);
    std::string name = "Deep" + std::string(std::max<int>(1, 80 - static_cast<int>(base.size()) - 4), 'd');
    std::string longName = std::string(30, 'L') + ".bmp";
    std::string otherLong = std::string(31, 'M') + ".bmp";
    std::string folder = rememberedFolder(name, {"ok.bmp", longName, otherLong});
    ASSERT_LE(folder.size() + 1 + 6, 99u);
    ASSERT_GT(folder.size() + 1 + longName.size(), 99u);

    BoxWatcher watcher("Error", IDOK);
    EXPECT_EQ(addTyping("\"" + longName + "\" \"ok.bmp\" \"" + otherLong + "\""), 1);
    ASSERT_TRUE(watcher.waitFor(1));
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(lowerAscii(rowText(0)), lowerAscii(folder) + "\\ok.bmp");
    std::string text = watcher.texts()[0];
    EXPECT_NE(text.find("longer than 99 characters"), std::string::npos) << text;
    EXPECT_EQ(text.find("These files"), 0u) << text;
    EXPECT_NE(text.find(longName), std::string::npos) << text;
    EXPECT_NE(text.find(otherLong), std::string::npos) << text;
    EXPECT_EQ(text.find("ok.bmp"), std::string::npos) << text;
    EXPECT_EQ(watcher.owners()[0], host);
    EXPECT_EQ(watcher.icons()[0], static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_TRUE(isDirty);

    // A single file whose whole path is too long is named whole.
    BoxWatcher single("Error", IDOK);
    EXPECT_EQ(addTyping(longName), 1);
    ASSERT_TRUE(single.waitFor(1));
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(single.texts()[0].find("This file"), 0u) << single.texts()[0];
    EXPECT_NE(lowerAscii(single.texts()[0]).find(lowerAscii(folder) + "\\" + lowerAscii(longName)), std::string::npos)
        << single.texts()[0];
}

TEST_F(AddBitmaps, TooManyFilesAtOnceAreToldAndNothingIsAdded)
{
    // Ten names of 40 characters: more than the 300-byte result area holds.
    // Windows answers FNERR_BUFFERTOOSMALL; Wine hands back the names cut off
    // at the area's end. Either way nothing is added, and the user is told.
    std::vector<std::string> names;
    std::string typed;
    for (int i = 0; i < 10; ++i) {
        names.push_back(std::string(35, static_cast<char>('a' + i)) + ".bmp");
        typed += "\"" + names.back() + "\" ";
    }
    rememberedFolder("AddTooMany", names);
    ASSERT_EQ(addEntry(&slotTable, "c:\\kept.bmp", 1, 1, 1), 1);

    BoxWatcher watcher("Error", IDOK);
    EXPECT_EQ(addTyping(typed), 1);
    ASSERT_TRUE(watcher.waitFor(1)) << "the refused choice was taken as a cancel";
    EXPECT_NE(watcher.texts()[0].find("too many files were chosen at once"), std::string::npos) << watcher.texts()[0];
    EXPECT_EQ(watcher.owners()[0], host);
    EXPECT_EQ(watcher.icons()[0], static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(rows(), 1);
    EXPECT_FALSE(isDirty);
}

// The wide dialog's answer spelled for the settings file: names the ANSI
// code page spells stay as they are; a name in another script (Tokyo, in
// Japanese) becomes its short name, which opens the same file; one without
// a short name (not on the disk to have one) keeps anything from being
// added; an answer that does not fit the area is too long.
TEST_F(AddBitmaps, NamesInAnyScriptAreKeptByTheirShortNames)
{
    const std::string folder = makeFolder("AddScripts", {"a.bmp", "b.bmp"});
    WCHAR wideFolder[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wideFolder, MAX_PATH);
    std::wstring tokyo = std::wstring(wideFolder) + L"\\\x6771\x4eac.bmp";
    writeTestBitmap(folder + "\\tokyo.bmp", 4, 4, RGB(1, 2, 3));
    ASSERT_TRUE(MoveFileW((std::wstring(wideFolder) + L"\\tokyo.bmp").c_str(), tokyo.c_str()));
    std::wstring many = std::wstring(wideFolder) + L'\0';
    for (int i = 0; i < 10; ++i)
        many += std::wstring(35, static_cast<WCHAR>(L'a' + i)) + L".bmp" + L'\0';
    const struct {
        const char* what;
        std::wstring answer;  // the texts, each ended by a zero
        DialogSpelling spelling;
        std::vector<std::string> texts;  // what the area holds; "*" a short name
    } cases[] = {
        {"one path", std::wstring(wideFolder) + L"\\a.bmp" + L'\0', SPELLING_DONE, {folder + "\\a.bmp"}},
        {"a folder and two names", std::wstring(wideFolder) + L'\0' + L"a.bmp" + L'\0' + L"b.bmp" + L'\0',
         SPELLING_DONE, {folder, "a.bmp", "b.bmp"}},
        {"a name in another script", std::wstring(wideFolder) + L'\0' + L"a.bmp" + L'\0' + tokyo.substr(folder.size() + 1) +
                                         L'\0',
         SPELLING_DONE, {folder, "a.bmp", "*"}},
        {"the same as one path", tokyo + L'\0', SPELLING_DONE, {"*"}},
        {"a name without a short one", std::wstring(wideFolder) + L"\\\x5927\x962a.bmp" + L'\0', SPELLING_UNKEPT, {}},
        {"more than the area holds", many, SPELLING_TOO_LONG, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::wstring answer = c.answer + L'\0';
        char area[300];
        WCHAR unkept[MAX_PATH] = L"";
        ASSERT_EQ(spellDialogResult(answer.data(), static_cast<int>(answer.size()), area, sizeof area, unkept),
                  c.spelling);
        if (c.spelling == SPELLING_UNKEPT) {
            EXPECT_EQ(std::wstring(unkept), answer.substr(0, answer.find(L'\0')));
        }
        if (c.spelling != SPELLING_DONE)
            continue;
        const char* text = area;
        for (const std::string& expected : c.texts) {
            std::string spelled = text;
            if (expected == "*") {
                // A short name, opening the very file.
                std::string path = c.texts.size() > 1 ? folder + "\\" + spelled : spelled;
                EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
                EXPECT_EQ(spelled.find('?'), std::string::npos) << spelled;
            } else {
                EXPECT_EQ(spelled, expected);
            }
            text += spelled.size() + 1;
        }
        EXPECT_EQ(*text, '\0');
    }
    DeleteFileW(tokyo.c_str());
}
