// The keys of a full-size keyboard (function row, main block, navigation block, numeric
// keypad) in the ANSI, ISO or JIS form, where each one sits, and its label in the user's
// own keyboard layout. Each key is named by its identity from HOOK.dll: the scan code,
// plus 256 when the key is extended.
#ifndef TALLYWICK_KEYBOARD_LAYOUT_H
#define TALLYWICK_KEYBOARD_LAYOUT_H

#include <windows.h>
#include <stdint.h>

enum BoardForm { BOARD_ANSI, BOARD_ISO, BOARD_JIS };

enum KeyLabelKind : uint8_t {
    KEY_TYPING,  // labelled with the character the layout gives it
    KEY_NAMED,   // labelled with the layout's name for it, or its short label
};

// Positions and sizes in quarters of a standard key, which is 4 x 4.
struct BoardKey {
    uint16_t identity;
    uint8_t x, y, width, height;
    KeyLabelKind kind;
    bool notched;            // the ISO Enter: its lower row begins one quarter further right
    wchar_t shortLabel[8];   // for a key whose layout name is missing or too long
};

const int BOARD_WIDTH = 90;   // quarters: main block, navigation block, keypad
const int BOARD_HEIGHT = 26;  // function row, a half-key gap, five rows
const int MAX_BOARD_KEYS = 112;
const int KEY_LABEL_SIZE = 32;

// The keyboard type GetKeyboardType(0) gives a Japanese keyboard.
const int JAPANESE_KEYBOARD_TYPE = 7;

// JIS on a Japanese keyboard (`keyboardType` as GetKeyboardType(0) gives it), whatever
// layout is active; else ISO when the layout gives the key at scan code 0x56 a character
// of its own (the US layout maps that key too, to the backslash of the key at 0x2B), ANSI
// otherwise. `at56` and `at2B` are the characters of those keys, 0 for none.
BoardForm ChooseBoardForm(int keyboardType, wchar_t at56, wchar_t at2B);
// The form for the keyboard and the keyboard layout.
BoardForm LayoutBoardForm(HKL layout);
// Fills `keys` (room for MAX_BOARD_KEYS) with the board of `form`; returns their number.
int BoardKeys(BoardForm form, BoardKey *keys);
// The key's label in `layout`: its unshifted character for a typing key, else the
// layout's name for it; its short label where the layout has neither.
void KeyLabel(const BoardKey &key, HKL layout, wchar_t *label, int size);

#endif
