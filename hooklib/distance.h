// The pointer's travel on the screen, added up in millimetres and posted to the target
// window as MSG_MOUSE_DISTANCE at a modest rate. Everything here runs on the hook thread.
#ifndef TALLYWICK_HOOKLIB_DISTANCE_H
#define TALLYWICK_HOOKLIB_DISTANCE_H

#include <windows.h>

// Forgets the last position and any pending distance; the next position only sets the start.
void ResetDistance();
// Adds the way from the last position to `point`; `time` is the event's time stamp in ms.
void TrackPointer(HWND target, POINT point, DWORD time);
// Posts whatever distance is pending, then forgets everything.
void StopDistance(HWND target);

#endif
