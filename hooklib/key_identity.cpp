// Some keys reach the hook in more than one form; each form is folded here into the key
// that the keyboard has, so that every press lands on a key of the board.
#include "key_identity.h"

namespace {

const WPARAM EXTENDED = 0x100;
const WPARAM PAUSE = 0x45;
const WPARAM PRINT_SCREEN = EXTENDED | 0x37;
// The hook flags Right Shift as extended, though its scan code has no E0 prefix.
const UINT RIGHT_SHIFT_SCAN = 0x36;
// Alt+Print Screen: the keyboard sends the old SysRq code instead.
const UINT SYSRQ_SCAN = 0x54;
// Ctrl+Pause: the keyboard sends Break, E0 46, which the layout makes VK_CANCEL.
const UINT BREAK_SCAN = 0x46;

}  // namespace

WPARAM KeyIdentity(UINT scan, bool extended)
{
    // Pause's make code begins with E1 (E1 1D 45): the layout's scan code for VK_PAUSE is
    // 0xE11D, while the hook reports the key as 0x45, not extended.
    if ((scan >> 8) == 0xE1)
        return PAUSE;
    UINT code = scan & 0xFF;
    // Injected input may carry the E0 prefix in the high byte instead of the flag.
    extended = extended || (scan >> 8) == 0xE0;
    if (code == RIGHT_SHIFT_SCAN)
        return RIGHT_SHIFT_SCAN;
    if (code == SYSRQ_SCAN)
        return PRINT_SCREEN;
    if (code == BREAK_SCAN && extended)
        return PAUSE;
    return code | (extended ? EXTENDED : 0);
}
