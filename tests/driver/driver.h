// Acts on the running Tallywick from outside, as a user's machine would: starts and ends
// the real executable, posts commands and hook messages to its window, injects input,
// reads and seeds its registry key, answers its dialogs and reads its history list view.
// Used by the end-to-end tests, the screenshots script, the benchmark and `make stop`.
#ifndef TALLYWICK_DRIVER_H
#define TALLYWICK_DRIVER_H

#include <windows.h>
#include <stdint.h>
#include <string>
#include <vector>

namespace driver {

// ---- Processes --------------------------------------------------------------------------

struct Process {
    HANDLE handle = nullptr;
    DWORD id = 0;
};

// The folder of the running executable, with its trailing backslash.
std::string ExeDir();
// build/bin/tallywick.exe: the program next to the driver's own executable.
std::string ProgramPath();
// Starts `exe` with the argument text `args` (may be empty); the command line quotes the
// executable. A null handle when it could not be started.
Process StartProgram(const std::string &exe, const std::string &args = "",
                     const std::string &workDir = "");
// The same with wide texts, for a path outside the ANSI code page.
Process StartProgram(const std::wstring &exe, const std::wstring &args = L"",
                     const std::wstring &workDir = L"");
// Waits for the process to end; false on timeout. `exitCode` may be null.
bool WaitExit(const Process &process, DWORD timeoutMs, DWORD *exitCode);
void CloseProcess(Process *process);
// Ends every running instance: IDM_EXIT first, termination when that does not work.
void StopAllInstances();
// Suspends the thread that owns `window` (the program's own thread, for the meter) and
// returns it for ResumeSuspendedThread; null when it could not be suspended.
HANDLE SuspendWindowThread(HWND window);
// Resumes and closes a thread from SuspendWindowThread.
void ResumeSuspendedThread(HANDLE thread);

// ---- Windows and messages ---------------------------------------------------------------

// The meter window, polled until it appears; null on timeout.
HWND FindMeter(DWORD timeoutMs);
// The meter window of one process (there may be a meter of another process).
HWND FindMeterOf(DWORD processId, DWORD timeoutMs);
// Every top-level window of a class (of any process).
std::vector<HWND> FindTopWindows(const char *className, DWORD processId = 0);
// A top-level window of a class owned by a process, polled; null on timeout.
HWND WaitTopWindow(const char *className, DWORD processId, DWORD timeoutMs);
bool WaitWindowGone(HWND window, DWORD timeoutMs);
bool WaitVisible(HWND window, bool visible, DWORD timeoutMs);
// A hidden popup window of this process, of class `className` registered with `proc` (a
// class of that name that exists already is used as it is).
HWND CreatePlainWindow(const char *className, WNDPROC proc, DWORD exStyle = 0);
bool PostCommand(HWND window, WORD command);
LRESULT SendCommand(HWND window, WORD command);
// Posts `message` n times; lParam the same each time.
void PostRepeated(HWND window, UINT message, int n, LPARAM lParam = 0);
LPARAM FloatBits(float value);
RECT WindowRect(HWND window);
std::string WindowText(HWND window);
std::string ClassName(HWND window);
DWORD WindowProcessId(HWND window);
// Polls until the window rectangle stops changing for `quietMs`.
RECT WaitRectSettled(HWND window, DWORD quietMs, DWORD timeoutMs);

// ---- Injected input ---------------------------------------------------------------------

void PressKey(WORD vk, int times = 1);
// A key as a keyboard sends it: its scan code, extended or not (a zero scan code leaves the
// layout's to stand in). The number of events injected, 2 when both went through.
UINT PressScanKey(WORD vk, WORD scan, DWORD flags);
// One key event exactly as Windows delivers it to the low-level hook: the virtual key, the
// scan code (with 0x200 for the keys Windows makes up) and the extended flag.
struct KeyEvent {
    WORD vk;
    WORD scan;
    bool extended;
    bool up;
};
// The events in one SendInput call, in their order; the number injected.
UINT SendKeyEvents(const std::vector<KeyEvent> &events);
enum MouseButton { MOUSE_LEFT, MOUSE_MIDDLE, MOUSE_RIGHT };
void ClickMouse(MouseButton button, int times = 1);
void ClickAt(int x, int y, MouseButton button = MOUSE_LEFT);
// Brings a top-level window to the front as a user does, by a click on the middle of its
// caption: Windows lets only the foreground process hand the foreground on, and the driver
// need not be it. False when the window is not in front within `timeoutMs`.
bool ClickCaption(HWND window, DWORD timeoutMs);
// Moves the pointer by injected relative movement, in `steps` equal steps.
void MoveMouseBy(int dx, int dy, int steps = 1);
void MoveMouseTo(int x, int y);

// ---- Registry ---------------------------------------------------------------------------

extern const char *const SETTINGS_KEY_PATH;   // Software\Ferrowood\Tallywick under HKCU
extern const char *const RUN_KEY_PATH;        // the current user's Run key
extern const char *const TEST_KEY_PATH;       // Software\Ferrowood\TallywickTest

struct RegValue {
    bool present = false;
    DWORD type = 0;
    std::vector<uint8_t> data;
};

bool DeleteKeyTree(const char *path);
RegValue ReadValue(const char *path, const char *name);
bool ReadQword(const char *path, const char *name, uint64_t *value);
bool ReadDword(const char *path, const char *name, DWORD *value);
bool WriteValue(const char *path, const char *name, DWORD type, const void *data, DWORD size);
bool WriteQword(const char *path, const char *name, uint64_t value);
bool WriteDword(const char *path, const char *name, DWORD value);
bool DeleteValue(const char *path, const char *name);
// A monitor's EDID base block: the picture size in its first detailed timing descriptor
// (mm) and in its basic parameters (cm), and the checksum that makes its bytes add up to 0.
std::vector<uint8_t> MakeEdid(int widthMm, int heightMm, int widthCm, int heightCm);
// Every value of a key, by name, for before/after comparisons.
std::vector<std::pair<std::string, RegValue>> ReadAllValues(const char *path);

// One day of the history as the program stores it: 24 bytes, little-endian.
#pragma pack(push, 1)
struct DayRecord {
    uint32_t date;
    uint32_t keys;
    float distance;        // millimetres
    uint16_t rightClicks;
    uint16_t middleClicks;
    uint16_t leftClicks;
    uint16_t reserved;
    uint32_t seconds;
};
#pragma pack(pop)
static_assert(sizeof(DayRecord) == 24, "a day record is 24 bytes");

uint32_t MakeDate(int year, int month, int day);
uint32_t TodayDate();
// The date `daysBack` days before today.
uint32_t DateDaysAgo(int daysBack);
// Writes "History Items" and "History" (and nothing else) into the settings key.
bool SeedHistory(const std::vector<DayRecord> &records);
// Plausible records for `days` consecutive days ending yesterday, oldest first.
std::vector<DayRecord> PlausibleHistory(int days, uint32_t seed = 1);
std::vector<DayRecord> ReadHistory();
// Seeds totals as the sums of the records (as if they had been counted).
bool SeedTotalsFrom(const std::vector<DayRecord> &records);
// Writes "Hourly Activity": a working week's pattern, busiest on weekdays from 9 to 18.
bool SeedHourlyActivity();
// Turns "Count Each Key" on and seeds "Keys All Time" and today's "Keys Today" with the
// counts of an English typist: `allTime` presses in all, a hundredth of them today.
bool SeedKeyCounts(uint64_t allTime);

// ---- Dialogs and message boxes ----------------------------------------------------------

// Visible "#32770" windows of a process (any when processId is 0).
std::vector<HWND> FindDialogs(DWORD processId);
HWND WaitDialog(DWORD processId, DWORD timeoutMs);
// The texts of a dialog's static controls, joined by "\n" (message box: its text).
std::string DialogStaticText(HWND dialog);
// Class and id of every child, one a line, for finding one's way in unknown dialogs.
std::string DescribeChildren(HWND dialog);
bool HasButton(HWND dialog, int id);
// Presses a button by id (BM_CLICK when the button exists, WM_COMMAND otherwise).
bool PressButton(HWND dialog, int id);
// A common file dialog, of either kind (the old one, or the Vista-style one that Windows
// shows for the same call): puts `path` (a name alone is taken in the folder it shows) into
// its file-name field and gives it the OK command.
bool FillFileDialog(HWND dialog, const std::string &path);
// The file-name field, polled until the dialog has given it the focus; null on timeout.
HWND FileNameField(HWND dialog, DWORD timeoutMs);
// A dialog with a text field: of the program's dialogs, only the file dialogs have one.
bool IsFileDialog(HWND dialog);

// ---- The history list view of another process -------------------------------------------

HWND HistoryListViewOf(HWND historyWindow);
int ListViewRowCount(HWND listView);
int ListViewColumnCount(HWND listView);
// Reads one cell through memory lent in the program's process.
std::string ListViewCell(HWND listView, int row, int column);
std::vector<std::vector<std::string>> ListViewRows(HWND listView);
int ListViewSelectedRow(HWND listView);
// Clicks a column header by injected input (the window is brought to the front first).
bool ClickColumnHeader(HWND listView, int column);

// ---- Text -------------------------------------------------------------------------------

// Converts UTF-8 text to the bytes of code page `codePage` (936 for simplified Chinese).
std::string Utf8ToCodePage(const char *utf8, UINT codePage = 936);
std::string ToHex(const std::string &bytes);
bool ReadFileBytes(const std::string &path, std::string *bytes);
bool ReadFileBytes(const std::wstring &path, std::string *bytes);
std::wstring Widen(const std::string &text);  // from the ANSI code page
bool WriteFileBytes(const std::string &path, const std::string &bytes);
std::string TempDir();  // a fresh folder of this process, with a trailing backslash

}  // namespace driver

#endif
