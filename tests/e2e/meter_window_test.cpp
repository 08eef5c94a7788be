// The meter window as the user sees it: hidden at start, shown and grown to fit its lines,
// hidden by the menu and by its close box while counting goes on, put back to its corner by
// clear data; its lines whole at a high DPI; English texts in an English locale; and the
// autostart entry that the menu toggles, also from a folder outside the ANSI code page.
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

// ---- DPI and language -------------------------------------------------------------------

const char *const DESKTOP_KEY_PATH = "Control Panel\\Desktop";
const COLORREF METER_BACKGROUND = RGB(255, 240, 220);

// Wine's system DPI for every process started while it is set. Put back as it was when
// the test ends, pass or fail, for the tests after it expect 96.
struct ScopedLogPixels {
    RegValue saved;
    explicit ScopedLogPixels(DWORD dpi) : saved(ReadValue(DESKTOP_KEY_PATH, "LogPixels"))
    {
        WriteDword(DESKTOP_KEY_PATH, "LogPixels", dpi);
    }
    ~ScopedLogPixels()
    {
        if (saved.present)
            WriteValue(DESKTOP_KEY_PATH, "LogPixels", saved.type, saved.data.data(),
                       (DWORD)saved.data.size());
        else
            DeleteValue(DESKTOP_KEY_PATH, "LogPixels");
    }
};

// On Windows the value is the user's own display setting: only Wine's test prefix may
// have it changed.
bool UnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// The runs of rows of a 32-bit top-down bitmap that hold anything but the background:
// one run for each line of text, as {first row, row after the last}.
std::vector<std::pair<int, int>> InkRows(const std::vector<DWORD> &pixels, int width, int height)
{
    const DWORD background = RGB(GetBValue(METER_BACKGROUND), GetGValue(METER_BACKGROUND),
                                 GetRValue(METER_BACKGROUND));  // BGRX in memory
    std::vector<std::pair<int, int>> runs;
    for (int y = 0; y < height; y++) {
        bool ink = false;
        for (int x = 0; x < width && !ink; x++)
            ink = (pixels[y * width + x] & 0xFFFFFF) != background;
        if (ink && (runs.empty() || runs.back().second != y))
            runs.push_back({y, y + 1});
        else if (ink)
            runs.back().second = y + 1;
    }
    return runs;
}

// Copies a rectangle of `source` into 32-bit pixels, top row first.
std::vector<DWORD> CopyPixels(HDC source, int left, int top, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels((const DWORD *)bits, (const DWORD *)bits + width * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

// The rows that `text` inks when drawn whole, unclipped, in the icon-title font at `dpi`.
int WholeLineInkHeight(const std::string &text, UINT dpi)
{
    LOGFONTW font = {};
    SystemParametersInfoForDpi(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0, dpi);
    HFONT handle = CreateFontIndirectW(&font);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    const int width = 2000, height = 200;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HGDIOBJ oldFont = SelectObject(memory, handle);
    RECT all = {0, 0, width, height};
    SetBkColor(memory, METER_BACKGROUND);
    ExtTextOutA(memory, 0, 0, ETO_OPAQUE, &all, "", 0, nullptr);
    DrawTextA(memory, text.c_str(), (int)text.size(), &all, DT_NOCLIP);
    std::vector<DWORD> pixels = CopyPixels(memory, 0, 0, width, height);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(handle);
    std::vector<std::pair<int, int>> runs = InkRows(pixels, width, height);
    return runs.empty() ? 0 : runs.back().second - runs.front().first;
}

TEST_F(MeterWindowTest, AtDoubleDpiEveryLineIsDrawnWhole)
{
    if (!UnderWine())
        GTEST_SKIP() << "changes the display's DPI, which only a test prefix may have changed";
    const UINT dpi = 192;
    {
        ScopedLogPixels logPixels(dpi);
        StartResident();
    }
    PostCommand(meter, IDM_SHOW);
    ASSERT_TRUE(WaitVisible(meter, true, 5000));
    WaitRectSettled(meter, 300, 5000);
    RECT client;
    GetClientRect(meter, &client);
    POINT origin = {0, 0};
    ClientToScreen(meter, &origin);
    HDC screen = GetDC(nullptr);
    std::vector<DWORD> pixels = CopyPixels(screen, origin.x, origin.y, client.right, client.bottom);
    ReleaseDC(nullptr, screen);

    // Nothing counted: the first line reads "0 / 0". Each line inks as many rows as the
    // same text drawn whole; a line cut at the bottom of its rectangle inks fewer.
    std::vector<std::pair<int, int>> lines = InkRows(pixels, client.right, client.bottom);
    int whole = WholeLineInkHeight(Gbk("键盘按动统计: 0 / 0"), dpi);
    ASSERT_EQ(lines.size(), 4u) << "client " << client.right << " x " << client.bottom;
    for (size_t i = 0; i < lines.size(); i++)
        EXPECT_GE(lines[i].second - lines[i].first, whole - 1)
            << "line " << i + 1 << " inks rows " << lines[i].first << " to " << lines[i].second;
    EXPECT_GE(client.bottom - lines.back().second, 14 - 1) << "the margin below, at 192 dpi";
    EXPECT_EQ(ExitResident(), 0u);
}

// Run by ctest's e2e_english (en_US.UTF-8) and e2e_mixed (Chinese over code page 1252).
struct EnglishLocaleTest : E2eTest {};

TEST_F(EnglishLocaleTest, TheProgramShowsTheEnglishTexts)
{
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_ENGLISH && GetACP() != 1252)
        GTEST_SKIP() << "skipped: not English nor code page 1252: run as e2e_english or e2e_mixed";
    StartResident();
    PostCommand(meter, IDM_VIEW_HISTORY);
    HWND history = WaitTopWindow("TallywickHistory", program.id, 5000);
    ASSERT_TRUE(history);
    EXPECT_EQ(WindowText(history), "Tallywick History");
    PostCommand(meter, IDM_ABOUT);
    HWND about = WaitDialog(program.id, 5000);
    ASSERT_TRUE(about);
    EXPECT_EQ(WindowText(about), "About Tallywick V1.5");
    PressButton(about, IDOK);
    EXPECT_EQ(ExitResident(), 0u);
}

// A copy in a folder named in characters that code page 1252 lacks, as an installation
// under a profile such as C:\Users\张伟 is: the Run value and an export name it truly.
TEST_F(EnglishLocaleTest, AFolderNamedInChineseIsReachedByAutostartAndExport)
{
    ASSERT_EQ(GetACP(), 1252u) << "run it in a code-page-1252 locale: ctest's e2e_english";
    std::wstring dir = Widen(TempDir()) + L"\x5F20\x4F1F\\", exe = dir + L"tallywick.exe";
    CreateDirectoryW(dir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(Widen(ProgramPath()).c_str(), exe.c_str(), FALSE));
    std::wstring hook = Widen(ExeDir() + "HOOK.dll");
    ASSERT_TRUE(CopyFileW(hook.c_str(), (dir + L"HOOK.dll").c_str(), FALSE));
    program = StartProgram(exe);
    meter = FindMeterOf(program.id, START_TIMEOUT_MS);
    ASSERT_TRUE(meter);
    SendCommand(meter, IDM_AUTOSTART);
    wchar_t run[MAX_PATH + 4] = L"";
    DWORD size = sizeof run;
    RegGetValueW(HKEY_CURRENT_USER, Widen(RUN_KEY_PATH).c_str(), L"Tallywick", RRF_RT_REG_SZ,
                 nullptr, run, &size);
    EXPECT_EQ(std::wstring(run), L"\"" + exe + L"\"");
    EXPECT_EQ(ExitResident(), 0u);

    std::vector<DayRecord> records = PlausibleHistory(2);
    ASSERT_TRUE(SeedHistory(records));
    std::wstring csv = dir + L"\x8BB0\x5F55.csv";
    // As `program`, so that the message box of a failure ends with the test.
    program = StartProgram(exe, L"/exporthistory \"" + csv + L"\"");
    DWORD code = 0xDEAD;
    EXPECT_TRUE(WaitExit(program, START_TIMEOUT_MS, &code));
    EXPECT_EQ(code, 0u);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(csv, &bytes));
    EXPECT_EQ(bytes, CsvLine(records[0]) + CsvLine(records[1]));
}

}  // namespace
}  // namespace e2e
