#include "commandswitch.h"
#include "history.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {
// Changes named by a letter; those in gone have lost their files.
std::set<char> gone;
bool stillThere(const uint8_t* record, size_t, void*)
{
    return !gone.count(static_cast<char>(record[0]));
}
}  // namespace

// The history of changes from a table of steps: a new change ('+' and its
// letter), back ('<') and forward ('>'), files that go ('x' and a letter);
// after each step, the change shown ('-' for none to step to, the history
// where it was).
TEST(ChangeHistory, BackForwardANewChangeGoneFilesAndTheLimit)
{
    const struct {
        const char* what;
        std::vector<std::string> steps;  // step, then what it shows
    } cases[] = {
        {"back and forward", {"+a a", "+b b", "+c c", "< b", "< a", "< -", "> b", "> c", "> -"}},
        {"a new change drops what lay ahead", {"+a a", "+b b", "+c c", "< b", "< a", "+d d", "< a", "> d", "> -"}},
        {"a gone file is passed over and forgotten",
         {"+a a", "+b b", "+c c", "xb -", "< a", "> c", "< a", "xa -", "< -", "> c"}},
        {"going forward, the same", {"+a a", "+b b", "+c c", "< b", "< a", "xb -", "> c", "< a"}},
        {"no change yet", {"< -", "> -", "+a a", "< -"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChangeHistory history = {};
        clearHistory(&history);
        gone.clear();
        for (const std::string& step : c.steps) {
            char shown = step[2];
            size_t size = 0;
            const uint8_t* record = NULL;
            switch (step[0]) {
            case '+':
                ASSERT_TRUE(recordChange(&history, &step[1], 1));
                break;
            case 'x':
                gone.insert(step[1]);
                continue;
            default:
                record = stepHistory(&history, step[0] == '<' ? -1 : +1, stillThere, NULL, &size);
                if (shown == '-') {
                    EXPECT_EQ(record, nullptr) << step;
                    continue;
                }
                ASSERT_NE(record, nullptr) << step;
                EXPECT_EQ(static_cast<char>(record[0]), shown) << step;
                break;
            }
        }
        clearHistory(&history);
    }
    // Seventeen changes: the first is gone, the sixteen others remain.
    ChangeHistory history = {};
    clearHistory(&history);
    gone.clear();
    for (char letter = 'a'; letter <= 'q'; ++letter)
        recordChange(&history, &letter, 1);
    size_t size = 0;
    const uint8_t* record = NULL;
    for (int i = 0; i < 15; ++i)
        record = stepHistory(&history, -1, stillThere, NULL, &size);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(static_cast<char>(record[0]), 'b');
    EXPECT_FALSE(canStepHistory(history, -1));
    EXPECT_EQ(stepHistory(&history, -1, stillThere, NULL, &size), nullptr);
    clearHistory(&history);
}

// The switches of the changer's command line: the first that is one, with
// "/" or "-", in any case, quoted or not; anything else is ignored.
TEST(CommandSwitch, OnlyTheFourSwitchesCount)
{
    const struct {
        const char* line;
        CommandSwitch expected;
    } cases[] = {
        {"", SWITCH_NONE},
        {"/next", SWITCH_NEXT},
        {"-NEXT", SWITCH_NEXT},
        {"  \"/Previous\"  ", SWITCH_PREVIOUS},
        {"/skip /next", SWITCH_SKIP},
        {"--next", SWITCH_NONE},
        {"/nextx /reload", SWITCH_RELOAD},
        {"next", SWITCH_NONE},
        {"c:\\some\\file.ini /next", SWITCH_NEXT},
        {"/", SWITCH_NONE},
        {"\"/next", SWITCH_NEXT},
        {"/ne\"xt", SWITCH_NONE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseCommandSwitch(c.line), c.expected) << c.line;
}
