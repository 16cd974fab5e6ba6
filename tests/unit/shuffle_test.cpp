#include "folderplace.h"
#include "hash64.h"
#include "random31.h"
#include "sectionread.h"
#include "shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

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

namespace {
uint64_t factorial(int n)
{
    return n <= 1 ? 1 : n * factorial(n - 1);
}

// The rank of an order of 0..n-1 among all n! of them.
uint64_t orderRank(const std::vector<int>& order)
{
    uint64_t rank = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        int smaller = 0;
        for (size_t j = i + 1; j < order.size(); ++j)
            smaller += order[j] < order[i];
        rank = rank * (order.size() - i) + smaller;
    }
    return rank;
}

// Counts the orders that come up and which picture comes first: every order
// must come, and the first places must pass a chi-square test at the
// 99.99 % level of their degrees of freedom (1 to 7).
struct OrderCounts {
    explicit OrderCounts(int n) : n(n), orders(factorial(n), 0), firsts(n, 0) {}
    void add(const std::vector<int>& order)
    {
        ++orders[orderRank(order)];
        ++firsts[order[0]];
        ++rounds;
    }
    void check() const
    {
        EXPECT_EQ(std::count(orders.begin(), orders.end(), 0u), 0) << "orders that never came, of " << n;
        const double bound[] = {0, 15.14, 18.42, 21.11, 23.51, 25.74, 27.86, 29.88};
        double expected = double(rounds) / n;
        double chiSquare = 0;
        for (uint64_t first : firsts)
            chiSquare += (first - expected) * (first - expected) / expected;
        EXPECT_LT(chiSquare, bound[n - 1]) << n << " pictures";
    }
    int n;
    std::vector<uint64_t> orders;
    std::vector<uint64_t> firsts;
    uint64_t rounds = 0;
};

// Rounds enough that every order of n comes: at least 100,000, and 25 for
// each order (the chance that one of 8! never comes is then below 10^-6).
uint64_t roundsFor(int n)
{
    return std::max<uint64_t>(100000, 25 * factorial(n));
}

std::vector<std::string> pictureNames(int n)
{
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i)
        names.push_back("IMG_" + std::to_string(1000 + i) + ".JPG");
    return names;
}

std::vector<const char*> pointers(const std::vector<std::string>& names)
{
    std::vector<const char*> out;
    for (const std::string& name : names)
        out.push_back(name.c_str());
    return out;
}
}  // namespace

// A round orders a folder's pictures by their keyed hash: over many seeds
// every order of 2 to 8 pictures comes, each picture first as often as the
// others; the round's first picture is the one the order puts first.
TEST(FolderRound, EveryOrderOfASmallFolderIsEquallyLikely)
{
    for (int n = 2; n <= 8; ++n) {
        std::vector<std::string> names = pictureNames(n);
        std::vector<const char*> paths = pointers(names);
        OrderCounts counts(n);
        for (uint64_t r = 0; r < roundsFor(n); ++r) {
            uint64_t seed = mix64(r + 1);
            std::vector<std::pair<uint64_t, int>> hashes;
            for (int i = 0; i < n; ++i)
                hashes.push_back({roundHash(paths[i], seed), i});
            std::sort(hashes.begin(), hashes.end());
            std::vector<int> order;
            for (const auto& h : hashes)
                order.push_back(h.second);
            counts.add(order);
            if (r < 1000) {
                PictureRound round = {0, 0};
                ASSERT_EQ(nextInRound(paths.data(), n, &round, seed), static_cast<uint32_t>(order[0]));
            }
        }
        counts.check();
    }
}

// The entries' round keeps its meaning: over rounds of changes five minutes
// apart, each seeded from its second as a change is (with the warm-up
// draws), every order of 2 to 8 entries comes, each entry first alike.
TEST(EntryRound, EveryOrderOfAShortListIsEquallyLikely)
{
    for (int n = 2; n <= 8; ++n) {
        OrderCounts counts(n);
        for (uint64_t r = 0; r < roundsFor(n); ++r) {
            EntryRound round;
            parseEntryRound("", 0, n, 1u, &round);
            std::vector<int> order;
            for (int change = 0; change < n; ++change) {
                seedRandom31(static_cast<uint32_t>(1700000000u + r * 7919u + change * 300u));
                for (int i = 0; i < 29; ++i)
                    drawRandom31();
                order.push_back(drawFromEntryRound(&round, n, static_cast<uint32_t>(drawRandom31())));
            }
            counts.add(order);
        }
        counts.check();
    }
}

// A round of 10,000 pictures shows each exactly once; the next round does
// not open with the last picture.
TEST(FolderRound, ARoundOfTenThousandShowsEachOnce)
{
    std::vector<std::string> names = pictureNames(10000);
    std::vector<const char*> paths = pointers(names);
    std::vector<bool> shown(names.size(), false);
    PictureRound round = {0, 0};
    uint32_t picture = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        picture = nextInRound(paths.data(), static_cast<uint32_t>(paths.size()), &round, 77u);
        ASSERT_FALSE(shown[picture]) << i;
        shown[picture] = true;
    }
    uint64_t seed = round.seed;
    EXPECT_NE(nextInRound(paths.data(), static_cast<uint32_t>(paths.size()), &round, 78u), picture);
    EXPECT_NE(round.seed, seed);
}

// A folder that changes during a pass (list order) or a round: a picture
// added before or after the place, or the picture at the place taken away.
// Nothing that stays comes twice or is skipped; what is added comes at
// most once; what is gone no more.
TEST(FolderPlace, PicturesAddedOrTakenAwayMoveNothing)
{
    enum Change { ADD_BEFORE, ADD_AFTER, REMOVE_AT_PLACE };
    for (bool shuffled : {false, true}) {
        for (Change change : {ADD_BEFORE, ADD_AFTER, REMOVE_AT_PLACE}) {
            for (uint64_t seed = 1; seed <= 40; ++seed) {
                SCOPED_TRACE(std::string(shuffled ? "round " : "list order ") + std::to_string(change) + " " +
                             std::to_string(seed));
                std::vector<std::string> names = {"b.jpg", "d.jpg", "f.jpg", "h.jpg", "j.jpg", "l.jpg"};
                std::string place;
                PictureRound round = {0, 0};
                std::vector<std::string> shown;
                auto next = [&] {
                    std::sort(names.begin(), names.end());
                    std::vector<const char*> paths = pointers(names);
                    uint32_t i = shuffled ? nextInRound(paths.data(), static_cast<uint32_t>(names.size()), &round,
                                                        mix64(seed << 8 | shown.size()))
                                          : nextInListOrder(paths.data(), static_cast<uint32_t>(names.size()),
                                                            place.c_str());
                    place = names[i];
                    shown.push_back(names[i]);
                };
                next();
                next();
                uint64_t seedOfRound = round.seed;
                std::string added;
                if (change == REMOVE_AT_PLACE) {
                    names.erase(std::find(names.begin(), names.end(), place));
                } else {
                    // Before or after the place in the pass's order.
                    added = change == ADD_BEFORE ? "a.jpg" : "z.jpg";
                    if (shuffled) {
                        for (char c = 'a'; c <= 'z'; ++c) {
                            std::string name = std::string(1, c) + c + ".jpg";
                            if ((roundHash(name.c_str(), round.seed) < round.last) == (change == ADD_BEFORE)) {
                                added = name;
                                break;
                            }
                        }
                    }
                    names.push_back(added);
                }
                // The rest of the pass or round, up to the picture that
                // opens the next: a wrap to the start, or a new seed.
                for (int i = 0; i < 12; ++i) {
                    std::string before = shown.back();
                    next();
                    bool over = shuffled ? round.seed != seedOfRound
                                         : comparePicturePaths(shown.back().c_str(), before.c_str()) <= 0;
                    if (over)
                        break;
                }
                shown.pop_back();
                std::vector<std::string> sorted = shown;
                std::sort(sorted.begin(), sorted.end());
                EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "a repeat";
                for (const std::string& name : names) {
                    bool came = std::count(shown.begin(), shown.end(), name) == 1;
                    EXPECT_TRUE(came || name == added) << name << " was skipped";
                }
                // Added after the place, it comes in this pass; before it, in the next.
                if (change != REMOVE_AT_PLACE)
                    EXPECT_EQ(std::count(shown.begin(), shown.end(), added), change == ADD_AFTER ? 1 : 0);
            }
        }
    }
}

// A folder's state through the settings file: its key is the same in any
// letter case (known answers worked out in Python), its value holds the
// folder, the place escaped (any byte, the separator among them) and the
// round; another folder's value, or a damaged one, is not taken.
TEST(FolderPlace, AFoldersStateSurvivesTheFile)
{
    char key[PATH_KEY_SIZE];
    pathKey("C:\\Photos\\", key);
    EXPECT_STREQ(key, "c0491b8bdbf3d88c");
    pathKey("d:\\shots\\2026\\", key);
    EXPECT_STREQ(key, "a44c12f44346d9b5");
    const struct {
        const char* place;
        PictureRound round;
    } states[] = {
        {"", {0, 0}},
        {"sub\\IMG_0001.JPG", {0, 0}},
        {"%|\"quoted' name .jpg", {0x0123456789abcdefull, 0xfedcba9876543210ull}},
        {" \xe6\x9d\xb1\xe4\xba\xac.png", {1, ~0ull}},
    };
    for (const auto& state : states) {
        SCOPED_TRACE(state.place);
        char text[FOLDER_STATE_TEXT];
        formatFolderState("c:\\photos\\", state.place, state.round, text);
        std::string stored = throughTheFile(key, text);
        char place[PLACE_SIZE];
        PictureRound round = {9, 9};
        ASSERT_TRUE(parseFolderState(stored.data(), stored.size(), "C:\\PHOTOS\\", place, &round)) << text;
        EXPECT_STREQ(place, state.place);
        EXPECT_EQ(round.seed, state.round.seed);
        EXPECT_EQ(round.last, state.round.seed ? state.round.last : 0);
        EXPECT_FALSE(parseFolderState(stored.data(), stored.size(), "c:\\photo\\", place, &round));
    }
    char place[PLACE_SIZE];
    PictureRound round;
    for (const char* bad : {"", "c:\\photos\\", "c:\\photos\\|a.jpg", "c:\\photos\\|%4|",
                            "c:\\photos\\|a|12:34", "c:\\photos\\|a|0000000000000000:0000000000000001"})
        EXPECT_FALSE(parseFolderState(bad, std::strlen(bad), "c:\\photos\\", place, &round)) << bad;
}
