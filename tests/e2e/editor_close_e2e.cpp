// Leaving the editor: the title bar's close and the exit command, with and
// without unsaved changes, and a settings file that refuses the save.
#include "editor_driver.h"

#include <gtest/gtest.h>

namespace {
class EditorClose : public EditorFixture {
protected:
    // An editor over one entry, moved to (130, 90), with one unsaved change
    // (the rotation order) unless told otherwise.
    Editor openEditor(bool change)
    {
        writeEntries({{sampleBitmap(0), 1, 1, 1}});
        Editor editor = startEditor();
        if (!editor.dialog)
            return editor;
        SetWindowPos(editor.dialog, NULL, 130, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        if (change)
            clickButton(editor.dialog, ED_RANDOM);
        return editor;
    }
};

const char* const QUESTION = "Save changes before close window ?";

HWND expectQuestion(const Editor& editor, const std::vector<int>& buttons)
{
    HWND box = waitForMessageBox("Query", 5000, editor.program.id);
    EXPECT_NE(box, (HWND)NULL) << "no save question";
    if (!box)
        return NULL;
    EXPECT_EQ(messageBoxText(box), QUESTION);
    EXPECT_EQ(messageBoxButtons(box), buttons);
    EXPECT_EQ(messageBoxIcon(box), (UINT)MB_ICONEXCLAMATION);
    EXPECT_EQ(messageBoxOwner(box), editor.dialog);
    return box;
}

// The save failed: the editor tells it in a box of its own.
void expectSaveError(const Editor& editor)
{
    HWND box = waitForMessageBox("Error", 5000, editor.program.id);
    ASSERT_NE(box, (HWND)NULL) << "a refused save was not reported";
    EXPECT_FALSE(messageBoxText(box).empty());
    EXPECT_EQ(messageBoxOwner(box), editor.dialog);
    ASSERT_TRUE(answerMessageBox(box, IDOK));
}

void expectOnlyPositionSaved()
{
    EXPECT_EQ(readSetting("Configuration", "Window X-pos"), "130");
    EXPECT_EQ(readSetting("Configuration", "Window Y-pos"), "90");
    EXPECT_EQ(readSetting("Configuration", "Successive"), "<absent>");
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "<absent>");
}

// Makes the settings file refuse writes: read-only, and where the platform
// still lets the user write it (Wine run as root), also held open without
// sharing, as a backup tool might hold it.
class RefusedSettingsFile {
public:
    RefusedSettingsFile()
    {
        WritePrivateProfileStringA(NULL, NULL, NULL, "VISTRELL.INI");
        SetFileAttributesA(settingsPath().c_str(), FILE_ATTRIBUTE_READONLY);
        if (WritePrivateProfileStringA("Probe", "probe", "1", "VISTRELL.INI")) {
            WritePrivateProfileStringA("Probe", NULL, NULL, "VISTRELL.INI");
            held_ = CreateFileA(settingsPath().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        }
    }
    ~RefusedSettingsFile() { release(); }
    void release()
    {
        if (held_ != INVALID_HANDLE_VALUE)
            CloseHandle(held_);
        held_ = INVALID_HANDLE_VALUE;
        SetFileAttributesA(settingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    bool refuses() { return !WritePrivateProfileStringA("Probe", "probe", "1", "VISTRELL.INI"); }

private:
    HANDLE held_ = INVALID_HANDLE_VALUE;
};

const std::vector<int> YES_NO = {IDYES, IDNO};
const std::vector<int> YES_NO_CANCEL = {IDCANCEL, IDYES, IDNO};
}  // namespace

// One way of leaving, with or without a change, and the answer given.
struct CloseCase {
    const char* name;
    bool change;
    bool exitCommand;          // else the title bar's close, WM_CLOSE
    std::vector<int> buttons;  // the save question's; none when nothing is asked
    int answer;
    bool savesEverything;      // else only the dialog's position
};

const CloseCase CLOSE_CASES[] = {
    {"CloseUnchanged", false, false, {}, 0, false},
    {"CloseYes", true, false, YES_NO, IDYES, true},
    {"CloseNo", true, false, YES_NO, IDNO, false},
    {"ExitUnchanged", false, true, {}, 0, false},
    {"ExitYes", true, true, YES_NO_CANCEL, IDYES, true},
    {"ExitNo", true, true, YES_NO_CANCEL, IDNO, false},
};

class EditorLeaving : public EditorClose, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(EditorLeaving, AsksOnlyAboutChangesAndSavesAsAnswered)
{
    const CloseCase& leaving = GetParam();
    Editor editor = openEditor(leaving.change);
    ASSERT_NE(editor.dialog, (HWND)NULL);
    if (leaving.exitCommand)
        postCommand(editor.dialog, ED_EXIT);
    else
        PostMessageA(editor.dialog, WM_CLOSE, 0, 0);
    if (!leaving.buttons.empty()) {
        HWND box = expectQuestion(editor, leaving.buttons);
        ASSERT_TRUE(box && answerMessageBox(box, leaving.answer));
    }
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    stopProgram(editor.program);
    EXPECT_EQ(countMessageBoxes("Query"), 0);
    if (leaving.savesEverything) {
        EXPECT_EQ(readSetting("Configuration", "Successive"), "0");
        EXPECT_EQ(readSetting("Configuration", "Window X-pos"), "130");
        EXPECT_EQ(readEntry(0)[0], sampleBitmap(0));
    } else {
        expectOnlyPositionSaved();
    }
}

INSTANTIATE_TEST_SUITE_P(EditorClose, EditorLeaving, ::testing::ValuesIn(CLOSE_CASES),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(EditorClose, ExitCancelStaysOpenWithTheChangeThenYesSaves)
{
    Editor editor = openEditor(true);
    ASSERT_NE(editor.dialog, (HWND)NULL);
    postCommand(editor.dialog, ED_EXIT);
    HWND box = expectQuestion(editor, YES_NO_CANCEL);
    ASSERT_TRUE(box && answerMessageBox(box, IDCANCEL));
    // The dialog answers once the exit command has run; ended, it would not.
    ASSERT_TRUE(answers(editor.dialog));
    EXPECT_TRUE(isChecked(editor.dialog, ED_RANDOM)) << "the change is still there";
    EXPECT_TRUE(isRunning(editor.program));
    EXPECT_TRUE(IsWindowVisible(editor.dialog));
    EXPECT_EQ(readSetting("Configuration", "Window X-pos"), "<absent>") << "Cancel saves nothing";

    postCommand(editor.dialog, ED_EXIT);
    box = expectQuestion(editor, YES_NO_CANCEL);
    ASSERT_TRUE(box && answerMessageBox(box, IDYES));
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    stopProgram(editor.program);
    EXPECT_EQ(readSetting("Configuration", "Successive"), "0");
}

TEST_F(EditorClose, ARefusedSaveIsReportedAndTheChangesStayUnsaved)
{
    Editor editor = openEditor(true);
    ASSERT_NE(editor.dialog, (HWND)NULL);
    RefusedSettingsFile refused;
    ASSERT_TRUE(refused.refuses());

    postCommand(editor.dialog, ED_SAVE);
    expectSaveError(editor);

    // Still unsaved: closing asks, and a refused save keeps the dialog open.
    PostMessageA(editor.dialog, WM_CLOSE, 0, 0);
    HWND box = expectQuestion(editor, YES_NO);
    ASSERT_TRUE(box && answerMessageBox(box, IDYES));
    expectSaveError(editor);
    ASSERT_TRUE(answers(editor.dialog));
    EXPECT_TRUE(isChecked(editor.dialog, ED_RANDOM)) << "the change is still there";
    EXPECT_TRUE(isRunning(editor.program));
    EXPECT_TRUE(IsWindowVisible(editor.dialog));

    // Closing again asks again; without the changes the dialog goes even
    // though the position could not be kept either.
    PostMessageA(editor.dialog, WM_CLOSE, 0, 0);
    box = expectQuestion(editor, YES_NO);
    ASSERT_TRUE(box && answerMessageBox(box, IDNO));
    expectSaveError(editor);
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    stopProgram(editor.program);

    refused.release();
    EXPECT_EQ(readSetting("Configuration", "Successive"), "<absent>");
    EXPECT_EQ(readSetting("Configuration", "Window X-pos"), "<absent>");
    EXPECT_EQ(readEntry(0)[0], sampleBitmap(0));
}

TEST_F(EditorClose, TheTitleBarsCloseAsksOnlyOnceWhenTheSaveFails)
{
    Editor editor = openEditor(true);
    ASSERT_NE(editor.dialog, (HWND)NULL);
    RefusedSettingsFile refused;
    ASSERT_TRUE(refused.refuses());
    // The close command of the system menu, as the title bar's button sends it.
    PostMessageA(editor.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND box = expectQuestion(editor, YES_NO);
    ASSERT_TRUE(box && answerMessageBox(box, IDYES));
    expectSaveError(editor);
    // A second question would come from the same close command, before the
    // dialog answers; counted whether or not it is shown yet.
    ASSERT_TRUE(answers(editor.dialog));
    EXPECT_EQ(countMessageBoxes("Query", editor.program.id, false), 0) << "one close command asks once";
    EXPECT_TRUE(IsWindowVisible(editor.dialog));
    refused.release();

    PostMessageA(editor.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    box = expectQuestion(editor, YES_NO);
    ASSERT_TRUE(box && answerMessageBox(box, IDYES));
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    stopProgram(editor.program);
    EXPECT_EQ(readSetting("Configuration", "Successive"), "0");
}
