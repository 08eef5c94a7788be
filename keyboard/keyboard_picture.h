// The keyboard's picture as data: where the board, the mouse and the legend stand, the
// colours, and what is drawn; and the parts the board and the mouse both draw with.
#ifndef TALLYWICK_KEYBOARD_PICTURE_H
#define TALLYWICK_KEYBOARD_PICTURE_H

#include <windows.h>
#include <stdint.h>
#include "keyboard_layout.h"
#include "../ui/rank_shading.h"

// In quarters of a key: the board, a gap, the mouse (with the other keys' box above it,
// beside the function row); below them a gap and the legend.
const int MOUSE_LEFT_EDGE = BOARD_WIDTH + 3;
const int PICTURE_WIDTH = MOUSE_LEFT_EDGE + 13;
const int OTHER_KEYS_HEIGHT = 4;
const int LEGEND_TOP = BOARD_HEIGHT + 2;
const int PICTURE_HEIGHT = LEGEND_TOP + 3;

// The heat of a key or a mouse button: its shade on the viridis ramp, ranked by spread, or
// NO_HEAT for a count of 0.
const int HEAT_CLASSES = VIRIDIS_SHADES;
const int8_t NO_HEAT = ZERO_SHADE;

enum MouseButtonIndex { MOUSE_BUTTON_LEFT, MOUSE_BUTTON_MIDDLE, MOUSE_BUTTON_RIGHT, MOUSE_BUTTONS };

// The colours of a picture: the system's or the dark palette, with the heat as bars in high
// contrast. `text` goes on a key's face, `backgroundText` beside the keys.
struct PictureColours {
    COLORREF background, face, edge, text, backgroundText, bar;
    bool highContrast, dark;
};

struct KeyboardPicture {
    const BoardKey *keys;
    int keyCount;
    const wchar_t (*labels)[KEY_LABEL_SIZE];  // the layout's label of each key
    const uint64_t *counts;   // each key's count, in the order of `keys`; null: no figures
    uint64_t otherKeys;       // the presses of the keys the board has no place for
    const char *summary;      // the line beside the legend
    uint64_t clicks[MOUSE_BUTTONS];
    int quarter;              // pixels in a quarter of a key
    POINT origin;             // where the picture's top left corner is drawn
    HFONT labelFont, countFont;
    PictureColours colours;
};

// The colours now: high contrast, dark or light.
PictureColours CurrentPictureColours();
// The heat of each of `n` counts; `lowest` gets each class's smallest count, 0 for a class
// that none falls in.
void RankHeat(const uint64_t *counts, int n, int8_t *heat, uint64_t lowest[HEAT_CLASSES]);
// A count as it fits on a small key: whole below 10 000, else 12.3k, 456k, 7.8M and so on.
void CompactCount(uint64_t count, char *text, int size);
// `count` grouped where that fits in `width` pixels in the DC's font, else compact; `text`
// holds GROUPED_SIZE characters.
void FittedCount(HDC dc, uint64_t count, int width, char *text);
// The fill and the text colour of a key or a mouse button of heat class `heat`: the plain
// ones for NO_HEAT and in high contrast, where the heat is a bar instead.
COLORREF HeatFillColour(const PictureColours &colours, int heat);
COLORREF HeatFillTextColour(const PictureColours &colours, int heat);

#endif
