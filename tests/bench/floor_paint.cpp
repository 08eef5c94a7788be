// The floor for one paint of the meter: a window that draws the four lines given on its
// command line with DrawText into a memory bitmap, made once, and copies it to the window,
// nothing more. It times its own redraws and ends with the nanoseconds of one as its
// exit code.
//
// bench_floor_paint WIDTH HEIGHT LINE1 LINE2 LINE3 LINE4
#include <windows.h>
#include <stdlib.h>
#include <string.h>

static const int WARM_UP_REDRAWS = 10;
static const int TIMED_REDRAWS = 500;

static const char *Lines[4];
static HDC MemoryDc;
static HFONT Font;

static HFONT CreateIconTitleFont()
{
    LOGFONTA font;
    if (!SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0))
        return nullptr;
    return CreateFontIndirectA(&font);
}

static void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    if (!MemoryDc) {
        MemoryDc = CreateCompatibleDC(dc);
        SelectObject(MemoryDc, CreateCompatibleBitmap(dc, client.right, client.bottom));
        if (Font)
            SelectObject(MemoryDc, Font);
        SetBkColor(MemoryDc, RGB(255, 240, 220));
    }
    ExtTextOutA(MemoryDc, 0, 0, ETO_OPAQUE, &client, "", 0, nullptr);
    RECT line = {10, 7, client.right - 10, 25};
    for (const char *text : Lines) {
        DrawTextA(MemoryDc, text, (int)strlen(text), &line, 0);
        OffsetRect(&line, 0, 23);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, MemoryDc, 0, 0, SRCCOPY);
    EndPaint(window, &paint);
}

static LRESULT CALLBACK FloorPaintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_ERASEBKGND:  // the paint covers every pixel
        return 1;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

static double Seconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart / (double)frequency.QuadPart;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc < 7)
        return 0;
    int width = atoi(__argv[1]), height = atoi(__argv[2]);
    for (int i = 0; i < 4; ++i)
        Lines[i] = __argv[3 + i];
    Font = CreateIconTitleFont();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorPaintProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TallywickBenchFloorPaint";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, windowClass.lpszClassName,
                                  "floor", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                  nullptr, instance, nullptr);
    if (!window)
        return 0;
    for (int i = 0; i < WARM_UP_REDRAWS; ++i)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    double start = Seconds();
    for (int i = 0; i < TIMED_REDRAWS; ++i)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return (int)((Seconds() - start) / TIMED_REDRAWS * 1e9);
}
