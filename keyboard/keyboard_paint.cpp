// The board is drawn key by key with the stock DC pen and brush, whose colours are set
// per key, so that a paint creates no GDI object. Every edge falls on a whole pixel: the
// picture is laid out in whole pixels per quarter key.
#include "keyboard_paint.h"
#include "keyboard_picture.h"
#include "mouse_figure.h"
#include "other_keys.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"
#include "../ui/shade_legend.h"

#include <algorithm>
#include <stdio.h>
#include <string.h>

static RECT QuarterRect(const KeyboardPicture &picture, int x, int y, int width, int height)
{
    int q = picture.quarter;
    RECT rect = {picture.origin.x + x * q, picture.origin.y + y * q,
                 picture.origin.x + (x + width) * q, picture.origin.y + (y + height) * q};
    return rect;
}

int KeyRects(const KeyboardPicture &picture, const BoardKey &key, RECT rects[2])
{
    if (!key.notched) {
        rects[0] = QuarterRect(picture, key.x, key.y, key.width, key.height);
        return 1;
    }
    rects[0] = QuarterRect(picture, key.x, key.y, key.width, key.height / 2);
    rects[1] = QuarterRect(picture, key.x + 1, key.y + key.height / 2, key.width - 1,
                           key.height / 2);
    return 2;
}

// Half the space between two keys.
static int KeyGap(int quarter)
{
    return std::max(1, quarter / 5);
}

// The key's outline, filled with the DC brush; returns the box its texts go into.
static RECT DrawKeyShape(HDC dc, const KeyboardPicture &picture, const BoardKey &key)
{
    RECT rects[2];
    int parts = KeyRects(picture, key, rects);
    int gap = KeyGap(picture.quarter);
    RECT box = rects[0];
    InflateRect(&box, -gap, -gap);
    if (parts == 1) {
        RoundRect(dc, box.left, box.top, box.right, box.bottom, picture.quarter, picture.quarter);
        return box;
    }
    // The ISO Enter: an L upside down, its lower row one quarter narrower on the left.
    int lowerLeft = rects[1].left + gap, bottom = rects[1].bottom - gap;
    POINT outline[6] = {{box.left, box.top},   {box.right, box.top},
                        {box.right, bottom},   {lowerLeft, bottom},
                        {lowerLeft, box.bottom}, {box.left, box.bottom}};
    Polygon(dc, outline, 6);
    return box;
}

static bool TextFits(HDC dc, const wchar_t *text, int width)
{
    SIZE size;
    return GetTextExtentPoint32W(dc, text, lstrlenW(text), &size) && size.cx <= width;
}

static void DrawKeyLabel(HDC dc, const KeyboardPicture &picture, int index, RECT box,
                         UINT placement)
{
    SelectObject(dc, picture.labelFont);
    const wchar_t *label = picture.labels[index];
    int width = box.right - box.left;
    if (!TextFits(dc, label, width))
        label = picture.keys[index].shortLabel;
    DrawTextW(dc, label, -1, &box,
              placement | DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// Grouped where it fits on the key, shortened where it does not; the tooltip is exact.
static void DrawKeyCount(HDC dc, const KeyboardPicture &picture, uint64_t count, RECT box)
{
    SelectObject(dc, picture.countFont);
    char text[GROUPED_SIZE];
    FittedCount(dc, count, box.right - box.left, text);
    DrawTextA(dc, text, -1, &box, DT_BOTTOM | DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// In high contrast the heat is a bar along the key's foot, as long as its class is high.
static void DrawHeatBar(HDC dc, const KeyboardPicture &picture, RECT box, int heat)
{
    int height = std::max(2, picture.quarter / 2);
    int length = (box.right - box.left) * (heat + 1) / HEAT_CLASSES;
    RECT bar = {box.left, box.bottom - height, box.left + length, box.bottom};
    SetDCBrushColor(dc, picture.colours.bar);
    FillRect(dc, &bar, (HBRUSH)GetStockObject(DC_BRUSH));
}

static void DrawKey(HDC dc, const KeyboardPicture &picture, int index, int heat)
{
    const PictureColours &colours = picture.colours;
    SetDCBrushColor(dc, HeatFillColour(colours, heat));
    SetDCPenColor(dc, colours.edge);
    RECT box = DrawKeyShape(dc, picture, picture.keys[index]);
    int padX = std::max(1, picture.quarter / 4), padY = std::max(1, picture.quarter / 5);
    InflateRect(&box, -padX, -padY);
    SetTextColor(dc, HeatFillTextColour(colours, heat));
    if (!picture.counts) {
        DrawKeyLabel(dc, picture, index, box, DT_VCENTER);
        return;
    }
    DrawKeyLabel(dc, picture, index, box, DT_TOP);
    if (picture.counts[index] == 0)
        return;
    if (colours.highContrast)
        DrawHeatBar(dc, picture, box, heat);
    DrawKeyCount(dc, picture, picture.counts[index], box);
}

// A swatch of one class with the smallest count that has it.
static void DrawLegendSwatch(HDC dc, const KeyboardPicture &picture, RECT swatch, int heat,
                             uint64_t lowest)
{
    const PictureColours &colours = picture.colours;
    SetDCBrushColor(dc, HeatFillColour(colours, heat));
    SetDCPenColor(dc, colours.edge);
    Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
    if (heat != NO_HEAT && colours.highContrast)
        DrawHeatBar(dc, picture, swatch, heat);
    if (lowest == 0)
        return;
    char text[32];
    CompactCount(lowest, text, sizeof text);
    SetTextColor(dc, HeatFillTextColour(colours, heat));
    DrawTextA(dc, text, -1, &swatch, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// What a legend's swatch is drawn with.
struct SwatchLook {
    const KeyboardPicture *picture;
    const uint64_t *lowest;
};

static void DrawHeatSwatch(HDC dc, const RECT &swatch, int heat, const void *context)
{
    const SwatchLook *look = (const SwatchLook *)context;
    DrawLegendSwatch(dc, *look->picture, swatch, heat, look->lowest[heat]);
}

// Never pressed, then fewer, the classes from the fewest presses up, more; the summary at
// the right end.
static void DrawLegend(HDC dc, const KeyboardPicture &picture, const uint64_t lowest[HEAT_CLASSES])
{
    int q = picture.quarter;
    RECT line = QuarterRect(picture, 0, LEGEND_TOP, PICTURE_WIDTH, PICTURE_HEIGHT - LEGEND_TOP);
    SelectObject(dc, picture.countFont);
    SetTextColor(dc, picture.colours.backgroundText);
    RECT plain = {line.left, line.top, line.left + 4 * q, line.bottom};
    DrawLegendSwatch(dc, picture, plain, NO_HEAT, 0);
    int x = DrawLegendText(dc, line, plain.right + q, LoadText(SLOT_GENERAL, IDS_KEYBOARD_NEVER));
    SwatchLook look = {&picture, lowest};
    ShadeLegend legend = {};
    legend.line = RECT{x + 3 * q, line.top, line.right, line.bottom};
    legend.gap = q;
    legend.swatch = SIZE{6 * q, line.bottom - line.top};
    legend.overlap = 1;  // one edge between two swatches
    legend.firstShade = 0;
    legend.lastShade = HEAT_CLASSES - 1;
    legend.fewerId = IDS_KEYBOARD_FEWER;
    legend.moreId = IDS_KEYBOARD_MORE;
    legend.textColour = picture.colours.backgroundText;
    legend.drawSwatch = DrawHeatSwatch;
    legend.context = &look;
    DrawShadeLegend(dc, legend);
    DrawTextA(dc, picture.summary, -1, &line, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawKeyboardPicture(HDC dc, const KeyboardPicture &picture)
{
    int8_t heat[MAX_BOARD_KEYS];
    uint64_t lowest[HEAT_CLASSES] = {};
    if (picture.counts)
        RankHeat(picture.counts, picture.keyCount, heat, lowest);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    HGDIOBJ oldFont = SelectObject(dc, picture.labelFont);
    SetBkMode(dc, TRANSPARENT);
    for (int index = 0; index < picture.keyCount; ++index)
        DrawKey(dc, picture, index, picture.counts ? heat[index] : NO_HEAT);
    if (picture.counts)
        DrawLegend(dc, picture, lowest);
    DrawOtherKeys(dc, picture);
    RECT mouse = QuarterRect(picture, MOUSE_LEFT_EDGE, 6, PICTURE_WIDTH - MOUSE_LEFT_EDGE,
                             BOARD_HEIGHT - 6);
    DrawMouseFigure(dc, mouse, picture);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}
