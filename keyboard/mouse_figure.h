// The mouse beside the board: its left, middle and right buttons shaded by their clicks
// and labelled with them.
#ifndef TALLYWICK_MOUSE_FIGURE_H
#define TALLYWICK_MOUSE_FIGURE_H

#include <windows.h>
#include "keyboard_picture.h"

// Draws the mouse into `box` with the picture's clicks, fonts and colours.
void DrawMouseFigure(HDC dc, const RECT &box, const KeyboardPicture &picture);

#endif
