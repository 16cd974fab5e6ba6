#include "filesplit.h"
#include "textcase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const size_t RESULT_SIZE = 300;

// The table behind the splitter: takes paths while it has room, and records
// every call in order as "add <path>", "full <path>" or "skip <name> <why>".
struct Table {
    int room = 50;
    std::vector<std::string> events;
    std::vector<std::string> added;
};

bool addToTable(void* context, const char* path)
{
    Table* table = static_cast<Table*>(context);
    if (table->room == 0) {
        table->events.push_back(std::string("full ") + path);
        return false;
    }
    --table->room;
    table->added.push_back(path);
    table->events.push_back(std::string("add ") + path);
    return true;
}

void recordSkip(void* context, const char* name, SkipReason reason)
{
    Table* table = static_cast<Table*>(context);
    table->events.push_back(std::string("skip ") + name +
                            (reason == SKIP_PATH_TOO_LONG ? " path" : " directory"));
}

// A result buffer of exactly resultSize bytes on the heap, so that a read past
// its end is caught by the address sanitizer. Bytes not given are zero.
std::vector<char> resultBuffer(const std::string& bytes, size_t resultSize = RESULT_SIZE)
{
    std::vector<char> buffer(resultSize, '\0');
    std::copy_n(bytes.begin(), std::min(bytes.size(), resultSize), buffer.begin());
    return buffer;
}

// Runs the split as the editor does: the first text is lower-cased first.
int split(Table& table, std::string bytes, ResultForm form, size_t resultSize = RESULT_SIZE)
{
    std::vector<char> buffer = resultBuffer(bytes, resultSize);
    lowercaseAsciiWithin(buffer.data(), buffer.size());
    SplitSinks sinks = {addToTable, recordSkip, &table};
    return splitDialogResult(buffer.data(), buffer.size(), form, sinks);
}

using Paths = std::vector<std::string>;

}  // namespace

TEST(SplitNewShellForm, DirectoryThenNamesKeepTheirOwnCase)
{
    Table table;
    EXPECT_EQ(split(table, std::string("C:\\PICS\0Sun.bmp\0Moon.BMP\0\0", 26), RESULT_ZERO_SEPARATED), 1);
    EXPECT_EQ(table.added, (Paths{"c:\\pics\\Sun.bmp", "c:\\pics\\Moon.BMP"}));
}

TEST(SplitNewShellForm, SingleFileIsTheWholeFirstText)
{
    Table table;
    EXPECT_EQ(split(table, std::string("C:\\Pics\\Sun.BMP\0\0", 17), RESULT_ZERO_SEPARATED), 1);
    EXPECT_EQ(table.added, (Paths{"c:\\pics\\sun.bmp"}));
}

TEST(SplitNewShellForm, DriveRootGetsNoSecondBackslash)
{
    Table table;
    EXPECT_EQ(split(table, std::string("C:\\\0A.bmp\0B.bmp\0\0", 17), RESULT_ZERO_SEPARATED), 1);
    EXPECT_EQ(table.added, (Paths{"c:\\A.bmp", "c:\\B.bmp"}));
}

TEST(SplitNewShellForm, NamesMayHoldSpaces)
{
    Table table;
    EXPECT_EQ(split(table, std::string("D:\\My Art\0Blue Sky.bmp\0\0", 24), RESULT_ZERO_SEPARATED), 1);
    EXPECT_EQ(table.added, (Paths{"d:\\my art\\Blue Sky.bmp"}));
}

TEST(SplitOldShellForm, WholeResultLowercasedAndSplitAtSpaces)
{
    Table table;
    EXPECT_EQ(split(table, "C:\\PICS SUN.BMP MOON.BMP", RESULT_SPACE_SEPARATED), 1);
    EXPECT_EQ(table.added, (Paths{"c:\\pics\\sun.bmp", "c:\\pics\\moon.bmp"}));

    Table single;
    EXPECT_EQ(split(single, "C:\\PICS\\SUN.BMP", RESULT_SPACE_SEPARATED), 1);
    EXPECT_EQ(single.added, (Paths{"c:\\pics\\sun.bmp"}));

    Table root;
    EXPECT_EQ(split(root, "A:\\ ONE.BMP TWO.BMP", RESULT_SPACE_SEPARATED), 1);
    EXPECT_EQ(root.added, (Paths{"a:\\one.bmp", "a:\\two.bmp"}));
}

// Stray spaces would make names of nothing; the directory alone is no file.
TEST(SplitOldShellForm, EmptyNamesAreNotHandedOn)
{
    Table table;
    EXPECT_EQ(split(table, "C:\\PICS  SUN.BMP ", RESULT_SPACE_SEPARATED), 1);
    EXPECT_EQ(table.events, (Paths{"add c:\\pics\\sun.bmp"}));
}

TEST(SplitFullTable, StopsAtOnceAndLeavesTheRestUntried)
{
    Table table;
    table.room = 1;  // 49 of 50 rows taken
    EXPECT_EQ(split(table, std::string("C:\\PICS\0A.BMP\0B.BMP\0C.BMP\0\0", 28), RESULT_ZERO_SEPARATED), 0);
    EXPECT_EQ(table.events, (Paths{"add c:\\pics\\A.BMP", "full c:\\pics\\B.BMP"}));

    Table old;
    old.room = 1;
    EXPECT_EQ(split(old, "C:\\PICS A.BMP B.BMP C.BMP", RESULT_SPACE_SEPARATED), 0);
    EXPECT_EQ(old.events, (Paths{"add c:\\pics\\a.bmp", "full c:\\pics\\b.bmp"}));

    for (ResultForm form : {RESULT_ZERO_SEPARATED, RESULT_SPACE_SEPARATED}) {
        Table full;
        full.room = 0;
        EXPECT_EQ(split(full, std::string("C:\\SUN.BMP\0\0", 12), form), 0);
        EXPECT_TRUE(full.added.empty());
    }
}

TEST(SplitResultEdge, NoSeparatorWithinTheResultHandsOnTheCompleteNames)
{
    // The third name runs into the end of the buffer without its zero.
    std::string zeroForm = std::string("C:\\PICS\0A.BMP\0B.BMP\0", 20) + std::string(280, 'x');
    Table table;
    EXPECT_EQ(split(table, zeroForm, RESULT_ZERO_SEPARATED), 1);
    EXPECT_EQ(table.events, (Paths{"add c:\\pics\\A.BMP", "add c:\\pics\\B.BMP"}));

    std::string spaceForm = "C:\\PICS A.BMP B.BMP " + std::string(280, 'X');
    Table old;
    EXPECT_EQ(split(old, spaceForm, RESULT_SPACE_SEPARATED), 1);
    EXPECT_EQ(old.added, (Paths{"c:\\pics\\a.bmp", "c:\\pics\\b.bmp"}));

    // Not even the first text ends: nothing at all.
    for (ResultForm form : {RESULT_ZERO_SEPARATED, RESULT_SPACE_SEPARATED}) {
        Table none;
        EXPECT_EQ(split(none, std::string(300, 'C'), form), 1);
        EXPECT_TRUE(none.events.empty());
    }
}

TEST(SplitResultEdge, ResultExactlyFillingTheBuffer)
{
    // Directory, two names and the closing zero in byte 299.
    std::string zeroForm = std::string("C:\\P\0A.BMP\0", 11) + std::string(287, 'n') + std::string("\0\0", 2);
    ASSERT_EQ(zeroForm.size(), RESULT_SIZE);
    Table table;
    EXPECT_EQ(split(table, zeroForm, RESULT_ZERO_SEPARATED), 1);
    // The long name does not fit a path; the short one does.
    EXPECT_EQ(table.added, (Paths{"c:\\p\\A.BMP"}));
    EXPECT_EQ(table.events.size(), 2u);

    // Same length with short names only: the last name's zero in byte 298.
    std::string many = std::string("C:\\P", 4);
    while (many.size() + 7 <= RESULT_SIZE - 1)
        many += std::string("\0N.BMP", 6);
    many += std::string(RESULT_SIZE - many.size(), '\0');
    ASSERT_EQ(many.size(), RESULT_SIZE);
    Table lots;
    lots.room = 1000;
    EXPECT_EQ(split(lots, many, RESULT_ZERO_SEPARATED), 1);
    EXPECT_EQ(lots.added.size(), (RESULT_SIZE - 5) / 6);

    // The old shell's text with its zero in byte 299.
    std::string spaceForm = "C:\\P A.BMP " + std::string(288, 'B');
    ASSERT_EQ(spaceForm.size(), RESULT_SIZE - 1);
    Table old;
    EXPECT_EQ(split(old, spaceForm, RESULT_SPACE_SEPARATED), 1);
    EXPECT_EQ(old.added, (Paths{"c:\\p\\a.bmp"}));
}

TEST(SplitResultEdge, ZeroFormWithoutTheClosingZero)
{
    // The last name's zero is the buffer's last byte: the name is complete.
    std::string lastName = std::string("C:\\P\0", 5);
    for (int i = 0; i < 48; ++i)
        lastName += std::string("N.BMP\0", 6);
    lastName += std::string("LAST.B\0", 7);
    ASSERT_EQ(lastName.size(), RESULT_SIZE);
    Table table;
    EXPECT_EQ(split(table, lastName, RESULT_ZERO_SEPARATED), 1);
    ASSERT_EQ(table.added.size(), 49u);
    EXPECT_EQ(table.added.back(), "c:\\p\\LAST.B");

    // The first text's zero is the last byte: one file or a directory cannot
    // be told apart, so nothing is handed on.
    Table first;
    EXPECT_EQ(split(first, std::string("C:\\SUN.BMP\0", 11), RESULT_ZERO_SEPARATED, 11), 1);
    EXPECT_TRUE(first.events.empty());
}

TEST(SplitTooLong, SinglePathLongerThan99IsReportedNotAdded)
{
    std::string path99 = "C:\\" + std::string(92, 'p') + ".BMP";
    ASSERT_EQ(path99.size(), 99u);
    Table fits;
    EXPECT_EQ(split(fits, path99 + std::string(2, '\0'), RESULT_ZERO_SEPARATED), 1);
    ASSERT_EQ(fits.added.size(), 1u);
    EXPECT_EQ(fits.added[0].size(), 99u);

    std::string path100 = "C:\\" + std::string(93, 'p') + ".BMP";
    for (ResultForm form : {RESULT_ZERO_SEPARATED, RESULT_SPACE_SEPARATED}) {
        Table table;
        EXPECT_EQ(split(table, path100 + std::string(2, '\0'), form), 1);
        EXPECT_EQ(table.events, (Paths{"skip c:\\" + std::string(93, 'p') + ".bmp path"}));
    }
}

TEST(SplitTooLong, NamesThatDoNotFitBehindTheDirectoryAreSkippedOthersAdded)
{
    std::string dir = "C:\\" + std::string(87, 'd');  // 90 characters, 91 with the backslash
    std::string result = dir + std::string("\0SHORT.BM\0LONGER.BMP\0X.BMP\0\0", 28);
    Table table;
    EXPECT_EQ(split(table, result, RESULT_ZERO_SEPARATED), 1);
    std::string lower = "c:\\" + std::string(87, 'd') + "\\";
    EXPECT_EQ(table.events,
              (Paths{"add " + lower + "SHORT.BM", "skip LONGER.BMP path", "add " + lower + "X.BMP"}));
    EXPECT_EQ(table.added[0].size(), 99u);
}

TEST(SplitTooLong, DirectoryAtAndPastTheLimit)
{
    // 100 characters: the directory itself does not fit; every name is told.
    std::string dir100 = "C:\\" + std::string(97, 'd');
    Table tooLong;
    EXPECT_EQ(split(tooLong, dir100 + std::string("\0A.BMP\0B.BMP\0\0", 14), RESULT_ZERO_SEPARATED), 1);
    EXPECT_EQ(tooLong.events, (Paths{"skip A.BMP directory", "skip B.BMP directory"}));

    // 99 characters fit, but with the backslash no name fits behind them.
    std::string dir99 = "C:\\" + std::string(96, 'd');
    Table full;
    EXPECT_EQ(split(full, dir99 + " A.BMP", RESULT_SPACE_SEPARATED), 1);
    EXPECT_EQ(full.events, (Paths{"skip a.bmp path"}));

    // 98 characters ending in a backslash leave room for a one-letter name.
    std::string dir98 = "C:\\" + std::string(94, 'd') + "\\";
    Table tight;
    EXPECT_EQ(split(tight, dir98 + std::string("\0A\0AB\0\0", 7), RESULT_ZERO_SEPARATED), 1);
    EXPECT_EQ(tight.added, (Paths{"c:\\" + std::string(94, 'd') + "\\A"}));
    EXPECT_EQ(tight.events.back(), "skip AB path");
}

TEST(SplitTooLong, WorksWithoutASkipSink)
{
    Table table;
    std::vector<char> buffer = resultBuffer("C:\\" + std::string(97, 'd') + std::string("\0A\0\0", 4));
    SplitSinks sinks = {addToTable, nullptr, &table};
    EXPECT_EQ(splitDialogResult(buffer.data(), buffer.size(), RESULT_ZERO_SEPARATED, sinks), 1);
    EXPECT_TRUE(table.events.empty());
}

TEST(SplitEmpty, EmptyResultsAndDirectoriesHandNothingOn)
{
    for (ResultForm form : {RESULT_ZERO_SEPARATED, RESULT_SPACE_SEPARATED}) {
        Table table;
        EXPECT_EQ(split(table, "", form), 1);
        EXPECT_TRUE(table.events.empty());
    }
    Table noDirectory;
    EXPECT_EQ(split(noDirectory, std::string("\0A.BMP\0\0", 8), RESULT_ZERO_SEPARATED), 1);
    EXPECT_TRUE(noDirectory.events.empty());

    Table zeroSize;
    EXPECT_EQ(split(zeroSize, "", RESULT_ZERO_SEPARATED, 0), 1);
    EXPECT_TRUE(zeroSize.events.empty());
}
