// HOOK.dll's modules on their own: the EDID parser on bytes, the key identities of the
// hook's events, and the watchdog over the stand-in input hooks below, on a clock of the
// test's own.
#include <gtest/gtest.h>
#include <utility>
#include "driver/driver.h"
#include "hooklib/edid.h"
#include "hooklib/input_hooks.h"
#include "hooklib/key_identity.h"
#include "hooklib/watchdog.h"

static DWORD Now = 5000, EventTime = 5000;
static std::vector<DWORD> Installs;  // when
// A fresh installation counts as an event, as in input_hooks.cpp.
bool InstallHooks() { Installs.push_back(EventTime = Now); return true; }
void RemoveHooks() {}
bool HooksInstalled() { return true; }
DWORD LastHookEventTime() { return EventTime; }
void MarkInputSeen(DWORD) {}

TEST(Edid, PictureSizeIsTakenInMillimetresOrElseCentimetresAndOnlyWhenBelievable)
{
    std::vector<uint8_t> damaged = driver::MakeEdid(400, 300, 40, 30);
    damaged[70] ^= 1;
    struct Case { const char *what; std::vector<uint8_t> edid; LONG width, height; };
    const Case cases[] = {{"good", driver::MakeEdid(597, 336, 60, 34), 597, 336},
                          {"bad checksum", damaged, 0, 0},
                          {"no size in the descriptor", driver::MakeEdid(0, 0, 52, 29), 520, 290},
                          {"too small to be true", driver::MakeEdid(16, 9, 0, 0), 0, 0}};
    for (const Case &c : cases) {
        SIZE mm = {0, 0};
        EXPECT_EQ(c.width != 0, ParseEdidSize(c.edid.data(), (DWORD)c.edid.size(), &mm)) << c.what;
        EXPECT_EQ(std::make_pair(c.width, c.height), std::make_pair(mm.cx, mm.cy)) << c.what;
    }
}

// As the hook reports a key (scan code, LLKHF_EXTENDED), or the layout's scan code where
// injected input carried none.
TEST(KeyIdentity, EveryFormOfAKeyLandsOnTheKeyOfTheBoard)
{
    struct Case { const char *what; UINT scan; bool extended; WPARAM key; };
    const Case cases[] = {
        {"keypad Enter", 0x1C, true, 0x11C},   {"Right Ctrl, E0 high", 0xE01D, false, 0x11D},
        {"Right Shift", 0x36, true, 0x36},     {"Num Lock", 0x45, true, 0x145},
        {"Pause, E1 1D", 0xE11D, false, 0x45}, {"Ctrl+Pause, Break", 0x46, true, 0x45},
        {"Scroll Lock", 0x46, false, 0x46},    {"Alt+Print Screen, SysRq", 0x54, false, 0x137},
        {"keypad *", 0x37, false, 0x37},       {"Volume Up", 0x30, true, 0x130}};
    for (const Case &c : cases)
        EXPECT_EQ(c.key, KeyIdentity(c.scan, c.extended)) << c.what;
}

// The timer's checks for `ms` while input that no hook sees goes on (an elevated window).
static void CheckWhileInputUnseen(DWORD ms)
{
    for (DWORD end = Now + ms; Now != end; CheckHooksAt(Now, Now - 10))
        Now += WATCHDOG_INTERVAL_MS;
}

TEST(Watchdog, UnseenInputReinstallsTheHooksOnceAMinuteUntilAnEventComesBack)
{
    ResetWatchdog();
    CheckWhileInputUnseen(140000);
    EXPECT_EQ(3u, Installs.size()) << "after two checks, then once a minute";
    EventTime = Now += 500;  // the fresh hooks saw input, then were lost again
    CheckWhileInputUnseen(2 * WATCHDOG_INTERVAL_MS);
    EXPECT_EQ(4u, Installs.size()) << "a reinstall that brought events back sets no wait";
}
