// The one meter window of the unit-test process and the helpers that drive it.
#ifndef TALLYWICK_METER_TEST_SUPPORT_H
#define TALLYWICK_METER_TEST_SUPPORT_H

#include <windows.h>
#include <string>
#include <vector>

// What CreateMeterWindow left behind when the test process made its meter window.
struct MeterCreation {
    HWND window;
    bool result;
    int hookInitCalls;
    HWND hookWindow;
    bool visible;
    RECT rect;
};

// Registers the class and creates the meter window on first use; later calls reuse it
// and make it MeterWindow again (a start-up test may have created one of its own).
const MeterCreation &TestMeterWindow();
// Counters, clock and period back to a plain state; the meter hidden at its default place.
void ResetMeterState();
// Dispatches every message waiting in this thread's queue.
void PumpMessages();
// True (and the message removed) when `message` waits in the queue for `window`.
bool TakePostedMessage(HWND window, UINT message);
// The tooltip of this thread that `owner` owns, or null.
HWND OwnedTooltip(HWND owner);
// A UTF-8 text in the ANSI code page, as the string table reaches the program.
std::string Ansi(const char *utf8);

// While a modal loop runs, every 100 ms: each visible dialog of this thread gets
// WM_COMMAND with `command` (its caption is recorded first), and an open popup menu is
// closed (its item count is recorded first).
void StartModalCloser(WPARAM command);
void StopModalCloser();
extern std::vector<std::string> CloserDialogCaptions;
extern std::vector<int> CloserMenuItemCounts;

#endif
