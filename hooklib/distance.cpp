// The mouse hook runs for every pointer event, up to a thousand a second; posting each
// piece of movement would flood the meter's queue, so the pieces are added up here and
// posted at most every POST_INTERVAL_MS, with a timer posting what is left when the
// pointer stops. The timer runs only while some distance is pending, so that a still
// pointer wakes nobody.
#include "distance.h"
#include "hook_thread.h"
#include "screen.h"
#include "res/resource.h"

#include <stdint.h>
#include <string.h>

namespace {

const DWORD POST_INTERVAL_MS = 50;
const UINT FLUSH_INTERVAL_MS = 100;

bool HaveLastPoint = false;
POINT LastPoint;
// A double, so that thousands of tiny pieces are not rounded away before they are posted.
double PendingMillimetres = 0.0;
DWORD LastPostTime = 0;
UINT_PTR FlushTimer = 0;

void CALLBACK OnFlushTimer(HWND, UINT, UINT_PTR, DWORD);

void UpdateFlushTimer()
{
    // As the float it is posted as, so that a remainder too small to post stops the timer.
    bool pending = (float)PendingMillimetres > 0.0f;
    // Without the timer the rest of a movement waits for the next one: no harm done.
    if (pending && !FlushTimer)
        FlushTimer = SetTimer(NULL, 0, FLUSH_INTERVAL_MS, OnFlushTimer);
    if (!pending && FlushTimer) {
        KillTimer(NULL, FlushTimer);
        FlushTimer = 0;
    }
}

// Posts what is pending; the caller then sets the flush timer to what is left.
void FlushDistance(HWND target)
{
    float millimetres = (float)PendingMillimetres;
    if (millimetres <= 0.0f || !target)
        return;
    uint32_t bits;
    memcpy(&bits, &millimetres, sizeof bits);
    // What did not fit into the float stays pending; a full queue keeps all of it.
    if (PostMessageA(target, MSG_MOUSE_DISTANCE, 0, (LPARAM)bits))
        PendingMillimetres -= millimetres;
}

void CALLBACK OnFlushTimer(HWND, UINT, UINT_PTR, DWORD)
{
    FlushDistance(HookTarget());
    UpdateFlushTimer();
}

}  // namespace

void ResetDistance()
{
    HaveLastPoint = false;
    PendingMillimetres = 0.0;
    LastPostTime = GetTickCount();
    UpdateFlushTimer();
}

void TrackPointer(HWND target, POINT point, DWORD time)
{
    if (!HaveLastPoint) {
        LastPoint = point;
        HaveLastPoint = true;
        return;
    }
    if (point.x == LastPoint.x && point.y == LastPoint.y)
        return;
    PendingMillimetres += ScreenMillimetres(LastPoint, point);
    LastPoint = point;
    // Unsigned difference, so that the wrap of the tick counter does no harm.
    if (time - LastPostTime >= POST_INTERVAL_MS) {
        FlushDistance(target);
        LastPostTime = time;
    }
    UpdateFlushTimer();
}

void StopDistance(HWND target)
{
    FlushDistance(target);
    ResetDistance();
}
