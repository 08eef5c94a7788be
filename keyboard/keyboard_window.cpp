// The keyboard window. What one window shows (its board, labels, fonts and layout) lives in
// a KeyboardView attached to it (GWLP_USERDATA) and freed with it. Figures are read afresh
// at every paint; a timer repaints once a second when they have moved.
#include "keyboard_window.h"

#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>

#include "count_each_key.h"
#include "keyboard_paint.h"
#include "keyboard_tips.h"
#include "../core/figures.h"
#include "../core/key_counts.h"
#include "../core/today.h"
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"
#include "../ui/buffered_paint.h"
#include "../ui/control_row.h"
#include "../ui/dark_mode.h"
#include "../ui/dialog_focus.h"
#include "../ui/dpi.h"
#include "../ui/file_dialogs.h"
#include "../ui/fonts.h"
#include "../ui/icons.h"
#include "../ui/on_screen.h"
#include "../ui/palette.h"
#include "../ui/picture_export.h"
#include "../ui/window_class.h"

HWND KeyboardWindow;

// At 96 dpi: the margins, the controls' height, the room beside a control's text (a radio
// button's circle, a button's edges) and the space between them, the size of a quarter key
// when the window opens and the smallest it may become.
const int MARGIN = 10;
const int CONTROL_HEIGHT = 24;
const int CONTROL_ROOM = 24;
const int CONTROL_GAP = 8;
const int OPENING_QUARTER = 11;
const int SMALLEST_QUARTER = 6;

struct KeyboardView {
    BoardKey keys[MAX_BOARD_KEYS];
    int keyCount;
    wchar_t labels[MAX_BOARD_KEYS][KEY_LABEL_SIZE];
    bool allTime;
    bool countingShown;    // the option as the controls and the layout show it
    UINT dpi;
    HFONT controlFont, labelFont, countFont;
    int fontQuarter;       // the quarter the two picture fonts were made for
    int quarter;
    POINT origin;          // the picture's top left corner in the client area
    HWND lastFocus;
    uint32_t paintedChanges;
    uint64_t paintedClicks[MOUSE_BUTTONS];
    KeyTips tips;
};

static KeyboardView *View(HWND window)
{
    return (KeyboardView *)GetWindowLongPtrA(window, GWLP_USERDATA);
}

// ---- Figures ----------------------------------------------------------------------------

void MouseClicksShown(bool allTime, uint64_t clicks[MOUSE_BUTTONS])
{
    Figures figures = allTime ? AllTimeFigures() : TodayFigures();
    clicks[MOUSE_BUTTON_LEFT] = figures.leftClicks;
    clicks[MOUSE_BUTTON_MIDDLE] = figures.middleClicks;
    clicks[MOUSE_BUTTON_RIGHT] = figures.rightClicks;
}

static uint64_t ShownCount(const KeyboardView *view, int identity)
{
    return view->allTime ? KeysAllTime[identity] : KeysTodayCounts(PeriodDate)[identity];
}

// Every key counted one by one, on the board or not: the whole of which a key's share is.
static uint64_t ShownTotal(const KeyboardView *view)
{
    uint64_t total = 0;
    for (int identity = 0; identity < KEY_IDENTITIES; ++identity)
        total += ShownCount(view, identity);
    return total;
}

// Everything a paint draws, with the counts and the summary in the caller's buffers.
static KeyboardPicture PictureOf(const KeyboardView *view, POINT origin,
                                 uint64_t counts[MAX_BOARD_KEYS], char *summary, int size)
{
    KeyboardPicture picture = {};
    picture.keys = view->keys;
    picture.keyCount = view->keyCount;
    picture.labels = view->labels;
    uint64_t total = ShownTotal(view);
    picture.otherKeys = total;
    for (int index = 0; index < view->keyCount; ++index) {
        counts[index] = ShownCount(view, view->keys[index].identity);
        picture.otherKeys -= counts[index];
    }
    picture.counts = view->countingShown ? counts : nullptr;
    char grouped[GROUPED_SIZE];
    GroupDigits((int64_t)total, grouped);
    snprintf(summary, size,
             LoadText(SLOT_GENERAL, view->allTime ? IDS_KEYBOARD_SUM_ALL : IDS_KEYBOARD_SUM_TODAY),
             grouped);
    picture.summary = summary;
    MouseClicksShown(view->allTime, picture.clicks);
    picture.quarter = view->quarter;
    picture.origin = origin;
    picture.labelFont = view->labelFont;
    picture.countFont = view->countFont;
    picture.colours = CurrentPictureColours();
    return picture;
}

// ---- Fonts and layout -------------------------------------------------------------------

// Label and count in sizes that grow with the keys.
static void MakePictureFonts(KeyboardView *view)
{
    if (view->fontQuarter == view->quarter && view->labelFont)
        return;
    ReplaceFont(&view->labelFont, CreateWindowFont(view->dpi, view->quarter * 11 / 10));
    ReplaceFont(&view->countFont, CreateWindowFont(view->dpi, view->quarter));
    view->fontQuarter = view->quarter;
}

static void SetControlFont(HWND window, KeyboardView *view)
{
    ReplaceFont(&view->controlFont, CreateWindowFont(view->dpi, 0));
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SETFONT, (WPARAM)view->controlFont, TRUE);
}

// A button at the row's end, as wide as its text needs; the next one goes `gap` after it.
// Its width counts the "&" of its text as room, as it always has.
static void PlaceButton(ControlRow *row, const KeyboardView *view, int id, int gap)
{
    char text[128];
    GetDlgItemTextA(row->window, id, text, sizeof text);
    int width = RowTextWidth(*row, text, DT_NOPREFIX) + Scale(CONTROL_ROOM, view->dpi);
    PlaceInRow(row, id, width, 0, gap);
}

// The controls along the top; while the option is off, the button that turns it on on a
// line of its own below them, beside its explanation. Returns where the picture may begin.
static int PlaceControls(HWND window, KeyboardView *view)
{
    int margin = Scale(MARGIN, view->dpi), gap = Scale(CONTROL_GAP, view->dpi);
    ControlRow row =
        StartControlRow(window, view->controlFont, margin, margin, Scale(CONTROL_HEIGHT, view->dpi));
    PlaceButton(&row, view, IDC_KEYBOARD_TODAY, gap);
    PlaceButton(&row, view, IDC_KEYBOARD_ALL_TIME, 2 * gap);  // the choice apart from the buttons
    PlaceButton(&row, view, IDC_KEYBOARD_COPY, gap);
    PlaceButton(&row, view, IDC_KEYBOARD_SAVE, gap);
    PlaceButton(&row, view, IDC_KEYBOARD_ERASE, gap);
    int line = margin + Scale(CONTROL_HEIGHT + CONTROL_GAP, view->dpi);
    ShowWindow(GetDlgItem(window, IDC_KEYBOARD_TURN_ON), view->countingShown ? SW_HIDE : SW_SHOW);
    if (!view->countingShown) {
        row.x = margin;
        row.y = line;
        PlaceButton(&row, view, IDC_KEYBOARD_TURN_ON, gap);
        line += Scale(CONTROL_HEIGHT + CONTROL_GAP, view->dpi);
    }
    EndControlRow(&row);
    return line;
}

// A tool over each key where the picture now shows it, once the tooltip exists.
static void PlaceTipsOverKeys(KeyboardView *view)
{
    KeyboardPicture picture = {};
    picture.keys = view->keys;
    picture.keyCount = view->keyCount;
    picture.quarter = view->quarter;
    picture.origin = view->origin;
    PlaceKeyTips(&view->tips, picture);
}

// The picture as large as the rest of the client area allows, in whole pixels a quarter.
static void LayoutKeyboardWindow(HWND window, KeyboardView *view)
{
    RECT client;
    GetClientRect(window, &client);
    int margin = Scale(MARGIN, view->dpi);
    int top = PlaceControls(window, view);
    int width = client.right - 2 * margin, height = client.bottom - top - margin;
    view->quarter = std::max(2, std::min(width / PICTURE_WIDTH, height / PICTURE_HEIGHT));
    view->origin.x = margin + std::max(0, (width - view->quarter * PICTURE_WIDTH) / 2);
    view->origin.y = top;
    MakePictureFonts(view);
    PlaceTipsOverKeys(view);
    InvalidateRect(window, nullptr, FALSE);
}

// The board of the layout the user types with, labelled in it.
static void LabelBoard(KeyboardView *view)
{
    HKL layout = GetKeyboardLayout(0);
    view->keyCount = BoardKeys(LayoutBoardForm(layout), view->keys);
    for (int index = 0; index < view->keyCount; ++index)
        KeyLabel(view->keys[index], layout, view->labels[index], KEY_LABEL_SIZE);
}

// ---- Creation ---------------------------------------------------------------------------

static HINSTANCE ProgramInstance()
{
    return GetModuleHandleA(nullptr);
}

static void RegisterKeyboardClass()
{
    WindowClassLook look = {0, (HBRUSH)(COLOR_3DFACE + 1), true};
    RegisterWindowClass(ProgramInstance(), KEYBOARD_CLASS, KeyboardWindowProc, look);
}

static void CreateControl(HWND window, int id, UINT textId, DWORD style)
{
    CreateWindowExA(0, "BUTTON", LoadText(SLOT_GENERAL, textId),
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 0, window,
                    (HMENU)(INT_PTR)id, ProgramInstance(), nullptr);
}

// In the order Tab visits them; the two choices are one group that the arrow keys move in.
static void CreateControls(HWND window)
{
    CreateControl(window, IDC_KEYBOARD_TODAY, IDS_KEYBOARD_TODAY, BS_AUTORADIOBUTTON | WS_GROUP);
    CreateControl(window, IDC_KEYBOARD_ALL_TIME, IDS_KEYBOARD_ALL_TIME, BS_AUTORADIOBUTTON);
    CreateControl(window, IDC_KEYBOARD_COPY, IDS_CHART_COPY, BS_PUSHBUTTON | WS_GROUP);
    CreateControl(window, IDC_KEYBOARD_SAVE, IDS_KEYBOARD_SAVE, BS_PUSHBUTTON | WS_GROUP);
    CreateControl(window, IDC_KEYBOARD_ERASE, IDS_KEYBOARD_ERASE, BS_PUSHBUTTON | WS_GROUP);
    CreateControl(window, IDC_KEYBOARD_TURN_ON, IDS_KEYBOARD_TURN_ON, BS_PUSHBUTTON | WS_GROUP);
    CheckRadioButton(window, IDC_KEYBOARD_TODAY, IDC_KEYBOARD_ALL_TIME, IDC_KEYBOARD_TODAY);
}

static bool OnKeyboardCreate(HWND window)
{
    KeyboardView *view = (KeyboardView *)calloc(1, sizeof(KeyboardView));
    if (!view)
        return false;
    SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)view);
    view->dpi = WindowDpi(window);
    view->countingShown = CountEachKey;
    view->paintedChanges = KeyCountsChanges;
    LabelBoard(view);
    CreateControls(window);
    SetControlFont(window, view);
    view->lastFocus = GetDlgItem(window, IDC_KEYBOARD_TODAY);
    SetTimer(window, KEYBOARD_TIMER_ID, KEYBOARD_TIMER_MS, nullptr);
    return true;
}

// The client size that shows the picture at `quarter`, with the controls above it: one
// line of them, or two while the option is off.
static SIZE ClientSizeFor(UINT dpi, int quarter)
{
    int margin = Scale(MARGIN, dpi);
    int controls = (CountEachKey ? 1 : 2) * Scale(CONTROL_HEIGHT + CONTROL_GAP, dpi);
    SIZE size = {PICTURE_WIDTH * quarter + 2 * margin,
                 margin + controls + PICTURE_HEIGHT * quarter + margin};
    return size;
}

// Centred on the primary monitor's work area.
static HWND CreateKeyboardFrame()
{
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    UINT dpi = SystemDpi();
    SIZE client = ClientSizeFor(dpi, Scale(OPENING_QUARTER, dpi));
    RECT frame = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    SIZE size = {frame.right - frame.left, frame.bottom - frame.top};
    OpeningPlace place = PlaceNewWindow(size, OPEN_CENTRED);
    return CreateWindowExA(0, KEYBOARD_CLASS, LoadText(SLOT_GENERAL, IDS_KEYBOARD_TITLE), style,
                           place.x, place.y, place.width, place.height, nullptr, nullptr,
                           ProgramInstance(), nullptr);
}

void ShowKeyboardWindow()
{
    if (KeyboardWindow) {
        if (IsIconic(KeyboardWindow))
            ShowWindow(KeyboardWindow, SW_RESTORE);
        SetForegroundWindow(KeyboardWindow);
        return;
    }
    RegisterKeyboardClass();
    KeyboardWindow = CreateKeyboardFrame();
    if (!KeyboardWindow)
        return;
    SetWindowIcons(KeyboardWindow, WindowDpi(KeyboardWindow));
    FollowAppModeAtOpen(KeyboardWindow);
    ShowWindow(KeyboardWindow, SW_SHOW);
    UpdateWindow(KeyboardWindow);
    SetForegroundWindow(KeyboardWindow);
}

bool IsKeyboardDialogMessage(MSG *message)
{
    return KeyboardWindow && IsDialogMessageA(KeyboardWindow, message);
}

// ---- Painting ---------------------------------------------------------------------------

static void DrawOffLine(HDC dc, HWND window, const KeyboardView *view, const RECT &client)
{
    RECT button;
    GetWindowRect(GetDlgItem(window, IDC_KEYBOARD_TURN_ON), &button);
    MapWindowPoints(nullptr, window, (POINT *)&button, 2);
    RECT line = {button.right + Scale(CONTROL_GAP, view->dpi), button.top,
                 client.right - Scale(MARGIN, view->dpi), button.bottom};
    HGDIOBJ old = SelectObject(dc, view->controlFont);
    SetTextColor(dc, SystemPaletteNow().faceText);
    DrawTextA(dc, LoadText(SLOT_GENERAL, IDS_KEYBOARD_OFF_LINE), -1, &line,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
}

static void DrawKeyboardWindow(HWND window, HDC dc, const RECT &client, void *shown)
{
    KeyboardView *view = (KeyboardView *)shown;
    uint64_t counts[MAX_BOARD_KEYS];
    char summary[256];
    KeyboardPicture picture = PictureOf(view, view->origin, counts, summary, sizeof summary);
    SetDCBrushColor(dc, picture.colours.background);
    FillRect(dc, &client, (HBRUSH)GetStockObject(DC_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    if (!view->countingShown)
        DrawOffLine(dc, window, view, client);
    DrawKeyboardPicture(dc, picture);
    view->paintedChanges = KeyCountsChanges;
    memcpy(view->paintedClicks, picture.clicks, sizeof picture.clicks);
}

static void OnKeyboardPaint(HWND window)
{
    PaintBuffered(window, nullptr, DrawKeyboardWindow, View(window));
}

// The picture alone, with a margin round it.
static void DrawPictureForExport(HWND, HDC dc, const RECT &area, void *shown)
{
    const KeyboardView *view = (const KeyboardView *)shown;
    int margin = Scale(MARGIN, view->dpi);
    uint64_t counts[MAX_BOARD_KEYS];
    char summary[256];
    KeyboardPicture picture = PictureOf(view, POINT{margin, margin}, counts, summary,
                                        sizeof summary);
    SetDCBrushColor(dc, picture.colours.background);
    FillRect(dc, &area, (HBRUSH)GetStockObject(DC_BRUSH));
    DrawKeyboardPicture(dc, picture);
}

// The picture as the window shows it now, in a bitmap of its own that the caller deletes;
// null when none can be made.
static HBITMAP KeyboardPictureBitmap(HWND window)
{
    KeyboardView *view = View(window);
    if (!view)
        return nullptr;
    int margin = Scale(MARGIN, view->dpi);
    RECT area = {0, 0, PICTURE_WIDTH * view->quarter + 2 * margin,
                 PICTURE_HEIGHT * view->quarter + 2 * margin};
    return DrawnBitmap(window, area, DrawPictureForExport, view);
}

// ---- Commands ---------------------------------------------------------------------------

// To the clipboard when `path` is null, else into a PNG file there.
static void ExportPicture(HWND window, const wchar_t *path)
{
    HBITMAP bitmap = KeyboardPictureBitmap(window);
    bool done = bitmap && (path ? SaveBitmapAsPng(path, bitmap) : CopyBitmapToClipboard(window, bitmap));
    if (bitmap)
        DeleteObject(bitmap);
    if (!done)
        ShowErrorMessage(IDS_PICTURE_FAILED);
}

static void SavePicture(HWND window)
{
    wchar_t path[MAX_PATH], filter[160];
    PngFileFilter(filter, sizeof filter / sizeof filter[0]);
    OPENFILENAMEW request = FileDialogRequest(path, filter, L"Keyboard.png",
                                              L"png", OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    request.hwndOwner = window;
    if (!GetSaveFileNameW(&request))
        return;
    RememberFileDir(path);
    ExportPicture(window, path);
}

// The option, the counts or the clicks have moved since the last paint: the controls
// follow the option, and the picture is drawn again.
static void RefreshKeyboardWindow(HWND window)
{
    KeyboardView *view = View(window);
    if (!view)
        return;
    if (view->countingShown != CountEachKey) {
        view->countingShown = CountEachKey;
        LayoutKeyboardWindow(window, view);
    }
    uint64_t clicks[MOUSE_BUTTONS];
    MouseClicksShown(view->allTime, clicks);
    if (view->paintedChanges != KeyCountsChanges
        || memcmp(clicks, view->paintedClicks, sizeof clicks) != 0)
        InvalidateRect(window, nullptr, FALSE);
}

static void ShowPeriod(HWND window, bool allTime)
{
    KeyboardView *view = View(window);
    if (view && view->allTime != allTime) {
        view->allTime = allTime;
        InvalidateRect(window, nullptr, FALSE);
    }
}

static void CloseKeyboardWindow(HWND window)
{
    DestroyWindow(window);
}

static void OnKeyboardCommand(HWND window, WORD command)
{
    switch (command) {
    case IDC_KEYBOARD_TODAY: ShowPeriod(window, false); break;
    case IDC_KEYBOARD_ALL_TIME: ShowPeriod(window, true); break;
    case IDC_KEYBOARD_COPY: ExportPicture(window, nullptr); break;
    case IDC_KEYBOARD_SAVE: SavePicture(window); break;
    case IDC_KEYBOARD_ERASE: AskToEraseKeyCounts(); break;
    case IDC_KEYBOARD_TURN_ON: AskToCountEachKey(); break;
    case IDCANCEL: CloseKeyboardWindow(window); return;  // Escape, through the dialog keys
    }
    RefreshKeyboardWindow(window);
}

// ---- Window messages --------------------------------------------------------------------

static void AnswerTipOfKey(HWND window, NMHDR *header)
{
    KeyboardView *view = View(window);
    int index = TippedKey(header);
    if (view && index < view->keyCount)
        AnswerKeyTip(header, view->labels[index], ShownCount(view, view->keys[index].identity),
                     ShownTotal(view), CountEachKey);
}

// The tooltip and its tools over the keys, of use only to the mouse, are made when the mouse
// first moves over the window, and see its mouse messages from then on.
static void OnKeyboardMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    KeyboardView *view = View(window);
    if (!view)
        return;
    if (!view->tips.control && message == WM_MOUSEMOVE) {
        CreateKeyTips(&view->tips, window);
        PlaceTipsOverKeys(view);
    }
    RelayToKeyTips(view->tips, window, message, wParam, lParam);
}

// The tooltips ask for a key's text; what else might notify goes on by.
static bool OnKeyboardNotify(HWND window, NMHDR *header)
{
    switch (header->code) {
    case TTN_GETDISPINFOW:
        AnswerTipOfKey(window, header);
        return true;
    }
    return false;
}

// Fonts for the new DPI, the suggested size, and the layout again: a suggested size equal
// to the old one brings no WM_SIZE.
static void OnKeyboardDpiChanged(HWND window, WPARAM dpis, const RECT *suggested)
{
    KeyboardView *view = View(window);
    if (!view)
        return;
    view->dpi = HIWORD(dpis);
    view->fontQuarter = 0;
    SetControlFont(window, view);
    SetWindowIcons(window, view->dpi);
    TakeSuggestedRect(window, suggested);
    LayoutKeyboardWindow(window, view);
}

// Another layout on this thread: other letters, perhaps another form of the board.
static void OnKeyboardLayoutChange(HWND window)
{
    KeyboardView *view = View(window);
    if (!view)
        return;
    LabelBoard(view);
    LayoutKeyboardWindow(window, view);
}

static void OnKeyboardSize(HWND window)
{
    KeyboardView *view = View(window);
    if (view)
        LayoutKeyboardWindow(window, view);
}

// Never smaller than the picture with a quarter of SMALLEST_QUARTER pixels at 96 dpi.
static void OnKeyboardMinMax(HWND window, MINMAXINFO *limits)
{
    UINT dpi = WindowDpi(window);
    SIZE client = ClientSizeFor(dpi, Scale(SMALLEST_QUARTER, dpi));
    RECT frame = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, (DWORD)GetWindowLongA(window, GWL_STYLE), FALSE, 0);
    limits->ptMinTrackSize.x = frame.right - frame.left;
    limits->ptMinTrackSize.y = frame.bottom - frame.top;
}

static void OnKeyboardActivate(HWND window, WPARAM state)
{
    KeyboardView *view = View(window);
    if (view)
        RememberDialogFocus(window, state, &view->lastFocus);
}

static void OnKeyboardFocus(HWND window)
{
    KeyboardView *view = View(window);
    HWND focus = view ? DialogFocusToRestore(view->lastFocus) : nullptr;
    if (focus)
        SetFocus(focus);
}

static void ForgetKeyboardWindow(HWND window)
{
    KillTimer(window, KEYBOARD_TIMER_ID);
    if (KeyboardWindow == window)
        KeyboardWindow = nullptr;
}

static void FreeKeyboardView(HWND window)
{
    KeyboardView *view = (KeyboardView *)SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (!view)
        return;
    ReplaceFont(&view->controlFont, nullptr);
    ReplaceFont(&view->labelFont, nullptr);
    ReplaceFont(&view->countFont, nullptr);
    free(view);
}

LRESULT CALLBACK KeyboardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:  // -1 ends the creation: without its view the window cannot work
        return OnKeyboardCreate(window) ? 0 : -1;
    case WM_SIZE:
        OnKeyboardSize(window);
        return 0;
    case WM_GETMINMAXINFO:
        OnKeyboardMinMax(window, (MINMAXINFO *)lParam);
        return 0;
    case WM_PAINT:
        OnKeyboardPaint(window);
        return 0;
    case WM_ERASEBKGND:  // the paint covers every pixel
        return 1;
    case WM_TIMER:
        RefreshKeyboardWindow(window);
        return 0;
    case WM_COMMAND:
        OnKeyboardCommand(window, LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        if (OnKeyboardNotify(window, (NMHDR *)lParam))
            return 0;
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        OnKeyboardMouse(window, message, wParam, lParam);
        break;  // the default procedure still makes a right click's WM_CONTEXTMENU
    case WM_NOTIFYFORMAT:  // the tooltips ask for their wide texts, which key names need
        return NFR_UNICODE;
    case WM_DPICHANGED:
        OnKeyboardDpiChanged(window, wParam, (const RECT *)lParam);
        return 0;
    case WM_INPUTLANGCHANGE:
        OnKeyboardLayoutChange(window);
        break;
    case WM_ACTIVATE:
        OnKeyboardActivate(window, wParam);
        break;
    case WM_SETFOCUS:
        OnKeyboardFocus(window);
        return 0;
    case WM_SYSCOLORCHANGE:
        InvalidateRect(window, nullptr, FALSE);
        break;
    case WM_SETTINGCHANGE:  // high contrast on or off, new system colours, the app mode
        InvalidateRect(window, nullptr, FALSE);
        OnScreenSettingChange(window, wParam);
        if (IsAppModeChange(lParam))
            FollowAppMode(window);
        break;
    case WM_CTLCOLORSTATIC:  // the choice of today or all time, a radio button
    case WM_CTLCOLORBTN:
        if (HBRUSH brush = DarkControlColour(message, (HDC)wParam))
            return (LRESULT)brush;
        break;
    case WM_DISPLAYCHANGE:
        KeepWindowOnScreen(window);
        break;
    case WM_DESTROY:
        ForgetKeyboardWindow(window);
        return 0;
    case WM_NCDESTROY:
        FreeKeyboardView(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
