// Key-ups go missing: the secure desktop, Win+L and a UAC prompt swallow them. A key held
// down repeats about every 33 ms after a delay of at most one second, so a key whose last
// event is older than that delay with a margin was let go unseen, and its next key-down is
// a new press.
#include "key_presses.h"

namespace {

// Above the longest auto-repeat delay Windows offers (1 s), so that a held key never
// counts twice.
const LONG KEY_UP_LOST_MS = 1500;

bool KeyIsDown[256];
// The time stamp of each key's last key-down.
DWORD KeyDownTime[256];

}  // namespace

void ResetKeyPresses()
{
    for (bool &down : KeyIsDown)
        down = false;
}

bool IsNewKeyPress(BYTE key, DWORD time)
{
    // Signed, so that the wrap of the tick counter does no harm and an event stamped a
    // little earlier than the one before is still a repeat.
    bool repeat = KeyIsDown[key] && (LONG)(time - KeyDownTime[key]) <= KEY_UP_LOST_MS;
    KeyIsDown[key] = true;
    KeyDownTime[key] = time;
    return !repeat;
}

void NoteKeyUp(BYTE key)
{
    KeyIsDown[key] = false;
}
