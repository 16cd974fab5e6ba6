// Keeping the bitmap list: files added through the real open-file dialog,
// rows removed, placements given to the selected rows, and the list saved.
#include "editor_driver.h"

#include <gtest/gtest.h>

namespace {
class EditorList : public EditorFixture {};

// Closes an editor that holds changes, answering No.
void closeDiscarding(Editor& editor)
{
    PostMessageA(editor.dialog, WM_CLOSE, 0, 0);
    HWND box = waitForMessageBox("Query", 5000, editor.program.id);
    EXPECT_NE(box, (HWND)NULL) << "closing after a change must ask";
    if (box)
        answerMessageBox(box, IDNO);
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    stopProgram(editor.program);
}

// Starts an editor in workDir, adds one file through the open-file dialog,
// expects it as the list's only row, and closes without saving.
void addOnlyRowAndDiscard(const std::string& workDir, const std::string& typed, const std::string& row)
{
    Editor editor = startEditor(workDir);
    ASSERT_NE(editor.dialog, (HWND)NULL);
    ASSERT_TRUE(addFilesThroughDialog(editor, typed, 1));
    EXPECT_EQ(listRows(editor.dialog), std::vector<std::string>{row});
    closeDiscarding(editor);
}

}  // namespace

TEST_F(EditorList, OneFileChosenBecomesALowerCasedCenteredEntry)
{
    std::string folder = freshFolder("VistEdit One");
    writeTestBitmap(folder + "Sun.BMP", 8, 8, RGB(250, 200, 0));
    Editor editor = startEditor(folder);
    ASSERT_NE(editor.dialog, (HWND)NULL);
    ASSERT_TRUE(addFilesThroughDialog(editor, "Sun.BMP", 1));
    EXPECT_EQ(listRows(editor.dialog), std::vector<std::string>{lowerAscii(folder + "Sun.BMP")});
    EXPECT_STRCASEEQ(readSetting("Configuration", "Open directory").c_str(), withoutTrailingSlash(folder).c_str());

    sendCommand(editor.dialog, ED_SAVE);
    EXPECT_EQ(readEntry(0), (std::vector<std::string>{lowerAscii(folder + "Sun.BMP"), "1", "1", "1"}));
    closeUnchanged(editor);
}

TEST_F(EditorList, SeveralFilesKeepTheirNamesBehindTheLowerCasedFolder)
{
    std::string folder = freshFolder("VistEdit Many");
    writeTestBitmap(folder + "Alpha.bmp", 8, 8, RGB(0, 0, 250));
    writeTestBitmap(folder + "beta.BMP", 8, 8, RGB(0, 250, 0));
    writeEntries({{sampleBitmap(0), 3, 4, 2}});
    Editor editor = startEditor(folder);
    ASSERT_NE(editor.dialog, (HWND)NULL);
    ASSERT_TRUE(addFilesThroughDialog(editor, "\"Alpha.bmp\" \"beta.BMP\"", 3));
    EXPECT_EQ(listRows(editor.dialog), (std::vector<std::string>{sampleBitmap(0), lowerAscii(folder) + "Alpha.bmp",
                                                                 lowerAscii(folder) + "beta.BMP"}));
    closeDiscarding(editor);
    // No was the answer: the file keeps its one entry.
    EXPECT_EQ(readEntry(1)[0], "<absent>");
}

// The file dialog's list of file types.
const int FILE_TYPES_ID = 0x470;  // cmb1, in both kinds of the dialog

TEST_F(EditorList, TheFileDialogOffersItsShellsFileTypesAndCancellingChangesNothing)
{
    const std::string bitmaps = "Bitmap files (*.BMP)";
    const std::string all = "All files";
    const struct {
        const char* version;  // NULL: the new shell
        std::vector<std::string> types;
    } shells[] = {
        {NULL, {bitmaps, "Pictures (*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff)", all}},
        {"nt351", {bitmaps, all}},
    };
    for (const auto& shell : shells) {
        SCOPED_TRACE(shell.version ? shell.version : "new shell");
        if (shell.version)
            setProgramVersion("vistedit.exe", shell.version);
        writeEntries({{sampleBitmap(0), 1, 1, 1}});
        Editor editor = startEditor();
        ASSERT_NE(editor.dialog, (HWND)NULL);
        postCommand(editor.dialog, ED_ADD);
        HWND fileDialog = waitForFileDialog(editor);
        ASSERT_NE(fileDialog, (HWND)NULL);
        EXPECT_EQ(comboRows(fileDialog, FILE_TYPES_ID), shell.types);
        EXPECT_EQ(comboSelection(fileDialog, FILE_TYPES_ID), 0);
        ASSERT_TRUE(cancelFileDialog(fileDialog));
        // The command has ended once the dialog answers again.
        ASSERT_TRUE(answers(editor.dialog));
        EXPECT_EQ(listRows(editor.dialog), std::vector<std::string>{sampleBitmap(0)});
        EXPECT_EQ(readSetting("Configuration", "Open directory"), "<absent>");
        closeUnchanged(editor);
    }
}

TEST_F(EditorList, TheFileDialogOpensWhereTheLastChoiceWasMadeAfterARestart)
{
    std::string pictures = freshFolder("VistEdit Pictures");
    std::string elsewhere = freshFolder("VistEdit Elsewhere");
    writeTestBitmap(pictures + "first.bmp", 8, 8, RGB(10, 10, 10));
    writeTestBitmap(pictures + "moon.bmp", 8, 8, RGB(20, 20, 20));
    addOnlyRowAndDiscard(pictures, "first.bmp", lowerAscii(pictures + "first.bmp"));

    // Started elsewhere, the dialog still opens in the remembered folder, so
    // a bare name means a file there.
    addOnlyRowAndDiscard(elsewhere, "moon.bmp", lowerAscii(pictures + "moon.bmp"));
}

TEST_F(EditorList, OnTheOldShellTheChosenPathIsLowerCasedWhole)
{
    // The old shell's result separates names by blanks: a folder without one.
    std::string folder = freshFolder("VistEditOld");
    writeTestBitmap(folder + "Old.BMP", 8, 8, RGB(90, 90, 90));
    setProgramVersion("vistedit.exe", "nt351");
    addOnlyRowAndDiscard(folder, "Old.BMP", lowerAscii(folder + "Old.BMP"));
}

TEST_F(EditorList, AFullListRefusesMoreFilesAndSaysSo)
{
    std::vector<StoredEntry> entries;
    for (int i = 0; i < 50; ++i)
        entries.push_back({sampleBitmap(i % 5), i, i, 1});
    writeEntries(entries);
    std::string folder = freshFolder("VistEditFull");
    writeTestBitmap(folder + "extra.bmp", 8, 8, RGB(1, 2, 3));
    Editor editor = startEditor(folder);
    ASSERT_NE(editor.dialog, (HWND)NULL);
    ASSERT_EQ(listRows(editor.dialog).size(), 50u);

    postCommand(editor.dialog, ED_ADD);
    HWND fileDialog = waitForFileDialog(editor);
    ASSERT_NE(fileDialog, (HWND)NULL);
    ASSERT_TRUE(chooseInFileDialog(fileDialog, "extra.bmp"));
    HWND box = waitForMessageBox("Error", 5000, editor.program.id);
    ASSERT_NE(box, (HWND)NULL) << "a full list must be told";
    EXPECT_FALSE(messageBoxText(box).empty());
    EXPECT_EQ(messageBoxIcon(box), (UINT)MB_ICONHAND);
    EXPECT_EQ(messageBoxOwner(box), (HWND)NULL);
    ASSERT_TRUE(answerMessageBox(box, IDOK));
    EXPECT_EQ(listRows(editor.dialog).size(), 50u);
    // The choice was made, so the list counts as changed.
    closeDiscarding(editor);
}

TEST_F(EditorList, RemovedRowsLeaveTheOthersRenumberedWithTheirOwnPlacement)
{
    std::vector<StoredEntry> entries;
    for (int i = 0; i < 5; ++i)
        entries.push_back({sampleBitmap(i), 10 + i, 20 + i, i % 3});
    writeEntries(entries);
    writeSetting("Bitmap list", "050_wall", "c:\\beyond.bmp");
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    selectRows(editor.dialog, {1, 3});
    sendCommand(editor.dialog, ED_REMOVE);
    EXPECT_EQ(listRows(editor.dialog), (std::vector<std::string>{sampleBitmap(0), sampleBitmap(2), sampleBitmap(4)}));

    setCaretRow(editor.dialog, 1);
    sendCommand(editor.dialog, ED_SAVE);
    EXPECT_EQ(readEntry(0), (std::vector<std::string>{sampleBitmap(0), "10", "20", "0"}));
    EXPECT_EQ(readEntry(1), (std::vector<std::string>{sampleBitmap(2), "12", "22", "2"}));
    EXPECT_EQ(readEntry(2), (std::vector<std::string>{sampleBitmap(4), "14", "24", "1"}));
    for (int i = 3; i < 50; ++i)
        EXPECT_EQ(readEntry(i), (std::vector<std::string>(4, "<absent>"))) << "entry " << i;
    EXPECT_EQ(readSetting("Bitmap list", "050_wall"), "c:\\beyond.bmp");
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");
    closeUnchanged(editor);
}

TEST_F(EditorList, RemoveAllEmptiesTheListAndTheSavedEntries)
{
    writeEntries({{sampleBitmap(0), 1, 1, 1}, {sampleBitmap(1), 1, 1, 1}});
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    sendCommand(editor.dialog, ED_REMOVE_ALL);
    EXPECT_TRUE(listRows(editor.dialog).empty());
    // "Undo Changes" brings the saved list back.
    sendCommand(editor.dialog, ED_UNDO);
    EXPECT_EQ(listRows(editor.dialog), (std::vector<std::string>{sampleBitmap(0), sampleBitmap(1)}));
    sendCommand(editor.dialog, ED_REMOVE_ALL);
    sendCommand(editor.dialog, ED_SAVE);
    EXPECT_EQ(readEntry(0), (std::vector<std::string>(4, "<absent>")));
    EXPECT_EQ(readEntry(1), (std::vector<std::string>(4, "<absent>")));
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "-1");
    closeUnchanged(editor);
}

// Tabbing through the origin fields changes nothing: only a change of their
// text, or a click on a placement, goes to the selected rows. The focus on a
// schedule combo still counts as a change, as it always has.
TEST_F(EditorList, TheFocusPassingThroughTheOriginFieldsIsNoEdit)
{
    writeEntries({{sampleBitmap(0), 100, 50, 2}, {sampleBitmap(1), 7, 8, 0}});
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND dialog = editor.dialog;
    selectRows(dialog, {0, 1});
    setCaretRow(dialog, 0);
    sendCommand(dialog, ED_LIST);
    ASSERT_EQ(controlText(dialog, ED_X_EDIT), "100");
    for (int id : {ED_X_EDIT, ED_Y_EDIT, ED_LIST, ED_Y_EDIT, ED_ADD})
        ASSERT_TRUE(focusControl(dialog, id)) << id;
    sendCommand(dialog, ED_SAVE);
    EXPECT_EQ(readEntry(0), (std::vector<std::string>{sampleBitmap(0), "100", "50", "2"}));
    EXPECT_EQ(readEntry(1), (std::vector<std::string>{sampleBitmap(1), "7", "8", "0"}));

    ASSERT_TRUE(focusControl(dialog, ED_CHANGE_EVERY));
    closeDiscarding(editor);
}

TEST_F(EditorList, APlacementChangeGoesToEverySelectedRow)
{
    writeEntries({{sampleBitmap(0), 1, 1, 1}, {sampleBitmap(1), 1, 1, 1}, {sampleBitmap(2), 1, 1, 1}});
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND dialog = editor.dialog;
    selectRows(dialog, {0, 2});
    clickButton(dialog, ED_DEFINED);
    EXPECT_TRUE(isChecked(dialog, ED_DEFINED));
    EXPECT_TRUE(isEnabled(dialog, ED_X_UPDOWN));
    setControlText(dialog, ED_X_EDIT, "120");
    setControlText(dialog, ED_Y_EDIT, "45");
    sendCommand(dialog, ED_SAVE);
    EXPECT_EQ(readEntry(0), (std::vector<std::string>{sampleBitmap(0), "120", "45", "2"}));
    EXPECT_EQ(readEntry(1), (std::vector<std::string>{sampleBitmap(1), "1", "1", "1"}));
    EXPECT_EQ(readEntry(2), (std::vector<std::string>{sampleBitmap(2), "120", "45", "2"}));

    selectRows(dialog, {1});
    clickButton(dialog, ED_TILE);
    EXPECT_FALSE(isEnabled(dialog, ED_X_UPDOWN));
    sendCommand(dialog, ED_SAVE);
    EXPECT_EQ(readEntry(1)[3], "0");
    EXPECT_EQ(readEntry(0)[3], "2");

    // A placement change is a change: closing asks.
    clickButton(dialog, ED_CENTER);
    closeDiscarding(editor);
    EXPECT_EQ(readEntry(1)[3], "0");
}
