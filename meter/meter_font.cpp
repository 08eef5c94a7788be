// The meter's font, made for the DPI of its monitor.
#include "meter_font.h"
#include "../ui/dpi.h"
#include "../ui/fonts.h"

HFONT MeterFont;
UINT MeterDpi = BASE_DPI;

void SetMeterFont(HWND window, UINT dpi)
{
    MeterDpi = dpi;
    MeterFont = CreateWindowFont(dpi, 0);
    SendMessageA(window, WM_SETFONT, (WPARAM)MeterFont, 0);
}

void DeleteMeterFont()
{
    ReplaceFont(&MeterFont, nullptr);
}
