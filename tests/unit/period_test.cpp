// Period changes through ClearData and the timer checks, and the exit sequence, against
// the real settings key and the fake clock.
#include <gtest/gtest.h>
#include "app/program.h"
#include "app/startup.h"
#include "core/power.h"
#include "core/sleep_watch.h"
#include "fakes/fake_clock.h"
#include "meter/meter_font.h"
#include "res/resource.h"
#include "scratch_registry.h"
#include "settings_key_support.h"

namespace {

// Stands in for the meter window: answers IDM_CLEAR_DATA as the meter does.
LRESULT CALLBACK PeriodTestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDM_CLEAR_DATA)
        return ClearData(), 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreatePeriodTestWindow()
{
    static bool registered;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PeriodTestWindowProc;
        windowClass.hInstance = GetModuleHandleA(NULL);
        windowClass.lpszClassName = "TallywickPeriodTest";
        registered = RegisterClassA(&windowClass) != 0;
    }
    return CreateWindowExA(0, "TallywickPeriodTest", "", WS_OVERLAPPEDWINDOW, 10, 10, 100, 100,
                           NULL, NULL, GetModuleHandleA(NULL), NULL);
}

// Makes HKEY_CURRENT_USER a key that has been deleted, so that the settings key can be
// neither created nor opened, as when the user's hive refuses writes.
struct UnwritableRegistry {
    HKEY gone = NULL;
    UnwritableRegistry()
    {
        RegCreateKeyA(HKEY_CURRENT_USER, "Software\\TallywickTestGone", &gone);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TallywickTestGone");
        RegOverridePredefKey(HKEY_CURRENT_USER, gone);
    }
    ~UnwritableRegistry()
    {
        RedirectCurrentUserToScratch();
        RegCloseKey(gone);
    }
};

struct PeriodTest : ::testing::Test {
    HWND window = NULL;

    void SetUp() override
    {
        ResetProgramState();
        StartPeriod();
        window = CreatePeriodTestWindow();
        ASSERT_NE(window, (HWND)NULL);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        DeleteSettingsKey();
        ClearStoredHistory();
    }
    DWORD ticks = 1000000;  // the fake clock's own start
    void SetTicks(DWORD value)
    {
        ticks = value;
        SetFakeTickCount(ticks);
    }
    void AdvanceSeconds(DWORD seconds)
    {
        SetTicks(ticks + seconds * 1000);
    }

    // While `Refusal` makes every save fail, ended periods and checkpoints are carried in
    // memory, each credited once; the first save that succeeds afterwards writes them all.
    template <typename Refusal>
    void CarryPeriodsThroughFailedSaves()
    {
        Count(10);
        AdvanceSeconds(100);
        ClearData();
        ASSERT_EQ(ReadSettingsQword("Total Time"), 100u);
        {
            Refusal refusal;
            ASSERT_FALSE(SaveToRegistry()) << "the save went through";
            EXPECT_NE(LastSaveError, ERROR_SUCCESS);
            Count(5);
            AdvanceSeconds(50);
            ClearData();
            EXPECT_EQ(StoredTotalTime, 150u);
            EXPECT_EQ(PeriodBaseline.keyPresses, 15u);
            Count(2);
            AdvanceSeconds(60);
            CheckpointWhenDue();
            EXPECT_EQ(StoredHistory.records[0].keys, 17u);
            EXPECT_EQ(StoredHistory.records[0].seconds, 210u);
            AdvanceSeconds(20);
            ClearData();
            EXPECT_EQ(StoredTotalTime, 230u);
            EXPECT_EQ(Totals.keyPresses, 17u);
            EXPECT_EQ(ReadSettingsQword("Total Time", 100), 100u) << "written while refused";
        }
        ASSERT_EQ(StoredHistory.count, 1);
        EXPECT_EQ(StoredHistory.records[0].keys, 17u);
        EXPECT_EQ(StoredHistory.records[0].seconds, 230u);

        AdvanceSeconds(10);
        ClearData();
        EXPECT_EQ(LastSaveError, ERROR_SUCCESS);
        EXPECT_EQ(ReadSettingsQword("Total Time"), 240u);
        EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), 17u);
        ASSERT_EQ(StoredHistory.count, 1);
        EXPECT_EQ(StoredHistory.records[0].keys, 17u);
        EXPECT_EQ(StoredHistory.records[0].seconds, 240u);
        EXPECT_EQ(Totals.keyPresses, 17u);
        EXPECT_EQ(PeriodBaseline.keyPresses, 17u);
    }
};

TEST_F(PeriodTest, ClearDataTwiceAddsNoCountsOnlyElapsedSeconds)
{
    Count(10, 2500.0, 4, 2, 1);
    AdvanceSeconds(60);
    ClearData();

    ASSERT_EQ(StoredHistory.count, 1);
    HistoryRecord first = StoredHistory.records[0];
    EXPECT_EQ(first.date, DateKeyOf(2010, 6, 7));
    EXPECT_EQ(first.keys, 10u);
    EXPECT_EQ(first.leftClicks, 4);
    EXPECT_EQ(first.seconds, 60u);
    EXPECT_EQ(ReadSettingsQword("Total Time"), 60u);
    EXPECT_EQ(StoredTotalTime, 60u);
    EXPECT_EQ(PeriodStartSeconds, 1060u);
    EXPECT_EQ(PeriodSeconds(), 0u);
    EXPECT_EQ(PeriodBaseline.keyPresses, 10u);

    AdvanceSeconds(2);
    ClearData();

    ASSERT_EQ(StoredHistory.count, 1);
    HistoryRecord second = StoredHistory.records[0];
    EXPECT_EQ(second.keys, 10u);
    EXPECT_FLOAT_EQ(second.distance, 2500.0f);
    EXPECT_EQ(second.leftClicks, 4);
    EXPECT_EQ(second.middleClicks, 2);
    EXPECT_EQ(second.rightClicks, 1);
    EXPECT_EQ(second.seconds, 62u);
    // The all-time figures go on unchanged.
    EXPECT_EQ(Totals.keyPresses, 10u);
    EXPECT_DOUBLE_EQ(Totals.distance, 2500.0);
    EXPECT_EQ(Totals.leftClicks, 4u);
    EXPECT_EQ(AllTimeSeconds(), 62u);
    EXPECT_EQ(ReadSettingsQword("Total Time"), 62u);
    EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), 10u);
    EXPECT_EQ(PeriodBaseline.keyPresses, Totals.keyPresses);
}

TEST_F(PeriodTest, MidnightCreditsTheEndedPeriodToTheEarlierDate)
{
    Count(7);
    AdvanceSeconds(30);
    SetFakeDate(2010, 6, 8);
    RunTimerChecks(window);

    ASSERT_EQ(StoredHistory.count, 1);
    EXPECT_EQ(StoredHistory.records[0].date, DateKeyOf(2010, 6, 7));
    EXPECT_EQ(StoredHistory.records[0].keys, 7u);
    EXPECT_EQ(StoredHistory.records[0].seconds, 30u);
    EXPECT_EQ(PeriodDate, DateKeyOf(2010, 6, 8));
    EXPECT_EQ(Totals.keyPresses - PeriodBaseline.keyPresses, 0u);

    // The same day again starts nothing.
    uint32_t start = PeriodStartSeconds;
    Count(1);
    AdvanceSeconds(10);
    RunTimerChecks(window);
    EXPECT_EQ(PeriodStartSeconds, start);
    EXPECT_EQ(StoredHistory.count, 1);

    // A clock set back a day starts a period as well; 8 June gets its own record.
    SetFakeDate(2010, 6, 7);
    RunTimerChecks(window);
    ASSERT_EQ(StoredHistory.count, 2);
    EXPECT_EQ(StoredHistory.records[1].date, DateKeyOf(2010, 6, 8));
    EXPECT_EQ(StoredHistory.records[1].keys, 1u);
    EXPECT_EQ(StoredHistory.records[1].seconds, 10u);
    EXPECT_EQ(PeriodDate, DateKeyOf(2010, 6, 7));
    EXPECT_EQ(PeriodStartSeconds, start + 10);
}

TEST_F(PeriodTest, TickWrapStartsAPeriodAtTheSmallNewCount)
{
    SetTicks(4294900000u);
    StartPeriod();
    Count(3);
    SetTicks(5000);
    RunTimerChecks(window);

    ASSERT_EQ(StoredHistory.count, 1);
    EXPECT_EQ(StoredHistory.records[0].keys, 3u);
    EXPECT_EQ(StoredHistory.records[0].seconds, 4294967u - 4294900u);
    EXPECT_EQ(ReadSettingsQword("Total Time"), 67u);
    EXPECT_EQ(PeriodStartSeconds, 5u);
    EXPECT_EQ(PeriodDate, DateKeyOf(2010, 6, 7));
    // One period only: the date test after the wrap finds nothing to do.
    AdvanceSeconds(1);
    RunTimerChecks(window);
    EXPECT_EQ(PeriodStartSeconds, 5u);
}

// The settings key cannot be created, or it opens and refuses every write (the save has
// then credited the period before the refusal shows, and must not credit it again).
TEST_F(PeriodTest, FailedSaveCarriesThePeriodInMemoryAndLosesNothing)
{
    CarryPeriodsThroughFailedSaves<UnwritableRegistry>();
}

TEST_F(PeriodTest, RefusedValueWritesCarryThePeriodInMemoryOnce)
{
    CarryPeriodsThroughFailedSaves<ReadOnlySettingsKey>();
}

// A checkpoint writes what a save would write now, while the period and the meter's
// figures go on; every later save adds only what came after it.
TEST_F(PeriodTest, CheckpointsSaveWhenDueAndNothingIsCountedTwice)
{
    Count(10, 0, 2);
    AdvanceSeconds(59);
    CheckpointWhenDue();
    EXPECT_EQ(ReadSettingsQword("Total Time"), UINT64_MAX) << "a checkpoint before 60 s";
    AdvanceSeconds(1);
    CheckpointWhenDue();
    EXPECT_EQ(ReadSettingsQword("Total Time"), 60u);
    EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), 10u);
    ASSERT_EQ(StoredHistory.count, 1);
    EXPECT_EQ(StoredHistory.records[0].keys, 10u);
    EXPECT_EQ(StoredHistory.records[0].seconds, 60u);
    EXPECT_EQ(PeriodBaseline.keyPresses, 0u) << "the meter's period went on";
    EXPECT_EQ(PeriodSeconds(), 60u);
    EXPECT_EQ(StoredTotalTime, 0u);

    DeleteSettingsKey();
    SaveCheckpoint();
    EXPECT_EQ(ReadSettingsQword("Total Time"), UINT64_MAX) << "nothing new, yet written";
    // Running time alone is saved, but only every ten minutes.
    AdvanceSeconds(IDLE_CHECKPOINT_SECONDS - 1);
    CheckpointWhenDue();
    EXPECT_EQ(ReadSettingsQword("Total Time"), UINT64_MAX);
    AdvanceSeconds(1);
    CheckpointWhenDue();
    EXPECT_EQ(ReadSettingsQword("Total Time"), 660u);

    Count(5);
    AdvanceSeconds(10);
    ClearData();
    EXPECT_EQ(ReadSettingsQword("Total Time"), 670u);
    EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), 15u);
    ASSERT_EQ(StoredHistory.count, 1);
    EXPECT_EQ(StoredHistory.records[0].keys, 15u);
    EXPECT_EQ(StoredHistory.records[0].leftClicks, 2);
    EXPECT_EQ(StoredHistory.records[0].seconds, 670u);
}

// Asleep over a midnight: the period before sleep goes to its own day without the hours
// asleep; the second resume event of the same wake-up changes nothing.
TEST_F(PeriodTest, SuspendAndResumeLeaveTheSecondsAsleepOut)
{
    Count(3);
    AdvanceSeconds(100);
    OnPowerBroadcast(PBT_APMSUSPEND);
    EXPECT_EQ(ReadSettingsQword("Total Time"), 100u) << "no checkpoint at suspend";
    AdvanceSeconds(60 * 3600);
    SetFakeDate(2010, 6, 9);
    OnPowerBroadcast(PBT_APMRESUMEAUTOMATIC);
    AdvanceSeconds(5);
    OnPowerBroadcast(PBT_APMRESUMESUSPEND);
    EXPECT_EQ(PeriodSeconds(), 105u);
    EXPECT_EQ(Totals.keyPresses - PeriodBaseline.keyPresses, 3u) << "the meter lost its figures";

    RunTimerChecks(window);
    ASSERT_EQ(StoredHistory.count, 1);
    EXPECT_EQ(StoredHistory.records[0].date, DateKeyOf(2010, 6, 7));
    EXPECT_EQ(StoredHistory.records[0].keys, 3u);
    EXPECT_EQ(StoredHistory.records[0].seconds, 105u);
    EXPECT_EQ(ReadSettingsQword("Total Time"), 105u);
    EXPECT_EQ(PeriodDate, DateKeyOf(2010, 6, 9));
}

// No broadcast: a dialog's ticks keep the time running, standby and sleep do not count.
TEST_F(PeriodTest, TimeNotRunningIsLeftOutWithoutABroadcast)
{
    for (int second = 0; second < 600; ++second, RunTimerChecks(window))
        AdvanceSeconds(1);
    AdvanceSeconds(MAX_TICK_GAP_MS / 1000);  // a gap of two minutes exactly still ran
    RunTimerChecks(window);
    AdvanceSeconds(8 * 3600);
    RunTimerChecks(window);
    for (DWORD asleepMs : {90000u, 8 * 3600000u}) {
        SleepFakeClock(asleepMs);
        RunTimerChecks(window);
    }
    EXPECT_EQ(PeriodSeconds(), 720u);
}

bool TakeQuitMessage(WPARAM *code)
{
    MSG message;
    if (!PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    *code = message.wParam;
    return true;
}

// The exit sequence runs once per process, so both arrivals are checked in this one test.
TEST_F(PeriodTest, ExitSequenceRunsOnceAndSavesTheEndedPeriod)
{
    InstanceMutex = CreateMutexA(NULL, TRUE, INSTANCE_MUTEX_NAME);
    ASSERT_NE(InstanceMutex, (HANDLE)NULL);
    HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HFONT savedFont = MeterFont;
    MeterFont = font;
    Count(20);
    AdvanceSeconds(40);

    RunExitSequence();

    EXPECT_EQ(MeterFont, (HFONT)NULL);
    EXPECT_EQ(GetObjectType(font), 0u) << "the font was not deleted";
    EXPECT_EQ(ReadSettingsQword("Total Time"), 40u);
    EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), 20u);
    ASSERT_EQ(StoredHistory.count, 1);
    EXPECT_EQ(StoredHistory.records[0].keys, 20u);
    EXPECT_EQ(PeriodBaseline.keyPresses, 20u);
    EXPECT_EQ(PeriodStartSeconds, 1040u);
    EXPECT_EQ(StoredTotalTime, 0u) << "not reloaded";
    EXPECT_EQ(InstanceMutex, (HANDLE)NULL);
    HANDLE other = OpenMutexA(SYNCHRONIZE, FALSE, INSTANCE_MUTEX_NAME);
    EXPECT_EQ(other, (HANDLE)NULL) << "the mutex outlived the exit sequence";
    if (other)
        CloseHandle(other);
    WPARAM code = 99;
    ASSERT_TRUE(TakeQuitMessage(&code));
    EXPECT_EQ(code, 0u);

    // A second WM_DESTROY or WM_ENDSESSION: no save from the stale running time, no quit.
    Count(5);
    AdvanceSeconds(5);
    RunExitSequence();
    EXPECT_EQ(ReadSettingsQword("Total Time"), 40u);
    EXPECT_EQ(ReadSettingsQword("Keyboard Presses"), 20u);
    EXPECT_FALSE(TakeQuitMessage(&code));
    MeterFont = savedFont;
}

}  // namespace
