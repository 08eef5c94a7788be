// The single instance and the message loop.
#ifndef TALLYWICK_STARTUP_H
#define TALLYWICK_STARTUP_H

#include <windows.h>

#define INSTANCE_MUTEX_NAME "TallywickMutex"

extern HANDLE InstanceMutex;  // the session's single-instance marker, null once closed

enum InstanceClaim {
    INSTANCE_CLAIMED,           // this process is now the user's one resident instance
    INSTANCE_IN_THIS_SESSION,   // one runs here (or no mutex could be made): show its meter
    INSTANCE_IN_OTHER_SESSION   // the same user runs one in another session, out of reach
};

// Takes the session's mutex, then the user's mutex of every session (app/user_mutex.cpp).
InstanceClaim ClaimSingleInstance();
// Takes messages until WM_QUIT; calls DllUninit and returns the quit code.
int RunMessageLoop();
// Closes both mutexes where they are open.
void CloseInstanceMutex();

#endif
