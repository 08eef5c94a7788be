// The keys the board has no place for (media, volume, browser and launch keys, the keys of
// other keyboards): one small box above the mouse with their presses together, so that
// the counts on the picture add up to the total.
#ifndef TALLYWICK_OTHER_KEYS_H
#define TALLYWICK_OTHER_KEYS_H

#include <windows.h>
#include "keyboard_picture.h"

// Draws the box with the picture's otherKeys, when the picture has figures.
void DrawOtherKeys(HDC dc, const KeyboardPicture &picture);

#endif
