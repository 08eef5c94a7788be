// The single instance and the message loop.
#ifndef TALLYWICK_STARTUP_H
#define TALLYWICK_STARTUP_H

#include <windows.h>

#define INSTANCE_MUTEX_NAME "TallywickMutex"

extern HANDLE InstanceMutex;  // the single-instance marker, null once closed

// True when this process is now the one resident instance.
bool ClaimSingleInstance();
// Takes messages until WM_QUIT; calls DllUninit and returns the quit code.
int RunMessageLoop();
// Closes InstanceMutex if it is open.
void CloseInstanceMutex();

#endif
