// Start-up: the command-line export, the single instance, and the message loop.
#include "startup.h"

#include <wchar.h>
#include "counters.h"
#include "registry_store.h"
#include "../history/csv_export.h"
#include "../hook/hook.h"
#include "../meter/keyboard_window.h"
#include "../meter/meter_window.h"
#include "../res/resource.h"

HANDLE InstanceMutex;

// "/exporthistory <file>" in any letter case; with the switch alone the program runs as usual.
static bool IsExportCommand(int argc, wchar_t **argv)
{
    return argc >= 3 && _wcsicmp(argv[1], L"/exporthistory") == 0;
}

// Writes what the registry holds, whether or not a resident instance is running. A failed
// export is reported in a message box, then by the exit code 1, so that a script can tell.
static int RunCommandLineExport(const wchar_t *path)
{
    LoadFromRegistry();
    return WriteHistoryCsv(path) ? 0 : 1;
}

// True when this process is now the one resident instance. The open test finds a running
// instance; the creation result also catches a second start that slipped in between the
// two calls, and a mutex that cannot be made at all ends the start, since two instances
// would save over each other's figures.
static bool ClaimSingleInstance()
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

// A running instance may still be on its way to its window (two starts in a row): it is
// looked for a little while, then given up, since it may as well be ending.
static const int RUNNING_METER_TRIES = 20;
static const DWORD RUNNING_METER_WAIT_MS = 100;

static HWND FindRunningMeter()
{
    for (int tries = 1;; ++tries) {
        HWND meter = FindWindowA(METER_CLASS, nullptr);
        if (meter || tries == RUNNING_METER_TRIES)
            return meter;
        Sleep(RUNNING_METER_WAIT_MS);
    }
}

// A second start brings the running instance's meter into view, so that a user who starts
// the program again sees it. The running instance may take the foreground only with the
// leave of this process, which was started by the user.
static void ShowRunningMeter()
{
    HWND meter = FindRunningMeter();
    if (!meter)
        return;
    DWORD owner = 0;
    GetWindowThreadProcessId(meter, &owner);
    AllowSetForegroundWindow(owner);
    PostMessageA(meter, MSG_SHOW_METER, 0, 0);
}

int RunProgram(HINSTANCE instance, int argc, wchar_t **argv)
{
    if (IsExportCommand(argc, argv))
        return RunCommandLineExport(argv[2]);
    if (!ClaimSingleInstance()) {
        ShowRunningMeter();
        return 0;
    }
    LoadFromRegistry();
    LastFileDir[0] = L'\0';
    StartPeriod();
    RegisterMeterClass(instance);
    if (!CreateMeterWindow(instance)) {
        CloseInstanceMutex();  // let the next start try again
        return 0;
    }
    return RunMessageLoop();
}

int RunMessageLoop()
{
    // GetMessage waits and takes in one call what a peek followed by a wait takes in two
    // round trips to the system on an idle tick. It answers 0 for WM_QUIT, and -1 only for
    // a bad window handle, which a loop over all the thread's windows cannot pass.
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, NULL, 0, 0)) != 0) {
        if (got == -1 || TakeKeyboardWindowMessage(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // Also reached after a failed DllInit, when the exit sequence has not run.
    DllUninit();
    CloseInstanceMutex();
    return (int)message.wParam;
}

void CloseInstanceMutex()
{
    if (InstanceMutex) {
        CloseHandle(InstanceMutex);
        InstanceMutex = NULL;
    }
}
