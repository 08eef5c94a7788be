// The owner of every dialog and message box. Runs on the program's one thread.
#include "owner_window.h"

HWND MeterWindow;
HINSTANCE MeterInstance;
