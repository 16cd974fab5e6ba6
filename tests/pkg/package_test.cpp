// The MSI under the platform's own installer, in a prefix of its own: a
// silent install puts every file and shortcut in place, the Startup
// shortcut starts the changer with its tray icon, a package of a lower
// version is upgraded in place, and removing the package takes away all it
// installed and nothing the user made.
#include "harness.h"
#include "residentdriver.h"

#include <gtest/gtest.h>

#include <msi.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
const char UPGRADE_CODE[] = "{7D11A5B9-6DF3-417B-AEAF-33F5DE621AAD}";
const char UNINSTALL_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char PRODUCT_KEY[] = "Software\\Scenara\\Vistrell";

// Sorted as listFolder sorts, without regard to case.
const std::vector<std::string> INSTALLED_FILES = {"LICENSE.TXT",  "README.TXT",   "vistedit.exe",
                                                  "VISTRELL.CHM", "vistrell.exe", "VISTRELL.HLP"};

std::string fullPath(const std::string& path)
{
    char full[MAX_PATH];
    GetFullPathNameA(path.c_str(), MAX_PATH, full, NULL);
    return full;
}

// The packages come from the 32-bit build: build/dist and build/win32/package.
std::string releasePackage()
{
    return fullPath(testDirectory() + "..\\dist\\vistrell-" VISTRELL_VERSION "-win32.msi");
}
std::string olderPackage()
{
    return fullPath(testDirectory() + "..\\win32\\package\\vistrell-" OLDER_PACKAGE_VERSION "-win32.msi");
}

std::string knownFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(NULL, csidl, NULL, SHGFP_TYPE_CURRENT, path);
    return path;
}
std::string programsFolder()
{
    return knownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs";
}
std::string installFolder()
{
    return programsFolder() + "\\Vistrell";
}
std::string menuFolder()
{
    return knownFolder(CSIDL_PROGRAMS) + "\\Vistrell";
}
std::string startupLink()
{
    return knownFolder(CSIDL_STARTUP) + "\\Vistrell.lnk";
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> listFolder(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lowerAscii(a) < lowerAscii(b); });
    return names;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Runs the system's msiexec.exe with the arguments; returns its exit code.
DWORD runInstaller(const std::string& arguments)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    Program installer = startProgram(std::string(system) + "\\msiexec.exe", arguments);
    DWORD code = ~0u;
    EXPECT_TRUE(waitForExit(installer, 120000, &code)) << "msiexec " << arguments << " did not end";
    stopProgram(installer);
    return code;
}

DWORD install(const std::string& package)
{
    return runInstaller("/i \"" + package + "\" /qn");
}

// The product codes of every installed package of this product.
std::vector<std::string> installedProducts()
{
    std::vector<std::string> codes;
    char code[39];
    for (DWORD i = 0; MsiEnumRelatedProductsA(UPGRADE_CODE, 0, i, code) == ERROR_SUCCESS; ++i)
        codes.push_back(code);
    return codes;
}

std::string productInfo(const std::string& code, const char* property)
{
    char value[256] = "";
    DWORD size = sizeof value;
    if (MsiGetProductInfoA(code.c_str(), property, value, &size) != ERROR_SUCCESS)
        return "<none>";
    return value;
}

void uninstallAll()
{
    for (const std::string& code : installedProducts())
        EXPECT_EQ(runInstaller("/x " + code + " /qn"), 0u) << code;
}

std::string registryText(HKEY key, const char* name)
{
    char value[512] = "";
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return "";
    return value;
}

struct AppsEntry {
    std::string version;
    std::string publisher;
    std::string location;
};

// The entries "Apps & features" lists under the name "Vistrell". Windows
// keeps a per-user package's entry under HKEY_CURRENT_USER; Wine's installer
// writes it under HKEY_LOCAL_MACHINE (32-bit view) for every package.
std::vector<AppsEntry> appsEntries()
{
    std::vector<AppsEntry> entries;
    const struct {
        HKEY root;
        REGSAM view;
    } places[] = {{HKEY_CURRENT_USER, 0}, {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}, {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY}};
    for (const auto& place : places) {
        HKEY list;
        if (RegOpenKeyExA(place.root, UNINSTALL_KEY, 0, KEY_READ | place.view, &list) != ERROR_SUCCESS)
            continue;
        char name[256];
        for (DWORD i = 0; RegEnumKeyA(list, i, name, sizeof name) == ERROR_SUCCESS; ++i) {
            HKEY entry;
            if (RegOpenKeyExA(list, name, 0, KEY_READ | place.view, &entry) != ERROR_SUCCESS)
                continue;
            if (registryText(entry, "DisplayName") == "Vistrell")
                entries.push_back({registryText(entry, "DisplayVersion"), registryText(entry, "Publisher"),
                                   registryText(entry, "InstallLocation")});
            RegCloseKey(entry);
        }
        RegCloseKey(list);
    }
    // On a 32-bit system both views are one.
    if (sizeof(void*) == 4 && entries.size() == 2)
        entries.pop_back();
    return entries;
}

struct Shortcut {
    bool read = false;
    std::string target;
    std::string workDir;
};

Shortcut readShortcut(const std::string& path)
{
    Shortcut shortcut;
    IShellLinkA* link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return shortcut;
    IPersistFile* file = NULL;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring widePath(path.begin(), path.end());
        char text[MAX_PATH] = "";
        if (SUCCEEDED(file->Load(widePath.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(text, MAX_PATH, NULL, 0))) {
            shortcut.read = true;
            shortcut.target = text;
            text[0] = '\0';
            link->GetWorkingDirectory(text, MAX_PATH);
            shortcut.workDir = withoutTrailingSlash(text);
        }
        file->Release();
    }
    link->Release();
    return shortcut;
}

class Package : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        ASSERT_TRUE(exists(releasePackage())) << releasePackage() << " is missing: make dist";
        endAllResidents();
        uninstallAll();
        removeSettings();
        // Whether the prefix had a Programs folder before any install here.
        static const bool existedAtStart = exists(programsFolder());
        programsExisted = existedAtStart;
    }
    void TearDown() override
    {
        endAllResidents();
        uninstallAll();
        removeSettings();
        CoUninitialize();
    }

    // Every file, shortcut and entry of one installation of the given version.
    void expectInstalled(const char* version)
    {
        EXPECT_EQ(listFolder(installFolder()), INSTALLED_FILES);
        EXPECT_EQ(fileBytes(installFolder() + "\\vistrell.exe"), fileBytes(testDirectory() + "..\\win32\\vistrell.exe"))
            << "the package must hold the 32-bit build's programs";

        // Start menu: changer, editor and manual; Startup: the changer.
        const struct {
            std::string link;
            const char* target;
        } shortcuts[] = {
            {menuFolder() + "\\Vistrell.lnk", "vistrell.exe"},
            {menuFolder() + "\\Vistrell Settings.lnk", "vistedit.exe"},
            {menuFolder() + "\\Vistrell Manual.lnk", "VISTRELL.CHM"},
            {startupLink(), "vistrell.exe"},
        };
        for (const auto& expected : shortcuts) {
            Shortcut shortcut = readShortcut(expected.link);
            EXPECT_TRUE(shortcut.read) << expected.link;
            EXPECT_STRCASEEQ(shortcut.target.c_str(), (installFolder() + "\\" + expected.target).c_str());
            EXPECT_STRCASEEQ(shortcut.workDir.c_str(), installFolder().c_str()) << expected.link;
        }
        EXPECT_EQ(listFolder(menuFolder()).size(), 3u);
        // The desktop's own menu runs the installed changer with /next.
        EXPECT_EQ(readUserRegistry(DESKTOP_VERB_KEY, ""), DESKTOP_VERB_TEXT);
        EXPECT_STRCASEEQ(readUserRegistry(DESKTOP_VERB_KEY "\\command", "").c_str(),
                         ("\"" + installFolder() + "\\vistrell.exe\" /next").c_str());

        std::vector<std::string> products = installedProducts();
        ASSERT_EQ(products.size(), 1u);
        EXPECT_EQ(productInfo(products[0], "VersionString"), version);
        EXPECT_EQ(productInfo(products[0], "Publisher"), "Scenara");
        std::vector<AppsEntry> entries = appsEntries();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].version, version);
        EXPECT_EQ(entries[0].publisher, "Scenara");
        EXPECT_STRCASEEQ(withoutTrailingSlash(entries[0].location).c_str(), installFolder().c_str());
    }

    bool programsExisted = false;
};
}  // namespace

TEST_F(Package, SilentInstallPutsEveryFileAndShortcutInPlace)
{
    ASSERT_EQ(install(releasePackage()), 0u);
    expectInstalled(VISTRELL_VERSION);
}

TEST_F(Package, StartupShortcutStartsTheChangerWithItsTrayIcon)
{
    if (!hostRuns32BitPrograms())
        GTEST_SKIP() << "the packaged programs are 32-bit, which this host does not execute";
    ASSERT_EQ(install(releasePackage()), 0u);
    // A list and "Every Launch": the change at start shows that the program ran.
    writeBitmapList(2);
    Shortcut shortcut = readShortcut(startupLink());
    ASSERT_TRUE(shortcut.read);
    Program changer = startProgram(shortcut.target, "", shortcut.workDir);
    HWND window = waitForWindow(RESIDENT_CLASS, NULL, 20000, changer.id);
    ASSERT_NE(window, (HWND)NULL) << "the installed changer shows no window";
    DWORD start = GetTickCount();
    while (!trayIconPresent(window) && GetTickCount() - start < 10000)
        pumpFor(100);
    EXPECT_TRUE(trayIconPresent(window));
    EXPECT_EQ(waitForIndex(1), 1);
    Resident resident;
    resident.program = changer;
    resident.window = window;
    EXPECT_TRUE(closeResident(resident));
}

TEST_F(Package, UpgradeFromALowerVersionLeavesOneInstallation)
{
    ASSERT_TRUE(exists(olderPackage())) << olderPackage() << " is missing: make packages";
    ASSERT_EQ(install(olderPackage()), 0u);
    ASSERT_EQ(installedProducts().size(), 1u);
    EXPECT_EQ(productInfo(installedProducts()[0], "VersionString"), OLDER_PACKAGE_VERSION);

    ASSERT_EQ(install(releasePackage()), 0u);
    expectInstalled(VISTRELL_VERSION);
}

TEST_F(Package, UninstallRemovesAllItInstalledAndNothingTheUserMade)
{
    ASSERT_EQ(install(releasePackage()), 0u);
    writeSetting("Configuration", "Bitmap index", "3");
    ASSERT_EQ(runInstaller("/x \"" + releasePackage() + "\" /qn"), 0u);

    for (const std::string& path : {installFolder(), menuFolder(), startupLink()})
        EXPECT_FALSE(exists(path)) << path << " is left behind";
    EXPECT_EQ(exists(programsFolder()), programsExisted) << "an emptied Programs folder is the installer's to remove";
    EXPECT_TRUE(installedProducts().empty());
    EXPECT_TRUE(appsEntries().empty());
    HKEY key;
    for (const char* verbKey : {DESKTOP_VERB_KEY, DESKTOP_VERB_KEY "\\command"})
        if (RegOpenKeyExA(HKEY_CURRENT_USER, verbKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            ADD_FAILURE() << "the desktop's verb is left behind: " << verbKey;
            RegCloseKey(key);
        }
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PRODUCT_KEY, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        ADD_FAILURE() << "the installer's registry key is left behind";
        RegCloseKey(key);
    }
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "3") << "the settings file must stay";

    // A file of the user's in the program folder stays, and so does its folder.
    ASSERT_EQ(install(releasePackage()), 0u);
    std::string notes = installFolder() + "\\my notes.txt";
    std::ofstream(notes.c_str()) << "mine\n";
    ASSERT_EQ(runInstaller("/x \"" + releasePackage() + "\" /qn"), 0u);
    EXPECT_EQ(listFolder(installFolder()), std::vector<std::string>{"my notes.txt"});
    DeleteFileA(notes.c_str());
    RemoveDirectoryA(installFolder().c_str());
}
