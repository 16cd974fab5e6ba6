// The settings file through the real profile functions under Wine.
#include "harness.h"
#include "settings.h"
#include "settingsgroup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { removeSettings(); }
    void TearDown() override { removeSettings(); }
};

TEST_F(SettingsFile, MissingFileReadsAsDefaults)
{
    EXPECT_EQ(readSettingInt(SECTION_CONFIG, KEY_SUCCESSIVE, 1), 1);
    EXPECT_EQ(readSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, 0), 0);
    EXPECT_EQ(readSettingInt(SECTION_CONFIG, KEY_LAST_CHANGE, 0), 0);
    EXPECT_EQ(readEntryInt(0, ENTRY_TYPE, 1), 1);
    char path[PATH_BUFFER];
    EXPECT_FALSE(readEntryPath(0, path));
    EXPECT_STREQ(path, MISSING_ENTRY);
    EXPECT_EQ(countEntries(EDITOR_ENTRY_LIMIT), 0);
}

TEST_F(SettingsFile, IntegersAreWrittenAsDecimalText)
{
    ASSERT_TRUE(writeSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, -1));
    ASSERT_TRUE(writeSettingUnsigned(SECTION_CONFIG, KEY_LAST_CHANGE, 4000000000u));
    ASSERT_TRUE(writeEntryInt(7, ENTRY_XPOS, 640));
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_BITMAP_INDEX), "-1");
    EXPECT_EQ(readSetting(SECTION_CONFIG, KEY_LAST_CHANGE), "4000000000");
    EXPECT_EQ(readSetting(SECTION_LIST, "007_xpos"), "640");
    EXPECT_EQ(readSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, 5), -1);
}

TEST_F(SettingsFile, FileLivesInTheWindowsDirectory)
{
    writeSettingInt(SECTION_CONFIG, KEY_SUCCESSIVE, 0);
    WritePrivateProfileStringA(NULL, NULL, NULL, SETTINGS_FILE);
    std::string text = settingsFileText();
    EXPECT_NE(text.find("[Configuration]"), std::string::npos) << settingsPath();
    EXPECT_NE(text.find("Successive=0"), std::string::npos);
}

TEST_F(SettingsFile, SentinelPathEndsTheList)
{
    writeEntryText(0, ENTRY_WALL, "c:\\a.bmp");
    writeEntryText(1, ENTRY_WALL, "c:\\b.bmp");
    writeEntryText(2, ENTRY_WALL, MISSING_ENTRY);
    writeEntryText(3, ENTRY_WALL, "c:\\d.bmp");
    EXPECT_EQ(countEntries(EDITOR_ENTRY_LIMIT), 2);
    EXPECT_EQ(countEntries(1), 1);
}

TEST_F(SettingsFile, SentinelComparisonIsCaseSensitive)
{
    writeEntryText(0, ENTRY_WALL, "[doesn't exist]");
    char path[PATH_BUFFER];
    EXPECT_TRUE(readEntryPath(0, path));
    EXPECT_EQ(countEntries(EDITOR_ENTRY_LIMIT), 1);
}

// Paths come back through a buffer of PATH_BUFFER bytes: up to 99
// characters whole, longer ones cut to 99, and a cut path still names an
// entry (the list goes on behind it).
TEST_F(SettingsFile, PathsComeBackWholeUpTo99CharactersAndCutBeyond)
{
    for (size_t length : {98u, 99u, 100u, 120u}) {
        std::string stored = "c:\\" + std::string(length - 7, 'p') + ".bmp";
        ASSERT_EQ(stored.size(), length);
        writeEntryText(0, ENTRY_WALL, stored.c_str());
        writeEntryText(1, ENTRY_WALL, "c:\\next.bmp");
        char path[PATH_BUFFER];
        ASSERT_TRUE(readEntryPath(0, path)) << length;
        EXPECT_EQ(std::string(path), stored.substr(0, 99)) << length;
        EXPECT_EQ(countEntries(EDITOR_ENTRY_LIMIT), 2) << length;
    }
}

TEST_F(SettingsFile, EntryKeysBeyondThreeDigitsAndNegativeIndices)
{
    writeEntryText(1000, ENTRY_WALL, "c:\\k.bmp");
    writeEntryText(-5, ENTRY_WALL, "c:\\n.bmp");
    EXPECT_EQ(readSetting(SECTION_LIST, "1000_wall"), "c:\\k.bmp");
    EXPECT_EQ(readSetting(SECTION_LIST, "-05_wall"), "c:\\n.bmp");
}

// A file that cannot be read is told apart from one that is not there or
// holds nothing: the profile reader gives the defaults for all three.
TEST_F(SettingsFile, AFileThatCannotBeReadIsToldFromAMissingOrEmptyOne)
{
    const struct {
        const char* what;
        bool exists;
        bool held;
        DWORD sharing;
        bool readable;
    } cases[] = {
        {"missing", false, false, 0, true},
        {"empty", true, false, 0, true},
        {"held without sharing", true, true, 0, false},
        {"held sharing reads", true, true, FILE_SHARE_READ, true},
        {"held sharing reads and writes", true, true, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        removeSettings();
        if (c.exists)
            CloseHandle(CreateFileA(settingsPath().c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
        HANDLE held = c.held ? CreateFileA(settingsPath().c_str(), GENERIC_READ, c.sharing, NULL, OPEN_EXISTING, 0, NULL)
                             : INVALID_HANDLE_VALUE;
        EXPECT_EQ(settingsReadable(), c.readable);
        // Nothing is kept open: the other program can still take the file
        // for itself.
        if (c.exists && !c.held) {
            HANDLE alone = CreateFileA(settingsPath().c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
            EXPECT_NE(alone, INVALID_HANDLE_VALUE);
            CloseHandle(alone);
        }
        char* block = NULL;
        unsigned length = 0;
        // The section reader alone reads a file it cannot open as empty.
        EXPECT_TRUE(readSettingSection(SECTION_LIST, &block, &length));
        EXPECT_EQ(length, 0u);
        free(block);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
    }
}

// The list read in one section read gives, entry by entry and field by
// field, what the profile's own readers give one key at a time: the file
// below is written raw, with the forms people and other tools write.
TEST_F(SettingsFile, TheListReadWholeReadsAsTheProfileReadersReadEachKey)
{
    const std::string longPath = "c:\\" + std::string(120, 'p') + ".bmp";
    std::string text = "[Bitmap list]\r\n"
                       "000_wall = \"c:\\quoted path\\a.bmp\" \r\n000_xpos='12'\r\n000_ypos= -7 \r\n000_type=2x\r\n"
                       "000_next=\"3\"\r\n000_round=1:2:3\r\n"
                       "001_WALL=c:\\upper.bmp\r\n001_wall=c:\\second line.bmp\r\n001_xpos=99999999999\r\n"
                       "001_ypos=\r\n001_type=abc\r\n"
                       "002_wall=" + longPath + "\r\n002_xpos=+5\r\n"
                       "002_ypos=0x20\r\n002_type=0X7\r\n003_wall=[DOESN'T EXIST]\r\n003_xpos=-0o17\r\n"
                       "004_wall\r\n004_xpos\r\n004_wall=c:\\late.bmp\r\n005_wall=c:\\after.bmp\r\n"
                       "1000_wall=c:\\far.bmp\r\n1000_next=4\r\n-01_wall=c:\\negative.bmp\r\n";
    FILE* file = fopen(settingsPath().c_str(), "wb");
    ASSERT_NE(file, (FILE*)NULL);
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);

    SettingsGroup settings;
    ASSERT_TRUE(readSettingsGroup(&settings, SETTINGS_LIST));
    const ListSnapshot& list = settings.list;
    ASSERT_NE(list.lines, (ListLines*)NULL);
    for (int index : {0, 1, 2, 3, 4, 5, 6, 1000, -1}) {
        SCOPED_TRACE(index);
        char whole[PATH_BUFFER];
        char each[PATH_BUFFER];
        EXPECT_EQ(snapshotEntryPath(list, index, whole), readEntryPath(index, each));
        EXPECT_STREQ(whole, each);
        for (EntryField field : {ENTRY_XPOS, ENTRY_YPOS, ENTRY_TYPE, ENTRY_NEXT})
            EXPECT_EQ(snapshotEntryInt(list, index, field, 77), readEntryInt(index, field, 77)) << field;
        char key[ENTRY_KEY_BUFFER];
        formatEntryKey(key, index, ENTRY_ROUND);
        readSettingText(SECTION_LIST, key, MISSING_ENTRY, each, sizeof each);
        bool present = snapshotText(list, index, ENTRY_ROUND, whole, sizeof whole);
        EXPECT_EQ(present ? std::string(whole) : MISSING_ENTRY, std::string(each));
    }
    EXPECT_EQ(snapshotCount(list, RANDOM_SCAN_LIMIT), countEntries(RANDOM_SCAN_LIMIT));
    freeSettingsGroup(&settings);
}

// A section's numbers and texts read whole agree with the profile's readers
// key by key, in the forms a hand-edited file holds.
TEST_F(SettingsFile, ASectionReadWholeReadsAsTheProfileReadersReadEachKey)
{
    std::string text = "[Display]\r\n Monitors = 1 \r\nFit=\"2\"\r\nShuffle\r\nShuffle=1\r\nSubfolders=0x10\r\n"
                       "Shuffle round = '3:ab:1' \r\nWait full screen=\r\nWait on battery=000000000000000000000000000001\r\n";
    FILE* file = fopen(settingsPath().c_str(), "wb");
    ASSERT_NE(file, (FILE*)NULL);
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);

    SettingsGroup settings;
    ASSERT_TRUE(readSettingsGroup(&settings, SETTINGS_DISPLAY));
    const SectionSettings& whole = settings.display;
    ASSERT_NE(whole.block, (char*)NULL);
    for (const char* key : {KEY_MONITORS, KEY_FIT, KEY_SHUFFLE, KEY_SUBFOLDERS, KEY_SHUFFLE_ROUND,
                            KEY_WAIT_FULL_SCREEN, KEY_WAIT_ON_BATTERY}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(sectionSettingInt(whole, key, 77), readSettingInt(SECTION_DISPLAY, key, 77));
        char fromWhole[16];
        char each[16];
        EXPECT_EQ(sectionSettingText(whole, key, fromWhole, sizeof fromWhole),
                  readSettingText(SECTION_DISPLAY, key, "", each, sizeof each));
        EXPECT_STREQ(fromWhole, each);
    }
    freeSettingsGroup(&settings);
}
