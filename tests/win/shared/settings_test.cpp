// The settings file through the real profile functions under Wine.
#include "harness.h"
#include "settings.h"

#include <gtest/gtest.h>

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

TEST_F(SettingsFile, NonNumericAndHugeIntegersReadAsThePlatformParsesThem)
{
    writeSetting(SECTION_CONFIG, KEY_SUCCESSIVE, "abc");
    writeSetting(SECTION_CONFIG, KEY_CHANGE_EVERY, "3days");
    writeSetting(SECTION_CONFIG, KEY_TIME_PERIOD, "99999999999");
    // The platform's integer reader takes the leading digits and 0 for none.
    EXPECT_EQ(readSettingInt(SECTION_CONFIG, KEY_SUCCESSIVE, 1), 0);
    EXPECT_EQ(readSettingInt(SECTION_CONFIG, KEY_CHANGE_EVERY, 0), 3);
    int huge = readSettingInt(SECTION_CONFIG, KEY_TIME_PERIOD, 0);
    EXPECT_NE(huge, 0);  // no default: the reader makes a number of it
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

TEST_F(SettingsFile, LongPathComesBackCutTo99Characters)
{
    std::string longPath = "c:\\" + std::string(113, 'p') + ".bmp";
    ASSERT_EQ(longPath.size(), 120u);
    writeEntryText(0, ENTRY_WALL, longPath.c_str());
    char path[PATH_BUFFER];
    ASSERT_TRUE(readEntryPath(0, path));
    EXPECT_EQ(std::string(path), longPath.substr(0, 99));
}

TEST_F(SettingsFile, DeletingAKeyRemovesOnlyThatKey)
{
    writeEntryText(3, ENTRY_WALL, "c:\\x.bmp");
    writeEntryInt(3, ENTRY_TYPE, 2);
    writeEntryText(50, ENTRY_WALL, "c:\\far.bmp");
    ASSERT_TRUE(deleteEntryField(3, ENTRY_WALL));
    EXPECT_EQ(readSetting(SECTION_LIST, "003_wall"), "<absent>");
    EXPECT_EQ(readSetting(SECTION_LIST, "003_type"), "2");
    EXPECT_EQ(readSetting(SECTION_LIST, "050_wall"), "c:\\far.bmp");
}

TEST_F(SettingsFile, EntryKeysBeyondThreeDigitsAndNegativeIndices)
{
    writeEntryText(1000, ENTRY_WALL, "c:\\k.bmp");
    writeEntryText(-5, ENTRY_WALL, "c:\\n.bmp");
    EXPECT_EQ(readSetting(SECTION_LIST, "1000_wall"), "c:\\k.bmp");
    EXPECT_EQ(readSetting(SECTION_LIST, "-05_wall"), "c:\\n.bmp");
}
