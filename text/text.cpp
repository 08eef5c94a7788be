// The string table, in the program's language, and the eight text slots it is loaded into.
#include "text.h"
#include <string.h>
#include "language.h"
#include "res/resource.h"

char TextSlots[TEXT_SLOT_COUNT][TEXT_SLOT_SIZE];

// The string table is kept in blocks of sixteen counted UTF-16 strings, block n + 1
// holding ids 16n to 16n + 15. False for an id that has no text in the program's language.
static bool FindTableText(UINT id, const WCHAR **text, int *length)
{
    DWORD size = 0;
    const WCHAR *entry = (const WCHAR *)ProgramResource(
        GetModuleHandleA(NULL), RT_STRING, MAKEINTRESOURCEA(LOWORD(id) / 16 + 1), &size);
    if (!entry)
        return false;
    const WCHAR *end = entry + size / sizeof(WCHAR);
    for (UINT skip = id % 16; skip > 0 && entry < end; --skip)
        entry += *entry + 1;
    if (entry >= end || *entry == 0 || entry + 1 + *entry > end)
        return false;
    *text = entry + 1;
    *length = *entry;
    return true;
}

// At most 510 bytes and the zero, as LoadStringA kept when given one less than the slot;
// a longer text is cut after a whole character.
static bool CopyToSlot(const WCHAR *text, int length, char *slot)
{
    const int room = TEXT_SLOT_SIZE - 2;
    int taken = length < room ? length : room;  // no character converts to less than a byte
    int bytes = 0;
    while (taken > 0 && (bytes = WideCharToMultiByte(CP_ACP, 0, text, taken, slot, room,
                                                     NULL, NULL)) == 0)
        taken--;
    slot[bytes] = 0;
    return bytes > 0;
}

char *LoadText(int slot, UINT id)
{
    char *text = TextSlots[slot];
    const WCHAR *found = NULL;
    int length = 0;
    if (!FindTableText(id, &found, &length) || !CopyToSlot(found, length, text))
        strcpy(text, "-");
    return text;
}

static HWND MessageOwner;

void SetMessageOwner(HWND owner)
{
    MessageOwner = owner;
}

// Caption and text live in different slots, so both are alive while the box is shown.
static int ShowOwnedMessageText(HWND owner, const char *text, UINT style)
{
    const char *caption = LoadText(SLOT_TITLE, IDS_APP_TITLE);
    return MessageBoxA(owner, text, caption, style);
}

static int ShowMessageText(const char *text, UINT style)
{
    return ShowOwnedMessageText(MessageOwner, text, style);
}

static int ShowMessage(UINT textId, UINT style)
{
    return ShowMessageText(LoadText(SLOT_GENERAL, textId), style);
}

void ShowErrorMessage(UINT textId)
{
    ShowMessage(textId, MB_ICONERROR | MB_OK);
}

void ShowSystemErrorMessage(DWORD error)
{
    char *text = TextSlots[SLOT_GENERAL];
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error,
                       0, text, TEXT_SLOT_SIZE, NULL) == 0)
        wsprintfA(text, "%lu", error);
    ShowMessageText(text, MB_ICONERROR | MB_OK);
}

static bool AskQuestion(UINT textId, UINT defaultButton)
{
    return ShowMessage(textId, MB_YESNO | MB_ICONWARNING | defaultButton) == IDYES;
}

bool AskYesNo(UINT textId)
{
    return AskQuestion(textId, MB_DEFBUTTON1);
}

bool AskYesNoDefaultNo(UINT textId)
{
    return AskQuestion(textId, MB_DEFBUTTON2);
}

bool AskYesNoDefaultNo(const char *text)
{
    return ShowMessageText(text, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

bool AskYesNo(const char *text)
{
    return ShowMessageText(text, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON1) == IDYES;
}

bool AskYesNoDefaultNoOver(HWND owner, const char *text)
{
    return ShowOwnedMessageText(owner, text, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

int AskYesNoCancel(const char *text)
{
    return ShowMessageText(text, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON1);
}

// Cut a unit at a time until what is left fits: a computer's name is at most 63 units.
void NarrowText(const wchar_t *wide, char *narrow, int size)
{
    int length = lstrlenW(wide);
    int bytes = 0;
    while (length > 0 && (bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, narrow, size - 1,
                                                      NULL, NULL)) == 0)
        length--;
    narrow[bytes] = 0;
}
