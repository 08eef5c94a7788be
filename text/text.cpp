// The string table and the eight text slots it is loaded into.
#include "text.h"
#include <string.h>
#include "meter/meter_window.h"
#include "res/resource.h"

char TextSlots[TEXT_SLOT_COUNT][TEXT_SLOT_SIZE];

char *LoadText(int slot, UINT id)
{
    char *text = TextSlots[slot];
    // One less than the slot: the loader then keeps at most 510 characters and the zero.
    if (LoadStringA(GetModuleHandleA(NULL), id, text, TEXT_SLOT_SIZE - 1) == 0)
        strcpy(text, "-");
    return text;
}

// Caption and text live in different slots, so both are alive while the box is shown.
static int ShowMessageText(const char *text, UINT style)
{
    const char *caption = LoadText(SLOT_TITLE, IDS_APP_TITLE);
    return MessageBoxA(MeterWindow, text, caption, style);
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

bool AskYesNo(UINT textId)
{
    return ShowMessage(textId, MB_YESNO | MB_ICONWARNING) == IDYES;
}
