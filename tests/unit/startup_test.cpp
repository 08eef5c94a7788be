// Start-up: the command-line export, the single-instance test and the message loop.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <string>
#include "app/program.h"
#include "app/startup.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_hook.h"
#include "meter/meter_window.h"
#include "meter_test_support.h"
#include "res/resource.h"
#include "settings_key_support.h"
#include "ui/file_dialogs.h"

namespace {

bool MutexExists()
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, INSTANCE_MUTEX_NAME);
    if (mutex)
        CloseHandle(mutex);
    return mutex != NULL;
}

// A meter window of another process: Tallywick itself running on this desktop.
bool OtherMeterExists()
{
    for (HWND meter = FindWindowExA(NULL, NULL, METER_CLASS, NULL); meter;
         meter = FindWindowExA(NULL, meter, METER_CLASS, NULL)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(meter, &owner);
        if (owner != GetCurrentProcessId())
            return true;
    }
    return false;
}

// A resident start beside it would find that instance and show its meter.
#define SKIP_BESIDE_A_RUNNING_TALLYWICK()                                                  \
    if (OtherMeterExists())                                                                \
    GTEST_SKIP() << "skipped: Tallywick runs on this desktop, and a start here would show " \
                    "its meter"

std::wstring TempPath(const wchar_t *name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

long FileSize(const std::wstring &path)
{
    FILE *file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return -1;
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    fclose(file);
    return size;
}

int DispatchedCount;

LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 100)
        return ++DispatchedCount, 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

struct StartupTest : ::testing::Test {
    HWND savedMeterWindow = MeterWindow;

    void SetUp() override
    {
        ResetProgramState();
        ResetFakeHook();
        CloseInstanceMutex();
    }
    void TearDown() override
    {
        CloseInstanceMutex();
        DeleteSettingsKey();
        ClearStoredHistory();
    }
    // A key as the resident instance leaves it: ten key presses and one day of history.
    void StoreOneDay()
    {
        uint64_t keys = 10;
        WriteSettingsValue("Keyboard Presses", REG_QWORD, &keys, sizeof keys);
        HistoryRecord record = MakeRecord(DateKeyOf(2010, 6, 7), 10, 0.0f, 1, 2, 3, 60);
        DWORD count = 1;
        WriteSettingsValue("History Items", REG_DWORD, &count, sizeof count);
        WriteSettingsValue("History", REG_BINARY, &record, sizeof record);
    }
};

TEST_F(StartupTest, ExportSwitchInAnyCaseWritesTheFileWithoutAnInstance)
{
    StoreOneDay();
    for (const wchar_t *option : {L"/exporthistory", L"/EXPORTHISTORY", L"/ExportHistory"}) {
        ClearStoredHistory();
        std::wstring path = TempPath(L"tallywick_startup_export.csv");
        DeleteFileW(path.c_str());
        wchar_t *argv[] = {(wchar_t *)L"tallywick.exe", (wchar_t *)option, (wchar_t *)path.c_str(),
                           (wchar_t *)L"ignored"};
        EXPECT_EQ(RunProgram(GetModuleHandleA(NULL), 4, argv), 0) << option;
        EXPECT_GT(FileSize(path), 0) << option;
        EXPECT_EQ(StoredHistory.count, 1) << option;
        EXPECT_FALSE(MutexExists()) << option;
        EXPECT_EQ(InstanceMutex, (HANDLE)NULL) << option;
        EXPECT_EQ(FakeHookInitCalls, 0) << option;
        EXPECT_EQ(MeterWindow, savedMeterWindow) << option;
        DeleteFileW(path.c_str());
    }
}

TEST_F(StartupTest, ExportRunsWhileAnotherInstanceHoldsTheMutex)
{
    StoreOneDay();
    HANDLE other = CreateMutexA(NULL, TRUE, INSTANCE_MUTEX_NAME);
    std::wstring path = TempPath(L"tallywick_startup_export2.csv");
    wchar_t *argv[] = {(wchar_t *)L"tallywick.exe", (wchar_t *)L"/exporthistory",
                       (wchar_t *)path.c_str()};
    EXPECT_EQ(RunProgram(GetModuleHandleA(NULL), 3, argv), 0);
    EXPECT_GT(FileSize(path), 0);
    CloseHandle(other);
    DeleteFileW(path.c_str());
}

TEST_F(StartupTest, SecondInstanceAsksTheMeterToShowAndEndsWithoutTouchingAnything)
{
    SKIP_BESIDE_A_RUNNING_TALLYWICK();
    StoreOneDay();
    TestMeterWindow();  // stands in for the running instance's meter
    ResetFakeHook();
    HANDLE other = CreateMutexA(NULL, TRUE, INSTANCE_MUTEX_NAME);
    ASSERT_NE(other, (HANDLE)NULL);
    ReplaceTotals(CounterBlock{99, 0, 0, 0, 0}, 0);
    wchar_t *argv[] = {(wchar_t *)L"tallywick.exe"};
    EXPECT_EQ(RunProgram(GetModuleHandleA(NULL), 1, argv), 0);
    EXPECT_EQ(Totals.keyPresses, 99u) << "the registry was loaded";
    EXPECT_EQ(StoredHistory.count, 0);
    EXPECT_EQ(InstanceMutex, (HANDLE)NULL);
    EXPECT_EQ(FakeHookInitCalls, 0);
    EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), 10u);
    // Posted, not toggled: the running meter shows itself when it takes the message.
    EXPECT_TRUE(TakePostedMessage(nullptr, MSG_SHOW_METER)) << "the meter was not asked to show";
    CloseHandle(other);
    EXPECT_FALSE(MutexExists());
}

TEST_F(StartupTest, MessageLoopDispatchesUntilQuitThenStopsTheHook)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingWindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "TallywickLoopTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "TallywickLoopTest", "", 0, 0, 0, 10, 10, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    ASSERT_NE(window, (HWND)NULL);
    InstanceMutex = CreateMutexA(NULL, TRUE, INSTANCE_MUTEX_NAME);
    DispatchedCount = 0;
    PostMessageA(window, WM_APP + 100, 0, 0);
    PostMessageA(window, WM_APP + 100, 0, 0);
    PostQuitMessage(-1);

    EXPECT_EQ(RunMessageLoop(), -1);
    EXPECT_EQ(DispatchedCount, 2);
    EXPECT_EQ(FakeHookUninitCalls, 1);
    EXPECT_EQ(InstanceMutex, (HANDLE)NULL);
    EXPECT_FALSE(MutexExists()) << "a new instance could not start";

    PostQuitMessage(3);
    EXPECT_EQ(RunMessageLoop(), 3);
    EXPECT_EQ(FakeHookUninitCalls, 2);
    DestroyWindow(window);
}

// The resident start up to a failed DllInit: the loop ends with -1 and leaves no mutex.
TEST_F(StartupTest, FailedHookStartEndsWithMinusOneAndFreesTheMutex)
{
    SKIP_BESIDE_A_RUNNING_TALLYWICK();
    StoreOneDay();
    wcscpy(LastFileDir, L"C:\\old\\");
    FakeHookInitFails = true;
    wchar_t *argv[] = {(wchar_t *)L"tallywick.exe", (wchar_t *)L"/exporthistory"};
    int code = RunProgram(GetModuleHandleA(NULL), 2, argv);
    EXPECT_EQ(code, -1);
    EXPECT_EQ(FakeHookInitCalls, 1);
    EXPECT_EQ(FakeHookUninitCalls, 1);
    EXPECT_EQ(Totals.keyPresses, 10u);
    EXPECT_EQ(PeriodBaseline.keyPresses, 10u);
    EXPECT_EQ(PeriodDate, DateKeyOf(2010, 6, 7));
    EXPECT_STREQ(LastFileDir, L"");
    EXPECT_FALSE(MutexExists());
    // The window outlives the loop in this process, so only the program's own removal
    // can have taken the icon out. The shell refuses to add an icon it holds: this one is
    // taken again, by a notification area that is there.
    NOTIFYICONDATAA icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = MeterWindow;
    icon.uID = TRAY_ICON_ID;
    EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &icon))
        << "a dead icon stayed in the tray, or there is no notification area to see it in";
    Shell_NotifyIconA(NIM_DELETE, &icon);
    // The meter of this start stays, hidden; its timer would only repaint and check dates.
    if (MeterWindow && MeterWindow != savedMeterWindow)
        KillTimer(MeterWindow, METER_TIMER_ID);
}

}  // namespace
