// The picture of the keyboard window: the board with a label and a count on every key,
// shaded by rank, the legend, and the mouse beside it. Drawn into any device context, for
// the window's paint and for the picture that is copied or saved alike.
#ifndef TALLYWICK_KEYBOARD_PAINT_H
#define TALLYWICK_KEYBOARD_PAINT_H

#include <windows.h>
#include <stdint.h>
#include "keyboard_picture.h"

void DrawKeyboardPicture(HDC dc, const KeyboardPicture &picture);
// The rectangles that make up a key on the picture (two for the notched Enter); returns
// how many.
int KeyRects(const KeyboardPicture &picture, const BoardKey &key, RECT rects[2]);

#endif
