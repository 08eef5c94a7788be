// Start-up: the command-line export, the single instance, and the message loop.
#ifndef TALLYWICK_STARTUP_H
#define TALLYWICK_STARTUP_H

#include <windows.h>

#define INSTANCE_MUTEX_NAME "TallywickMutex"

extern HANDLE InstanceMutex;  // the single-instance marker, null once closed

// The whole program after WinMain has split the command line, wide so that a file name
// outside the ANSI code page arrives whole; returns the exit code.
int RunProgram(HINSTANCE instance, int argc, wchar_t **argv);
// Takes messages until WM_QUIT; calls DllUninit and returns the quit code.
int RunMessageLoop();
// Closes InstanceMutex if it is open.
void CloseInstanceMutex();

#endif
