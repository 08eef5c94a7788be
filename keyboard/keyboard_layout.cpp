// The board: every key of a full-size keyboard by its identity, placed in quarters of a
// key. The three forms differ only in the main block; the function row, the navigation
// block and the keypad are the same on all of them.
#include "keyboard_layout.h"

#include <string.h>
#include <wchar.h>

namespace {

const int KEY = 4;  // a standard key, in quarters
const uint16_t EXTENDED = 0x100;

struct BoardBuilder {
    BoardKey *keys;
    int count;
};

void Add(BoardBuilder *board, uint16_t identity, int x, int y, int width, KeyLabelKind kind,
         const wchar_t *shortLabel, int height = KEY, bool notched = false)
{
    if (board->count >= MAX_BOARD_KEYS)
        return;
    BoardKey &key = board->keys[board->count++];
    key.identity = identity;
    key.x = (uint8_t)x;
    key.y = (uint8_t)y;
    key.width = (uint8_t)width;
    key.height = (uint8_t)height;
    key.kind = kind;
    key.notched = notched;
    lstrcpynW(key.shortLabel, shortLabel, sizeof key.shortLabel / sizeof(wchar_t));
}

void Named(BoardBuilder *board, uint16_t identity, int x, int y, const wchar_t *label,
           int width = KEY, int height = KEY)
{
    Add(board, identity, x, y, width, KEY_NAMED, label, height);
}

// Typing keys side by side with consecutive scan codes, one character of `labels` each.
void TypingRun(BoardBuilder *board, uint16_t firstScan, int x, int y, const wchar_t *labels)
{
    for (int i = 0; labels[i]; ++i) {
        wchar_t label[2] = {labels[i], 0};
        Add(board, (uint16_t)(firstScan + i), x + i * KEY, y, KEY, KEY_TYPING, label);
    }
}

void Typing(BoardBuilder *board, uint16_t identity, int x, int y, const wchar_t *label)
{
    Add(board, identity, x, y, KEY, KEY_TYPING, label);
}

void FunctionRow(BoardBuilder *board)
{
    Named(board, 0x01, 0, 0, L"Esc");
    static const wchar_t *const names[12] = {L"F1", L"F2", L"F3", L"F4", L"F5", L"F6",
                                             L"F7", L"F8", L"F9", L"F10", L"F11", L"F12"};
    static const uint16_t scans[12] = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40,
                                       0x41, 0x42, 0x43, 0x44, 0x57, 0x58};
    for (int i = 0; i < 12; ++i)  // in groups of four, half a key apart
        Named(board, scans[i], 8 + i * KEY + i / 4 * 2, 0, names[i]);
    Named(board, EXTENDED | 0x37, 61, 0, L"PrtSc");
    Named(board, 0x46, 65, 0, L"ScrLk");
    Named(board, 0x45, 69, 0, L"Pause");
}

void NavigationBlock(BoardBuilder *board)
{
    Named(board, EXTENDED | 0x52, 61, 6, L"Ins");
    Named(board, EXTENDED | 0x47, 65, 6, L"Home");
    Named(board, EXTENDED | 0x49, 69, 6, L"PgUp");
    Named(board, EXTENDED | 0x53, 61, 10, L"Del");
    Named(board, EXTENDED | 0x4F, 65, 10, L"End");
    Named(board, EXTENDED | 0x51, 69, 10, L"PgDn");
    Named(board, EXTENDED | 0x48, 65, 18, L"\x2191");
    Named(board, EXTENDED | 0x4B, 61, 22, L"\x2190");
    Named(board, EXTENDED | 0x50, 65, 22, L"\x2193");
    Named(board, EXTENDED | 0x4D, 69, 22, L"\x2192");
}

void Keypad(BoardBuilder *board)
{
    Named(board, EXTENDED | 0x45, 74, 6, L"Num");
    Named(board, EXTENDED | 0x35, 78, 6, L"/");
    Named(board, 0x37, 82, 6, L"*");
    Named(board, 0x4A, 86, 6, L"-");
    Named(board, 0x47, 74, 10, L"7");
    Named(board, 0x48, 78, 10, L"8");
    Named(board, 0x49, 82, 10, L"9");
    Named(board, 0x4E, 86, 10, L"+", KEY, 2 * KEY);
    Named(board, 0x4B, 74, 14, L"4");
    Named(board, 0x4C, 78, 14, L"5");
    Named(board, 0x4D, 82, 14, L"6");
    Named(board, 0x4F, 74, 18, L"1");
    Named(board, 0x50, 78, 18, L"2");
    Named(board, 0x51, 82, 18, L"3");
    Named(board, EXTENDED | 0x1C, 86, 18, L"Enter", KEY, 2 * KEY);
    Named(board, 0x52, 74, 22, L"0", 2 * KEY);
    Named(board, 0x53, 82, 22, L".");
}

// The digit row; JIS has a yen key before a shorter Backspace.
void DigitRow(BoardBuilder *board, BoardForm form)
{
    Typing(board, 0x29, 0, 6, form == BOARD_JIS ? L"\x534A/\x5168" : L"`");
    TypingRun(board, 0x02, 4, 6, L"1234567890-=");
    if (form == BOARD_JIS) {
        Typing(board, 0x7D, 52, 6, L"\x00A5");
        Named(board, 0x0E, 56, 6, L"Bksp");
    } else {
        Named(board, 0x0E, 52, 6, L"Bksp", 2 * KEY);
    }
}

// ANSI: a backslash above a wide Enter. ISO and JIS: a tall Enter over two rows, and the
// key at 0x2B on the home row beside it.
void LetterRows(BoardBuilder *board, BoardForm form)
{
    Named(board, 0x0F, 0, 10, L"Tab", 6);
    TypingRun(board, 0x10, 6, 10, L"QWERTYUIOP[]");
    Named(board, 0x3A, 0, 14, L"Caps", 7);
    TypingRun(board, 0x1E, 7, 14, L"ASDFGHJKL;'");
    if (form == BOARD_ANSI) {
        Add(board, 0x2B, 54, 10, 6, KEY_TYPING, L"\\");
        Named(board, 0x1C, 51, 14, L"Enter", 9);
    } else {
        Add(board, 0x1C, 54, 10, 6, KEY_NAMED, L"Enter", 2 * KEY, true);
        Typing(board, 0x2B, 51, 14, L"\\");
    }
}

// ISO has a key of its own beside a short left Shift, JIS one beside a short right Shift.
void ShiftRow(BoardBuilder *board, BoardForm form)
{
    if (form == BOARD_ISO) {
        Named(board, 0x2A, 0, 18, L"Shift", 5);
        Typing(board, 0x56, 5, 18, L"\\");
    } else {
        Named(board, 0x2A, 0, 18, L"Shift", 9);
    }
    TypingRun(board, 0x2C, 9, 18, L"ZXCVBNM,./");
    if (form == BOARD_JIS) {
        Typing(board, 0x73, 49, 18, L"\\");
        Named(board, 0x36, 53, 18, L"Shift", 7);
    } else {
        Named(board, 0x36, 49, 18, L"Shift", 11);
    }
}

// JIS gives up part of the space bar to its three conversion keys.
void SpaceRow(BoardBuilder *board, BoardForm form)
{
    Named(board, 0x1D, 0, 22, L"Ctrl", 5);
    Named(board, EXTENDED | 0x5B, 5, 22, L"Win", 5);
    Named(board, 0x38, 10, 22, L"Alt", 5);
    if (form == BOARD_JIS) {
        Named(board, 0x7B, 15, 22, L"\x7121\x5909\x63DB", 5);
        Named(board, 0x39, 20, 22, L"Space", 10);
        Named(board, 0x79, 30, 22, L"\x5909\x63DB", 5);
        Named(board, 0x70, 35, 22, L"\x304B\x306A", 5);
    } else {
        Named(board, 0x39, 15, 22, L"Space", 25);
    }
    Named(board, EXTENDED | 0x38, 40, 22, L"Alt", 5);
    Named(board, EXTENDED | 0x5C, 45, 22, L"Win", 5);
    Named(board, EXTENDED | 0x5D, 50, 22, L"Menu", 5);
    Named(board, EXTENDED | 0x1D, 55, 22, L"Ctrl", 5);
}

// The layout's unshifted character of the key at `scan` (not extended); 0 for none. A dead
// key (an accent waiting for its letter) has the top bit set.
wchar_t KeyCharacter(UINT scan, HKL layout)
{
    UINT vk = MapVirtualKeyExW(scan, MAPVK_VSC_TO_VK_EX, layout);
    UINT character = vk ? MapVirtualKeyExW(vk, MAPVK_VK_TO_CHAR, layout) : 0;
    return (wchar_t)(character & 0xFFFF);
}

}  // namespace

// A Japanese layout on a 101-key keyboard types on keys that have no JIS places.
BoardForm ChooseBoardForm(int keyboardType, wchar_t at56, wchar_t at2B)
{
    if (keyboardType == JAPANESE_KEYBOARD_TYPE)
        return BOARD_JIS;
    return at56 && at56 != at2B ? BOARD_ISO : BOARD_ANSI;
}

BoardForm LayoutBoardForm(HKL layout)
{
    return ChooseBoardForm(GetKeyboardType(0), KeyCharacter(0x56, layout),
                           KeyCharacter(0x2B, layout));
}

int BoardKeys(BoardForm form, BoardKey *keys)
{
    BoardBuilder board = {keys, 0};
    FunctionRow(&board);
    DigitRow(&board, form);
    LetterRows(&board, form);
    ShiftRow(&board, form);
    SpaceRow(&board, form);
    NavigationBlock(&board);
    Keypad(&board);
    return board.count;
}

// Letters upper case, as keycaps show them.
static bool TypingLabel(const BoardKey &key, HKL layout, wchar_t *label, int size)
{
    wchar_t character = KeyCharacter(key.identity, layout);
    if (character < L' ' || size < 2)
        return false;
    label[0] = character;
    label[1] = 0;
    CharUpperBuffW(label, 1);
    return true;
}

void KeyLabel(const BoardKey &key, HKL layout, wchar_t *label, int size)
{
    if (key.kind == KEY_TYPING && TypingLabel(key, layout, label, size))
        return;
    // The name comes from the layout the thread has active, which is `layout` here.
    LONG keyParam = (LONG)((key.identity & 0xFF) << 16 | (key.identity & 0x100) << 16);
    if (GetKeyNameTextW(keyParam, label, size) > 0)
        return;
    lstrcpynW(label, key.shortLabel, size);
}
