// The tooltip is a wide one: key names may hold characters outside the ANSI code page.
#include "keyboard_tips.h"

#include <stdio.h>
#include "../res/resource.h"
#include "../text/formatting.h"
#include "../text/text.h"
#include "../ui/dark_mode.h"
#include "../ui/window_class.h"

// One tooltip shows at a time; its text is read from here when it shows.
static wchar_t TipText[160];

void CreateKeyTips(KeyTips *tips, HWND window)
{
    UseControlClasses(ICC_BAR_CLASSES);  // the tooltip class comes with the bar classes
    tips->idCount = 0;
    tips->control = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, window,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    if (tips->control)
        FollowAppModeOfControl(tips->control);
}

static TOOLINFOW ToolOf(HWND owner, UINT id, const RECT &rect)
{
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = 0;  // the window relays its mouse messages (RelayToKeyTips)
    tool.hwnd = owner;
    tool.uId = id;
    tool.rect = rect;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    return tool;
}

void PlaceKeyTips(KeyTips *tips, const KeyboardPicture &picture)
{
    if (!tips->control)
        return;
    HWND owner = GetParent(tips->control);
    RECT none = {};
    for (int i = 0; i < tips->idCount; ++i) {
        TOOLINFOW tool = ToolOf(owner, tips->ids[i], none);
        SendMessageW(tips->control, TTM_DELTOOLW, 0, (LPARAM)&tool);
    }
    tips->idCount = 0;
    for (int index = 0; index < picture.keyCount; ++index) {
        RECT rects[2];
        int parts = KeyRects(picture, picture.keys[index], rects);
        // The lower part of a notched key is told apart by an id above every key's own.
        for (int part = 0; part < parts; ++part) {
            UINT id = (UINT)(index + part * MAX_BOARD_KEYS);
            TOOLINFOW tool = ToolOf(owner, id, rects[part]);
            if (SendMessageW(tips->control, TTM_ADDTOOLW, 0, (LPARAM)&tool))
                tips->ids[tips->idCount++] = id;
        }
    }
}

void RelayToKeyTips(const KeyTips &tips, HWND window, UINT message, WPARAM wParam,
                    LPARAM lParam)
{
    if (!tips.control)
        return;
    DWORD at = GetMessagePos();
    MSG relayed = {window, message, wParam, lParam, (DWORD)GetMessageTime(),
                   POINT{(short)LOWORD(at), (short)HIWORD(at)}};
    SendMessageW(tips.control, TTM_RELAYEVENT, 0, (LPARAM)&relayed);
}

int TippedKey(const NMHDR *header)
{
    return (int)(header->idFrom % MAX_BOARD_KEYS);
}

void AnswerKeyTip(NMHDR *header, const wchar_t *name, uint64_t count, uint64_t total,
                  bool withFigures)
{
    NMTTDISPINFOW *request = (NMTTDISPINFOW *)header;
    request->hinst = nullptr;
    request->lpszText = TipText;
    if (!withFigures) {
        lstrcpynW(TipText, name, sizeof TipText / sizeof(wchar_t));
        return;
    }
    char grouped[GROUPED_SIZE], share[32], figures[256];
    GroupDigits((int64_t)count, grouped);
    snprintf(share, sizeof share, "%.1f%%", total ? 100.0 * (double)count / (double)total : 0.0);
    snprintf(figures, sizeof figures, LoadText(SLOT_GENERAL, IDS_KEYBOARD_TIP), grouped, share);
    int length = snwprintf(TipText, sizeof TipText / sizeof(wchar_t), L"%ls: ", name);
    if (length < 0 || length >= (int)(sizeof TipText / sizeof(wchar_t)))
        return;
    MultiByteToWideChar(CP_ACP, 0, figures, -1, TipText + length,
                        (int)(sizeof TipText / sizeof(wchar_t)) - length);
}
