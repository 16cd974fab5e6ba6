#include "listsection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(ListSection, TheEditorOwnsTheKeysOfEntriesZeroToFortyNineOnly)
{
    const struct {
        const char* key;
        bool owned;
    } keys[] = {
        {"000_wall", true},   {"049_type", true},   {"017_xpos", true},    {"003_ypos", true},
        {"000_WALL", true},   {" 007_Xpos\t", true}, {"050_wall", false},  {"499_wall", false},
        {"00_wall", false},   {"0000_wall", false}, {"-01_wall", false},   {"000_walls", false},
        {"000-wall", false},  {"000_", false},      {"note", false},       {"", false},
        {"a00_wall", false},  {"000_wal", false},   {"0 0_wall", false},   {"000_path", false},
        {"012_next", true},   {"049_ROUND", true},  {"050_next", false},   {"000_roun", false},
        {"000_rounds", false}, {"000_nex", false},  {"000_nextx", false},
    };
    for (const auto& each : keys)
        EXPECT_EQ(isEditorEntryKey(each.key, std::strlen(each.key)), each.owned) << "'" << each.key << "'";
}

TEST(ListSection, ForeignLinesAreCopiedWholeInTheirOrder)
{
    // As the profile reader returns a section; the last line is bare.
    // (A literal's zero before a digit is split off, or it would read as
    // an octal escape.)
    const char section[] = "000_wall=c:\\a.bmp\0note=kept=twice\0" "050_wall=c:\\b.bmp\0 001_TYPE =1\0"
                           "049_ypos=3\0=no key\0bare";
    const std::string expected("note=kept=twice\0" "050_wall=c:\\b.bmp\0=no key\0bare\0", 47);
    char out[sizeof section + 1];
    size_t written = copyForeignLines(section, sizeof section - 1, out);
    EXPECT_EQ(std::string(out, written), expected);

    // An empty line ends the section.
    const char ended[] = "a=1\0\0b=2";
    EXPECT_EQ(std::string(out, copyForeignLines(ended, sizeof ended - 1, out)), std::string("a=1", 4));
    EXPECT_EQ(copyForeignLines("", 0, out), 0u);
}
