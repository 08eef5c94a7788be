// Drawn on the window's background with the keys' edge colour and the text colour beside
// the keys: it holds presses, but it is no key, and no shade of the heat applies to it.
#include "other_keys.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"

#include <algorithm>

void DrawOtherKeys(HDC dc, const KeyboardPicture &picture)
{
    if (!picture.counts)
        return;
    int q = picture.quarter, gap = std::max(1, q / 5);
    RECT box = {picture.origin.x + MOUSE_LEFT_EDGE * q + gap, picture.origin.y + gap,
                picture.origin.x + PICTURE_WIDTH * q - gap,
                picture.origin.y + OTHER_KEYS_HEIGHT * q - gap};
    SetDCBrushColor(dc, picture.colours.background);
    SetDCPenColor(dc, picture.colours.edge);
    RoundRect(dc, box.left, box.top, box.right, box.bottom, q, q);
    InflateRect(&box, -std::max(1, q / 4), -std::max(1, q / 5));
    SetTextColor(dc, picture.colours.backgroundText);
    SelectObject(dc, picture.labelFont);
    DrawTextA(dc, LoadText(SLOT_GENERAL, IDS_KEYBOARD_OTHER_KEYS), -1, &box,
              DT_TOP | DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (picture.otherKeys == 0)
        return;
    SelectObject(dc, picture.countFont);
    char text[GROUPED_SIZE];
    FittedCount(dc, picture.otherKeys, box.right - box.left, text);
    DrawTextA(dc, text, -1, &box, DT_BOTTOM | DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}
