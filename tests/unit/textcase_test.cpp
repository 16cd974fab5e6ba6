#include "textcase.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(LowercaseAscii, OnlyLettersAToZChange)
{
    char text[] = "C:\\PICS\\Sun@[Z]`{.BMP";
    lowercaseAscii(text);
    EXPECT_STREQ(text, "c:\\pics\\sun@[z]`{.bmp");

    // Bytes above 127 (accented letters of the ANSI code page) stay.
    char accented[] = "\xC4RGER\xD6";
    lowercaseAscii(accented);
    EXPECT_STREQ(accented, "\xC4rger\xD6");
}

TEST(LowercaseAscii, StopsAtTheFirstZero)
{
    char result[] = "C:\\PICS\0Sun.BMP\0";
    lowercaseAscii(result);
    EXPECT_STREQ(result, "c:\\pics");
    EXPECT_STREQ(result + 8, "Sun.BMP");

    char empty[] = "";
    lowercaseAscii(empty);
    EXPECT_EQ(empty[0], '\0');
}

TEST(LowercaseAsciiWithin, StopsAtTheZeroOrTheBufferEnd)
{
    char result[] = "C:\\PICS\0Sun.BMP";
    lowercaseAsciiWithin(result, sizeof result);
    EXPECT_STREQ(result, "c:\\pics");
    EXPECT_STREQ(result + 8, "Sun.BMP");

    // A buffer without a zero: exactly size bytes change, the next stays.
    char unterminated[6] = {'A', 'B', 'C', 'D', 'E', 'F'};
    lowercaseAsciiWithin(unterminated, 5);
    EXPECT_EQ(std::memcmp(unterminated, "abcdeF", 6), 0);
}
