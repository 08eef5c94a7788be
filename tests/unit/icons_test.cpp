// The program's icons: every size drawn in the resources, and each window's icons at the
// DPI of its monitor.
#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include <utility>
#include "charts/chart_window.h"
#include "core/figures.h"
#include "history/history_window.h"
#include "keyboard/keyboard_window.h"
#include "meter/meter_frame.h"
#include "meter_test_support.h"
#include "res/resource.h"
#include "ui/dpi.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {  // one image of an RT_GROUP_ICON directory
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The sides of the 32-bit images of icon `id` in this module's resources (0 stands for 256).
std::set<int> TrueColourSizes(WORD id)
{
    std::set<int> sizes;
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    const BYTE *directory = found ? (const BYTE *)LockResource(LoadResource(nullptr, found)) : nullptr;
    if (!directory)
        return sizes;
    const GroupIconEntry *entries = (const GroupIconEntry *)(directory + 6);
    for (WORD i = 0; i < ((const WORD *)directory)[2]; ++i)
        if (entries[i].bitCount == 32)
            sizes.insert(entries[i].width ? entries[i].width : 256);
    return sizes;
}

TEST(ProgramIcons, EveryScalingFrom100To400PercentHasItsOwnTrueColourImage)
{
    std::set<int> rows = {16, 20, 24, 32, 40, 48, 64};
    std::set<int> program = rows;
    program.insert(256);
    EXPECT_EQ(TrueColourSizes(IDI_MAIN), program);
    EXPECT_EQ(TrueColourSizes(IDI_HISTORY_ROW), rows);
}

int IconSide(HICON icon)
{
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// The sides of the window's small and large icons.
std::pair<int, int> WindowIconSides(HWND window)
{
    return {IconSide((HICON)SendMessageA(window, WM_GETICON, ICON_SMALL, 0)),
            IconSide((HICON)SendMessageA(window, WM_GETICON, ICON_BIG, 0))};
}

void SendDpiChange(HWND window, UINT dpi, RECT rect)
{
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), (LPARAM)&rect);
}

TEST(ProgramIcons, EveryWindowTakesItsIconsAtTheDpiOfItsMonitor)
{
    ResetMeterState();  // a period, which the charts sum
    const struct {
        const char *name;
        HWND (*open)();
    } windows[] = {
        {"charts", [] { ShowChartWindow(); return ChartWindow; }},
        {"meter", [] { return TestMeterWindow().window; }},
        {"history", [] { ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE); return HistoryWindow; }},
        {"keyboard", [] { ShowKeyboardWindow(); return KeyboardWindow; }},
    };
    for (const auto &opened : windows) {
        HWND window = opened.open();
        ASSERT_TRUE(window) << opened.name;
        UINT dpi = WindowDpi(window);
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(WindowIconSides(window), std::make_pair(Scale(16, dpi), Scale(32, dpi))) << opened.name;
        SendDpiChange(window, 192, rect);
        EXPECT_EQ(WindowIconSides(window), std::make_pair(32, 64)) << opened.name << " at 192 dpi";
        SendDpiChange(window, dpi, rect);
        if (window != MeterWindow)
            DestroyWindow(window);
    }
}

}  // namespace
