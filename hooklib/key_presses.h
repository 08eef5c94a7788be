// Which key-downs are new presses: a key-down of a key already down is the keyboard's
// auto-repeat. Everything here runs on the hook thread.
#ifndef TALLYWICK_HOOKLIB_KEY_PRESSES_H
#define TALLYWICK_HOOKLIB_KEY_PRESSES_H

#include <windows.h>

// Every key up.
void ResetKeyPresses();
// A key-down of `key` at `time` (the event's time stamp, ms); true when it is a new press.
bool IsNewKeyPress(BYTE key, DWORD time);
void NoteKeyUp(BYTE key);

#endif
