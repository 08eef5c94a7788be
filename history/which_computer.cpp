// The dialog is a Unicode one, so that a computer's name keeps every character the user
// types or another computer's file carried, whatever the ANSI code page; its template is
// taken in the program's language (text/language.h).
#include "which_computer.h"

#include <wchar.h>

#include "../core/file_system.h"
#include "../core/sources.h"
#include "../res/resource.h"
#include "../text/language.h"
#include "../text/text.h"
#include "../ui/dark_mode.h"
#include "../ui/owner_window.h"

// What the dialog is given and gives back, through its lParam.
struct WhichComputer {
    const wchar_t *path;
    HistorySource *source;
};

// The file's name without its folder and extension, cut to a name's 63 units (never
// between the two units of one character); the whole name when nothing would be left.
static void DefaultName(const wchar_t *path, wchar_t *name)
{
    const wchar_t *start = path;
    for (const wchar_t *c = path; *c; ++c)
        if (*c == L'\\' || *c == L'/' || *c == L':')
            start = c + 1;
    const wchar_t *dot = wcsrchr(start, L'.');
    size_t length = dot && dot > start ? (size_t)(dot - start) : wcslen(start);
    if (length > (size_t)COMPUTER_NAME_MAX)
        length = IS_HIGH_SURROGATE(start[COMPUTER_NAME_MAX - 1]) ? COMPUTER_NAME_MAX - 1
                                                                 : COMPUTER_NAME_MAX;
    wmemcpy(name, start, length);
    name[length] = L'\0';
}

// The last entry of the combo box is the new computer, the others the kept ones in order.
static bool NewComputerChosen(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, IDC_WHICH_COMPUTER);
    LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return chosen == SendMessageW(combo, CB_GETCOUNT, 0, 0) - 1;
}

static void EnableNameForNewComputer(HWND dialog)
{
    bool isNew = NewComputerChosen(dialog);
    EnableWindow(GetDlgItem(dialog, IDC_WHICH_NAME), isNew);
    EnableWindow(GetDlgItem(dialog, IDC_WHICH_NAME_LABEL), isNew);
}

static void OnWhichInit(HWND dialog, const WhichComputer *which)
{
    SetWindowLongPtrW(dialog, DWLP_USER, (LONG_PTR)which);
    HWND combo = GetDlgItem(dialog, IDC_WHICH_COMPUTER);
    for (int i = 0; i < KeptSourceCount(); ++i)
        SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)KeptSourceAt(i)->name);
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)LoadText(SLOT_GENERAL, IDS_NEW_COMPUTER));
    SendMessageW(combo, CB_SETCURSEL, KeptSourceCount(), 0);
    wchar_t name[COMPUTER_NAME_MAX + 1];
    DefaultName(which->path, name);
    SendDlgItemMessageW(dialog, IDC_WHICH_NAME, EM_LIMITTEXT, COMPUTER_NAME_MAX, 0);
    SetDlgItemTextW(dialog, IDC_WHICH_NAME, name);
    EnableNameForNewComputer(dialog);
}

// The file's last-write time stands for when it was written: a new computer's later copy,
// should one come, then replaces it.
static uint64_t FileWrittenAt(const wchar_t *path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return 0;
    return FileTimeValue(data.ftLastWriteTime);
}

// A known computer keeps its kept copy's time, so that its next real copy replaces this one.
static bool MakeChosenSource(HWND dialog, const WhichComputer *which)
{
    HistorySource *source = which->source;
    *source = HistorySource{};
    int chosen = (int)SendDlgItemMessageW(dialog, IDC_WHICH_COMPUTER, CB_GETCURSEL, 0, 0);
    const KeptSource *kept = NewComputerChosen(dialog) ? nullptr : KeptSourceAt(chosen);
    if (kept) {
        source->computerId = kept->id;
        wcscpy(source->name, kept->name);
        source->writtenAt = kept->writtenAt;
    } else {
        GetDlgItemTextW(dialog, IDC_WHICH_NAME, source->name, COMPUTER_NAME_MAX + 1);
        source->computerId = NewSourceId();
        source->writtenAt = FileWrittenAt(which->path);
    }
    source->nameLength = (int)wcslen(source->name);
    source->present = source->nameLength > 0 && source->computerId != 0;
    return source->present;
}

static void OnWhichCommand(HWND dialog, WPARAM wParam)
{
    const WhichComputer *which = (const WhichComputer *)GetWindowLongPtrW(dialog, DWLP_USER);
    if (LOWORD(wParam) == IDC_WHICH_COMPUTER && HIWORD(wParam) == CBN_SELCHANGE)
        EnableNameForNewComputer(dialog);
    else if (wParam == IDOK && MakeChosenSource(dialog, which))
        EndDialog(dialog, 1);
    else if (wParam == IDOK)  // a new computer needs a name
        SetFocus(GetDlgItem(dialog, IDC_WHICH_NAME));
    else if (wParam == IDCANCEL)
        EndDialog(dialog, 0);
}

static INT_PTR CALLBACK WhichComputerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnWhichInit(dialog, (const WhichComputer *)lParam);
        FollowAppMode(dialog);
        return 1;  // the focus goes to the first control that takes it
    case WM_SETTINGCHANGE:
        if (IsAppModeChange(lParam))
            FollowAppMode(dialog);
        return 0;
    case WM_CTLCOLORDLG:  // a brush, or 0 for the dialog manager's own in light
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return (INT_PTR)DarkControlColour(message, (HDC)wParam);
    case WM_COMMAND:
        OnWhichCommand(dialog, wParam);
        return 1;
    default:
        return 0;
    }
}

bool AskWhichComputer(const wchar_t *path, HistorySource *source)
{
    const void *dialog = ProgramResource(MeterInstance, RT_DIALOG,
                                         MAKEINTRESOURCEA(IDD_WHICH_COMPUTER), nullptr);
    WhichComputer which = {path, source};
    return dialog && DialogBoxIndirectParamW(MeterInstance, (LPCDLGTEMPLATEW)dialog, MeterWindow,
                                             WhichComputerProc, (LPARAM)&which) == 1;
}
