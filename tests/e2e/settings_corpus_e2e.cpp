// Every file of the hostile settings corpus (tools/corpus): the editor and
// the changer start on it and answer, the editor shows what the platform's
// profile reader makes of each value by the documented rules, a save writes
// a file the changer then reads, and no key the editor does not own is lost.
// Which numbers the damaged texts read as (words, signs, blanks, more than 32
// bits) is the platform's reader's decision; the expectations are taken from
// what it gives here. Wine wraps numbers beyond 32 bits; Windows' reader
// parses the same forms, so the rules hold there too.
#include "editor_driver.h"
#include "editortexts.h"
#include "listsection.h"
#include "residentdriver.h"
#include "settingscorpus.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <set>

void PrintTo(const SettingsCase& file, std::ostream* out)
{
    *out << file.name;
}

namespace {
const char* const EDITOR_KEYS[] = {KEY_WINDOW_X,    KEY_WINDOW_Y,   KEY_CHANGE_EVERY,
                                   KEY_TIME_PERIOD, KEY_SUCCESSIVE, KEY_BITMAP_INDEX};
const int CHANGE_NOW = 106;

// What the platform reads in the file, through the rules both programs use.
struct Reading {
    int policy;
    int period;
    bool successive;
    int index;
    std::vector<StoredEntry> entries;  // as the editor loads them: 16-bit origins
    // "section=key=value" of every key neither program owns. A line without
    // "=" is no key (the reader cannot read it back), nor is a comment (Wine
    // does not even list those); a section written whole loses both.
    std::set<std::string> foreign;
};

int readInt(const char* section, const char* key, int fallback)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, SETTINGS_FILE));
}

// The lines of a whole section, or the section names (section NULL).
std::vector<std::string> lines(const char* section)
{
    std::vector<char> block(1 << 16);
    DWORD read;
    while ((read = section ? GetPrivateProfileSectionA(section, block.data(), block.size(), SETTINGS_FILE)
                           : GetPrivateProfileSectionNamesA(block.data(), block.size(), SETTINGS_FILE)) ==
           block.size() - 2)
        block.resize(block.size() * 2);
    std::vector<std::string> found;
    for (const char* line = block.data(); *line; line += found.back().size() + 1)
        found.push_back(line);
    return found;
}

bool ownedKey(const std::string& section, const std::string& key)
{
    if (lstrcmpiA(section.c_str(), SECTION_LIST) == 0)
        return isEditorEntryKey(key.c_str(), key.size());
    if (lstrcmpiA(section.c_str(), SECTION_CONFIG) != 0)
        return false;
    for (const char* owned : EDITOR_KEYS)
        if (lstrcmpiA(key.c_str(), owned) == 0)
            return true;
    return lstrcmpiA(key.c_str(), KEY_LAST_CHANGE) == 0;
}

Reading readFile()
{
    WritePrivateProfileStringA(NULL, NULL, NULL, SETTINGS_FILE);
    Reading reading;
    reading.policy = readInt(SECTION_CONFIG, KEY_CHANGE_EVERY, 0);
    reading.period = readInt(SECTION_CONFIG, KEY_TIME_PERIOD, 0);
    reading.successive = readInt(SECTION_CONFIG, KEY_SUCCESSIVE, 1) == 1;
    reading.index = readInt(SECTION_CONFIG, KEY_BITMAP_INDEX, 1);
    for (int i = 0; i < 50; ++i) {
        char path[100];
        GetPrivateProfileStringA(SECTION_LIST, entryKey(i, ENTRY_WALL).c_str(), MISSING_ENTRY, path, sizeof path,
                                 SETTINGS_FILE);
        if (isMissingEntry(path))
            break;
        reading.entries.push_back({path, readInt(SECTION_LIST, entryKey(i, ENTRY_XPOS).c_str(), 0) & 0xFFFF,
                                   readInt(SECTION_LIST, entryKey(i, ENTRY_YPOS).c_str(), 0) & 0xFFFF,
                                   readInt(SECTION_LIST, entryKey(i, ENTRY_TYPE).c_str(), 1)});
    }
    for (const std::string& section : lines(NULL))
        for (const std::string& line : lines(section.c_str()))
            if (line.find('=') != std::string::npos && !ownedKey(section, line.substr(0, line.find('='))))
                reading.foreign.insert(section + "=" + line);
    return reading;
}

// The corpus text with real bitmaps for "<bitmapN>".
std::string withBitmaps(std::string text)
{
    for (int i = 0; i < 5; ++i) {
        std::string mark = "<bitmap" + std::to_string(i) + ">";
        for (size_t at; (at = text.find(mark)) != std::string::npos;)
            text.replace(at, mark.size(), sampleBitmap(i));
    }
    return text;
}

int rowOrNone(int value, int rows)
{
    return value >= 0 && value < rows ? value : -1;
}

class SettingsCorpus : public ::testing::TestWithParam<SettingsCase> {
protected:
    void SetUp() override { clear(); }
    void TearDown() override
    {
        killEditors();
        endAllResidents();
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        clear();
    }
    static void clear()
    {
        removeSettings();
        RemoveDirectoryA(settingsPath().c_str());
    }
    HANDLE held = INVALID_HANDLE_VALUE;
};
}  // namespace

TEST_P(SettingsCorpus, BothProgramsLoadWhatTheyCanAndASaveKeepsEveryOtherKey)
{
    const SettingsCase& hostile = GetParam();
    if (hostile.form == SETTINGS_DIRECTORY) {
        ASSERT_TRUE(CreateDirectoryA(settingsPath().c_str(), NULL));
    } else {
        std::string text = withBitmaps(hostile.text);
        FILE* file = std::fopen(settingsPath().c_str(), "wb");
        ASSERT_TRUE(file != NULL);
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    if (hostile.form == SETTINGS_LOCKED)
        held = CreateFileA(settingsPath().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    const bool writable = hostile.form == SETTINGS_TEXT;
    const Reading stored = readFile();
    const std::string desktop = readProfile(DESKTOP_SECTION, DESKTOP_WALLPAPER);

    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    HWND dialog = editor.dialog;
    if (!writable) {
        // A file that cannot be read is not taken for an empty one: the
        // editor says that what it shows are the defaults.
        HWND box = waitForMessageBox("Error", 5000, editor.program.id);
        ASSERT_NE(box, (HWND)NULL) << "a file that cannot be read was loaded as an empty one";
        EXPECT_EQ(messageBoxText(box), LOAD_UNREADABLE_TEXT);
        EXPECT_EQ(messageBoxOwner(box), dialog);
        ASSERT_TRUE(answerMessageBox(box, IDOK));
    }
    Resident resident = startResident();
    ASSERT_NE(resident.window, (HWND)NULL);
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_LAST_CHANGE) == std::to_string(todayByFileTime()),
              hostile.changesAtStart);

    // The editor shows what it could load, by the documented rules.
    std::vector<std::string> rows;
    for (const StoredEntry& entry : stored.entries)
        rows.push_back(entry.path);
    EXPECT_EQ(listRows(dialog), rows);
    int caret = rows.empty() ? -1 : std::max(0, rowOrNone(stored.index, static_cast<int>(rows.size())));
    if (!rows.empty()) {
        EXPECT_EQ(caretRow(dialog), caret);
    }
    EXPECT_EQ(comboSelection(dialog, ED_CHANGE_EVERY), rowOrNone(stored.policy, 7));
    EXPECT_EQ(comboSelection(dialog, ED_TIME_PERIOD), rowOrNone(stored.period, 5));
    EXPECT_EQ(isChecked(dialog, ED_RANDOM), !stored.successive);
    RECT place;
    GetWindowRect(dialog, &place);
    POINT titleBar = {place.left + 40, place.top + GetSystemMetrics(SM_CYCAPTION) / 2};
    EXPECT_NE(MonitorFromPoint(titleBar, MONITOR_DEFAULTTONULL), (HMONITOR)NULL) << "the dialog is out of reach";

    if (!writable) {
        // The save is refused and told; a change asked for of the changer
        // says it cannot read the list, and changes nothing; both go on.
        postCommand(dialog, ED_SAVE);
        HWND box = waitForMessageBox("Error", 5000, editor.program.id);
        ASSERT_NE(box, (HWND)NULL) << "a refused save went unnoticed";
        EXPECT_EQ(messageBoxText(box), SAVE_UNREADABLE_TEXT);
        EXPECT_TRUE(answerMessageBox(box, IDOK));
        EXPECT_TRUE(answers(dialog));
        PostMessageA(resident.window, WM_COMMAND, CHANGE_NOW, 0);
        box = waitForMessageBox("Vistrell reporting error:", 5000, resident.program.id);
        ASSERT_NE(box, (HWND)NULL) << "a change that could not read the list went unnoticed";
        EXPECT_EQ(messageBoxText(box), "Cannot read VISTRELL.INI.");
        EXPECT_TRUE(answerMessageBox(box, IDOK));
        EXPECT_TRUE(answers(resident.window));
        EXPECT_EQ(readProfile(DESKTOP_SECTION, DESKTOP_WALLPAPER), desktop);
        return;
    }

    // A save writes what the dialog shows, entries 000 on from the rows, and
    // keeps every key of others.
    sendCommand(dialog, ED_SAVE);
    EXPECT_EQ(countMessageBoxes("Error", editor.program.id), 0);
    const Reading saved = readFile();
    EXPECT_EQ(saved.policy, rowOrNone(stored.policy, 7));
    EXPECT_EQ(saved.period, rowOrNone(stored.period, 5));
    EXPECT_EQ(saved.successive, stored.successive);
    EXPECT_EQ(saved.index, caret);
    ASSERT_EQ(saved.entries.size(), stored.entries.size());
    for (size_t i = 0; i < saved.entries.size(); ++i) {
        EXPECT_EQ(saved.entries[i].path, stored.entries[i].path) << i;
        EXPECT_EQ(saved.entries[i].x, stored.entries[i].x) << i;
        EXPECT_EQ(saved.entries[i].y, stored.entries[i].y) << i;
        EXPECT_EQ(saved.entries[i].mode, stored.entries[i].mode) << i;
    }
    for (size_t i = saved.entries.size(); i < 50; ++i)
        EXPECT_EQ(readEntry(static_cast<int>(i)), std::vector<std::string>(4, "<absent>")) << i;
    for (const std::string& line : stored.foreign)
        EXPECT_EQ(saved.foreign.count(line), 1u) << "lost: " << line.substr(0, 80);

    // The changer reads the saved file: the current row, or any row at random.
    DWORD_PTR result;
    ASSERT_NE(SendMessageTimeoutA(resident.window, WM_COMMAND, CHANGE_NOW, 0, SMTO_NORMAL, 5000, &result), 0);
    std::string wallpaper = readProfile(DESKTOP_SECTION, DESKTOP_WALLPAPER);
    if (rows.empty()) {
        EXPECT_EQ(wallpaper, desktop);
    } else if (stored.successive) {
        EXPECT_STRCASEEQ(wallpaper.c_str(), rows[caret].c_str());
        EXPECT_EQ(bitmapIndex(), caret + 1);
    } else {
        EXPECT_LT(bitmapIndex() - 1, static_cast<int>(rows.size()));
    }
    EXPECT_TRUE(answers(resident.window));
    closeUnchanged(editor);
    EXPECT_TRUE(closeResident(resident));
}

INSTANTIATE_TEST_SUITE_P(Hostile, SettingsCorpus, ::testing::ValuesIn(hostileSettings()),
                         [](const ::testing::TestParamInfo<SettingsCase>& info) { return info.param.name; });
