// The dark app mode: the chart and the keyboard window paint their background dark while
// "AppsUseLightTheme" is 0 and light again once Windows says the mode changed.
#include <gtest/gtest.h>
#include <windows.h>
#include "charts/chart_window.h"
#include "keyboard/keyboard_window.h"
#include "meter_test_support.h"
#include "res/resource.h"
#include "settings_key_support.h"

namespace {

const char PERSONALIZE_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

void SetAppsUseLightTheme(DWORD value)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, PERSONALIZE_KEY, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "AppsUseLightTheme", 0, REG_DWORD, (const BYTE *)&value, sizeof value);
    RegCloseKey(key);
}

// The pixel one in from the bottom left corner of the client area, after a paint.
COLORREF PaintedCorner(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    COLORREF pixel = GetPixel(dc, 1, client.bottom - 2);
    ReleaseDC(window, dc);
    return pixel;
}

int Lightness(COLORREF colour)
{
    return (GetRValue(colour) + GetGValue(colour) + GetBValue(colour)) / 3;
}

struct Opened {
    const char *name;
    void (*show)();
    HWND (*painted)();  // the window whose background is looked at
    HWND (*top)();
};

HWND ChartTop() { return ChartWindow; }
HWND ChartPlot() { return GetDlgItem(ChartWindow, IDC_CHART_PLOT); }
HWND KeyboardTop() { return KeyboardWindow; }

TEST(DarkModeTest, ChartAndKeyboardPaintDarkInTheDarkAppModeAndLightAfterTheModeChanges)
{
    TestMeterWindow();
    ResetMeterState();
    DeleteSettingsKey();
    ClearStoredHistory();
    const Opened windows[] = {{"chart", ShowChartWindow, ChartPlot, ChartTop},
                              {"keyboard", ShowKeyboardWindow, KeyboardTop, KeyboardTop}};
    for (const Opened &opened : windows) {
        SetAppsUseLightTheme(0);
        opened.show();
        PumpMessages();
        ASSERT_NE(opened.top(), nullptr) << opened.name;
        COLORREF dark = PaintedCorner(opened.painted());
        SetAppsUseLightTheme(1);
        SendMessageA(opened.top(), WM_SETTINGCHANGE, 0, (LPARAM) "ImmersiveColorSet");
        COLORREF light = PaintedCorner(opened.painted());
        EXPECT_LT(Lightness(dark), 64) << opened.name << " in dark: 0x" << std::hex << dark;
        EXPECT_GT(Lightness(light), 192) << opened.name << " in light: 0x" << std::hex << light;
        DestroyWindow(opened.top());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Themes");
}

}  // namespace
