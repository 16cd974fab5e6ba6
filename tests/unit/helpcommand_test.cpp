#include "helpcommand.h"

#include <gtest/gtest.h>

#include <string>

namespace {
typedef bool (*Builder)(const char*, char*, size_t);

std::string command(Builder build, const char* modulePath, size_t size = 512)
{
    char out[512] = "untouched";
    bool ok = build(modulePath, out, size);
    return ok ? std::string(out) : std::string("<refused:") + out + ">";
}

struct Viewer {
    Builder build;
    const char* prefix;  // viewer, blank and opening quote
    const char* file;
};
const Viewer VIEWERS[] = {
    {buildHelpCommand, "WINHELP.EXE \"", "VISTRELL.HLP"},
    {buildHtmlHelpCommand, "HH.EXE \"", "VISTRELL.CHM"},
};
}  // namespace

TEST(HelpCommand, QuotesTheManualBesideTheProgram)
{
    // module path, directory the manual is looked for in
    const struct {
        const char* module;
        const char* directory;
    } cases[] = {
        {"C:\\VISTRELL\\VISTRELL.EXE", "C:\\VISTRELL\\"},
        {"C:\\Program Files\\Scenara\\vistedit.exe", "C:\\Program Files\\Scenara\\"},
        {"C:\\Users\\Ann Lee\\AppData\\Local\\Programs\\Vistrell\\vistrell.exe",
         "C:\\Users\\Ann Lee\\AppData\\Local\\Programs\\Vistrell\\"},
        {"C:\\vistrell.exe", "C:\\"},
        {"C:vistrell.exe", "C:"},
        {"vistrell.exe", ""},
        {"\\\\server\\share\\app\\v.exe", "\\\\server\\share\\app\\"},
    };
    for (const Viewer& viewer : VIEWERS)
        for (const auto& c : cases)
            EXPECT_EQ(command(viewer.build, c.module),
                      std::string(viewer.prefix) + c.directory + viewer.file + "\"");
}

TEST(HelpCommand, RefusesRatherThanCutsALongPath)
{
    std::string directory = "C:\\" + std::string(200, 'd') + "\\";
    std::string module = directory + "vistrell.exe";
    for (const Viewer& viewer : VIEWERS) {
        std::string expected = viewer.prefix + directory + viewer.file + "\"";
        EXPECT_EQ(command(viewer.build, module.c_str(), expected.size() + 1), expected);
        EXPECT_EQ(command(viewer.build, module.c_str(), expected.size()), "<refused:>");
        EXPECT_EQ(command(viewer.build, module.c_str(), 0), "<refused:untouched>");
    }
}
