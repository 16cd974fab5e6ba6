// One figure of the bench: what our program measured and what its bare
// baseline measured, one value per repeat, and how the row of the results
// table shows them. No Windows here, so the arithmetic is unit-tested natively.
#ifndef VISTRELL_BENCH_FIGURES_H
#define VISTRELL_BENCH_FIGURES_H

#include <string>
#include <vector>

enum FigureUnit { UNIT_BYTES, UNIT_MILLISECONDS };

struct Figure {
    std::string name;
    std::string arch;
    FigureUnit unit;
    // One value per repeat; ours[i] and bare[i] come from the same repeat.
    std::vector<double> ours;
    std::vector<double> bare;
    // Highest acceptable median ratio; 0 when the figure is only reported.
    double target;
    // The number of repeats the figure needs to count as measured.
    size_t repeats;
};

struct Spread {
    double median;
    double low;
    double high;
};

// Median, lowest and highest of the values; all 0 for none.
Spread spreadOf(std::vector<double> values);

// ours[i] / bare[i] for every repeat where both were measured (non-zero).
std::vector<double> ratiosOf(const Figure& figure);

// A part (a figure of ours alone) is measured when each repeat has its value.
bool isMeasured(const Figure& part);
// A figure is filled when each of its repeats has both values and a usable ratio.
bool isFilled(const Figure& figure);
// Filled and, with a target, its median ratio at or below it.
bool meetsTarget(const Figure& figure);

// The row of one figure in the results table: name, architecture, medians of
// ours and of the baseline, the ratio's median and its min-max spread, the
// target and the verdict ("met", "missed", "reported" or "not measured").
std::string tableRow(const Figure& figure);
// The row of a part: name, architecture, median and min-max of its values.
std::string partRow(const Figure& part);

#endif
