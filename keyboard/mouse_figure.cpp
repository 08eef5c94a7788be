// The mouse: a rounded body whose upper part holds the three buttons side by side, the
// middle one a narrow strip with the wheel. Each button is a region of the body, filled by
// its heat among the three.
#include "mouse_figure.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"

// The share of the body's height that the buttons take, and the middle strip's width, in
// quarters of a key.
const int BUTTONS_PERCENT = 42;
const int MIDDLE_STRIP = 3;

struct MouseParts {
    RECT body;
    int buttonsBottom;
    int middleLeft, middleRight;
};

static MouseParts MouseLayout(const RECT &box, int quarter)
{
    MouseParts parts;
    parts.body = box;
    parts.buttonsBottom = box.top + (box.bottom - box.top) * BUTTONS_PERCENT / 100;
    int centre = (box.left + box.right) / 2;
    parts.middleLeft = centre - MIDDLE_STRIP * quarter / 2;
    parts.middleRight = centre + MIDDLE_STRIP * quarter / 2;
    return parts;
}

// One button: the body's region cut to the button's column, filled by its heat.
static void FillButton(HDC dc, HRGN body, int left, int top, int right, int bottom, int heat,
                       const PictureColours &colours)
{
    HRGN button = CreateRectRgn(left, top, right, bottom);
    if (!button)
        return;
    CombineRgn(button, button, body, RGN_AND);
    SetDCBrushColor(dc, HeatFillColour(colours, heat));
    FillRgn(dc, button, (HBRUSH)GetStockObject(DC_BRUSH));
    DeleteObject(button);
}

// The button's name and its clicks, two lines centred in `box`.
static void DrawButtonText(HDC dc, const KeyboardPicture &picture, RECT box, UINT nameId,
                           uint64_t clicks, int heat)
{
    SetTextColor(dc, HeatFillTextColour(picture.colours, heat));
    char count[GROUPED_SIZE];
    SelectObject(dc, picture.countFont);
    FittedCount(dc, clicks, box.right - box.left, count);
    int middle = (box.top + box.bottom) / 2;
    RECT lower = {box.left, middle, box.right, box.bottom};
    DrawTextA(dc, count, -1, &lower, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, picture.labelFont);
    RECT upper = {box.left, box.top, box.right, middle};
    DrawTextA(dc, LoadText(SLOT_GENERAL, nameId), -1, &upper,
              DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
}

static void DrawButtonLines(HDC dc, const MouseParts &parts, const PictureColours &colours)
{
    SetDCPenColor(dc, colours.edge);
    MoveToEx(dc, parts.middleLeft, parts.body.top, nullptr);
    LineTo(dc, parts.middleLeft, parts.buttonsBottom);
    MoveToEx(dc, parts.middleRight, parts.body.top, nullptr);
    LineTo(dc, parts.middleRight, parts.buttonsBottom);
    MoveToEx(dc, parts.body.left, parts.buttonsBottom, nullptr);
    LineTo(dc, parts.body.right, parts.buttonsBottom);
}

static void DrawWheel(HDC dc, const MouseParts &parts, int quarter, const PictureColours &colours)
{
    int centre = (parts.middleLeft + parts.middleRight) / 2;
    int top = parts.body.top + (parts.buttonsBottom - parts.body.top) / 4;
    SetDCBrushColor(dc, colours.face);
    SetDCPenColor(dc, colours.edge);
    RoundRect(dc, centre - quarter / 2 - 1, top, centre + quarter / 2 + 2,
              top + (parts.buttonsBottom - parts.body.top) / 2, quarter, quarter);
}

void DrawMouseFigure(HDC dc, const RECT &box, const KeyboardPicture &picture)
{
    const PictureColours &colours = picture.colours;
    int q = picture.quarter;
    MouseParts parts = MouseLayout(box, q);
    int roundness = (box.right - box.left) * 4 / 5;
    HRGN body = CreateRoundRectRgn(box.left, box.top, box.right + 1, box.bottom + 1, roundness,
                                   roundness);
    if (!body)
        return;
    int8_t heat[MOUSE_BUTTONS];
    uint64_t lowest[HEAT_CLASSES];
    RankHeat(picture.clicks, MOUSE_BUTTONS, heat, lowest);
    SetDCBrushColor(dc, colours.face);
    FillRgn(dc, body, (HBRUSH)GetStockObject(DC_BRUSH));
    FillButton(dc, body, box.left, box.top, parts.middleLeft, parts.buttonsBottom,
               heat[MOUSE_BUTTON_LEFT], colours);
    FillButton(dc, body, parts.middleLeft, box.top, parts.middleRight, parts.buttonsBottom,
               heat[MOUSE_BUTTON_MIDDLE], colours);
    FillButton(dc, body, parts.middleRight, box.top, box.right, parts.buttonsBottom,
               heat[MOUSE_BUTTON_RIGHT], colours);
    DrawButtonLines(dc, parts, colours);
    DrawWheel(dc, parts, q, colours);
    SetDCBrushColor(dc, colours.edge);
    FrameRgn(dc, body, (HBRUSH)GetStockObject(DC_BRUSH), 1, 1);
    DeleteObject(body);
    int textTop = parts.body.top + (parts.buttonsBottom - parts.body.top) / 3;
    RECT left = {box.left + q / 2, textTop, parts.middleLeft, parts.buttonsBottom - q / 2};
    RECT right = {parts.middleRight, textTop, box.right - q / 2, parts.buttonsBottom - q / 2};
    RECT middle = {box.left + q, parts.buttonsBottom + q, box.right - q,
                   parts.buttonsBottom + 7 * q};
    DrawButtonText(dc, picture, left, IDS_MOUSE_LEFT, picture.clicks[MOUSE_BUTTON_LEFT],
                   heat[MOUSE_BUTTON_LEFT]);
    DrawButtonText(dc, picture, right, IDS_MOUSE_RIGHT, picture.clicks[MOUSE_BUTTON_RIGHT],
                   heat[MOUSE_BUTTON_RIGHT]);
    // The middle strip is too narrow for a text: it goes on the body below it, unshaded.
    DrawButtonText(dc, picture, middle, IDS_MOUSE_MIDDLE, picture.clicks[MOUSE_BUTTON_MIDDLE],
                   NO_HEAT);
}
