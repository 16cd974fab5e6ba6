#include "folderorder.h"
#include "sectionread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {
std::string valueOf(const std::string& section, const char* key)
{
    SectionValue value;
    if (!sectionValue(section.data(), section.size(), key, &value))
        return "<absent>";
    return std::string(value.text, value.length);
}
}  // namespace

// What the profile's string and integer readers give for a key, read out of
// a whole section: keys matched without case or blanks, the first line
// wins (one without "=" has no value), blanks and one pair of quotes taken
// off, numbers with the reader's base prefixes.
TEST(SectionRead, ValuesReadAsTheProfileReadersReadOneKey)
{
    std::string section;
    for (const char* line : {"a=1", " B = two words ", "b=second", "q=\"quoted\"", "s='single'", "m=\"mixed'", "e=",
                             "bare", "bare=late", "n= -12x", "big=4294967297", "h=0x1F", "o=-0o17", "bin=0b102",
                             "X=0X10", "long=000000000000000000000000000012", "", "after=lost"})
        section += std::string(line) + '\0';
    const struct {
        const char* key;
        const char* text;
        int number;
    } cases[] = {
        {"a", "1", 1},         {"b", "two words", 0}, {"Q", "quoted", 0},       {"s", "single", 0},
        {"m", "\"mixed'", 0},  {"e", "", 99},         {"bare", "<absent>", 99}, {"n", "-12x", -12},
        {"big", "4294967297", 1}, {"h", "0x1F", 31},  {"o", "-0o17", -15},      {"bin", "0b102", 2},
        {"X", "0X10", 0},      {"long", "000000000000000000000000000012", 1},
        {"after", "<absent>", 99}, {"none", "<absent>", 99},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(valueOf(section, c.key), c.text) << c.key;
        SectionValue value;
        if (sectionValue(section.data(), section.size(), c.key, &value))
            EXPECT_EQ(sectionValueInt(value, 99), c.number) << c.key;
    }
}

TEST(SectionRead, TheListIsIndexedByEntryAndField)
{
    std::string section;
    for (const char* line : {"000_wall=c:\\a.bmp", "000_WALL=c:\\second.bmp", " 001_next = 4", "0001_wall=x",
                             "499_round=\"1:2:3\"", "500_wall=past", "note=1"})
        section += std::string(line) + '\0';
    std::unique_ptr<ListLines> lines(new ListLines);
    indexListSection(section.data(), section.size(), lines.get());
    auto text = [&](int index, EntryField field) {
        const SectionValue& v = lines->fields[index][field];
        return lines->present[index][field] ? std::string(v.text, v.length) : "<absent>";
    };
    EXPECT_EQ(text(0, ENTRY_WALL), "c:\\a.bmp");
    EXPECT_EQ(text(1, ENTRY_NEXT), "4");
    EXPECT_EQ(text(1, ENTRY_WALL), "<absent>");
    EXPECT_EQ(text(499, ENTRY_ROUND), "1:2:3");
    int present = 0;
    for (int i = 0; i < RANDOM_SCAN_LIMIT; ++i)
        present += static_cast<int>(std::count(lines->present[i], lines->present[i] + ENTRY_FIELD_COUNT, true));
    EXPECT_EQ(present, 3);
}

// A folder's pictures sort by path with A to Z folded, byte by byte: a
// subfolder's backslash (0x5C) after a dot and digits, and an underscore
// (0x5F) before the letters, as a to z (not A to Z) places it.
TEST(FolderOrder, PathsSortByteByByteAfterFoldingAToZ)
{
    std::vector<std::string> paths = {"b.jpg", "A\\x.png", "a.bmp", "_z.gif", "a1.tif", "B.JPG2", "C.bmp"};
    std::sort(paths.begin(), paths.end(),
              [](const std::string& a, const std::string& b) { return compareFoldedPaths(a.c_str(), b.c_str()) < 0; });
    EXPECT_EQ(paths, (std::vector<std::string>{"_z.gif", "a.bmp", "a1.tif", "A\\x.png", "b.jpg", "B.JPG2", "C.bmp"}));
    EXPECT_EQ(compareFoldedPaths("Sea.JPG", "sea.jpg"), 0);

    const struct {
        const char* name;
        bool picture;
    } names[] = {{"a.BMP", true}, {"b.jpeg", true}, {"c.tiff", true}, {"d.gif", true}, {"e.png", true},
                 {"f.jpg.txt", false}, {"g.tif.", false}, {"bmp", false}, {"h.jpe", false}, {"i.tiffs", false}};
    for (const auto& n : names)
        EXPECT_EQ(isListedPictureName(n.name), n.picture) << n.name;
    EXPECT_TRUE(isFolderEntry("c:\\photos\\"));
    EXPECT_FALSE(isFolderEntry("c:\\photos"));
    EXPECT_FALSE(isFolderEntry(""));
    // Letter case does not change a fingerprint; the split between texts does.
    EXPECT_EQ(addToFingerprint(FINGERPRINT_START, "AB", 2), addToFingerprint(FINGERPRINT_START, "ab", 2));
    EXPECT_NE(addToFingerprint(addToFingerprint(FINGERPRINT_START, "a", 1), "bc", 2),
              addToFingerprint(addToFingerprint(FINGERPRINT_START, "ab", 2), "c", 1));
}
