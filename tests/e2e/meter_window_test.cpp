// The meter window as the user sees it: hidden at start, shown and grown to fit its lines,
// hidden by the menu and by its close box while counting goes on, put back to its corner by
// clear data; and the autostart entry that the menu toggles.
#include "e2e_support.h"
#include "res/resource.h"

using namespace driver;

namespace e2e {
namespace {

struct MeterWindowTest : E2eTest {};

// The bottom right-hand corner of the work area, never hanging off the screen.
RECT DefaultRect()
{
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int left = GetSystemMetrics(SM_CXMAXIMIZED) - 2 * GetSystemMetrics(SM_CXFRAME) - 50;
    int top = GetSystemMetrics(SM_CYMAXIMIZED) - 2 * GetSystemMetrics(SM_CYFRAME) - 50;
    left = left < work.right - 50 ? left : work.right - 50;
    top = top < work.bottom - 50 ? top : work.bottom - 50;
    return RECT{left, top, left + 50, top + 50};
}

std::string Describe(const RECT &rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " - " +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

TEST_F(MeterWindowTest, HiddenAtStartShownGrownHiddenAndBackToItsCorner)
{
    StartResident();
    RECT corner = DefaultRect();
    EXPECT_FALSE(IsWindowVisible(meter));
    RECT start = WindowRect(meter);
    EXPECT_TRUE(EqualRect(&start, &corner)) << Describe(start) << " want " << Describe(corner);
    EXPECT_EQ(WindowText(meter), "Tallywick");
    EXPECT_TRUE(GetWindowLongPtrA(meter, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Shown: it grows to the left and upwards to fit the four lines.
    PostCommand(meter, IDM_SHOW);
    ASSERT_TRUE(WaitVisible(meter, true, 5000));
    RECT grown = WaitRectSettled(meter, 300, 5000);
    EXPECT_GT(grown.right - grown.left, 200) << Describe(grown);
    EXPECT_GT(grown.bottom - grown.top, 60) << Describe(grown);
    EXPECT_EQ(grown.right, corner.right);
    EXPECT_EQ(grown.bottom, corner.bottom);

    // Hidden by the menu's command, and by the close box: the window lives on.
    PostCommand(meter, IDM_HIDE);
    EXPECT_TRUE(WaitVisible(meter, false, 5000));
    PostRepeated(meter, MSG_KEY_PRESS, 3);
    PostCommand(meter, IDM_SHOW);
    EXPECT_TRUE(WaitVisible(meter, true, 5000));
    RECT again = WaitRectSettled(meter, 200, 3000);
    EXPECT_TRUE(EqualRect(&again, &grown)) << "painting never shrinks: " << Describe(again);
    PostMessageA(meter, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitVisible(meter, false, 5000));
    EXPECT_TRUE(IsWindow(meter));
    PostRepeated(meter, MSG_KEY_PRESS, 4);

    // Clear data puts it back to 50 x 50 in its corner without showing it.
    SendCommand(meter, IDM_CLEAR_DATA);
    RECT cleared = WindowRect(meter);
    EXPECT_TRUE(EqualRect(&cleared, &corner)) << Describe(cleared);
    EXPECT_FALSE(IsWindowVisible(meter));

    // Shown once more, the next paint grows it again.
    PostCommand(meter, IDM_SHOW);
    EXPECT_TRUE(WaitVisible(meter, true, 5000));
    RECT regrown = WaitRectSettled(meter, 300, 5000);
    EXPECT_GT(regrown.right - regrown.left, 200) << Describe(regrown);

    EXPECT_EQ(ExitResident(), 0u);
    uint64_t keys = 0;
    EXPECT_TRUE(ReadQword(SETTINGS_KEY_PATH, "Keyboard Presses", &keys));
    EXPECT_EQ(keys, 7u) << "counting goes on while the meter is hidden";
}

TEST_F(MeterWindowTest, MeterLeftOffScreenComesBackAfterADisplayOrWorkAreaChange)
{
    StartResident();
    PostCommand(meter, IDM_SHOW);
    ASSERT_TRUE(WaitVisible(meter, true, 5000));
    RECT shown = WaitRectSettled(meter, 300, 5000);
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    LONG width = shown.right - shown.left, height = shown.bottom - shown.top;

    // Where an unplugged monitor was: back into the nearest corner of the work area.
    SetWindowPos(meter, nullptr, 5000, 5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(WindowRect(meter).left, 5000);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(meter, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024), SMTO_NORMAL, 5000, &result);
    RECT back = WindowRect(meter);
    RECT expected = {work.right - width, work.bottom - height, work.right, work.bottom};
    EXPECT_TRUE(EqualRect(&back, &expected)) << Describe(back) << " want " << Describe(expected);

    // Above and left of the screen, after the taskbar moved.
    SetWindowPos(meter, nullptr, -5000, -5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageTimeoutA(meter, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, SMTO_NORMAL, 5000, &result);
    back = WindowRect(meter);
    expected = {work.left, work.top, work.left + width, work.top + height};
    EXPECT_TRUE(EqualRect(&back, &expected)) << Describe(back) << " want " << Describe(expected);
    EXPECT_TRUE(IsWindowVisible(meter));
    EXPECT_EQ(ExitResident(), 0u);
}

TEST_F(MeterWindowTest, AutostartToggledTwiceWritesThenRemovesTheRunValue)
{
    StartResident();
    SendCommand(meter, IDM_AUTOSTART);
    RegValue value = ReadValue(RUN_KEY_PATH, "Tallywick");
    ASSERT_TRUE(value.present) << "no Run value after the first toggle";
    EXPECT_EQ(value.type, (DWORD)REG_SZ);
    std::string expected = "\"" + ProgramPath() + "\"";
    std::string data(value.data.begin(), value.data.end());
    EXPECT_EQ(data, expected + '\0') << "the length counts the terminating zero";

    SendCommand(meter, IDM_AUTOSTART);
    EXPECT_FALSE(ReadValue(RUN_KEY_PATH, "Tallywick").present);

    // Any readable value counts as enabled: the toggle removes it.
    ASSERT_TRUE(WriteValue(RUN_KEY_PATH, "Tallywick", REG_SZ, "other", 6));
    SendCommand(meter, IDM_AUTOSTART);
    EXPECT_FALSE(ReadValue(RUN_KEY_PATH, "Tallywick").present);
    EXPECT_EQ(ExitResident(), 0u);
}

TEST_F(MeterWindowTest, QueryEndSessionAnswersYesAndEndSessionSavesAndEnds)
{
    StartResident();
    PostRepeated(meter, MSG_KEY_PRESS, 5);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(meter, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer);
    EXPECT_EQ(answer, 1u);
    SendMessageTimeoutA(meter, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, &answer);
    EXPECT_TRUE(ReadAllValues(SETTINGS_KEY_PATH).empty()) << "a cancelled log-off saves nothing";
    EXPECT_FALSE(WaitExit(program, 200, nullptr));

    SendMessageTimeoutA(meter, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer);
    DWORD code = 0xDEAD;
    EXPECT_TRUE(WaitExit(program, EXIT_TIMEOUT_MS, &code));
    EXPECT_EQ(code, 0u);
    CloseProcess(&program);
    uint64_t keys = 0;
    EXPECT_TRUE(ReadQword(SETTINGS_KEY_PATH, "Keyboard Presses", &keys));
    EXPECT_EQ(keys, 5u);
}

}  // namespace
}  // namespace e2e
