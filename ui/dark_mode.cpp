// The app mode. dwmapi.dll and uxtheme.dll ship with every Windows the program runs on, but
// are loaded at run time from the system folder: the program's imports stay as they are, and
// a system without either keeps its light frame and controls.
#include "dark_mode.h"
#include "palette.h"

#include <string.h>

static const char PERSONALIZE_KEY[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
// DWMWA_USE_IMMERSIVE_DARK_MODE from Windows 10 20H1 on; the builds before it knew it as 19.
static const DWORD DARK_FRAME_ATTRIBUTE = 20;
static const DWORD DARK_FRAME_ATTRIBUTE_BEFORE_20H1 = 19;
// The first build whose visual styles hold the dark themes of the controls (1809).
static const DWORD FIRST_DARK_STYLES_BUILD = 17763;

typedef HRESULT(WINAPI *SetAttributeCall)(HWND, DWORD, const void *, DWORD);
typedef HRESULT(WINAPI *SetThemeCall)(HWND, const wchar_t *, const wchar_t *);
typedef BOOL(WINAPI *AppThemedCall)();
typedef LONG(WINAPI *VersionCall)(OSVERSIONINFOW *);

bool AppModeDark()
{
    DWORD value = 1, size = sizeof value, type = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PERSONALIZE_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    LONG read = RegQueryValueExA(key, "AppsUseLightTheme", nullptr, &type, (BYTE *)&value, &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value && value == 0;
}

bool IsAppModeChange(LPARAM lParam)
{
    // An ANSI window's procedure gets the text narrow, a wide one's wide; each comparison stops
    // at the first character of the other width, within either text.
    const char *text = (const char *)lParam;
    if (!text)
        return false;
    return wcscmp((const wchar_t *)lParam, L"ImmersiveColorSet") == 0
           || strcmp(text, "ImmersiveColorSet") == 0;
}

static void *SystemCall(const char *library, const char *name)
{
    HMODULE module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? (void *)GetProcAddress(module, name) : nullptr;
}

static DWORD WindowsBuild()
{
    VersionCall version = (VersionCall)(void *)GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion");
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return version && version(&info) == 0 ? info.dwBuildNumber : 0;
}

// Whether the dark themes of the controls exist: visual styles on, and a build that has them.
// Elsewhere SetWindowTheme would fall back to the light parts of each class itself, beside
// colours chosen for dark.
static bool DarkStylesExist()
{
    static int known = -1;
    if (known < 0) {
        AppThemedCall themed = (AppThemedCall)SystemCall("uxtheme.dll", "IsAppThemed");
        known = themed && themed() && WindowsBuild() >= FIRST_DARK_STYLES_BUILD;
    }
    return known == 1;
}

static bool DarkColoursOn()
{
    return SystemPaletteNow().dark;
}

static void SetFrame(HWND window, bool dark)
{
    static SetAttributeCall setAttribute =
        (SetAttributeCall)SystemCall("dwmapi.dll", "DwmSetWindowAttribute");
    if (!setAttribute)
        return;
    BOOL value = dark;
    if (FAILED(setAttribute(window, DARK_FRAME_ATTRIBUTE, &value, sizeof value)))
        setAttribute(window, DARK_FRAME_ATTRIBUTE_BEFORE_20H1, &value, sizeof value);
}

static void SetTheme(HWND control, const wchar_t *name, const wchar_t *ids)
{
    static SetThemeCall setTheme = (SetThemeCall)SystemCall("uxtheme.dll", "SetWindowTheme");
    if (setTheme)
        setTheme(control, name, ids);
}

static bool IsClass(HWND window, const char *name)
{
    char found[32];
    return GetClassNameA(window, found, sizeof found) && lstrcmpiA(found, name) == 0;
}

static bool IsTickBox(HWND button)
{
    LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON
           || type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
}

// The dark theme of a control's class, or null where it has none.
static const wchar_t *DarkThemeOf(HWND control)
{
    if (IsClass(control, "SysListView32") || IsClass(control, "Button")
        || IsClass(control, "tooltips_class32"))
        return L"DarkMode_Explorer";
    if (IsClass(control, "SysHeader32"))
        return L"DarkMode_ItemsView";
    if (IsClass(control, "ComboBox"))
        return L"DarkMode_CFD";
    return nullptr;
}

// A themed radio button or check box draws its text black whatever WM_CTLCOLORSTATIC says,
// also in the dark theme: in dark it goes without a theme, in the colours the parent gives.
static BOOL CALLBACK FollowControl(HWND control, LPARAM dark)
{
    if (IsClass(control, "Button") && IsTickBox(control)) {
        SetTheme(control, dark ? L"" : nullptr, dark ? L"" : nullptr);
    } else if (const wchar_t *theme = DarkThemeOf(control)) {
        if (dark && DarkStylesExist())
            SetTheme(control, theme, nullptr);
        else
            SetTheme(control, nullptr, nullptr);  // both null: the class's own theme again
    }
    InvalidateRect(control, nullptr, TRUE);
    return TRUE;
}

static BOOL CALLBACK FollowOwnedTip(HWND popup, LPARAM owner)
{
    if (GetWindow(popup, GW_OWNER) == (HWND)owner && IsClass(popup, "tooltips_class32"))
        FollowControl(popup, SystemPaletteNow().dark);
    return TRUE;
}

void FollowAppMode(HWND window)
{
    bool dark = DarkColoursOn();
    SetFrame(window, dark);
    EnumChildWindows(window, FollowControl, dark);
    EnumThreadWindows(GetCurrentThreadId(), FollowOwnedTip, (LPARAM)window);
    // The frame is drawn again only when it changes: a redraw of it now shows the new mode.
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

// A new window has the light title bar and each control its class's own light style, which
// is what FollowAppMode would set in the light mode; a window first shown needs no repaint.
void FollowAppModeAtOpen(HWND window)
{
    if (DarkColoursOn())
        FollowAppMode(window);
}

void FollowAppModeOfControl(HWND control)
{
    if (DarkColoursOn())
        FollowControl(control, true);
}

HBRUSH DarkControlColour(UINT message, HDC dc)
{
    SystemPalette palette = SystemPaletteNow();
    if (!palette.dark)
        return nullptr;
    // The open list of a combo box is dark only beside its dark field.
    if (message == WM_CTLCOLORLISTBOX && !DarkStylesExist())
        return nullptr;
    COLORREF face = message == WM_CTLCOLORLISTBOX ? palette.window : palette.face;
    SetTextColor(dc, palette.faceText);
    SetBkColor(dc, face);
    SetDCBrushColor(dc, face);
    return (HBRUSH)GetStockObject(DC_BRUSH);
}

void EraseWithFace(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    SetDCBrushColor(dc, SystemPaletteNow().face);
    FillRect(dc, &client, (HBRUSH)GetStockObject(DC_BRUSH));
}
