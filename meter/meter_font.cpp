// The meter's font, made for the DPI of its monitor.
#include "meter_font.h"
#include "../ui/dpi.h"

HFONT MeterFont;
UINT MeterDpi = BASE_DPI;

// The icon-title font at `dpi`. Where the system cannot give it for a DPI, the icon-title
// font of the system DPI; when that cannot be read or made, a copy of the GUI font, so that
// MeterFont is always a font of our own that the exit sequence may delete.
static HFONT CreateMeterFont(UINT dpi)
{
    LOGFONTW fontForDpi;
    if (IconTitleFontForDpi(dpi, &fontForDpi)) {
        HFONT iconTitleFont = CreateFontIndirectW(&fontForDpi);
        if (iconTitleFont)
            return iconTitleFont;
    }
    LOGFONTA font;
    if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) {
        HFONT iconTitleFont = CreateFontIndirectA(&font);
        if (iconTitleFont)
            return iconTitleFont;
    }
    if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) != sizeof font)
        return nullptr;
    return CreateFontIndirectA(&font);
}

void SetMeterFont(HWND window, UINT dpi)
{
    MeterDpi = dpi;
    MeterFont = CreateMeterFont(dpi);
    SendMessageA(window, WM_SETFONT, (WPARAM)MeterFont, 0);
}

void DeleteMeterFont()
{
    if (MeterFont) {
        DeleteObject(MeterFont);
        MeterFont = NULL;
    }
}
