// The window classes of the program's windows, and the common controls they hold.
#ifndef TALLYWICK_WINDOW_CLASS_H
#define TALLYWICK_WINDOW_CLASS_H

#include <windows.h>

// How a class looks: its style (CS_*), its background (a brush, a system colour + 1 as
// Windows takes it, or null for a window that paints every pixel itself) and whether its
// windows carry the program's icon (a child window has none).
struct WindowClassLook {
    UINT style;
    HBRUSH background;
    bool programIcon;
};

// Registers class `name` of `instance` with `procedure`, the arrow cursor and `look`. A class
// that exists already makes the registration fail and is used as it is; a failure otherwise
// shows as a window that cannot be created.
void RegisterWindowClass(HINSTANCE instance, const char *name, WNDPROC procedure,
                         const WindowClassLook &look);
// The brush of the meter's face, made at its first use and kept for the program's life: the
// meter and the history window share it, however often their classes are registered.
HBRUSH MeterBackgroundBrush();
// The common control classes in `classes` (ICC_*) registered, each set once per run.
void UseControlClasses(DWORD classes);

#endif
