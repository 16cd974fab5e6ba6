// Where the time of a figure that misses its target goes, told from the
// parts measured in the same run.
#include "benchrun.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

static const Figure* partOf(const BenchRun& run, const char* name)
{
    for (const Figure& part : run.parts)
        if (part.name == name)
            return &part;
    return NULL;
}

static double partMedian(const BenchRun& run, const char* name)
{
    const Figure* part = partOf(run, name);
    return part ? spreadOf(part->ours).median : 0;
}

static double callsMedian(const BenchRun& run, CallSequence sequence)
{
    return partMedian(run, callsName(sequence));
}

static std::string line(const char* format, ...)
{
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

// The median over the repeats of one series minus another, like the ratio
// taken within each repeat.
static double differenceOf(const std::vector<double>& values, const std::vector<double>& less)
{
    std::vector<double> differences;
    for (size_t i = 0; i < values.size() && i < less.size(); ++i)
        differences.push_back(values[i] - less[i]);
    return spreadOf(differences).median;
}

static double differenceOf(const Figure& figure)
{
    return differenceOf(figure.ours, figure.bare);
}

static std::string explainChange(const BenchRun& run, const Figure& figure, bool successive)
{
    double difference = differenceOf(figure);
    double calls = callsMedian(run, successive ? CALLS_SUCCESSIVE_CHANGE : CALLS_RANDOM_CHANGE);
    return line("- **%s** (%s): %.2f ms more than the bare platform call. Around that call the resident %s, "
                "records the placement and, once the wallpaper is set, writes the pictures shown and the next "
                "index, keeps the change in its history and names the picture in the tray's tip; every settings "
                "call opens the file afresh, so that each sees what the editor last saved. The same settings "
                "calls made bare around a bare wallpaper call take %.2f ms: %.0f%% of the difference.\n",
                figure.name.c_str(), figure.arch.c_str(), difference,
                "asks whether the settings file can be read before and after it reads four sections "
                "(\"Configuration\", \"Display\", the list and \"Skip\")",
                calls, difference > 0 ? 100 * calls / difference : 0);
}

static std::string explainMemory(const BenchRun& run, const Figure& figure)
{
    // "Resident private bytes, after ..." has its part "<part name>, after ...".
    const std::string prefix = "Resident private bytes";
    std::string part = BARE_WITH_MENU_MEMORY + figure.name.substr(prefix.size());
    double withMenu = partMedian(run, part.c_str());
    Spread bare = spreadOf(figure.bare);
    return line("- **%s** (%s): %.0f KiB more than the bare resident, whose own private bytes range over "
                "%.0f\xE2\x80\x93%.0f KiB across the repeats. The bare resident given the real one's class menu, class "
                "icon and tray icon holds %.0f KiB, %.2f\xC3\x97 the bare one: the platform keeps menus and icons in "
                "its own memory. Against it vistrell.exe takes %.2f\xC3\x97.\n",
                figure.name.c_str(), figure.arch.c_str(), differenceOf(figure) / 1024,
                bare.low / 1024, bare.high / 1024, withMenu / 1024, withMenu / bare.median,
                spreadOf(figure.ours).median / withMenu);
}

std::string explainMisses(const BenchRun& run)
{
    std::string notes;
    for (const Figure& figure : run.figures) {
        if (!isFilled(figure) || meetsTarget(figure))
            continue;
        if (figure.name.find("Resident private bytes") == 0) {
            notes += explainMemory(run, figure);
        } else if (figure.name.find("change, successive") != std::string::npos) {
            notes += explainChange(run, figure, true);
        } else if (figure.name.find("change, random") != std::string::npos) {
            notes += explainChange(run, figure, false);
        } else if (figure.name.find("from a folder") != std::string::npos) {
            notes += line("- **%s** (%s): %.2f ms more than the bare walk and wallpaper call. Besides the walk the "
                          "resident keeps each picture's path, sorts them all by path and reads and writes the "
                          "folder's place in the settings file.\n",
                          figure.name.c_str(), figure.arch.c_str(), differenceOf(figure));
        } else if (figure.name.find("vistrell.exe") != std::string::npos) {
            const Figure* bareResident = partOf(run, BARE_RESIDENT_START);
            double tray = bareResident ? spreadOf(bareResident->ours).median : 0;
            double trayRatio = bareResident ? spreadOf(ratiosOf(*bareResident)).median : 0;
            double againstTray = 0;
            if (bareResident) {
                Figure against = figure;
                against.bare = bareResident->ours;
                againstTray = spreadOf(ratiosOf(against)).median;
            }
            notes += line("- **%s** (%s): the bare resident, a window with a tray icon and nothing else, is ready "
                          "after %.0f ms, %.2f\xC3\x97 the bare window: adding a tray icon loads the shell library "
                          "and waits for the tray's answer. Against the bare resident vistrell.exe takes %.2f\xC3\x97.\n",
                          figure.name.c_str(), figure.arch.c_str(), tray, trayRatio, againstTray);
        } else if (figure.name.find("vistedit.exe") != std::string::npos) {
            const Figure* emptyList = partOf(run, EMPTY_EDITOR_START);
            double empty = emptyList ? spreadOf(emptyList->ours).median : 0;
            double entries = emptyList ? differenceOf(figure.ours, emptyList->ours) : 0;
            double emptyRatio = emptyList ? spreadOf(ratiosOf(*emptyList)).median : 0;
            notes += line("- **%s** (%s): over an empty list the editor is ready after %.0f ms, %.2f\xC3\x97 the bare "
                          "dialog: besides creating the same dialog it loads the common controls, fills its "
                          "combo boxes and shows the dialog minimized, then restored. The %d entries "
                          "add %.0f ms; their settings reads take %.0f ms as bare calls.\n",
                          figure.name.c_str(), figure.arch.c_str(), empty, emptyRatio, WALLPAPER_COUNT,
                          entries, callsMedian(run, CALLS_EDITOR_LOAD));
        } else {
            notes += line("- **%s** (%s): no parts are measured for this figure.\n", figure.name.c_str(),
                          figure.arch.c_str());
        }
    }
    return notes;
}
