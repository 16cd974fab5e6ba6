#include "keys.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

static std::string key(int index, EntryField field)
{
    char buffer[ENTRY_KEY_BUFFER];
    formatEntryKey(buffer, index, field);
    return buffer;
}

TEST(EntryKeys, ThreeDigitZeroPaddedIndexAndSuffix)
{
    EXPECT_EQ(key(0, ENTRY_WALL), "000_wall");
    EXPECT_EQ(key(7, ENTRY_XPOS), "007_xpos");
    EXPECT_EQ(key(49, ENTRY_YPOS), "049_ypos");
    EXPECT_EQ(key(499, ENTRY_TYPE), "499_type");
}

TEST(EntryKeys, WideAndNegativeIndicesKeepAllTheirCharacters)
{
    EXPECT_EQ(key(1000, ENTRY_WALL), "1000_wall");
    EXPECT_EQ(key(-5, ENTRY_WALL), "-05_wall");
    EXPECT_EQ(key(INT_MIN, ENTRY_XPOS), "-2147483648_xpos");
    EXPECT_EQ(key(INT_MAX, ENTRY_TYPE), "2147483647_type");
}

TEST(EntryKeys, MissingEntryIsAnExactCaseSensitiveMatch)
{
    EXPECT_TRUE(isMissingEntry("[DOESN'T EXIST]"));
    EXPECT_FALSE(isMissingEntry("[doesn't exist]"));
    EXPECT_FALSE(isMissingEntry("[DOESN'T EXIST] "));
    EXPECT_FALSE(isMissingEntry(""));
}
