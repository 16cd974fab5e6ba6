#include "figures.h"

#include <algorithm>
#include <stdio.h>

Spread spreadOf(std::vector<double> values)
{
    Spread spread = {0, 0, 0};
    if (values.empty())
        return spread;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    spread.median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    spread.low = values.front();
    spread.high = values.back();
    return spread;
}

std::vector<double> ratiosOf(const Figure& figure)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < figure.ours.size() && i < figure.bare.size(); ++i)
        if (figure.bare[i] > 0 && figure.ours[i] > 0)
            ratios.push_back(figure.ours[i] / figure.bare[i]);
    return ratios;
}

bool isMeasured(const Figure& part)
{
    if (part.repeats == 0 || part.ours.size() != part.repeats)
        return false;
    for (double value : part.ours)
        if (value <= 0)
            return false;
    return true;
}

bool isFilled(const Figure& figure)
{
    return figure.repeats > 0 && figure.ours.size() == figure.repeats && figure.bare.size() == figure.repeats &&
           ratiosOf(figure).size() == figure.repeats;
}

bool meetsTarget(const Figure& figure)
{
    if (!isFilled(figure))
        return false;
    return figure.target <= 0 || spreadOf(ratiosOf(figure)).median <= figure.target;
}

// Bytes as KiB (a tenth for small sizes), times in milliseconds with three significant digits or so.
static std::string formatValue(double value, FigureUnit unit)
{
    char text[32];
    if (unit == UNIT_BYTES)
        snprintf(text, sizeof text, value < 100 * 1024 ? "%.1f KiB" : "%.0f KiB", value / 1024);
    else if (value >= 100)
        snprintf(text, sizeof text, "%.0f ms", value);
    else if (value >= 10)
        snprintf(text, sizeof text, "%.1f ms", value);
    else
        snprintf(text, sizeof text, "%.2f ms", value);
    return text;
}

static std::string formatRatio(double ratio)
{
    char text[32];
    snprintf(text, sizeof text, "%.2f\xC3\x97", ratio);
    return text;
}

std::string tableRow(const Figure& figure)
{
    std::string row = "| " + figure.name + " | " + figure.arch + " | ";
    std::string target = figure.target > 0 ? "\xE2\x89\xA4 " + formatRatio(figure.target) : "report";
    if (!isFilled(figure))
        return row + "\xE2\x80\x94 | \xE2\x80\x94 | \xE2\x80\x94 | \xE2\x80\x94 | " + target + " | not measured |\n";
    Spread ratio = spreadOf(ratiosOf(figure));
    row += formatValue(spreadOf(figure.ours).median, figure.unit) + " | ";
    row += formatValue(spreadOf(figure.bare).median, figure.unit) + " | ";
    row += formatRatio(ratio.median) + " | ";
    row += formatRatio(ratio.low) + "\xE2\x80\x93" + formatRatio(ratio.high) + " | ";
    row += target + " | ";
    if (figure.target <= 0)
        row += "reported";
    else
        row += meetsTarget(figure) ? "met" : "missed";
    return row + " |\n";
}

std::string partRow(const Figure& part)
{
    std::string row = "| " + part.name + " | " + part.arch + " | ";
    if (!isMeasured(part))
        return row + "\xE2\x80\x94 | \xE2\x80\x94 |\n";
    Spread spread = spreadOf(part.ours);
    return row + formatValue(spread.median, part.unit) + " | " + formatValue(spread.low, part.unit) + "\xE2\x80\x93" +
           formatValue(spread.high, part.unit) + " |\n";
}
