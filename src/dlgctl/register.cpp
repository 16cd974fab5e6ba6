// BWCCRegister: the gray dialog class over the platform's dialog procedure and
// the three control classes its template names.
#include "bwcc.h"
#include "controls.h"

namespace {

bool classExists(HINSTANCE instance, const char* name)
{
    WNDCLASSA existing;
    return GetClassInfoA(instance, name, &existing) != 0;
}

// Global classes are found whatever instance a dialog is created for, as the
// platform's own controls are.
bool registerGrayDialog(HINSTANCE instance)
{
    WNDCLASSA dialogClass = {};
    dialogClass.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_SAVEBITS;
    dialogClass.lpfnWndProc = DefDlgProcA;
    dialogClass.cbWndExtra = DLGWINDOWEXTRA;
    dialogClass.hInstance = instance;
    dialogClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    dialogClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    dialogClass.lpszClassName = GRAY_DIALOG_CLASS;
    return RegisterClassA(&dialogClass) != 0;
}

// A class that behaves as the platform's class base and passes every message
// on to base's procedure, kept in baseProc.
bool registerSuperclass(HINSTANCE instance, const char* base, const char* name, WNDPROC procedure,
                        WNDPROC* baseProc)
{
    WNDCLASSA superclass;
    if (!GetClassInfoA(NULL, base, &superclass)) return false;
    *baseProc = superclass.lpfnWndProc;
    superclass.style |= CS_GLOBALCLASS;
    superclass.lpfnWndProc = procedure;
    superclass.hInstance = instance;
    superclass.lpszClassName = name;
    return RegisterClassA(&superclass) != 0;
}

bool registerShade(HINSTANCE instance)
{
    WNDCLASSA shadeClass = {};
    shadeClass.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    shadeClass.lpfnWndProc = shadeWindowProc;
    shadeClass.hInstance = instance;
    shadeClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    shadeClass.lpszClassName = SHADE_CLASS;
    return RegisterClassA(&shadeClass) != 0;
}

}  // namespace

BOOL BWCCRegister(HINSTANCE instance)
{
    bool dialog = classExists(instance, GRAY_DIALOG_CLASS) || registerGrayDialog(instance);
    bool radio = classExists(instance, RADIO_CLASS) ||
                 registerSuperclass(instance, "BUTTON", RADIO_CLASS, radioWindowProc, &baseButtonProc);
    bool label = classExists(instance, LABEL_CLASS) ||
                 registerSuperclass(instance, "STATIC", LABEL_CLASS, labelWindowProc, &baseStaticProc);
    bool shade = classExists(instance, SHADE_CLASS) || registerShade(instance);
    return dialog && radio && label && shade ? TRUE : FALSE;
}
