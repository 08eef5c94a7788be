// The meter's four lines: drawn into a memory bitmap and copied in one block, so the
// window never shows a half-drawn state. Painting only reads the counters; what it changes
// is the window's size, which grows to fit the text and never shrinks, and the record of
// the figures it drew, which lets a timer tick with nothing new to show skip its repaint.
#include "meter_paint.h"
#include "dpi.h"
#include "meter_window.h"
#include "../app/counters.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"

#include <algorithm>
#include <math.h>
#include <string.h>

// Pixels at 96 dpi; the meter scales them to MeterDpi.
const int LINE_MARGIN = 10;       // left and right of every line
const int BLOCK_MARGIN = 7;       // above and below the block of lines
const int LINE_HEIGHT = 18;
const int LINE_GAP = 5;

struct MeterLayout {
    int lineMargin, blockMargin, lineHeight, lineGap;
};

static const char *KeysLine(const char *format)
{
    char current[GROUPED_SIZE];
    char total[GROUPED_SIZE];
    GroupDigits((int64_t)(Totals.keyPresses - PeriodBaseline.keyPresses), current);
    GroupDigits((int64_t)Totals.keyPresses, total);
    return FormatMeterText(format, current, total);
}

// Whole metres in 32 bits, then kilometres by integer division. A value outside the
// 64-bit range (only a corrupt total) shows as 0 instead of an undefined conversion.
static unsigned long WholeKilometres(double metres)
{
    if (!(metres > -9.2e18 && metres < 9.2e18))
        return 0;
    return (unsigned long)((uint32_t)(int64_t)metres / 1000);
}

static const char *DistanceLine(const char *format)
{
    double current = (Totals.distance - PeriodBaseline.distance) * 0.001;
    double total = Totals.distance * 0.001;
    // "%.3f" may carry a remainder up to 1000.000 beside the lower kilometre figure.
    return FormatMeterText(format, WholeKilometres(current), fmod(current, 1000.0),
                           WholeKilometres(total), fmod(total, 1000.0));
}

static const char *ClicksLine(const char *format)
{
    char current[3][GROUPED_SIZE];
    char total[3][GROUPED_SIZE];
    GroupDigits((int64_t)(Totals.leftClicks - PeriodBaseline.leftClicks), current[0]);
    GroupDigits((int64_t)(Totals.middleClicks - PeriodBaseline.middleClicks), current[1]);
    GroupDigits((int64_t)(Totals.rightClicks - PeriodBaseline.rightClicks), current[2]);
    GroupDigits((int64_t)Totals.leftClicks, total[0]);
    GroupDigits((int64_t)Totals.middleClicks, total[1]);
    GroupDigits((int64_t)Totals.rightClicks, total[2]);
    return FormatMeterText(format, current[0], current[1], current[2], total[0], total[1],
                           total[2]);
}

static const char *TimeLine(const char *format)
{
    // One clock reading for both figures, so the two agree within a paint.
    uint32_t period = PeriodSeconds();
    uint64_t total = StoredTotalTime + period;
    return FormatMeterText(format, (unsigned long)(period / 86400),
                           (unsigned long)(period / 3600 % 24), (unsigned long)(period / 60 % 60),
                           (unsigned long)(period % 60), total / 86400, total / 3600 % 24,
                           total / 60 % 60, total % 60);
}

// Everything the four lines are made of. Equal figures give the same four texts, so a
// window showing them needs no repaint; a figure that changes without changing its text
// (a fraction of a millimetre) only costs one repaint too many.
struct MeterFigures {
    CounterBlock totals;
    CounterBlock baseline;
    uint64_t storedTotalTime;
    uint32_t periodSeconds;
};

// Written by every paint, read by the timer tick; both run on the meter window's thread.
static MeterFigures PaintedFigures;
static bool FiguresPainted;

static MeterFigures CurrentFigures()
{
    return MeterFigures{Totals, PeriodBaseline, StoredTotalTime, PeriodSeconds()};
}

static bool SameCounters(const CounterBlock &a, const CounterBlock &b)
{
    // Compared as stored bits, so that a NaN or infinite distance still equals itself.
    return memcmp(&a, &b, sizeof a) == 0;
}

bool MeterFiguresChanged()
{
    MeterFigures now = CurrentFigures();
    return !FiguresPainted || !SameCounters(now.totals, PaintedFigures.totals)
           || !SameCounters(now.baseline, PaintedFigures.baseline)
           || now.storedTotalTime != PaintedFigures.storedTotalTime
           || now.periodSeconds != PaintedFigures.periodSeconds;
}

const char *BuildMeterLine(int line)
{
    static const UINT formats[METER_LINE_COUNT] = {IDS_LINE_KEYS, IDS_LINE_DISTANCE,
                                                   IDS_LINE_CLICKS, IDS_LINE_TIME};
    static const char *(*const builders[METER_LINE_COUNT])(const char *) = {
        KeysLine, DistanceLine, ClicksLine, TimeLine};
    // A format that cannot be loaded is "-", which formats to itself without figures.
    return builders[line](LoadText(SLOT_GENERAL, formats[line]));
}

// The layout at the DPI of MeterFont, which is selected into `dc`. A line is never lower
// than the font's own line height, whatever font the system gives, so no line is cut off.
static MeterLayout ScaledLayout(HDC dc)
{
    MeterLayout layout = {Scale(LINE_MARGIN, MeterDpi), Scale(BLOCK_MARGIN, MeterDpi),
                          Scale(LINE_HEIGHT, MeterDpi), Scale(LINE_GAP, MeterDpi)};
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics))
        layout.lineHeight = std::max(layout.lineHeight, (int)metrics.tmHeight);
    return layout;
}

// Draws the lines, each cut to its rectangle, and returns the size the text needs: the
// widest line and the height of the block from its top.
static SIZE DrawMeterLines(HDC dc, const RECT &client, const MeterLayout &layout)
{
    RECT line = {layout.lineMargin, layout.blockMargin, client.right - layout.lineMargin,
                 layout.blockMargin + layout.lineHeight};
    RECT measure = line;
    SIZE needed = {0, 0};
    for (int index = 0; index < METER_LINE_COUNT; ++index) {
        const char *text = BuildMeterLine(index);
        if (index > 0)
            OffsetRect(&line, 0, measure.bottom - measure.top + layout.lineGap);
        measure = line;
        int length = (int)strlen(text);
        DrawTextA(dc, text, length, &measure, DT_CALCRECT);
        needed.cx = std::max(needed.cx, measure.right - measure.left);
        DrawTextA(dc, text, length, &line, 0);
    }
    needed.cy = std::max(0L, measure.bottom - layout.blockMargin);
    return needed;
}

// Grows the window to the left and upwards, keeping its right and bottom edges, and raises
// it; never activates it: a paint is no request of the user's, whose typing keeps the focus.
static void GrowMeterWindow(HWND window, SIZE needed, const MeterLayout &layout)
{
    RECT client;
    RECT frame;
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    LONG dx = std::max(0L, needed.cx + 2 * layout.lineMargin - client.right);
    LONG dy = std::max(0L, needed.cy + 2 * layout.blockMargin - client.bottom);
    if (dx == 0 && dy == 0)
        return;
    SetWindowPos(window, HWND_TOP, frame.left - dx, frame.top - dy,
                 frame.right - frame.left + dx, frame.bottom - frame.top + dy, SWP_NOACTIVATE);
}

// Fills the memory context with the four lines, grows the window to fit them and copies
// the picture to the window.
static void DrawMeter(HDC memoryDc, HDC paintDc, HWND window, const RECT &client)
{
    // Taken before the lines read the clock: should the second turn meanwhile, the next
    // tick finds a change and paints once more, rather than missing one.
    PaintedFigures = CurrentFigures();
    FiguresPainted = true;
    HGDIOBJ oldFont = MeterFont ? SelectObject(memoryDc, MeterFont) : nullptr;
    // The opaque text output fills the background; the mode stays opaque for the lines.
    SetBkColor(memoryDc, METER_BACKGROUND);
    ExtTextOutA(memoryDc, 0, 0, ETO_OPAQUE, &client, "", 0, nullptr);
    MeterLayout layout = ScaledLayout(memoryDc);
    SIZE needed = DrawMeterLines(memoryDc, client, layout);
    if (oldFont)
        SelectObject(memoryDc, oldFont);
    GrowMeterWindow(window, needed, layout);
    BitBlt(paintDc, 0, 0, client.right, client.bottom, memoryDc, 0, 0, SRCCOPY);
}

// A memory context with a bitmap of the client's size, compatible with the window's
// context (not the memory one) for the screen's colours; false when either cannot be had.
static bool CreatePaintBuffer(HDC paintDc, const RECT &client, HDC *memoryDc, HBITMAP *bitmap)
{
    *memoryDc = CreateCompatibleDC(paintDc);
    *bitmap = *memoryDc ? CreateCompatibleBitmap(paintDc, client.right, client.bottom) : nullptr;
    if (*bitmap)
        return true;
    if (*memoryDc)
        DeleteDC(*memoryDc);
    *memoryDc = nullptr;
    return false;
}

// The outermost paint keeps its memory bitmap from one paint to the next and makes it anew
// only when the client size has changed: making one costs several times what drawing the
// lines does. Meter thread only, like every paint.
static HDC KeptDc;
static HBITMAP KeptBitmap;
static RECT KeptRect;

static HDC KeptPaintBuffer(HDC paintDc, const RECT &client)
{
    if (KeptDc && EqualRect(&KeptRect, &client))
        return KeptDc;
    if (KeptDc) {
        DeleteDC(KeptDc);
        DeleteObject(KeptBitmap);
        KeptDc = nullptr;
    }
    if (!CreatePaintBuffer(paintDc, client, &KeptDc, &KeptBitmap))
        return nullptr;
    SelectObject(KeptDc, KeptBitmap);
    KeptRect = client;
    return KeptDc;
}

// A paint nested in another (the growth's resize can send one) draws into a bitmap of its
// own, so that the picture of the paint around it stays as it drew it.
static void PaintNested(HDC paintDc, HWND window, const RECT &client)
{
    HDC memoryDc;
    HBITMAP bitmap;
    if (!CreatePaintBuffer(paintDc, client, &memoryDc, &bitmap))
        return;
    HGDIOBJ oldBitmap = SelectObject(memoryDc, bitmap);
    DrawMeter(memoryDc, paintDc, window, client);
    SelectObject(memoryDc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
}

static int PaintDepth;

void PaintMeter(HDC paintDc, HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    ++PaintDepth;
    HDC kept = PaintDepth == 1 ? KeptPaintBuffer(paintDc, client) : nullptr;
    if (kept)
        DrawMeter(kept, paintDc, window, client);
    else
        PaintNested(paintDc, window, client);
    --PaintDepth;
}
