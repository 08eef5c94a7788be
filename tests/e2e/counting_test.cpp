// Counting from outside: hook messages posted to the meter window and real injected input
// through the real HOOK.dll, saved at exit and at clear data into the registry key.
#include <math.h>
#include <string.h>
#include <map>
#include "e2e_support.h"
#include "res/resource.h"
#include "safety/test_safety.h"

using namespace driver;

namespace e2e {
namespace {

struct CountingTest : E2eTest {
    DWORD startTick = 0;

    void StartCounting()
    {
        startTick = GetTickCount();
        StartResident();
    }
    // Whole seconds the program can have run, with one to spare for rounding.
    uint64_t MaxSeconds() const
    {
        return (GetTickCount() - startTick) / 1000 + 1;
    }
};

// A window of the test's own under the cursor, for the injected clicks: the shell places
// the tray icon where it likes, and a right click on it would open the program's menu.
struct ClickPad {
    HWND window;
    ClickPad(int x, int y)
    {
        window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "STATIC", "",
                                 WS_POPUP | WS_VISIBLE, x - 100, y - 100, 200, 200, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        SetCursorPos(x, y);
    }
    ~ClickPad() { DestroyWindow(window); }
};

double ReadDistance()
{
    RegValue value = ReadValue(SETTINGS_KEY_PATH, "Mouse Trajectory");
    double distance = -1;
    if (value.data.size() == 8)
        memcpy(&distance, value.data.data(), 8);
    return distance;
}

uint64_t Qword(const char *name)
{
    uint64_t value = 0xDEADDEAD;
    EXPECT_TRUE(ReadQword(SETTINGS_KEY_PATH, name, &value)) << name << " missing or not 8 bytes";
    return value;
}

TEST_F(CountingTest, PostedHookMessagesAreSavedOnTopOfTheStoredTotals)
{
    DayRecord yesterday = PlausibleHistory(1).front();
    ASSERT_TRUE(SeedHistory({yesterday}));
    ASSERT_TRUE(SeedTotalsFrom({yesterday}));
    ASSERT_TRUE(WriteQword(SETTINGS_KEY_PATH, "Total Time", 5000));
    StartCounting();

    PostRepeated(meter, MSG_KEY_PRESS, 7);
    PostRepeated(meter, MSG_MOUSE_DISTANCE, 1, FloatBits(1000.5f));
    PostRepeated(meter, MSG_MOUSE_DISTANCE, 1, FloatBits(NAN));
    PostRepeated(meter, MSG_MOUSE_DISTANCE, 1, FloatBits(250.25f));
    PostRepeated(meter, MSG_MOUSE_DISTANCE, 1, FloatBits(-0.75f));
    PostRepeated(meter, MSG_MOUSE_DISTANCE, 1, FloatBits(INFINITY));
    PostRepeated(meter, MSG_MOUSE_DISTANCE, 1, FloatBits(10000.5f));
    PostRepeated(meter, MSG_CLICK_LEFT, 5);
    PostRepeated(meter, MSG_CLICK_MIDDLE, 2);
    PostRepeated(meter, MSG_CLICK_RIGHT, 3);
    EXPECT_EQ(ExitResident(), 0u);

    EXPECT_EQ(Qword("Keyboard Presses"), yesterday.keys + 7u);
    EXPECT_EQ(Qword("Mouse Clicks L"), yesterday.leftClicks + 5u);
    EXPECT_EQ(Qword("Mouse Clicks M"), yesterday.middleClicks + 2u);
    EXPECT_EQ(Qword("Mouse Clicks R"), yesterday.rightClicks + 3u);
    RegValue distance = ReadValue(SETTINGS_KEY_PATH, "Mouse Trajectory");
    EXPECT_EQ(distance.type, (DWORD)REG_BINARY);
    EXPECT_EQ(ReadDistance(), (double)yesterday.distance + 1250.75)
        << "a NaN, a negative, an infinite or an overlong step must be dropped";
    uint64_t totalTime = Qword("Total Time");
    EXPECT_GE(totalTime, 5000u);
    EXPECT_LE(totalTime, 5000u + MaxSeconds());

    DWORD items = 0;
    EXPECT_TRUE(ReadDword(SETTINGS_KEY_PATH, "History Items", &items));
    EXPECT_EQ(items, 2u);
    std::vector<DayRecord> history = ReadHistory();
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(memcmp(&history[0], &yesterday, 24), 0) << "yesterday's record is untouched";
    const DayRecord &today = history[1];
    EXPECT_EQ(today.date, TodayDate());
    EXPECT_EQ(today.keys, 7u);
    EXPECT_EQ(today.distance, 1250.75f);
    EXPECT_EQ(today.leftClicks, 5);
    EXPECT_EQ(today.middleClicks, 2);
    EXPECT_EQ(today.rightClicks, 3);
    EXPECT_EQ(today.reserved, 0);
    EXPECT_LE(today.seconds, MaxSeconds());
    EXPECT_LE(today.seconds, totalTime - 5000 + 1);
}

TEST_F(CountingTest, InjectedKeysClicksAndMovesAreCountedByTheHookLibrary)
{
    StartCounting();
    ClickPad pad(400, 300);
    Sleep(200);
    PressKey('A', 12);
    ClickMouse(MOUSE_LEFT, 4);
    ClickMouse(MOUSE_MIDDLE, 2);
    ClickMouse(MOUSE_RIGHT, 3);
    MoveMouseBy(300, 0, 10);
    MoveMouseBy(0, 200, 10);
    Sleep(300);
    EXPECT_EQ(ExitResident(), 0u);

    EXPECT_EQ(Qword("Keyboard Presses"), 12u);
    EXPECT_EQ(Qword("Mouse Clicks L"), 4u);
    EXPECT_EQ(Qword("Mouse Clicks M"), 2u);
    EXPECT_EQ(Qword("Mouse Clicks R"), 3u);
    double distance = ReadDistance();
    // 500 pixels of travel is some centimetres on any screen.
    EXPECT_GT(distance, 10.0);
    EXPECT_LT(distance, 2000.0);
    std::vector<DayRecord> history = ReadHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].keys, 12u);
    EXPECT_EQ(history[0].leftClicks, 4);
    EXPECT_EQ(history[0].distance, (float)distance);
}

// A box of the test's own in the foreground with the focus, that the injected keys go to.
struct TypingBox {
    HWND window;
    explicit TypingBox(DWORD style)
    {
        window = CreateWindowExA(WS_EX_TOPMOST, "EDIT", "", WS_POPUP | WS_VISIBLE | style, 300,
                                 300, 300, 40, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(window);
        SetFocus(window);
        Sleep(200);
    }
    ~TypingBox()
    {
        Sleep(500);  // the program takes the presses while this box still has the focus
        DestroyWindow(window);
    }
};

// AltGr, Shift over the keypad with Num Lock on (with the keys Windows makes up), Right
// Shift flagged extended; a password box judged at the press, not after the focus moved.
TEST_F(CountingTest, RealKeysAreCountedOneByOneAsWindowsDeliversThemExceptInAPasswordBox)
{
    ASSERT_TRUE(WriteDword(SETTINGS_KEY_PATH, "Count Each Key", 1));
    StartCounting();
    {
        TypingBox box(0);
        PressKey('A', 3);
        PressScanKey(VK_RETURN, 0x1C, 0);
        PressScanKey(VK_RETURN, 0x1C, KEYEVENTF_EXTENDEDKEY);  // the keypad's
        for (int i = 0; i < 3; ++i)
            SendKeyEvents({{VK_LCONTROL, 0x21D, 0, 0}, {VK_RMENU, 0x38, 1, 0},
                           {VK_LCONTROL, 0x21D, 0, 1}, {VK_RMENU, 0x38, 1, 1}});
        SendKeyEvents({{VK_LSHIFT, 0x2A, 0, 0}, {VK_LSHIFT, 0x22A, 0, 1}, {VK_HOME, 0x47, 0, 0},
                       {VK_HOME, 0x47, 0, 1}, {VK_LSHIFT, 0x22A, 0, 0}, {VK_LSHIFT, 0x2A, 0, 0},
                       {VK_LSHIFT, 0x2A, 0, 1}, {VK_RSHIFT, 0x36, 1, 0}, {VK_RSHIFT, 0x36, 1, 1}});
    }
    {
        TypingBox password(ES_PASSWORD);
        HANDLE thread = SuspendWindowThread(meter);
        ASSERT_TRUE(thread) << "cannot suspend the program's thread";
        PressKey('B', 2);
        Sleep(300);
        TypingBox plain(0);
        ResumeSuspendedThread(thread);
    }
    EXPECT_EQ(ExitResident(), 0u);

    EXPECT_EQ(Qword("Keyboard Presses"), 13u);
    RegValue all = ReadValue(SETTINGS_KEY_PATH, "Keys All Time");
    RegValue today = ReadValue(SETTINGS_KEY_PATH, "Keys Today");
    ASSERT_EQ(all.data.size(), 512u * 8);
    ASSERT_EQ(today.data.size(), 4u + 512 * 4);
    uint32_t date;
    memcpy(&date, today.data.data(), 4);
    EXPECT_EQ(date, TodayDate());
    std::map<int, uint32_t> keys = {{0x1E, 3}, {0x1C, 1}, {0x11C, 1}, {0x138, 3}, {0x2A, 1},
                                    {0x47, 1}, {0x36, 1}};
    for (int key = 0; key < 512; ++key) {
        uint64_t allTime;
        uint32_t ofToday;
        memcpy(&allTime, &all.data[key * 8], 8);
        memcpy(&ofToday, &today.data[4 + key * 4], 4);
        EXPECT_EQ(allTime, keys[key]) << "all time, key 0x" << std::hex << key;
        EXPECT_EQ(ofToday, keys[key]) << "today, key 0x" << std::hex << key;
    }
}

// Wine's one monitor. Its "EDID" goes again after the test: Wine writes none for Xvfb's
// screen, and writes the whole key anew when its server starts.
const char *const WINE_MONITOR_KEY =
    "System\\CurrentControlSet\\Enum\\DISPLAY\\Default_Monitor\\0000&0000\\Device Parameters";
struct WineMonitorEdid {
    ~WineMonitorEdid() { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, WINE_MONITOR_KEY, "EDID"); }
};

TEST_F(CountingTest, PointerDistanceFollowsTheMonitorsSizeInItsEdid)
{
    if (!RunningUnderWine())
        GTEST_SKIP() << "the monitor's EDID can be set only where Wine keeps it";
    std::vector<uint8_t> edid = MakeEdid(400, 300, 40, 30);
    WineMonitorEdid removedAfterwards;
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_LOCAL_MACHINE, WINE_MONITOR_KEY, "EDID",
                                             REG_BINARY, edid.data(), (DWORD)edid.size()));
    // Three quarters of the screen's width, then of its height: on the screen at any size.
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    struct Leg { int dx, dy; double mm; };
    const Leg legs[] = {{width * 3 / 4, 0, width * 3 / 4 * 400.0 / width},
                        {0, height * 3 / 4, height * 3 / 4 * 300.0 / height}};
    double before = 0;
    for (const Leg &leg : legs) {
        StartResident();
        Sleep(200);  // DllInit follows the meter window
        for (int step = 0; step <= 20; ++step)  // the first only sets the start
            MoveMouseTo(100 + leg.dx * step / 20, 100 + leg.dy * step / 20);
        Sleep(300);
        EXPECT_EQ(ExitResident(), 0u);
        EXPECT_NEAR(ReadDistance() - before, leg.mm, leg.mm * 0.02) << leg.dx << " x " << leg.dy;
        before = ReadDistance();
    }
}

TEST_F(CountingTest, InputWhileTheProgramsThreadIsSuspendedIsAllCountedAfterItResumes)
{
    StartCounting();
    ClickPad pad(400, 300);
    Sleep(200);
    // As if the program's thread hung in a dialog or a long save: the hooks must still
    // answer at once, and the messages wait in the meter's queue.
    HANDLE thread = SuspendWindowThread(meter);
    ASSERT_TRUE(thread) << "cannot suspend the program's thread";
    uint64_t keys = 0, clicks = 0;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 3000) {
        PressKey('A');
        ++keys;
        if (keys % 3 == 0) {
            ClickMouse(MOUSE_LEFT);
            ++clicks;
        }
        Sleep(40);
    }
    ResumeSuspendedThread(thread);
    EXPECT_GE(keys, 20u) << "injecting took too long while the program was suspended";
    EXPECT_EQ(ExitResident(), 0u);

    EXPECT_EQ(Qword("Keyboard Presses"), keys);
    EXPECT_EQ(Qword("Mouse Clicks L"), clicks);
}

TEST_F(CountingTest, ClearDataKeepsTheTotalsAndCreditsEachPeriodOnce)
{
    ASSERT_TRUE(WriteQword(SETTINGS_KEY_PATH, "Keyboard Presses", 1000));
    ASSERT_TRUE(WriteQword(SETTINGS_KEY_PATH, "Mouse Clicks L", 50));
    StartCounting();
    PostRepeated(meter, MSG_KEY_PRESS, 4);
    PostRepeated(meter, MSG_CLICK_LEFT, 1);
    PostCommand(meter, IDM_CLEAR_DATA);
    PostCommand(meter, IDM_CLEAR_DATA);  // a second one in a row adds no counts
    PostRepeated(meter, MSG_KEY_PRESS, 6);
    PostRepeated(meter, MSG_CLICK_LEFT, 2);

    // The first clear data has saved already: the key holds the first period.
    DWORD start = GetTickCount();
    uint64_t saved = 0;
    while (GetTickCount() - start < 5000 &&
           !(ReadQword(SETTINGS_KEY_PATH, "Keyboard Presses", &saved) && saved >= 1004))
        Sleep(20);
    EXPECT_EQ(saved, 1004u);

    EXPECT_EQ(ExitResident(), 0u);
    EXPECT_EQ(Qword("Keyboard Presses"), 1010u);
    EXPECT_EQ(Qword("Mouse Clicks L"), 53u);
    std::vector<DayRecord> history = ReadHistory();
    ASSERT_EQ(history.size(), 1u) << "all periods of one day share one record";
    EXPECT_EQ(history[0].date, TodayDate());
    EXPECT_EQ(history[0].keys, 10u);
    EXPECT_EQ(history[0].leftClicks, 3);
    EXPECT_LE(history[0].seconds, MaxSeconds());
}

// A suspend broadcast saves a checkpoint at once.
void PostPower(HWND meter, WPARAM event)
{
    PostMessageA(meter, WM_POWERBROADCAST, event, 0);
}

// The keys of the saved history's one record; "History" is the last value a save writes.
uint32_t WaitSavedHistoryKeys(uint32_t expected)
{
    DWORD start = GetTickCount();
    std::vector<DayRecord> history;
    while (GetTickCount() - start < 5000 &&
           !((history = ReadHistory()).size() == 1 && history[0].keys == expected))
        Sleep(20);
    return history.size() == 1 ? history[0].keys : 0;
}

TEST_F(CountingTest, ACheckpointSurvivesAKillAndTheRestartCountsNothingTwice)
{
    StartCounting();
    PostRepeated(meter, MSG_KEY_PRESS, 5);
    PostRepeated(meter, MSG_CLICK_LEFT, 2);
    PostPower(meter, PBT_APMSUSPEND);
    PostPower(meter, PBT_APMRESUMEAUTOMATIC);
    EXPECT_EQ(WaitSavedHistoryKeys(5), 5u);
    ASSERT_TRUE(TerminateProcess(program.handle, 9));
    ASSERT_TRUE(WaitExit(program, EXIT_TIMEOUT_MS, nullptr));
    CloseProcess(&program);
    EXPECT_EQ(Qword("Mouse Clicks L"), 2u);
    std::vector<DayRecord> history = ReadHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].keys, 5u);
    EXPECT_EQ(history[0].leftClicks, 2);

    StartResident();
    PostRepeated(meter, MSG_KEY_PRESS, 3);
    EXPECT_EQ(ExitResident(), 0u);
    EXPECT_EQ(Qword("Keyboard Presses"), 8u);
    EXPECT_EQ(Qword("Mouse Clicks L"), 2u);
    history = ReadHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].keys, 8u);
    EXPECT_EQ(history[0].leftClicks, 2);
    EXPECT_LE(history[0].seconds, MaxSeconds());
    EXPECT_EQ(Qword("Total Time"), history[0].seconds);
}

TEST_F(CountingTest, TheTimeBetweenSuspendAndResumeIsNoRunningTime)
{
    StartCounting();
    PostPower(meter, PBT_APMSUSPEND);
    Sleep(4000);
    PostPower(meter, PBT_APMRESUMESUSPEND);
    PostPower(meter, PBT_APMRESUMEAUTOMATIC);  // the same wake-up: no second step back
    EXPECT_EQ(ExitResident(), 0u);
    // Four seconds asleep, less one for the whole seconds on each side.
    uint64_t totalTime = Qword("Total Time");
    EXPECT_LE(totalTime + 3, MaxSeconds());
    std::vector<DayRecord> history = ReadHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].seconds, totalTime);
}

}  // namespace
}  // namespace e2e
