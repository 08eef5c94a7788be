// HOOK.dll under injected input: the messages it posts to a window of the test's own.
// The low-level hooks run on the library's own thread and post to this thread's window,
// so every test injects with SendInput and then pumps until the messages have arrived.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>
#include <math.h>
#include <stdint.h>
#include <string.h>

#include "driver/driver.h"
#include "hook/hook.h"
#include "hooklib/screen.h"

namespace {

struct Received {
    int keys, distances, left, middle, right;
    double millimetres;
    WPARAM keyIdentities[16];  // the first key presses' wParam
};
Received Got;

LRESULT OnDistance(LPARAM lParam)
{
    uint32_t bits = (uint32_t)lParam;
    float mm;
    memcpy(&mm, &bits, sizeof mm);
    ++Got.distances;
    Got.millimetres += mm;
    return 0;
}

LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MSG_KEY_PRESS:
        if (Got.keys < 16)
            Got.keyIdentities[Got.keys] = wParam;
        ++Got.keys;
        return 0;
    case MSG_MOUSE_DISTANCE: return OnDistance(lParam);
    case MSG_CLICK_LEFT: ++Got.left; return 0;
    case MSG_CLICK_MIDDLE: ++Got.middle; return 0;
    case MSG_CLICK_RIGHT: ++Got.right; return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateCountingWindow()
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = CountingWindowProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "HookTestWindow";
        atom = RegisterClassA(&wc);
    }
    // Message-only: it never takes the focus, so injected Alt presses open no menu here.
    return CreateWindowExA(0, "HookTestWindow", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                           GetModuleHandleA(NULL), NULL);
}

// Dispatches this thread's messages (the hooks and the flush timer run inside this).
void Pump(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 2, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

// Pumps until `done` holds or two seconds have passed.
template <typename Condition> void PumpUntil(Condition done)
{
    DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < 2000)
        Pump(5);
}

void SendKey(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ASSERT_EQ(1u, SendInput(1, &input, sizeof input));
}

// A key as a keyboard sends it: its scan code, extended or not.
void SendScanKey(WORD key, WORD scan, DWORD flags)
{
    ASSERT_EQ(2u, driver::PressScanKey(key, scan, flags));
}

void PressKey(WORD key)
{
    SendKey(key, false);
    SendKey(key, true);
}

void SendMouse(DWORD flags, DWORD data = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    ASSERT_EQ(1u, SendInput(1, &input, sizeof input));
}

// An absolute move to a pixel of the primary screen: the normalised coordinate is rounded
// up, so that scaling it back to pixels (rounding down) lands on exactly this pixel.
void MoveTo(int x, int y)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = (LONG)(((int64_t)x * 65536 + width - 1) / width);
    input.mi.dy = (LONG)(((int64_t)y * 65536 + height - 1) / height);
    ASSERT_EQ(1u, SendInput(1, &input, sizeof input));
}

// The pixel size that the library takes for the monitor at `point`: its own measure
// (hooklib/screen.cpp, compiled in), for GDI's HORZSIZE is not what it goes by where a
// monitor reports its size in its EDID.
MonitorScale ScaleAt(POINT point)
{
    ScreenTable table;
    MeasureScreens(&table);
    for (int i = 0; i < table.count; ++i)
        if (PtInRect(&table.monitors[i].area, point))
            return table.monitors[i];
    return table.monitors[0];
}

// A point of the primary screen, as fractions of its width and height: every position of
// these tests stays on the screen, whatever its size.
POINT OnScreen(double x, double y)
{
    return POINT{(LONG)(x * GetSystemMetrics(SM_CXSCREEN)), (LONG)(y * GetSystemMetrics(SM_CYSCREEN))};
}

// A second low-level keyboard hook, installed after the library's and therefore called
// before it: it makes sure that Alt combinations arrive as WM_SYSKEYDOWN.
int SysKeyDowns = 0;

LRESULT CALLBACK SpyKeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == WM_SYSKEYDOWN)
        ++SysKeyDowns;
    return CallNextHookEx(NULL, code, wParam, lParam);
}

class HookTest : public ::testing::Test {
protected:
    HWND window = NULL;

    void SetUp() override
    {
        window = CreateCountingWindow();
        ASSERT_TRUE(window);
        ASSERT_TRUE(DllInit(window));
        Pump(20);
        Got = Received();
    }

    void TearDown() override
    {
        DllUninit();
        DestroyWindow(window);
        Pump(20);
    }
};

TEST_F(HookTest, EachDistinctKeyPressPostsOneMessage)
{
    const WORD keys[] = {'A', 'S', 'D', VK_F5, VK_SHIFT, VK_SPACE, '7'};
    for (WORD key : keys)
        PressKey(key);
    // The same key again after its key-up is a new press.
    PressKey('A');
    // Characters typed as text (KEYEVENTF_UNICODE, as auto-type sends them) are no presses.
    INPUT text[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
    text[0].ki = {0, L'\u00f6', KEYEVENTF_UNICODE, 0, 0};
    text[1].ki = {0, L'\u00f6', KEYEVENTF_UNICODE | KEYEVENTF_KEYUP, 0, 0};
    ASSERT_EQ(2u, SendInput(2, text, sizeof(INPUT)));
    PumpUntil([] { return Got.keys >= 8; });
    Pump(100);
    EXPECT_EQ(8, Got.keys);
}

TEST_F(HookTest, HeldKeyCountsOnceDespiteAutoRepeat)
{
    for (int i = 0; i < 6; ++i)
        SendKey('F', false);
    SendKey('F', true);
    Pump(200);
    EXPECT_EQ(1, Got.keys);
}

TEST_F(HookTest, KeyIdentityTellsKeypadAndRightHandKeysFromTheirTwins)
{
    SendScanKey(VK_RETURN, 0x1C, 0);
    SendScanKey(VK_RETURN, 0x1C, KEYEVENTF_EXTENDEDKEY);  // the keypad's Enter
    SendScanKey('7', 0x08, 0);
    SendScanKey(VK_NUMPAD7, 0x47, 0);
    SendScanKey(VK_RCONTROL, 0x1D, KEYEVENTF_EXTENDEDKEY);
    SendScanKey('Q', 0, 0);  // no scan code given: the layout's stands in
    for (int i = 0; i < 4; ++i)  // held: one press of its own key
        SendKey('F', false);
    SendKey('F', true);
    PumpUntil([] { return Got.keys >= 7; });
    Pump(100);
    const WPARAM expected[] = {0x1C, 0x11C, 0x08, 0x47, 0x11D, 0x10, 0x21};
    ASSERT_EQ(7, Got.keys);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(expected[i], Got.keyIdentities[i]) << "press " << i + 1;
}

// Two key-downs of one key without a key-up between them, stamped `gapMs` apart as Windows
// stamps its events: up to the longest auto-repeat delay with a margin (1.5 s) the same
// press held, beyond it a new press whose key-up was lost.
TEST_F(HookTest, KeyLongSilentAfterItsKeyDownCountsItsNextPressDespiteTheLostKeyUp)
{
    const struct { DWORD gapMs; int presses; } cases[] = {{900, 1}, {1500, 1}, {1501, 2}, {1700, 2}};
    for (const auto &c : cases) {
        Got = Received();
        INPUT downs[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
        downs[0].ki = {'L', 0, 0, GetTickCount(), 0};
        downs[1].ki = {'L', 0, 0, downs[0].ki.time + c.gapMs, 0};
        ASSERT_EQ(2u, SendInput(2, downs, sizeof(INPUT)));
        SendKey('L', true);
        PumpUntil([&c] { return Got.keys >= c.presses; });
        Pump(100);
        EXPECT_EQ(c.presses, Got.keys) << "key-downs " << c.gapMs << " ms apart";
    }
}

TEST_F(HookTest, AltCombinationCountsBothKeys)
{
    HHOOK spy = SetWindowsHookExA(WH_KEYBOARD_LL, SpyKeyboardProc, GetModuleHandleA(NULL), 0);
    ASSERT_TRUE(spy);
    SysKeyDowns = 0;
    SendKey(VK_MENU, false);
    SendKey('K', false);
    SendKey('K', true);
    SendKey(VK_MENU, true);
    PumpUntil([] { return Got.keys >= 2; });
    Pump(100);
    UnhookWindowsHookEx(spy);
    EXPECT_GE(SysKeyDowns, 1) << "the input did not arrive as WM_SYSKEYDOWN";
    EXPECT_EQ(2, Got.keys);
}

TEST_F(HookTest, EachButtonDownPostsOneClick)
{
    for (int i = 0; i < 2; ++i) {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }
    SendMouse(MOUSEEVENTF_MIDDLEDOWN);
    SendMouse(MOUSEEVENTF_MIDDLEUP);
    for (int i = 0; i < 3; ++i) {
        SendMouse(MOUSEEVENTF_RIGHTDOWN);
        SendMouse(MOUSEEVENTF_RIGHTUP);
    }
    // Neither the X buttons nor the wheel are clicks.
    SendMouse(MOUSEEVENTF_XDOWN, XBUTTON1);
    SendMouse(MOUSEEVENTF_XUP, XBUTTON1);
    SendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
    PumpUntil([] { return Got.left + Got.middle + Got.right >= 6; });
    Pump(100);
    EXPECT_EQ(2, Got.left);
    EXPECT_EQ(1, Got.middle);
    EXPECT_EQ(3, Got.right);
    EXPECT_EQ(0, Got.keys);
}

TEST_F(HookTest, DistanceOfPixelPathMatchesScreenSize)
{
    // Horizontal, vertical and diagonal legs, one pixel step at a time or a few at once;
    // the path spans 480 x 480 pixels from its start, which centres it.
    struct Leg { int steps, dx, dy; };
    const Leg legs[] = {{60, 5, 0}, {60, 0, 4}, {60, 3, 4}, {60, -7, -1}, {60, 1, -2}};
    POINT middle = OnScreen(0.5, 0.5);
    int x = middle.x - 240, y = middle.y - 240, moves = 0;
    ASSERT_TRUE(x >= 0 && y >= 0) << "the screen is smaller than the path";
    MonitorScale scale = ScaleAt(middle);
    double mmX = scale.mmPerPixelX, mmY = scale.mmPerPixelY;
    DWORD start = GetTickCount();
    double expected = 0;
    MoveTo(x, y);  // the first event after DllInit only sets the start
    Pump(20);
    for (const Leg &leg : legs) {
        for (int i = 0; i < leg.steps; ++i) {
            x += leg.dx;
            y += leg.dy;
            MoveTo(x, y);
            ++moves;
            expected += hypot(leg.dx * mmX, leg.dy * mmY);
            Pump(2);  // a fast mouse: hundreds of events a second
        }
        DetectScreenValues();  // measuring again on the way changes nothing here
    }
    DWORD elapsed = GetTickCount() - start;
    PumpUntil([&] { return fabs(Got.millimetres - expected) <= expected * 0.01; });
    Pump(150);
    EXPECT_NEAR(expected, Got.millimetres, expected * 0.01)
        << "mm per pixel " << mmX << " x " << mmY << ", " << moves << " moves";
    EXPECT_GE(Got.distances, 2) << "distance is posted on the way, not only at the end";
    // At most one post per 50 ms of movement, one per 100 ms from the timer, and the rest.
    EXPECT_LE(Got.distances, (int)(elapsed / 50 + elapsed / 100 + 3))
        << moves << " moves in " << elapsed << " ms";
    EXPECT_LT(Got.distances, moves) << "one message per move would flood the queue";
}

TEST_F(HookTest, FirstMoveOnlySetsStartAndStillPointerAddsNothing)
{
    // Far from wherever the pointer was before DllInit: across the middle of the screen.
    POINT was;
    ASSERT_TRUE(GetCursorPos(&was));
    bool right = was.x < OnScreen(0.5, 0).x;
    POINT first = OnScreen(right ? 0.75 : 0.25, 0.5);
    double mmX = ScaleAt(first).mmPerPixelX;
    for (int i = 0; i < 6; ++i)
        MoveTo(first.x, first.y);
    Pump(300);
    EXPECT_EQ(0, Got.distances);
    EXPECT_EQ(0.0, Got.millimetres);
    // Two quick steps towards the middle and then stillness: the second falls within the
    // interval after the first was posted, and the timer posts it without further movement.
    int towards = right ? -1 : 1;
    MoveTo(first.x + towards * 100, first.y);
    MoveTo(first.x + towards * 140, first.y);
    PumpUntil([&] { return Got.millimetres >= 139 * mmX; });
    EXPECT_NEAR(140 * mmX, Got.millimetres, mmX);
}

TEST_F(HookTest, UninitPostsPendingDistanceAndStopsMessages)
{
    POINT at = OnScreen(0.25, 0.5);
    double mmX = ScaleAt(at).mmPerPixelX;
    MoveTo(at.x, at.y);
    MoveTo(at.x + 50, at.y);
    MoveTo(at.x + 80, at.y);
    DllUninit();
    Pump(200);
    EXPECT_NEAR(80 * mmX, Got.millimetres, mmX);
    Got = Received();
    PressKey('Q');
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    MoveTo(at.x + 200, at.y);
    MoveTo(at.x + 300, at.y + 50);
    Pump(300);
    EXPECT_EQ(0, Got.keys);
    EXPECT_EQ(0, Got.left);
    EXPECT_EQ(0, Got.distances);
}

int ThreadsOfThisProcess()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

TEST_F(HookTest, SecondInitDoesNotCountTwice)
{
    int threads = ThreadsOfThisProcess();
    ASSERT_TRUE(DllInit(window));
    EXPECT_EQ(threads, ThreadsOfThisProcess()) << "a second DllInit starts no second thread";
    PressKey('W');
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    Pump(200);
    EXPECT_EQ(1, Got.keys);
    EXPECT_EQ(1, Got.right);
    // One DllUninit removes everything and returns when the hook thread has ended.
    DllUninit();
    EXPECT_EQ(threads - 1, ThreadsOfThisProcess());
    PressKey('W');
    Pump(200);
    EXPECT_EQ(1, Got.keys);
}

TEST(HookInit, FailsWithoutAWindow)
{
    EXPECT_FALSE(DllInit(NULL));
    HWND gone = CreateCountingWindow();
    DestroyWindow(gone);
    EXPECT_FALSE(DllInit(gone));
    EXPECT_TRUE(DllUninit());
    EXPECT_TRUE(DetectScreenValues());
}

}  // namespace
