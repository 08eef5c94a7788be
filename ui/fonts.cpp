// Fonts for a DPI. Wide throughout: a face name may hold characters that the user's ANSI code
// page does not have.
#include "fonts.h"
#include "dpi.h"

// The per-DPI font is missing before Windows 10; the system DPI's is the nearest there is.
static bool WindowLogFont(UINT dpi, LOGFONTW *font)
{
    if (IconTitleFontForDpi(dpi, font))
        return true;
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof *font, font, 0)) {
        font->lfHeight = MulDiv(font->lfHeight, (int)dpi, (int)SystemDpi());
        return true;
    }
    return GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof *font, font) == sizeof *font;
}

HFONT CreateWindowFont(UINT dpi, int height)
{
    LOGFONTW font;
    if (!WindowLogFont(dpi, &font))
        return nullptr;
    if (height)
        font.lfHeight = -height;
    return CreateFontIndirectW(&font);
}

void ReplaceFont(HFONT *font, HFONT made)
{
    if (*font)
        DeleteObject(*font);
    *font = made;
}
