// The resources of the built vistedit.exe that the editor's code and the
// dialog manager look up: the dialog template's menu and class and every
// control the code addresses by identifier, the commands of both menus, and
// the icons. Texts and coordinates are the template's own business.
#include "bwcc.h"
#include "editor_driver.h"
#include "ids.h"
#include "oldshell.h"
#include "settingsdialog.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {
// A name-or-ordinal field of a dialog template; ordinals as "#n".
std::string readField(const WORD*& at)
{
    if (*at == 0xFFFF) {
        std::string ordinal = "#" + std::to_string(at[1]);
        at += 2;
        return ordinal;
    }
    std::string text;
    while (*at)
        text += static_cast<char>(*at++);
    ++at;
    return text;
}

// Class names in upper case, the platform's atoms for its predefined classes
// by name: the platform matches class names without regard to case.
std::string className(const std::string& field)
{
    static const std::map<std::string, std::string> atoms = {
        {"#128", "BUTTON"}, {"#129", "EDIT"}, {"#131", "LISTBOX"}, {"#133", "COMBOBOX"}};
    auto atom = atoms.find(field);
    std::string name = atom == atoms.end() ? field : atom->second;
    for (char& c : name)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return name;
}

struct Control {
    std::string className;
    DWORD style;
};

// The template's menu and class, and its controls by identifier (the
// unnamed ones, 65535, left out).
struct DialogResource {
    std::string menu;
    std::string className;
    std::map<int, Control> controls;
};

DialogResource readDialog(const ResourceFile& file, const char* name)
{
    DialogResource dialog;
    HRSRC found = FindResourceA(file.handle(), name, RT_DIALOG);
    if (!found)
        return dialog;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(file.handle(), found)));
    const DLGTEMPLATE* head = reinterpret_cast<const DLGTEMPLATE*>(data);
    const WORD* at = reinterpret_cast<const WORD*>(head + 1);
    dialog.menu = readField(at);
    dialog.className = className(readField(at));
    readField(at);  // caption
    if (head->style & DS_SETFONT) {
        ++at;  // point size
        readField(at);
    }
    for (int i = 0; i < head->cdit; ++i) {
        at = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR(3));
        const DLGITEMTEMPLATE* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
        at = reinterpret_cast<const WORD*>(item + 1);
        Control control = {className(readField(at)), item->style};
        readField(at);  // text
        WORD extra = *at++;
        at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at) + extra);
        if (item->id != IDC_UNNAMED)
            dialog.controls[item->id] = control;
    }
    return dialog;
}

std::set<UINT> commandsOf(const ResourceFile& file, const char* name)
{
    HMENU menu = LoadMenuA(file.handle(), name);
    std::set<UINT> commands = menu ? menuCommands(menu) : std::set<UINT>{};
    DestroyMenu(menu);
    return commands;
}
}  // namespace

TEST(EditorResources, TheDialogTemplateHoldsEveryControlTheCodeAddresses)
{
    ResourceFile file(editorPath());
    DialogResource dialog = readDialog(file, DIALOG_NAME);
    EXPECT_EQ(dialog.menu, MENU_BAR_NAME);
    EXPECT_EQ(dialog.className, className(GRAY_DIALOG_CLASS));

    const std::string radio = className(RADIO_CLASS);
    const std::map<int, std::string> addressed = {
        {IDC_ADD, "BUTTON"},        {IDC_REMOVE, "BUTTON"},          {IDC_REMOVE_ALL, "BUTTON"},
        {IDC_APPLY, "BUTTON"},      {IDC_EXIT, "BUTTON"},            {IDC_SAVE, "BUTTON"},
        {IDC_UNDO, "BUTTON"},       {IDC_PREVIEW, "BUTTON"},         {IDC_PREVIEW_FRAME, "BUTTON"},
        {IDC_LIST, "LISTBOX"},      {IDC_CHANGE_EVERY, "COMBOBOX"},  {IDC_TIME_PERIOD, "COMBOBOX"},
        {IDC_CURRENT_WALLPAPER, "COMBOBOX"},                         {IDC_X_EDIT, "EDIT"},
        {IDC_Y_EDIT, "EDIT"},       {IDC_SUCCESSIVE, radio},         {IDC_RANDOM, radio},
        {IDC_TILE, radio},          {IDC_CENTER, radio},             {IDC_DEFINED, radio},
    };
    for (const auto& wanted : addressed) {
        auto control = dialog.controls.find(wanted.first);
        ASSERT_NE(control, dialog.controls.end()) << "no control " << wanted.first;
        EXPECT_EQ(control->second.className, wanted.second) << wanted.first;
    }

    // The table relies on an unsorted list that notifies and keeps several
    // rows selected; the radio buttons check themselves.
    DWORD list = dialog.controls[IDC_LIST].style;
    EXPECT_EQ(list & LBS_SORT, 0u);
    EXPECT_NE(list & LBS_NOTIFY, 0u);
    EXPECT_NE(list & LBS_EXTENDEDSEL, 0u);
    for (int id : {IDC_SUCCESSIVE, IDC_RANDOM, IDC_TILE, IDC_CENTER, IDC_DEFINED})
        EXPECT_EQ(dialog.controls[id].style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON)) << id;
}

TEST(EditorResources, TheMenusCarryTheCommandsTheDialogCarriesOutAndTheIconsAndDialogsExist)
{
    ResourceFile file(editorPath());
    // "MENU_1" is the host window's class menu and the system menu's pop-up.
    EXPECT_EQ(commandsOf(file, MENU_SYSTEM_NAME),
              (std::set<UINT>{IDC_CLOSE_WINDOW, IDC_RESTART_WINDOWS, IDC_REBOOT, IDC_ABOUT, IDC_HELP}));
    EXPECT_EQ(commandsOf(file, MENU_BAR_NAME),
              (std::set<UINT>{IDC_SAVE, IDC_UNDO, IDC_EXIT, IDC_ADD, IDC_REMOVE, IDC_REMOVE_ALL, IDC_APPLY,
                              IDC_ADD_FOLDER, IDC_DISPLAY_OPTIONS, IDC_ABOUT, IDC_HELP}));
    EXPECT_EQ(file.names(RT_GROUP_ICON), (std::set<std::string>{ICON_LARGE_NAME, ICON_SMALL_NAME}));
    EXPECT_EQ(file.names(RT_DIALOG), (std::set<std::string>{DIALOG_NAME, DISPLAY_DIALOG_NAME, SKIPPED_DIALOG_NAME}));

    // "Add Folder..." and "Display Options..." end the "Wallpaper" pop-up,
    // behind a separator.
    HMENU bar = LoadMenuA(file.handle(), MENU_BAR_NAME);
    std::vector<MenuStep> path = menuPath(bar, IDC_DISPLAY_OPTIONS);
    ASSERT_EQ(path.size(), 2u);
    char title[32] = "";
    GetMenuStringA(bar, path[0].position, title, sizeof title, MF_BYPOSITION);
    EXPECT_STREQ(title, "&Wallpaper");
    HMENU wallpaper = GetSubMenu(bar, path[0].position);
    EXPECT_EQ(path[1].position, GetMenuItemCount(wallpaper) - 1);
    EXPECT_EQ(GetMenuItemID(wallpaper, path[1].position - 1), static_cast<UINT>(IDC_ADD_FOLDER));
    EXPECT_NE(GetMenuState(wallpaper, path[1].position - 2, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    DestroyMenu(bar);

    // The old shell has no folder picker: its command is greyed there only.
    for (bool oldShell : {true, false}) {
        resetOldShell(oldShell);
        bar = LoadMenuA(file.handle(), MENU_BAR_NAME);
        greyWhatTheShellLacks(bar);
        EXPECT_EQ(GetMenuState(bar, IDC_ADD_FOLDER, MF_BYCOMMAND) & MF_GRAYED, oldShell ? MF_GRAYED : 0u);
        DestroyMenu(bar);
    }
    resetOldShell(false);
}
