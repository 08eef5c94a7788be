// The meter's four lines, drawn into a memory bitmap and copied in one block, so the
// window never shows a half-drawn state. The paint reads the lines and their layout; the
// background it fills itself, so the window's own erase has nothing to do.
#include "meter_paint.h"
#include "meter_font.h"
#include "meter_frame.h"
#include "meter_layout.h"
#include "../ui/buffered_paint.h"

#include <string.h>

// Each line is cut to its rectangle, which ends short of the client's right edge.
static void DrawMeterLines(HWND, HDC dc, const RECT &client, void *)
{
    const MeterLayout &layout = CurrentMeterLayout();
    HGDIOBJ oldFont = MeterFont ? SelectObject(dc, MeterFont) : nullptr;
    // The opaque text output fills the background; the mode stays opaque for the lines.
    SetBkColor(dc, METER_BACKGROUND);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &client, "", 0, nullptr);
    for (int index = 0; index < METER_LINE_COUNT; ++index) {
        const char *text = MeterLine(index);
        RECT line = {layout.lineMargin, layout.lineTop[index], client.right - layout.lineMargin,
                     layout.lineTop[index] + layout.lineHeight};
        DrawTextA(dc, text, (int)strlen(text), &line, 0);
    }
    if (oldFont)
        SelectObject(dc, oldFont);
}

// Kept from one paint to the next and made anew only when the client size has changed:
// making one costs several times what drawing the lines does.
static PaintBuffer KeptBuffer;

void PaintMeter(HDC paintDc, HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    DrawBuffered(window, paintDc, client, client, &KeptBuffer, DrawMeterLines, nullptr);
}
