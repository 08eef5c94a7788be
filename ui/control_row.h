// A row of controls laid out from left to right, each as wide as its text and the room
// beside it, as the chart window and the keyboard window lay out their tops.
#ifndef TALLYWICK_CONTROL_ROW_H
#define TALLYWICK_CONTROL_ROW_H

#include <windows.h>

struct ControlRow {
    HWND window;      // the controls' parent
    HDC dc;           // the window's, the controls' font selected into it, for measuring
    HGDIOBJ oldFont;
    int x, y;         // where the next control goes
    int height;       // of a control (a combo box: closed)
};

// A row starting at (x, y) of controls `height` high, their texts measured in `font`;
// EndControlRow lets the measuring context go.
ControlRow StartControlRow(HWND window, HFONT font, int x, int y, int height);
void EndControlRow(ControlRow *row);
// The width of `text` in the row's font. "&" marks the next character's underline and takes
// no room, unless `format` holds DT_NOPREFIX.
int RowTextWidth(const ControlRow &row, const char *text, UINT format);
// Control `id` placed at the row's end, `width` wide and `drop` pixels taller (a combo box's
// open list); the next one goes `gap` after it.
void PlaceInRow(ControlRow *row, int id, int width, int drop, int gap);
// The place PlaceInRow would give, with the row moved on as it does, for a control not made
// yet or moved later.
RECT NextInRow(ControlRow *row, int width, int drop, int gap);
// `control` at `place`, in its parent's client coordinates, nothing else changed.
void MoveIntoPlace(HWND control, const RECT &place);

#endif
