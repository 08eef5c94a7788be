// The meter's layout, measured in a memory context of its own: measuring needs no window,
// and so no round trip to the screen.
#include "meter_layout.h"
#include "meter_font.h"
#include "../ui/dpi.h"

#include <algorithm>
#include <string.h>

// Pixels at 96 dpi; the meter scales them to MeterDpi.
const int LINE_MARGIN = 10;
const int BLOCK_MARGIN = 7;
const int LINE_HEIGHT = 18;
const int LINE_GAP = 5;

// Meter thread only, like every paint that reads it.
static MeterLayout Layout;
static HDC MeasureDc;

const MeterLayout &CurrentMeterLayout()
{
    return Layout;
}

// Each line is placed below the measured height of the one above it, in a rectangle never
// lower than the font's own line height, whatever font the system gives, so that no line
// is cut off. Returns the size the text needs: the widest line and the height of the
// block from its top.
static SIZE MeasureLines(HDC dc)
{
    Layout.lineMargin = Scale(LINE_MARGIN, MeterDpi);
    Layout.blockMargin = Scale(BLOCK_MARGIN, MeterDpi);
    Layout.lineHeight = Scale(LINE_HEIGHT, MeterDpi);
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics))
        Layout.lineHeight = std::max(Layout.lineHeight, (int)metrics.tmHeight);
    SIZE needed = {0, 0};
    int top = Layout.blockMargin;
    for (int index = 0; index < METER_LINE_COUNT; ++index) {
        const char *text = MeterLine(index);
        RECT measure = {Layout.lineMargin, top, Layout.lineMargin, top + Layout.lineHeight};
        DrawTextA(dc, text, (int)strlen(text), &measure, DT_CALCRECT);
        Layout.lineTop[index] = top;
        needed.cx = std::max(needed.cx, measure.right - measure.left);
        needed.cy = std::max(0L, measure.bottom - Layout.blockMargin);
        top = measure.bottom + Scale(LINE_GAP, MeterDpi);
    }
    return needed;
}

static void GrowMeterWindow(HWND window, SIZE needed)
{
    RECT client;
    RECT frame;
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    LONG dx = std::max(0L, needed.cx + 2 * Layout.lineMargin - client.right);
    LONG dy = std::max(0L, needed.cy + 2 * Layout.blockMargin - client.bottom);
    if (dx == 0 && dy == 0)
        return;
    // Raised, never activated: the user's typing keeps the focus.
    SetWindowPos(window, HWND_TOP, frame.left - dx, frame.top - dy,
                 frame.right - frame.left + dx, frame.bottom - frame.top + dy, SWP_NOACTIVATE);
}

void FitMeterToLines(HWND window)
{
    if (!MeasureDc)
        MeasureDc = CreateCompatibleDC(nullptr);
    if (!MeasureDc)
        return;
    // Selected only while measuring, so that the exit sequence or a DPI change may delete it.
    HGDIOBJ oldFont = MeterFont ? SelectObject(MeasureDc, MeterFont) : nullptr;
    SIZE needed = MeasureLines(MeasureDc);
    if (oldFont)
        SelectObject(MeasureDc, oldFont);
    GrowMeterWindow(window, needed);
}

void LayOutMeter(HWND window)
{
    UpdateMeterLines();
    FitMeterToLines(window);
    InvalidateRect(window, nullptr, FALSE);
}
