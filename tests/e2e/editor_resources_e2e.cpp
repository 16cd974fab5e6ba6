// The resources built into vistedit.exe, read from the file itself: the
// dialog template, the two menus and the icons, which other programs and the
// dialog manager rely on exactly as laid down.
#include "editor_driver.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
struct Module {
    HMODULE handle;
    Module() : handle(LoadLibraryExA(editorPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~Module()
    {
        if (handle)
            FreeLibrary(handle);
    }
};

const BYTE* resourceData(HMODULE module, const char* name, LPCSTR type, DWORD* size)
{
    HRSRC found = FindResourceA(module, name, type);
    if (!found)
        return nullptr;
    *size = SizeofResource(module, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
}

// Reads a name-or-ordinal field of a dialog template.
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

std::string upper(std::string text)
{
    for (char& c : text)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
}

struct ControlRow {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    short x, y, cx, cy;
};

const ControlRow TEMPLATE_ROWS[] = {
    {104, "BUTTON", "Add BMP", 0x50010000, 7, 39, 58, 15},
    {105, "BUTTON", "Remove BMP", 0x50010000, 7, 60, 58, 15},
    {107, "BUTTON", "Remove All", 0x50010000, 7, 83, 58, 15},
    {108, "BUTTON", "Apply BMP", 0x50010000, 7, 106, 58, 15},
    {117, "BUTTON", "Exit Program", 0x50010000, 6, 179, 60, 15},
    {103, "BUTTON", "Save Changes", 0x50010000, 77, 179, 60, 15},
    {116, "BUTTON", "Undo Changes", 0x50010000, 149, 179, 60, 15},
    {114, "LISTBOX", "BMP list", 0x50B01889, 73, 40, 140, 70},
    {109, "BUTTON", "Preview", 0x50010000, 220, 106, 61, 15},
    {119, "BorRadio", "Use successively", 0x50030009, 75, 109, 69, 10},
    {121, "BorRadio", "Use randomly", 0x50010009, 156, 109, 56, 10},
    {118, "BorRadio", "Tile", 0x50030009, 75, 128, 32, 10},
    {122, "BorRadio", "Center", 0x50010009, 125, 128, 34, 10},
    {123, "BorRadio", "Defined", 0x50010009, 175, 128, 39, 10},
    {65535, "BorShade", "", 0x50000006, 3, 7, 283, 167},
    {65535, "BorShade", "", 0x50000002, 5, 31, 277, 3},
    {65535, "BorShade", "", 0x50000002, 5, 147, 277, 3},
    {113, "COMBOBOX", "???", 0x50210802, 72, 152, 68, 49},
    {65535, "BorStatic", "Change Wallpaper", 0x50000000, 9, 155, 63, 8},
    {65535, "BorStatic", "Current Wallpaper", 0x50000000, 9, 15, 62, 8},
    {115, "COMBOBOX", "Current Wallpaper", 0x50010043, 73, 13, 206, 72},
    {120, "COMBOBOX", "???", 0x50210802, 145, 152, 69, 49},
    {110, "BUTTON", "", 0x58010000, 220, 39, 61, 60},
    {111, "EDIT", "", 0x50810001, 221, 127, 28, 12},
    {106, "EDIT", "", 0x50810001, 252, 127, 28, 12},
    {65535, "BorStatic", "Wallpaper Position", 0x50000000, 9, 128, 63, 8},
    {1212, "BorShade", "", 0x50028001, 72, 106, 142, 16},
    {1313, "BorShade", "", 0x50028001, 72, 125, 210, 17},
};

// The platform's atoms for the predefined control classes.
std::string className(const std::string& field)
{
    if (field == "#128") return "BUTTON";
    if (field == "#129") return "EDIT";
    if (field == "#131") return "LISTBOX";
    if (field == "#133") return "COMBOBOX";
    return field;
}

// A menu as text: items "text=id", separators "-", pop-ups "text{...}".
std::string describeMenu(HMENU menu)
{
    std::string out;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        if (i)
            out += ",";
        if (info.fType & MFT_SEPARATOR)
            out += "-";
        else if (info.hSubMenu)
            out += std::string(text) + "{" + describeMenu(info.hSubMenu) + "}";
        else
            out += std::string(text) + "=" + std::to_string(info.wID) + (info.fState ? "!" : "");
    }
    return out;
}

std::string loadMenuText(HMODULE module, const char* name)
{
    DWORD size = 0;
    const BYTE* data = resourceData(module, name, MAKEINTRESOURCEA(4), &size);
    if (!data)
        return "<missing>";
    HMENU menu = LoadMenuIndirectA(data);
    std::string text = describeMenu(menu);
    DestroyMenu(menu);
    return text;
}

// Width and colour count of the single image of an icon group.
void iconImage(HMODULE module, const char* name, int* count, int* width, int* colours)
{
    DWORD size = 0;
    const BYTE* data = resourceData(module, name, MAKEINTRESOURCEA(14), &size);
    *count = data ? reinterpret_cast<const WORD*>(data)[2] : 0;
    *width = data ? data[6] : 0;
    *colours = data ? data[8] : 0;
}
}  // namespace

TEST(EditorResources, TheDialogTemplateHoldsTheLayout)
{
    Module module;
    ASSERT_NE(module.handle, (HMODULE)NULL);
    DWORD size = 0;
    const BYTE* data = resourceData(module.handle, "DIALOG_1", MAKEINTRESOURCEA(5), &size);
    ASSERT_NE(data, nullptr);
    const DLGTEMPLATE* head = reinterpret_cast<const DLGTEMPLATE*>(data);
    EXPECT_EQ(head->style, 0x96C800E1u);
    EXPECT_EQ(head->dwExtendedStyle, 0u);
    EXPECT_EQ(head->x, 18);
    EXPECT_EQ(head->y, 51);
    EXPECT_EQ(head->cx, 289);
    EXPECT_EQ(head->cy, 199);
    ASSERT_EQ(head->cdit, 28);

    const WORD* at = reinterpret_cast<const WORD*>(data + 18);
    EXPECT_EQ(readField(at), "MENU_2");
    // Class names are matched without regard to case by the platform.
    EXPECT_EQ(upper(readField(at)), "BORDLG_GRAY");
    EXPECT_EQ(readField(at), "Windows Scenara");
    EXPECT_EQ(*at++, 8);
    EXPECT_EQ(readField(at), "MS Sans Serif");

    for (const ControlRow& row : TEMPLATE_ROWS) {
        at = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR(3));
        const DLGITEMTEMPLATE* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
        SCOPED_TRACE(row.text);
        EXPECT_EQ(item->id, row.id);
        EXPECT_EQ(item->style, row.style);
        EXPECT_EQ(item->dwExtendedStyle, 0u);
        EXPECT_EQ(item->x, row.x);
        EXPECT_EQ(item->y, row.y);
        EXPECT_EQ(item->cx, row.cx);
        EXPECT_EQ(item->cy, row.cy);
        at = reinterpret_cast<const WORD*>(item + 1);
        EXPECT_EQ(upper(className(readField(at))), upper(row.className));
        EXPECT_EQ(readField(at), row.text);
        WORD extra = *at++;
        at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at) + extra);
    }
    EXPECT_LE(reinterpret_cast<const BYTE*>(at), data + size);
}

TEST(EditorResources, TheMenusAndIconsAreThoseOtherPartsLookFor)
{
    Module module;
    ASSERT_NE(module.handle, (HMODULE)NULL);
    EXPECT_EQ(loadMenuText(module.handle, "MENU_1"),
              "&Shutdown{Close window=129,-,Restart Windows=126,Reboot Machine=127},"
              "&Help{&About=130,-,&Help=101}");
    EXPECT_EQ(loadMenuText(module.handle, "MENU_2"),
              "&File{Save changes=103,Undo all changes=116,-,E&xit program=117},"
              "&Wallpaper{&Add Bitmap=104,&Remove Bitmap=105,Remove &All=107,-,A&pply Bitmap=108},"
              "&Help{&About=130,-,&Help=101}");
    int count = 0, width = 0, colours = 0;
    iconImage(module.handle, "ICON_1", &count, &width, &colours);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(colours, 16);
    iconImage(module.handle, "ICON_2", &count, &width, &colours);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(colours, 16);
}
