// The mouse hook runs for every pointer event, up to a thousand a second; posting each
// piece of movement would flood the meter's queue, so the pieces are added up here and
// posted at most every POST_INTERVAL_MS, with a timer posting what is left when the
// pointer stops.
#include "distance.h"
#include "screen.h"
#include "res/resource.h"

#include <stdint.h>
#include <string.h>

namespace {

const DWORD POST_INTERVAL_MS = 50;

bool HaveLastPoint = false;
POINT LastPoint;
// A double, so that thousands of tiny pieces are not rounded away before they are posted.
double PendingMillimetres = 0.0;
DWORD LastPostTime = 0;

}  // namespace

void ResetDistance()
{
    HaveLastPoint = false;
    PendingMillimetres = 0.0;
    LastPostTime = GetTickCount();
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
}

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
