// Where the time of a figure that misses its target goes, told from the
// parts measured in the same run.
#include "benchrun.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

static double partMedian(const BenchRun& run, const char* name)
{
    for (const Figure& part : run.parts)
        if (part.name == name)
            return spreadOf(part.ours).median;
    return 0;
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

static std::string explainChange(const BenchRun& run, const Figure& figure, bool successive)
{
    double difference = spreadOf(figure.ours).median - spreadOf(figure.bare).median;
    double calls = callsMedian(run, successive ? CALLS_SUCCESSIVE_CHANGE : CALLS_RANDOM_CHANGE);
    return line("- **%s** (%s): %.2f ms more than the bare platform call. Around that call the resident %s, "
                "records the placement and, once the wallpaper is set, writes the next index; every settings call "
                "opens the file afresh, so that each sees what the editor last saved. The same calls made bare "
                "around a bare wallpaper call take %.2f ms: %.0f%% of the difference.\n",
                figure.name.c_str(), figure.arch.c_str(), difference,
                successive ? "reads five numbers and a path from the settings file"
                           : "counts the list (a path read per entry and one past its end), then reads four "
                             "numbers and a path",
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
                figure.name.c_str(), figure.arch.c_str(), (spreadOf(figure.ours).median - bare.median) / 1024,
                bare.low / 1024, bare.high / 1024, withMenu / 1024, withMenu / bare.median,
                spreadOf(figure.ours).median / withMenu);
}

std::string explainMisses(const BenchRun& run)
{
    std::string notes;
    for (const Figure& figure : run.figures) {
        if (!isFilled(figure) || meetsTarget(figure))
            continue;
        double ours = spreadOf(figure.ours).median;
        double bare = spreadOf(figure.bare).median;
        if (figure.name.find("Resident private bytes") == 0) {
            notes += explainMemory(run, figure);
        } else if (figure.name.find("change, successive") != std::string::npos) {
            notes += explainChange(run, figure, true);
        } else if (figure.name.find("change, random") != std::string::npos) {
            notes += explainChange(run, figure, false);
        } else if (figure.name.find("vistrell.exe") != std::string::npos) {
            double tray = partMedian(run, BARE_RESIDENT_START);
            notes += line("- **%s** (%s): the bare resident, a window with a tray icon and nothing else, is ready "
                          "after %.0f ms, %.2f\xC3\x97 the bare window: adding a tray icon loads the shell library "
                          "and waits for the tray's answer. Against the bare resident vistrell.exe takes %.2f\xC3\x97.\n",
                          figure.name.c_str(), figure.arch.c_str(), tray, tray / bare, ours / tray);
        } else if (figure.name.find("vistedit.exe") != std::string::npos) {
            double empty = partMedian(run, EMPTY_EDITOR_START);
            notes += line("- **%s** (%s): over an empty list the editor is ready after %.0f ms, %.2f\xC3\x97 the bare "
                          "window: before it reads its list it loads the common controls and the common dialogs, "
                          "creates its dialog of 30 controls and shows it minimized, then restored. The %d entries "
                          "add %.0f ms; their settings reads take %.0f ms as bare calls.\n",
                          figure.name.c_str(), figure.arch.c_str(), empty, empty / bare, WALLPAPER_COUNT,
                          ours - empty, callsMedian(run, CALLS_EDITOR_LOAD));
        } else {
            notes += line("- **%s** (%s): no parts are measured for this figure.\n", figure.name.c_str(),
                          figure.arch.c_str());
        }
    }
    return notes;
}
