// The single instance and the message loop of the resident program.
#include "startup.h"

#include "../charts/chart_window.h"
#include "../hook/hook.h"
#include "../keyboard/keyboard_window.h"
#include "user_mutex.h"

HANDLE InstanceMutex;
static HANDLE UserMutex;  // the user's mutex in every session; null where out of reach

// The open test finds a running instance; the creation result also catches a second start
// that slipped in between the two calls, and a mutex that cannot be made at all ends the
// start, since two instances would save over each other's figures.
static bool ClaimSessionInstance()
{
    HANDLE running = OpenMutexA(SYNCHRONIZE, FALSE, INSTANCE_MUTEX_NAME);
    if (running) {
        CloseHandle(running);
        return false;
    }
    SetLastError(ERROR_SUCCESS);
    InstanceMutex = CreateMutexA(NULL, TRUE, INSTANCE_MUTEX_NAME);
    if (InstanceMutex && GetLastError() == ERROR_ALREADY_EXISTS)
        CloseInstanceMutex();
    return InstanceMutex != NULL;
}

// The session's mutex first: an instance of this session holds both, so a user's mutex
// found with the session's free belongs to another session. Out of reach, it is done
// without, as before there was one.
InstanceClaim ClaimSingleInstance()
{
    if (!ClaimSessionInstance())
        return INSTANCE_IN_THIS_SESSION;
    if (TakeUserMutex(&UserMutex) == USER_MUTEX_ELSEWHERE) {
        CloseInstanceMutex();
        return INSTANCE_IN_OTHER_SESSION;
    }
    return INSTANCE_CLAIMED;
}

// The chart and keyboard windows are dialogs in all but name: Tab, the arrow keys, Escape
// and the access keys move among their controls.
static bool IsWindowDialogMessage(MSG *message)
{
    return IsChartDialogMessage(message) || IsKeyboardDialogMessage(message);
}

int RunMessageLoop()
{
    // GetMessage waits and takes in one call what a peek followed by a wait takes in two
    // round trips to the system on an idle tick. It answers 0 for WM_QUIT, and -1 only for
    // a bad window handle, which a loop over all the thread's windows cannot pass.
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, NULL, 0, 0)) != 0) {
        if (got == -1 || IsWindowDialogMessage(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // Also reached after a failed DllInit, when the exit sequence has not run.
    DllUninit();
    CloseInstanceMutex();
    return (int)message.wParam;
}

// The user's mutex first: a start that comes in between finds the session's mutex still
// held and shows this meter, rather than taking this instance for another session's.
void CloseInstanceMutex()
{
    if (UserMutex) {
        CloseHandle(UserMutex);
        UserMutex = NULL;
    }
    if (InstanceMutex) {
        CloseHandle(InstanceMutex);
        InstanceMutex = NULL;
    }
}
