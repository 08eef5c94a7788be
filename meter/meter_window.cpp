// PLACEHOLDER until this module is written; nothing here is real.
#include "meter_window.h"
HWND MeterWindow;
HFONT MeterFont;
HINSTANCE MeterInstance;
MeterRect DefaultMeterRect() { return MeterRect{0, 0, 50, 50}; }
void RegisterMeterClass(HINSTANCE) {}
bool CreateMeterWindow(HINSTANCE) { return false; }
void ToggleMeterWindow() {}
void ResetMeterWindowPosition() {}
LRESULT CALLBACK MeterWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }
