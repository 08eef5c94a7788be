// PLACEHOLDER until the hook library is written; nothing here is real.
// Placeholder until the hook library is written.
#include "hook/hook.h"
BOOL DllInit(HWND) { return TRUE; }
BOOL DllUninit(void) { return TRUE; }
BOOL DetectScreenValues(void) { return TRUE; }
