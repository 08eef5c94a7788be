// Which key of the keyboard an event of the low-level keyboard hook names: the one place
// that decides it, for the per-key counts and the board that shows them.
#ifndef TALLYWICK_HOOKLIB_KEY_IDENTITY_H
#define TALLYWICK_HOOKLIB_KEY_IDENTITY_H

#include <windows.h>

// The bit in the hook's scan code of a key event that Windows makes up and no key sent:
// the left Ctrl before and after AltGr (0x21D), the Shift let go and taken again around a
// keypad key while Num Lock is on (0x22A, 0x236).
const DWORD MADE_UP_KEY_SCAN = 0x200;

// The key's identity: its scan code (0-255), plus 256 when the key is extended, as
// MSG_KEY_PRESS carries it. `scan` is the hook's scan code, or the layout's for the event's
// virtual key (MAPVK_VK_TO_VSC_EX) where the event carried none; `extended` is
// LLKHF_EXTENDED. Pure: no call to the system.
WPARAM KeyIdentity(UINT scan, bool extended);

#endif
