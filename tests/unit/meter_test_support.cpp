#include "meter_test_support.h"
#include "app/meter_procedure.h"
#include "core/figures.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_hook.h"
#include "meter/meter_window.h"
#include "text/text.h"

#include <string.h>

std::vector<std::string> CloserDialogCaptions;
std::vector<int> CloserMenuItemCounts;
static WPARAM CloserCommand;
static UINT_PTR CloserTimer;

const MeterCreation &TestMeterWindow()
{
    static MeterCreation creation;
    static bool created = false;
    if (created) {
        MeterWindow = creation.window;
        SetMessageOwner(MeterWindow);
        return creation;
    }
    created = true;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterMeterClass(instance, MeterWindowProc);
    ResetFakeHook();
    creation.result = CreateMeterWindow(instance);
    creation.window = MeterWindow;
    creation.hookInitCalls = FakeHookInitCalls;
    creation.hookWindow = FakeHookWindow;
    creation.visible = IsWindowVisible(MeterWindow) != FALSE;
    GetWindowRect(MeterWindow, &creation.rect);
    return creation;
}

void ResetMeterState()
{
    ResetFakeClock();
    ReplaceTotals(CounterBlock{}, 0);
    StartPeriod();  // today's date, so that the meter's timer starts no period of its own
    TestMeterWindow();
    ShowWindow(MeterWindow, SW_HIDE);
    ResetMeterWindowPosition();
    PumpMessages();
}

void PumpMessages()
{
    MSG message;
    for (int count = 0; count < 1000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
         ++count) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool TakePostedMessage(HWND window, UINT message)
{
    MSG taken;
    return PeekMessageA(&taken, window, message, message, PM_REMOVE | PM_NOYIELD) != FALSE;
}

HWND OwnedTooltip(HWND owner)
{
    for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr));)
        if (GetWindow(tip, GW_OWNER) == owner)
            return tip;
    return nullptr;
}

std::string Ansi(const char *utf8)
{
    wchar_t wide[1024];
    char narrow[2048];
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 1024);
    if (length == 0 || WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow,
                                           nullptr, nullptr) == 0)
        return "<conversion failed>";
    return narrow;
}

static BOOL CALLBACK CloseOneWindow(HWND window, LPARAM)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (!IsWindowVisible(window))
        return TRUE;
    if (strcmp(className, "#32770") == 0) {
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        CloserDialogCaptions.push_back(caption);
        PostMessageA(window, WM_COMMAND, CloserCommand, 0);
    }
    return TRUE;
}

static void CALLBACK CloseModalWindows(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CloseOneWindow, 0);
    // An open popup menu is a top-level window of the class "#32768".
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (menuWindow && IsWindowVisible(menuWindow)
        && GetWindowThreadProcessId(menuWindow, nullptr) == GetCurrentThreadId()) {
        HMENU menu = (HMENU)SendMessageA(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0);
        CloserMenuItemCounts.push_back(GetMenuItemCount(menu));
        EndMenu();
    }
}

void StartModalCloser(WPARAM command)
{
    CloserDialogCaptions.clear();
    CloserMenuItemCounts.clear();
    CloserCommand = command;
    CloserTimer = SetTimer(nullptr, 0, 100, CloseModalWindows);
}

void StopModalCloser()
{
    KillTimer(nullptr, CloserTimer);
    CloserTimer = 0;
}
