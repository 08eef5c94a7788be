// The program's icons at the sizes a DPI asks for. Runs on the user-interface thread, like
// every window of the program; the table of loaded icons is this module's alone.
#include "icons.h"
#include "dpi.h"
#include "../res/resource.h"

#include <stdlib.h>

// One icon for each size asked for; a program sees a handful of DPIs in a session.
static const int MAX_ICON_SIZES = 16;

struct LoadedIcon {
    int size;
    HICON icon;
};

static LoadedIcon LoadedIcons[MAX_ICON_SIZES];
static int LoadedIconCount;

int SmallIconSize(UINT dpi)
{
    return SystemMetricForDpi(SM_CXSMICON, dpi);
}

int LargeIconSize(UINT dpi)
{
    return SystemMetricForDpi(SM_CXICON, dpi);
}

typedef HRESULT(WINAPI *LoadIconWithScaleDownFunction)(HINSTANCE, PCWSTR, int, int, HICON *);

// Only in the common controls of version 6, which the manifest asks for (and missing from
// the cross compiler's import library): looked up in the comctl32 the process has loaded.
static LoadIconWithScaleDownFunction ScaleDownLoader()
{
    static LoadIconWithScaleDownFunction loader;
    static bool looked;
    if (!looked) {
        HMODULE comctl32 = GetModuleHandleA("comctl32.dll");
        if (comctl32)
            loader = (LoadIconWithScaleDownFunction)(void *)GetProcAddress(
                comctl32, "LoadIconWithScaleDown");
        looked = true;
    }
    return loader;
}

// LoadIconWithScaleDown takes the image of the size asked for, or scales the next larger
// one down, which stays sharp; plain LoadImage would scale a smaller one up.
HICON LoadIconAtSize(WORD id, int size)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON icon = nullptr;
    LoadIconWithScaleDownFunction loader = ScaleDownLoader();
    if (loader && SUCCEEDED(loader(instance, MAKEINTRESOURCEW(id), size, size, &icon)))
        return icon;
    return (HICON)LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0);
}

// With the table full, the loaded size nearest to the one asked for: icons handed out must
// live on, so none is loaded that the table cannot keep.
HICON ProgramIcon(int size)
{
    int nearest = -1;
    for (int i = 0; i < LoadedIconCount; ++i) {
        if (LoadedIcons[i].size == size)
            return LoadedIcons[i].icon;
        if (nearest < 0 || abs(LoadedIcons[i].size - size) < abs(LoadedIcons[nearest].size - size))
            nearest = i;
    }
    if (LoadedIconCount == MAX_ICON_SIZES)
        return LoadedIcons[nearest].icon;
    HICON icon = LoadIconAtSize(IDI_MAIN, size);
    if (icon)
        LoadedIcons[LoadedIconCount++] = {size, icon};
    return icon;
}

// The window keeps no icon of its own (WM_SETICON hands none over), so the shared ones do.
void SetWindowIcons(HWND window, UINT dpi)
{
    HICON smallIcon = ProgramIcon(SmallIconSize(dpi));
    HICON largeIcon = ProgramIcon(LargeIconSize(dpi));
    if (smallIcon)
        SendMessageA(window, WM_SETICON, ICON_SMALL, (LPARAM)smallIcon);
    if (largeIcon)
        SendMessageA(window, WM_SETICON, ICON_BIG, (LPARAM)largeIcon);
}
