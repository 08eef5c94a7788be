// PLACEHOLDER until this module is written; nothing here is real.
#include "meter_paint.h"
void PaintMeter(HDC, HWND) {}
