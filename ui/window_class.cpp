// Window classes and the common controls. Runs on the program's one thread, which owns every
// window.
#include "window_class.h"
#include "owner_window.h"
#include "../res/resource.h"

#include <commctrl.h>

void RegisterWindowClass(HINSTANCE instance, const char *name, WNDPROC procedure,
                         const WindowClassLook &look)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = look.style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    if (look.programIcon) {
        windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
        windowClass.hIconSm = windowClass.hIcon;
    }
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = look.background;
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

HBRUSH MeterBackgroundBrush()
{
    static HBRUSH brush;
    if (!brush)
        brush = CreateSolidBrush(METER_BACKGROUND);
    return brush;
}

void UseControlClasses(DWORD classes)
{
    static DWORD registered;
    if ((registered & classes) == classes)
        return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, classes};
    if (InitCommonControlsEx(&controls))
        registered |= classes;
}
