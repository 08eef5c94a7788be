// The keyboard window's tooltips: one tool per key (two for the notched Enter), whose text
// gives the key's name, its exact count and its share of all keys counted one by one.
#ifndef TALLYWICK_KEYBOARD_TIPS_H
#define TALLYWICK_KEYBOARD_TIPS_H

#include <windows.h>
#include <commctrl.h>
#include <stdint.h>
#include "keyboard_paint.h"

struct KeyTips {
    HWND control;
    UINT ids[2 * MAX_BOARD_KEYS];  // the tools added, to take them away again
    int idCount;
};

// The tooltip of `window`, without tools yet, in the app mode now; `tips->control` stays
// null when it cannot be made.
void CreateKeyTips(KeyTips *tips, HWND window);
// A tool over each key of the picture, replacing those of an earlier layout.
void PlaceKeyTips(KeyTips *tips, const KeyboardPicture &picture);
// A mouse message of `window` handed to the tooltip, which sees no other: moves and the
// buttons pressed and let go show and hide its tips.
void RelayToKeyTips(const KeyTips &tips, HWND window, UINT message, WPARAM wParam,
                    LPARAM lParam);
// The board key that a tooltip's request (TTN_GETDISPINFOW) is about.
int TippedKey(const NMHDR *header);
// Answers the request with "name: count, share"; the name alone when `withFigures` is false.
void AnswerKeyTip(NMHDR *header, const wchar_t *name, uint64_t count, uint64_t total,
                  bool withFigures);

#endif
