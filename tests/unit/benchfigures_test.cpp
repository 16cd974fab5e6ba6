#include "figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
Figure figure(std::vector<double> ours, std::vector<double> bare, double target, FigureUnit unit = UNIT_MILLISECONDS)
{
    Figure f;
    f.name = "Some figure";
    f.arch = "x86_64";
    f.unit = unit;
    f.ours = ours;
    f.bare = bare;
    f.target = target;
    f.repeats = ours.size();
    return f;
}

// The cells of a table row, without the outer bars.
std::vector<std::string> cells(const std::string& row)
{
    std::vector<std::string> out;
    size_t start = row.find('|') + 1;
    for (size_t bar = row.find('|', start); bar != std::string::npos; bar = row.find('|', start)) {
        out.push_back(row.substr(start + 1, bar - start - 2));
        start = bar + 1;
    }
    return out;
}
}  // namespace

TEST(BenchFigures, SpreadIsMedianLowestAndHighest)
{
    struct Case {
        std::vector<double> values;
        double median, low, high;
    } cases[] = {
        {{}, 0, 0, 0},
        {{4}, 4, 4, 4},
        {{3, 1, 2}, 2, 1, 3},
        {{4, 1, 3, 2}, 2.5, 1, 4},
        {{5, 5, 1, 9, 5}, 5, 1, 9},
    };
    for (const Case& c : cases) {
        Spread s = spreadOf(c.values);
        EXPECT_DOUBLE_EQ(s.median, c.median) << c.values.size();
        EXPECT_DOUBLE_EQ(s.low, c.low) << c.values.size();
        EXPECT_DOUBLE_EQ(s.high, c.high) << c.values.size();
    }
}

TEST(BenchFigures, RatiosPairValuesOfTheSameRepeat)
{
    EXPECT_EQ(ratiosOf(figure({2, 9, 3}, {1, 3, 3}, 1.2)), (std::vector<double>{2, 3, 1}));
    // A repeat where either side measured nothing gives no ratio, and the
    // figure is not filled.
    struct Case {
        std::vector<double> ours, bare;
    } unfilled[] = {{{2, 0}, {1, 1}}, {{2, 2}, {1, 0}}, {{2}, {1, 1}}, {{}, {}}};
    for (const Case& c : unfilled) {
        Figure f = figure(c.ours, c.bare, 1.2);
        f.repeats = std::max<size_t>(1, std::max(c.ours.size(), c.bare.size()));
        EXPECT_FALSE(isFilled(f)) << c.ours.size() << " " << c.bare.size();
        EXPECT_FALSE(meetsTarget(f));
    }
    Figure tooFew = figure({2, 2}, {1, 1}, 0);
    tooFew.repeats = 5;
    EXPECT_FALSE(isFilled(tooFew));
}

TEST(BenchFigures, RowShowsMediansRatioSpreadTargetAndVerdict)
{
    struct Case {
        Figure f;
        std::vector<std::string> expected;
    } cases[] = {
        // Ratios 1.1, 1.3, 1.0: median 1.1 meets 1.2.
        {figure({11, 13, 10}, {10, 10, 10}, 1.2),
         {"Some figure", "x86_64", "11.0 ms", "10.0 ms", "1.10×", "1.00×–1.30×", "≤ 1.20×", "met"}},
        {figure({130, 125, 140}, {100, 100, 100}, 1.2),
         {"Some figure", "x86_64", "130 ms", "100 ms", "1.30×", "1.25×–1.40×", "≤ 1.20×", "missed"}},
        {figure({25600}, {13824}, 0, UNIT_BYTES),
         {"Some figure", "x86_64", "25.0 KiB", "13.5 KiB", "1.85×", "1.85×–1.85×", "report", "reported"}},
        {figure({4194304, 4194304}, {4096000, 4194304}, 1.05, UNIT_BYTES),
         {"Some figure", "x86_64", "4096 KiB", "4048 KiB", "1.01×", "1.00×–1.02×", "≤ 1.05×", "met"}},
        {figure({0.5}, {0}, 1.5), {"Some figure", "x86_64", "—", "—", "—", "—", "≤ 1.50×", "not measured"}},
    };
    for (const Case& c : cases) {
        std::string row = tableRow(c.f);
        EXPECT_EQ(row.back(), '\n');
        EXPECT_EQ(cells(row), c.expected) << row;
    }
}

TEST(BenchFigures, PartRowShowsItsOwnMedianAndSpread)
{
    Figure part = figure({3, 1, 2}, {}, 0);
    EXPECT_EQ(cells(partRow(part)), (std::vector<std::string>{"Some figure", "x86_64", "2.00 ms", "1.00 ms–3.00 ms"}));
    part.ours = {3, 0, 2};
    EXPECT_EQ(cells(partRow(part)), (std::vector<std::string>{"Some figure", "x86_64", "—", "—"}));
}
