// A row of controls. Runs on the program's one thread, from the windows' layouts.
#include "control_row.h"

ControlRow StartControlRow(HWND window, HFONT font, int x, int y, int height)
{
    ControlRow row = {};
    row.window = window;
    row.dc = GetDC(window);
    row.oldFont = row.dc ? SelectObject(row.dc, font) : nullptr;
    row.x = x;
    row.y = y;
    row.height = height;
    return row;
}

void EndControlRow(ControlRow *row)
{
    if (!row->dc)
        return;
    SelectObject(row->dc, row->oldFont);
    ReleaseDC(row->window, row->dc);
    row->dc = nullptr;
}

int RowTextWidth(const ControlRow &row, const char *text, UINT format)
{
    RECT rect = {0, 0, 0, 0};
    if (row.dc)
        DrawTextA(row.dc, text, -1, &rect, DT_CALCRECT | DT_SINGLELINE | format);
    return rect.right;
}

RECT NextInRow(ControlRow *row, int width, int drop, int gap)
{
    RECT place = {row->x, row->y, row->x + width, row->y + row->height + drop};
    row->x += width + gap;
    return place;
}

void MoveIntoPlace(HWND control, const RECT &place)
{
    // Not copied as it was: a control moved onto the place of another one would take that
    // one's picture along.
    SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void PlaceInRow(ControlRow *row, int id, int width, int drop, int gap)
{
    MoveIntoPlace(GetDlgItem(row->window, id), NextInRow(row, width, drop, gap));
}
