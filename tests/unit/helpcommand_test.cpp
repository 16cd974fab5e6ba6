#include "helpcommand.h"

#include <gtest/gtest.h>

#include <string>

static std::string command(const char* modulePath, size_t size = 512)
{
    char out[512] = "untouched";
    bool ok = buildHelpCommand(modulePath, out, size);
    return ok ? std::string(out) : std::string("<refused:") + out + ">";
}

TEST(HelpCommand, QuotesTheDirectoryOfTheProgram)
{
    EXPECT_EQ(command("C:\\VISTRELL\\VISTRELL.EXE"), "WINHELP.EXE \"C:\\VISTRELL\\VISTRELL.HLP\"");
    EXPECT_EQ(command("C:\\Program Files\\Scenara\\vistedit.exe"),
              "WINHELP.EXE \"C:\\Program Files\\Scenara\\VISTRELL.HLP\"");
    EXPECT_EQ(command("C:\\vistrell.exe"), "WINHELP.EXE \"C:\\VISTRELL.HLP\"");
    EXPECT_EQ(command("vistrell.exe"), "WINHELP.EXE \"VISTRELL.HLP\"");
    EXPECT_EQ(command("\\\\server\\share\\app\\v.exe"), "WINHELP.EXE \"\\\\server\\share\\app\\VISTRELL.HLP\"");
}

TEST(HelpCommand, RefusesRatherThanCutsALongPath)
{
    std::string directory = "C:\\" + std::string(200, 'd') + "\\";
    std::string module = directory + "vistrell.exe";
    std::string expected = "WINHELP.EXE \"" + directory + "VISTRELL.HLP\"";
    EXPECT_EQ(command(module.c_str(), expected.size() + 1), expected);
    EXPECT_EQ(command(module.c_str(), expected.size()), "<refused:>");
    EXPECT_EQ(command(module.c_str(), 0), "<refused:untouched>");
}
