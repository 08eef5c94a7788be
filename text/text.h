// The string table and the eight text slots it is loaded into.
#ifndef TALLYWICK_TEXT_H
#define TALLYWICK_TEXT_H

#include <windows.h>

enum TextSlot {
    SLOT_GENERAL = 0,   // menu texts, meter formats, headers, titles, message texts
    SLOT_TITLE = 2,     // the caption of a message box
    SLOT_KEYS_FMT = 5,
    SLOT_CELL_FMT = 6,
    SLOT_TIME_FMT = 7,
};
const int TEXT_SLOT_COUNT = 8;
const int TEXT_SLOT_SIZE = 512;

extern char TextSlots[TEXT_SLOT_COUNT][TEXT_SLOT_SIZE];

// Loads string `id` of the program's module, in the program's language (language.h) and
// the ANSI code page, into the slot ("-" when it cannot be loaded).
char *LoadText(int slot, UINT id);

// The window that owns every message box below: the meter, once it exists; none before.
void SetMessageOwner(HWND owner);
// A file operation's failure: error icon, OK, caption IDS_APP_TITLE.
void ShowErrorMessage(UINT textId);
// The same box with the system's own text for a Win32 error code, in the user's language
// (the code in digits when the system has no text for it).
void ShowSystemErrorMessage(DWORD error);
// A question with Yes and No and a warning icon; true for Yes.
bool AskYesNo(UINT textId);
// The same question with No preselected, for an answer that cannot be taken back or a step
// usually taken by mistake; by id, or with its text already made.
bool AskYesNoDefaultNo(UINT textId);
bool AskYesNoDefaultNo(const char *text);
// The questions with their text already made; the second one owned by `owner`, which it
// disables while it is open, rather than by the meter.
bool AskYesNo(const char *text);
bool AskYesNoDefaultNoOver(HWND owner, const char *text);
// A question with Yes, No and Cancel, Yes preselected: IDYES, IDNO or IDCANCEL.
int AskYesNoCancel(const char *text);
// A wide text (a computer's name) in the ANSI code page, into `narrow` of `size` bytes: a
// character the code page lacks becomes '?', and a text too long is cut after a whole
// character.
void NarrowText(const wchar_t *wide, char *narrow, int size);

#endif
