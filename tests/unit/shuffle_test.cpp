#include "permutation.h"
#include "sectionread.h"
#include "shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

TEST(Permutation, EverySizeUpToTenThousandIsAPermutationThatTheSeedChanges)
{
    std::vector<uint32_t> seen(10001, 0);
    for (uint32_t count = 1; count <= 10000; ++count) {
        bool differs = false;
        for (uint32_t position = 0; position < count; ++position) {
            uint32_t index = permutedIndex(7u, count, position);
            ASSERT_LT(index, count) << count;
            ASSERT_NE(seen[index], count) << "twice in " << count;
            seen[index] = count;
            differs = differs || index != permutedIndex(8u, count, position);
        }
        // Two elements have only two orders; from three on, the next seed
        // gives another one.
        if (count >= 3)
            EXPECT_TRUE(differs) << count;
    }
    // Both orders of two come up among a few seeds.
    std::vector<bool> firsts(2, false);
    for (uint32_t seed = 0; seed < 16; ++seed)
        firsts[permutedIndex(seed, 2, 0)] = true;
    EXPECT_TRUE(firsts[0] && firsts[1]);
}

namespace {
// A round's text as the settings file gives it back: one line of a section,
// quoted as a user may have written it.
std::string throughTheFile(const char* key, const char* text)
{
    std::string section = std::string("other=1") + '\0' + key + " = \"" + text + "\"" + '\0' + '\0';
    SectionValue value;
    EXPECT_TRUE(sectionValue(section.data(), section.size() - 1, key, &value));
    return std::string(value.text, value.length);
}
}  // namespace

// Four entries: each once in four draws, whatever the draws, and the round
// carries on the same after a stop in the settings file.
TEST(EntryRound, EachEntryComesOnceAndTheRoundSurvivesTheFile)
{
    const uint32_t fingerprint = 0x1234abcdu;
    const uint32_t draws[][8] = {{0, 0, 0, 0, 0, 0, 0, 0}, {3, 2, 1, 0, 3, 2, 1, 0}, {7, 99, 12345, 5, 1, 2, 3, 4}};
    for (const auto& row : draws) {
        EntryRound round;
        parseEntryRound("", 0, 4, fingerprint, &round);
        std::vector<int> shown;
        for (int i = 0; i < 8; ++i) {
            char text[ENTRY_ROUND_TEXT];
            formatEntryRound(round, 4, text);
            std::string stored = throughTheFile(KEY_SHUFFLE_ROUND, text);
            EntryRound read;
            parseEntryRound(stored.data(), stored.size(), 4, fingerprint, &read);
            EXPECT_EQ(std::memcmp(&read, &round, sizeof round), 0) << text;
            shown.push_back(drawFromEntryRound(&read, 4, row[i]));
            round = read;
        }
        std::vector<int> first(shown.begin(), shown.begin() + 4);
        std::vector<int> second(shown.begin() + 4, shown.end());
        std::sort(first.begin(), first.end());
        std::sort(second.begin(), second.end());
        EXPECT_EQ(first, (std::vector<int>{0, 1, 2, 3}));
        EXPECT_EQ(second, (std::vector<int>{0, 1, 2, 3}));
        // The new round does not open with the entry the last one ended on.
        EXPECT_NE(shown[4], shown[3]);
    }
}

// Known texts: entries 0 and 5 of six shown (digits "1", "2"), the last 5.
TEST(EntryRound, TextsOfAnotherListOrDamagedStartANewRound)
{
    EntryRound round;
    parseEntryRound("12:0000abcd:5", 13, 6, 0xabcdu, &round);
    EXPECT_EQ(round.shown[0], 0x21u);
    EXPECT_EQ(round.last, 5);
    char text[ENTRY_ROUND_TEXT];
    formatEntryRound(round, 6, text);
    EXPECT_STREQ(text, "12:0000abcd:5");
    const char* const others[] = {
        "12:0000abce:5",  // another list
        "1:0000abcd:5",   // too few digits for six entries
        "1g:0000abcd:5",  // not hexadecimal
        "14:0000abcd:5",  // entry 6 of six
        "12:0000abcd:6",  // last past the list
        "12:0000abcd",    // no last
        "12:0000abcd:-2", "12:0000abcd:x", "", "12:1000000abcd:5",
    };
    for (const char* other : others) {
        parseEntryRound(other, std::strlen(other), 6, 0xabcdu, &round);
        EXPECT_EQ(round.shown[0], 0u) << other;
        EXPECT_EQ(round.last, -1) << other;
    }
}

// A folder of seven: each picture once per round, the round surviving the
// file, the next round not opening with the last picture, and new content
// starting again.
TEST(FolderRound, EachPictureComesOnceAndTheRoundSurvivesTheFile)
{
    for (uint32_t seed = 0; seed < 50; ++seed) {
        FolderRound round = {0, 0, 1};
        std::vector<uint32_t> shown;
        for (uint32_t i = 0; i < 14; ++i) {
            char text[FOLDER_ROUND_TEXT];
            formatFolderRound(round, text);
            std::string stored = throughTheFile("003_round", text);
            FolderRound read;
            ASSERT_TRUE(parseFolderRound(stored.data(), stored.size(), &read)) << text;
            EXPECT_EQ(std::memcmp(&read, &round, sizeof round), 0) << text;
            shown.push_back(nextInFolderRound(&read, 7, 0xfeedu, seed * 0x10001u + i));
            round = read;
        }
        for (uint32_t start : {0u, 7u}) {
            std::vector<uint32_t> part(shown.begin() + start, shown.begin() + start + 7);
            std::sort(part.begin(), part.end());
            EXPECT_EQ(part, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5, 6})) << seed;
        }
        EXPECT_NE(shown[7], shown[6]) << seed;
        // Other content: position 0 of a fresh round.
        FolderRound other = round;
        nextInFolderRound(&other, 8, 0xbeefu, 42u);
        EXPECT_EQ(other.position, 1u);
        EXPECT_EQ(other.seed, 42u);
    }
    FolderRound round;
    for (const char* bad : {"", "1:2", "1:2:3:4", "1::3", "x:2:3", "123456789:1:1"})
        EXPECT_FALSE(parseFolderRound(bad, std::strlen(bad), &round)) << bad;
}
