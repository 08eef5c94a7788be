// How much Tallywick costs, each figure beside a floor measured in the same run: a hook
// message beside SendMessage to a window that only calls DefWindowProc, HOOK.dll's work for
// a key press with "Count Each Key" off and on beside the bare message it posts, one meter
// redraw beside a minimal program's paint of the same four lines, the resident program's
// CPU time per minute beside a program that only runs a 50 ms timer; and the time from a
// key press to the meter's paint of it, the import merge, the history window, the chart
// window, a history file of a million records and the daily backup against fixed limits.
// Prints the figures and a table of the goals, met or missed; nothing here passes or fails
// a build.
//
// bench_tallywick [SECONDS [PARTS]]
//   SECONDS: how long each CPU measurement runs (default 20)
//   PARTS: which parts run, any of the letters h (hook message and the hook's key
//   press), p (paint), k (key press to screen), w (history window), f (history file, merge
//   and checkpoint), m (a million days), c (chart window), b (daily backup and its disk),
//   y (keyboard window and per-key counting), s (sync folder), r (resident CPU); default
//   all
//
// bench_tallywick cold c|y FILE [busy]
//   The chart (c) or keyboard (y) window's first open in this fresh process, over the data
//   of the part of that letter, after a moment of waiting (or, with "busy", straight after
//   the data was made): its milliseconds and the microseconds of one Wine server round
//   trip written to FILE. Parts c and y start it a few times for the cold figures beside
//   their own.
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include <string>
#include <vector>
#include "app/meter_procedure.h"
#include "app/program.h"
#include "charts/chart_window.h"
#include "core/backup.h"
#include "core/backup_rotation.h"
#include "core/dates.h"
#include "core/figures.h"
#include "core/history_file.h"
#include "core/history_list.h"
#include "core/registry_store.h"
#include "core/saving.h"
#include "core/sources.h"
#include "core/sync_folder.h"
#include "core/sync_io.h"
#include "core/sync_worker.h"
#include "fakes/fake_backup_folder.h"
#include "driver/driver.h"
#include "hooklib/hook_thread.h"
#include "hooklib/input_hooks.h"
#include "history/history_window.h"
#include "keyboard/keyboard_window.h"
#include "meter/meter_paint.h"
#include "meter/meter_window.h"
#include "res/resource.h"

namespace {

double NowSeconds()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart / (double)frequency.QuadPart;
}

void Row(const char *what, double value, const char *unit)
{
    printf("  %-62s %14.3f %s\n", what, value, unit);
    fflush(stdout);
}

// One goal: a figure against a floor of the same run (a ratio), or against a fixed limit
// (floor 0: the limit is in the figure's own unit).
struct Goal {
    std::string what;
    double value;
    double floor;
    double limit;
    std::string unit;
};

std::vector<Goal> Goals;

void AddGoal(const std::string &what, double value, double floor, double limit, const char *unit)
{
    Goals.push_back(Goal{what, value, floor, limit, unit});
}

void PrintGoals()
{
    printf("\nGoals\n  %-44s %14s %14s %8s %8s  %s\n", "figure", "value", "floor", "ratio",
           "limit", "");
    for (const Goal &goal : Goals) {
        bool ratio = goal.floor > 0;
        double measure = ratio ? goal.value / goal.floor : goal.value;
        bool met = goal.value >= 0 && measure <= goal.limit;
        char floor[32] = "-", share[32] = "-";
        if (ratio) {
            snprintf(floor, sizeof floor, "%.3f %s", goal.floor, goal.unit.c_str());
            snprintf(share, sizeof share, "%.2fx", measure);
        }
        printf("  %-44s %10.3f %-3s %14s %8s %7.*f%s  %s\n", goal.what.c_str(), goal.value,
               goal.unit.c_str(), floor, share, ratio ? 1 : 0, goal.limit,
               ratio ? "x" : goal.unit.c_str(), met ? "met" : "MISSED");
    }
    fflush(stdout);
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

LRESULT CALLBACK EmptyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// The floor of a hook message: the same message sent to a window that does nothing.
HWND CreateEmptyWindow()
{
    return driver::CreatePlainWindow("TallywickBenchEmpty", EmptyWindowProc);
}

double SendSeconds(HWND window, UINT message, int n)
{
    double start = NowSeconds();
    for (int i = 0; i < n; ++i)
        SendMessageA(window, message, 0, 0);
    return (NowSeconds() - start) / n;
}

void BenchHookMessages()
{
    const int N = 100000;
    HWND empty = CreateEmptyWindow();
    // Taken in turns, the best of five each, so that a busy moment hits both alike.
    double meter = 1e9, floor = 1e9;
    for (int round = 0; round < 5; ++round) {
        meter = std::min(meter, SendSeconds(MeterWindow, MSG_KEY_PRESS, N));
        floor = std::min(floor, SendSeconds(empty, MSG_KEY_PRESS, N));
    }
    double start = NowSeconds();
    for (int i = 0; i < N; ++i)
        MeterWindowProc(MeterWindow, MSG_CLICK_LEFT, 0, 0);
    double direct = (NowSeconds() - start) / N;
    Row("hook message, SendMessage to the meter window", meter * 1e9, "ns");
    Row("floor: SendMessage to a window that only calls DefWindowProc", floor * 1e9, "ns");
    Row("hook message, direct call of MeterWindowProc", direct * 1e9, "ns");
    AddGoal("4 one hook message", meter * 1e9, floor * 1e9, 1.2, "ns");
    DestroyWindow(empty);
}

// The floor program paints the meter's own four lines in a window of the meter's client
// size and answers with the nanoseconds of one redraw.
double FloorPaintSeconds()
{
    RECT client;
    GetClientRect(MeterWindow, &client);
    std::string args = std::to_string(client.right) + " " + std::to_string(client.bottom);
    for (int line = 0; line < METER_LINE_COUNT; ++line)
        args += std::string(" \"") + BuildMeterLine(line) + "\"";
    driver::Process floor = driver::StartProgram(driver::ExeDir() + "bench_floor_paint.exe", args);
    DWORD nanoseconds = 0;
    if (!floor.handle || !driver::WaitExit(floor, 60000, &nanoseconds))
        nanoseconds = 0;
    driver::CloseProcess(&floor);
    return nanoseconds ? nanoseconds * 1e-9 : -1;
}

double RedrawSeconds(int n)
{
    double start = NowSeconds();
    for (int i = 0; i < n; ++i)
        RedrawWindow(MeterWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return (NowSeconds() - start) / n;
}

void BenchPaint()
{
    ShowWindow(MeterWindow, SW_SHOWNOACTIVATE);
    for (int i = 0; i < 10; ++i) {  // the first paints grow the window
        RedrawWindow(MeterWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpMessages();
    }
    // In turns, the best of three each, so that a busy moment of the machine hits both.
    double meter = 1e9, floor = 1e9;
    for (int round = 0; round < 3; ++round) {
        meter = std::min(meter, RedrawSeconds(500));
        double floorRound = FloorPaintSeconds();
        if (floorRound > 0)
            floor = std::min(floor, floorRound);
    }
    Row("meter redraw (RDW_UPDATENOW: WM_PAINT)", meter * 1e6, "us");
    Row("floor: the four lines drawn into a memory bitmap and copied", floor * 1e6, "us");
    AddGoal("3 one meter redraw", meter * 1e6, floor < 1e9 ? floor * 1e6 : -1, 2.0, "us");
    ShowWindow(MeterWindow, SW_HIDE);
    PumpMessages();
}

enum HookPress { BARE_POST, EACH_KEY_OFF, EACH_KEY_ON, HOOK_PRESS_KINDS };

// One key press, key-down and key-up, as HOOK.dll's keyboard hook handles it (with the
// post of MSG_KEY_PRESS), or the bare post alone; seconds per press. The posts are taken
// from the queue after the timing.
double HookPressSeconds(HWND target, HookPress kind)
{
    const int N = 200;
    KBDLLHOOKSTRUCT down = {'A', 0x1E, 0, 0, 0}, up = {'A', 0x1E, LLKHF_UP, 0, 0};
    SetEachKeyCounted(kind == EACH_KEY_ON);
    double start = NowSeconds();
    for (int i = 0; i < N; ++i) {
        if (kind == BARE_POST) {
            PostMessageA(target, MSG_KEY_PRESS, 0x1E, 0);
            continue;
        }
        OnKeyEvent(WM_KEYDOWN, &down);
        OnKeyEvent(WM_KEYUP, &up);
    }
    double seconds = (NowSeconds() - start) / N;
    PumpMessages();
    return seconds;
}

// The hook's key press with "Count Each Key" off, and on while an ordinary edit control of
// this thread has the focus (the password-box check asks the focus, its style, and no
// more), beside the bare message.
void BenchHookKeyPress()
{
    HWND target = CreateEmptyWindow();
    HWND box = CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 30, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(box);
    SetFocus(box);
    SetHookTarget(target);
    double best[HOOK_PRESS_KINDS] = {1e9, 1e9, 1e9};
    for (int round = 0; round < 200; ++round)  // in turns, so that a busy moment hits all
        for (int kind = 0; kind < HOOK_PRESS_KINDS; ++kind)
            best[kind] = std::min(best[kind], HookPressSeconds(target, (HookPress)kind));
    SetEachKeyCounted(false);
    SetHookTarget(nullptr);
    Row("hook's key press, Count Each Key off", best[EACH_KEY_OFF] * 1e9, "ns");
    Row("hook's key press, Count Each Key on (an edit control has the focus)",
        best[EACH_KEY_ON] * 1e9, "ns");
    Row("floor: the bare MSG_KEY_PRESS posted", best[BARE_POST] * 1e9, "ns");
    AddGoal("4 hook's key press, Count Each Key off", best[EACH_KEY_OFF] * 1e9,
            best[BARE_POST] * 1e9, 1.2, "ns");
    DestroyWindow(box);
    DestroyWindow(target);
}

// The meter's paints, watched from outside its procedure: when one ended that drew the key
// count WantedKeys.
WNDPROC MeterProcedure;
uint64_t WantedKeys;
double KeysShownAt;

LRESULT CALLBACK WatchMeterPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcA(MeterProcedure, window, message, wParam, lParam);
    if (message == WM_PAINT && Totals.keyPresses == WantedKeys
        && strcmp(MeterLine(0), BuildMeterLine(0)) == 0)
        KeysShownAt = NowSeconds();
    return result;
}

// Dispatches the meter's messages and timers for `seconds`, or until the count is shown.
void PumpFor(double seconds)
{
    double deadline = NowSeconds() + seconds;
    for (double now = NowSeconds(); KeysShownAt == 0 && now < deadline; now = NowSeconds()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, (DWORD)((deadline - now) * 1e3) + 1, QS_ALLINPUT);
        PumpMessages();
    }
}

// Posted at random moments up to 120 ms after the last press was shown, so that some come
// while the meter waits out the 50 ms after a repaint, and some after it.
void BenchKeyToScreen()
{
    ShowWindow(MeterWindow, SW_SHOWNOACTIVATE);
    PumpMessages();
    MeterProcedure = (WNDPROC)SetWindowLongPtrA(MeterWindow, GWLP_WNDPROC, (LONG_PTR)WatchMeterPaints);
    std::vector<double> ms;
    for (int press = 0; press < 40; ++press) {
        KeysShownAt = 0;
        WantedKeys = UINT64_MAX;
        PumpFor((press * 37 % 120) * 1e-3);
        WantedKeys = Totals.keyPresses + 1;
        double posted = NowSeconds();
        PostMessageA(MeterWindow, MSG_KEY_PRESS, 0, 0);
        PumpFor(1.0);
        ms.push_back(KeysShownAt ? (KeysShownAt - posted) * 1e3 : 1e3);
    }
    SetWindowLongPtrA(MeterWindow, GWLP_WNDPROC, (LONG_PTR)MeterProcedure);
    std::sort(ms.begin(), ms.end());
    Row("key press to screen (posted until painted), median of 40", ms[20], "ms");
    Row("key press to screen, the worst of 40", ms.back(), "ms");
    AddGoal("8 key press to screen, worst of 40", ms.back(), 0, 60, "ms");
    ShowWindow(MeterWindow, SW_HIDE);
    PumpMessages();
}

void FillStoredHistory(int days)
{
    std::vector<driver::DayRecord> records = driver::PlausibleHistory(days, 11);
    HistoryList list = {(HistoryRecord *)records.data(), days, days, HISTORY_GROW_STEP};
    ReplaceStoredHistory(list);
}

void ClickColumn(int column)
{
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = HistoryListView;
    click.hdr.idFrom = 0;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(HistoryWindow, WM_NOTIFY, 0, (LPARAM)&click);
}

// Opens the window and lets its first paint run; seconds.
double OpenHistoryWindow(const HistoryList *list, UINT titleId)
{
    double start = NowSeconds();
    ShowHistoryWindow(list, titleId);
    PumpMessages();
    return NowSeconds() - start;
}

void CloseHistoryWindow()
{
    if (HistoryWindow)
        DestroyWindow(HistoryWindow);
    PumpMessages();
}

void BenchHistoryWindow(int days, bool goals)
{
    FillStoredHistory(days);
    char what[128];
    double opened = OpenHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    snprintf(what, sizeof what, "history window, open over %d records", days);
    Row(what, opened * 1e3, "ms");
    double start = NowSeconds();
    ClickColumn(1);
    PumpMessages();
    snprintf(what, sizeof what, "history window, sort %d rows by key presses", days);
    Row(what, (NowSeconds() - start) * 1e3, "ms");
    start = NowSeconds();
    ClickColumn(2);
    PumpMessages();
    snprintf(what, sizeof what, "history window, sort %d rows by distance", days);
    Row(what, (NowSeconds() - start) * 1e3, "ms");
    CloseHistoryWindow();
    double preview = OpenHistoryWindow(&StoredHistory, IDS_IMPORT_TITLE);
    snprintf(what, sizeof what, "import preview, open over %d records", days);
    Row(what, preview * 1e3, "ms");
    CloseHistoryWindow();
    if (goals) {
        snprintf(what, sizeof what, "6 history window over %d records", days);
        AddGoal(what, opened * 1e3, 0, 500, "ms");
        snprintf(what, sizeof what, "6 import preview over %d records", days);
        AddGoal(what, preview * 1e3, 0, 500, "ms");
    }
}

// `count` records on distinct days from 1 January 1601 on, with the figures of a plausible
// history repeated.
void FillDistinctDays(HistoryList *list, int32_t count)
{
    std::vector<driver::DayRecord> figures = driver::PlausibleHistory(3650, 7);
    ReserveHistory(list, count);
    FILETIME day = {0, 0};
    const ULONGLONG DAY = 24ull * 3600 * 10000000;
    for (int32_t i = 0; i < count; ++i) {
        SYSTEMTIME date;
        FileTimeToSystemTime(&day, &date);
        memcpy(&list->records[i], &figures[i % figures.size()], sizeof(HistoryRecord));
        list->records[i].date = MakeDateKey(date);
        ULARGE_INTEGER next = {{day.dwLowDateTime, day.dwHighDateTime}};
        next.QuadPart += DAY;
        day.dwLowDateTime = next.LowPart;
        day.dwHighDateTime = next.HighPart;
    }
    list->count = count;
}

bool WriteFile(const std::string &path, const HistoryList *list)
{
    FILE *file = fopen(path.c_str(), "wb");
    bool written = file && WriteHistoryFile(file, list, nullptr);
    if (file)
        fclose(file);
    return written;
}

HistoryFileResult ReadFile(const std::string &path, HistoryList *list)
{
    FILE *file = fopen(path.c_str(), "rb");
    HistoryFileResult result = file ? ReadHistoryFile(file, list, nullptr) : HISTORY_FILE_BAD_FORMAT;
    if (file)
        fclose(file);
    return result;
}

void BenchHistoryFile(int days)
{
    FillStoredHistory(days);
    std::string path = driver::TempDir() + "bench.twh";
    char what[128];
    double start = NowSeconds();
    bool written = WriteFile(path, &StoredHistory);
    snprintf(what, sizeof what, "history file, export %d records%s", days, written ? "" : " (FAILED)");
    Row(what, (NowSeconds() - start) * 1e3, "ms");

    HistoryList imported = {nullptr, 0, 0, HISTORY_GROW_STEP};
    start = NowSeconds();
    HistoryFileResult result = ReadFile(path, &imported);
    snprintf(what, sizeof what, "history file, read %d records%s", days,
             result == HISTORY_FILE_OK ? "" : " (FAILED)");
    Row(what, (NowSeconds() - start) * 1e3, "ms");

    start = NowSeconds();
    MergeImportedHistory(&imported, 1);
    snprintf(what, sizeof what, "import merge of %d known days, replacing", imported.count);
    Row(what, (NowSeconds() - start) * 1e3, "ms");
    DestroyHistoryList(&imported);

    // As many new days again: the stored ones end yesterday, these are the days before.
    FillDistinctDays(&imported, days);
    start = NowSeconds();
    MergeImportedHistory(&imported, 0);
    double merged = NowSeconds() - start;
    bool all = StoredHistory.count == 2 * days;
    snprintf(what, sizeof what, "import merge of %d new days into %d stored%s", days, days,
             all ? "" : " (RECORDS MISSING)");
    Row(what, merged * 1e3, "ms");
    snprintf(what, sizeof what, "5 merge %d new days into %d", days, days);
    AddGoal(what, all ? merged * 1e3 : -1, 0, 100, "ms");
    DestroyHistoryList(&imported);

    FillStoredHistory(days);
    start = NowSeconds();
    RecountTotals();
    snprintf(what, sizeof what, "recount over %d records (with its save and reload)", days);
    Row(what, (NowSeconds() - start) * 1e3, "ms");
    DeleteFileA(path.c_str());
}

// The whole import of a file of a million days as the program runs it once both questions
// are answered yes: read, preview, merge, recount (which saves and reloads), preview closed.
void BenchMillionImport()
{
    const int32_t MILLION = 1000000;
    std::string path = driver::TempDir() + "bench-million.twh";
    HistoryList source = {nullptr, 0, 0, HISTORY_GROW_STEP};
    FillDistinctDays(&source, MILLION);
    bool written = WriteFile(path, &source);
    DestroyHistoryList(&source);
    FillStoredHistory(3650);
    if (!written) {
        printf("  the million-record file could not be written\n");
        return;
    }
    HistoryList imported = {nullptr, 0, 0, HISTORY_GROW_STEP};
    double start = NowSeconds(), step = start, read = 0, preview = 0, merge = 0, recount = 0,
           closed = 0;
    HistoryFileResult result = ReadFile(path, &imported);
    read = NowSeconds() - step;
    if (result == HISTORY_FILE_OK) {
        step = NowSeconds();
        ShowHistoryWindow(&imported, IDS_IMPORT_TITLE);
        PumpMessages();
        preview = NowSeconds() - step;
        step = NowSeconds();
        MergeImportedHistory(&imported, 1);
        merge = NowSeconds() - step;
        step = NowSeconds();
        RecountTotals();
        recount = NowSeconds() - step;
        step = NowSeconds();
        CloseHistoryWindow();
        closed = NowSeconds() - step;
    }
    double total = NowSeconds() - start;
    bool all = result == HISTORY_FILE_OK && StoredHistory.count >= MILLION;
    DestroyHistoryList(&imported);
    Row("million days: read the file", read * 1e3, "ms");
    Row("million days: preview window open and painted", preview * 1e3, "ms");
    Row("million days: merge into 3,650 stored, replacing", merge * 1e3, "ms");
    Row("million days: recount with its save and reload", recount * 1e3, "ms");
    Row("million days: preview window closed", closed * 1e3, "ms");
    Row(all ? "million days: the whole import" : "million days: the whole import (RECORDS MISSING)",
        total * 1e3, "ms");
    AddGoal("7 import of a million days, in all", all ? total : -1, 0, 10, "s");
    DeleteFileA(path.c_str());
}

// A checkpoint with a key pressed since the last one rewrites the whole history value.
void BenchCheckpoint(int days)
{
    FillStoredHistory(days);
    OnKeyPress(0);
    SaveCheckpoint();  // the first one may append today's record
    const int N = 20;
    double start = NowSeconds();
    for (int i = 0; i < N; ++i) {
        OnKeyPress(0);
        SaveCheckpoint();
    }
    char what[128];
    snprintf(what, sizeof what, "checkpoint over %d records (a key pressed since the last)", days);
    Row(what, (NowSeconds() - start) / N * 1e3, "ms");
}

// Milliseconds per repaint of the chart's plot, the best of three rounds of `n`, each
// after `before` (a scroll, or nothing).
double ChartRepaintMs(HWND plot, int n, void (*before)(HWND))
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        double start = NowSeconds();
        for (int i = 0; i < n; ++i) {
            if (before)
                before(plot);
            RedrawWindow(plot, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        best = std::min(best, (NowSeconds() - start) / n * 1e3);
    }
    return best;
}

// Back and forth by a page, so that every repaint shows bars it did not show before.
void ScrollAPage(HWND plot)
{
    static bool left;
    left = !left;
    SendMessageA(plot, WM_HSCROLL, left ? SB_PAGELEFT : SB_PAGERIGHT, 0);
}

// As the user's choice arrives: the selection, then its notification to the window.
void ChooseChartView(int view)
{
    HWND box = GetDlgItem(ChartWindow, IDC_CHART_VIEW);
    SendMessageA(box, CB_SETCURSEL, view, 0);
    SendMessageA(ChartWindow, WM_COMMAND, MAKEWPARAM(IDC_CHART_VIEW, CBN_SELCHANGE), (LPARAM)box);
}

const int CHART_DAYS = 36500;

void FillChartData()
{
    FillStoredHistory(CHART_DAYS);
    StartPeriod();  // today's date, which the chart's bars end with
}

// A window property set and taken away again: two calls that only the Wine server answers.
double RoundTripMicroseconds()
{
    const int N = 200;
    double start = NowSeconds();
    for (int i = 0; i < N; ++i) {
        SetPropA(MeterWindow, "TallywickBench", (HANDLE)1);
        RemovePropA(MeterWindow, "TallywickBench");
    }
    return (NowSeconds() - start) / (2 * N) * 1e6;
}

// A user opens a window from a program that has waited for input, never in the middle of
// filling thousands of records: a third of a second of waiting for messages first, in which
// the meter's timers also do what the data made due (a save after key presses). Then one
// round trip to the Wine server measured, in microseconds: after a burst of work of its
// own a process's round trips take up to twenty times as long until the system has placed
// it and the server side by side again, which a few hundred calls (as the user's click on
// the menu makes) bring about.
double SettleBeforeOpen()
{
    for (double until = NowSeconds() + 0.3; NowSeconds() < until;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    return RoundTripMicroseconds();
}

// Opens the window and lets its first paint run; milliseconds.
double OpenChartWindow()
{
    double start = NowSeconds();
    ShowChartWindow();
    PumpMessages();
    return (NowSeconds() - start) * 1e3;
}

// A window's first open in fresh processes (`bench_tallywick cold LETTER FILE`), one after
// another, so that each pays for its fonts, classes and libraries as a user's first open
// after a start does. Under Wine each call into the window system is a round trip to the
// Wine server, whose time varies by as much as twenty times with how the machine schedules
// the two processes; each child measures it too, as the floor beside its open.
struct ColdOpen {
    double ms;         // the open and its first paint
    double roundTrip;  // microseconds of one round trip before it, in the same process
};

struct ColdOpens {
    ColdOpen best;
    double slowest;
    double slowestRoundTrip;
    int runs;
};

// As the desktop's other programs do while a user opens a window, this one keeps answering
// its messages: a window that activates waits for the one it takes the activation from.
bool WaitExitPumping(const driver::Process &process, DWORD timeoutMs, DWORD *exitCode)
{
    double deadline = NowSeconds() + timeoutMs * 1e-3;
    for (double now = NowSeconds(); now < deadline; now = NowSeconds()) {
        DWORD waited = MsgWaitForMultipleObjects(1, &process.handle, FALSE,
                                                 (DWORD)((deadline - now) * 1e3) + 1, QS_ALLINPUT);
        if (waited == WAIT_OBJECT_0)
            return GetExitCodeProcess(process.handle, exitCode) != 0;
        PumpMessages();
    }
    return false;
}

// One child's answer, or {-1, -1}.
ColdOpen RunColdOpen(char letter, bool settled, const std::string &file)
{
    ColdOpen open = {-1, -1};
    DeleteFileA(file.c_str());
    std::string args = std::string("cold ") + letter + " \"" + file + "\"" + (settled ? "" : " busy");
    driver::Process child = driver::StartProgram(driver::ExeDir() + "bench_tallywick.exe", args);
    DWORD code = 1;
    std::string answer;
    if (child.handle && WaitExitPumping(child, 120000, &code) && code == 0
        && driver::ReadFileBytes(file, &answer)
        && sscanf(answer.c_str(), "%lf %lf", &open.ms, &open.roundTrip) != 2)
        open = ColdOpen{-1, -1};
    driver::CloseProcess(&child);
    DeleteFileA(file.c_str());
    return open;
}

ColdOpens MeasureColdOpens(char letter, bool settled, int runs)
{
    ColdOpens cold = {{1e9, -1}, -1, -1, 0};
    std::string file = driver::TempDir() + "cold-open.txt";
    for (int i = 0; i < runs; ++i) {
        ColdOpen open = RunColdOpen(letter, settled, file);
        if (open.ms < 0)
            continue;
        if (open.ms < cold.best.ms)
            cold.best = open;
        cold.slowest = std::max(cold.slowest, open.ms);
        cold.slowestRoundTrip = std::max(cold.slowestRoundTrip, open.roundTrip);
        ++cold.runs;
    }
    if (!cold.runs)
        cold.best.ms = -1;
    return cold;
}

const int COLD_RUNS = 5;

void ColdRows(const char *window, const char *how, const ColdOpens &cold)
{
    char what[128];
    snprintf(what, sizeof what, "%s, first open in a fresh process%s, best of %d", window, how,
             cold.runs);
    Row(what, cold.best.ms, "ms");
    if (cold.best.roundTrip >= 0)
        Row("  floor: one Wine server round trip in that process", cold.best.roundTrip, "us");
    snprintf(what, sizeof what, "%s, first open in a fresh process%s, slowest of %d", window,
             how, cold.runs);
    Row(what, cold.slowest, "ms");
    if (cold.slowestRoundTrip >= 0)
        Row("  floor: the slowest round trip of those processes", cold.slowestRoundTrip, "us");
}

// The settled first opens, which the goal takes, and the same straight after the data was
// made (no round trip measured before, which would change what it measures): there the
// round trips are often twenty times slower, and the open shows how many it makes.
ColdOpens ColdOpenRows(char letter, const char *window)
{
    ColdOpens settled = MeasureColdOpens(letter, true, COLD_RUNS);
    ColdRows(window, "", settled);
    ColdRows(window, " (busy)", MeasureColdOpens(letter, false, COLD_RUNS));
    return settled;
}

void BenchCharts()
{
    const int days = CHART_DAYS;
    FillChartData();
    double roundTrip = SettleBeforeOpen();
    double opened = OpenChartWindow();
    HWND plot = ChartWindow ? GetDlgItem(ChartWindow, IDC_CHART_PLOT) : nullptr;
    if (!plot) {
        printf("  the chart window did not open\n");
        return;
    }
    double scrolled = ChartRepaintMs(plot, 50, ScrollAPage);
    ChooseChartView(1);
    double calendar = ChartRepaintMs(plot, 50, nullptr);
    ChooseChartView(2);
    double clock = ChartRepaintMs(plot, 50, nullptr);
    DestroyWindow(ChartWindow);
    PumpMessages();
    char what[128];
    snprintf(what, sizeof what, "chart window, open and first paint over %d records", days);
    Row(what, opened, "ms");
    Row("  floor: one Wine server round trip in this process", roundTrip, "us");
    ColdOpens cold = ColdOpenRows('c', "chart window");
    Row("chart window, a page scrolled and repainted (bars by day)", scrolled, "ms");
    Row("chart window, year calendar repainted", calendar, "ms");
    Row("chart window, week clock repainted", clock, "ms");
    snprintf(what, sizeof what, "9 chart window over %d records", days);
    AddGoal(what, opened, 0, 100, "ms");
    AddGoal("9 chart window, cold first open", cold.best.ms, 0, 100, "ms");
    AddGoal("9 chart repaint after a scroll", scrolled, 0, 16, "ms");
    AddGoal("9 year calendar repaint", calendar, 0, 16, "ms");
    AddGoal("9 week clock repaint", clock, 0, 16, "ms");
}

// The backup as the first save of a day makes it: the history written to a temporary file,
// flushed to the disk, renamed over the day's file, the folder rotated. Forty days in a row,
// so that from the fifteenth on the rotation deletes; the median and the slowest of them.
// Then the most disk the rotation can hold, and keeping the history as another computer's.
void BenchBackup(int days)
{
    FillStoredHistory(days);
    std::wstring folder = driver::Widen(driver::TempDir() + "backups");
    std::vector<double> times;
    for (int i = 0; i < 40; ++i) {
        double start = NowSeconds();
        bool written = WriteBackup(folder.c_str(), 2030u << 16 | (1u + i / 28) << 8 | (1u + i % 28));
        times.push_back(written ? NowSeconds() - start : 1e9);
    }
    std::sort(times.begin(), times.end());
    char what[128];
    snprintf(what, sizeof what, "daily backup of %d records, median of 40 days", days);
    Row(what, times[20] * 1e3, "ms");
    snprintf(what, sizeof what, "daily backup of %d records, slowest of 40 days", days);
    Row(what, times.back() * 1e3, "ms");
    snprintf(what, sizeof what, "10 daily backup of %d records, slowest", days);
    AddGoal(what, times.back() < 1e9 ? times.back() * 1e3 : -1, 0, 100, "ms");
    // The newest daily file is always the newest of its month, so 14 + 24 - 1 files at most.
    const int mostFiles = KEPT_DAILY_BACKUPS + KEPT_MONTHS - 1;
    for (int n : {3650, days})
        printf("  backups on disk at most, %d files x (8 + 24 x %d) bytes: %.2f MB\n", mostFiles,
               n, mostFiles * (8.0 + 24.0 * n) / 1e6);
    for (int i = 0; i < 40; ++i) {
        wchar_t name[BACKUP_NAME_SIZE];
        MakeBackupName(2030u << 16 | (1u + i / 28) << 8 | (1u + i % 28), name);
        DeleteFileW((folder + L"\\" + name).c_str());
    }
    SetFakeComputersFolder(folder.c_str());
    HistorySource laptop = {true, 0x1234ABCD5678EF90ull, 1, 6, L"laptop"};
    double start = NowSeconds();
    KeepResult kept = KeepSourceHistory(laptop, StoredHistory, 0);
    snprintf(what, sizeof what, "keep a history of %d days as another computer's", days);
    Row(what, kept == KEEP_DONE ? (NowSeconds() - start) * 1e3 : -1, "ms");
    RemoveKeptSource(laptop.computerId);
    DeleteFileW((folder + L"\\Sources.list").c_str());
    SetFakeComputersFolder(nullptr);
    LoadKeptSources();
    RemoveDirectoryW(folder.c_str());
}

// A key press with "Count Each Key" on: the total and the key's count, beside the same
// message sent to a window that does nothing.
const int KEY_CREDIT_PRESSES = 100000;
const int KEY_CREDIT_ROUNDS = 3;

// One round of the presses the keyboard window shows: every key identity up to 300 alike.
void PressKeysOneByOne()
{
    for (int i = 0; i < KEY_CREDIT_PRESSES; ++i)
        SendMessageA(MeterWindow, MSG_KEY_PRESS, 1 + i % 300, 0);
}

void BenchKeyCredit()
{
    const int N = KEY_CREDIT_PRESSES;
    HWND empty = CreateEmptyWindow();
    double credit = 1e9, floor = 1e9;
    for (int round = 0; round < KEY_CREDIT_ROUNDS; ++round) {
        double start = NowSeconds();
        PressKeysOneByOne();
        credit = std::min(credit, (NowSeconds() - start) / N);
        floor = std::min(floor, SendSeconds(empty, MSG_KEY_PRESS, N));
    }
    Row("key press counted one by one, SendMessage to the meter window", credit * 1e9, "ns");
    Row("floor: SendMessage to a window that only calls DefWindowProc", floor * 1e9, "ns");
    DestroyWindow(empty);
}

// Opens the window and lets its first paint run; seconds.
double OpenKeyboardWindow()
{
    double start = NowSeconds();
    ShowKeyboardWindow();  // it paints before it returns
    PumpMessages();
    return NowSeconds() - start;
}

// The keyboard window over a count on every key, the key presses of the part before.
void BenchKeyboardWindow()
{
    double roundTrip = SettleBeforeOpen();
    double opened = OpenKeyboardWindow();
    const int N = 50;
    double start = NowSeconds();
    for (int i = 0; i < N; ++i)
        RedrawWindow(KeyboardWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    double repaint = (NowSeconds() - start) / N;
    bool shown = KeyboardWindow != nullptr;
    if (shown)
        DestroyWindow(KeyboardWindow);
    PumpMessages();
    Row(shown ? "keyboard window, open and first paint" : "keyboard window (NOT OPENED)",
        opened * 1e3, "ms");
    Row("  floor: one Wine server round trip in this process", roundTrip, "us");
    ColdOpens cold = ColdOpenRows('y', "keyboard window");
    Row("keyboard window, one repaint", repaint * 1e3, "ms");
    AddGoal("11 keyboard window open and first paint", shown ? opened * 1e3 : -1, 0, 50, "ms");
    AddGoal("11 keyboard window, cold first open", cold.best.ms, 0, 50, "ms");
    AddGoal("11 keyboard window repaint", shown ? repaint * 1e3 : -1, 0, 16, "ms");
}

void BenchKeyboard()
{
    if (!StartCountingEachKey()) {
        printf("  per-key counting could not be turned on\n");
        return;
    }
    BenchKeyCredit();
    BenchKeyboardWindow();
    StopCountingEachKey();
}

double ProcessCpuSeconds(HANDLE process)
{
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user))
        return -1;
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (double)(k.QuadPart + u.QuadPart) / 1e7;
}

// Whether the Linux process runs in this prefix: other prefixes on the machine may run a
// program of the same name at the same time.
bool RunsInThisPrefix(const std::string &dir)
{
    static std::string prefix;
    if (prefix.empty()) {
        char value[MAX_PATH] = "";
        GetEnvironmentVariableA("WINEPREFIX", value, sizeof value);
        prefix = std::string("WINEPREFIX=") + value + '\0';
    }
    std::string environment;
    return driver::ReadFileBytes(dir + "environ", &environment)
           && environment.find(prefix) != std::string::npos;
}

// Wine reports no times for another process, so the Linux process behind it is read
// through the Z: drive: the /proc folder of the process of this prefix whose command line
// names `exe`; empty when there is none.
std::string UnixProcessDir(const char *exe)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return "";
    std::string found;
    do {
        if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9')
            continue;
        std::string dir = std::string("Z:\\proc\\") + entry.cFileName + "\\";
        std::string commandLine;
        if (!driver::ReadFileBytes(dir + "cmdline", &commandLine))
            continue;
        for (char &c : commandLine)
            if (c == '\0')
                c = ' ';
        if (commandLine.find(exe) != std::string::npos && RunsInThisPrefix(dir))
            found = dir;
    } while (found.empty() && FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

// The CPU seconds of all the process's threads, to the nanosecond: the first field of each
// thread's schedstat. /proc/PID/stat counts in hundredths of a second, a step of 5 % of
// what a 50 ms timer uses in a minute.
double ThreadsCpuSeconds(const std::string &dir)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((dir + "task\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    double seconds = 0;
    do {
        std::string schedstat;
        unsigned long long nanoseconds = 0;
        if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9')
            continue;
        if (!driver::ReadFileBytes(dir + "task\\" + entry.cFileName + "\\schedstat", &schedstat)
            || sscanf(schedstat.c_str(), "%llu", &nanoseconds) != 1)
            seconds = -1;
        else if (seconds >= 0)
            seconds += nanoseconds / 1e9;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return seconds;
}

// Without schedstat, /proc/PID/stat: after the name, utime is field 14 and stime field 15.
double StatCpuSeconds(const std::string &dir)
{
    std::string stat;
    if (!driver::ReadFileBytes(dir + "stat", &stat))
        return -1;
    size_t close = stat.rfind(')');
    unsigned long long utime = 0, stime = 0;
    if (close == std::string::npos
        || sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
                  &utime, &stime) != 2)
        return -1;
    return (double)(utime + stime) / 100.0;
}

// Under Wine GetProcessTimes answers with the caller's own times for any process.
double CpuSeconds(HANDLE process, const char *exe)
{
    std::string dir = UnixProcessDir(exe);
    if (dir.empty())
        return ProcessCpuSeconds(process);
    double seconds = ThreadsCpuSeconds(dir);
    return seconds >= 0 ? seconds : StatCpuSeconds(dir);
}

// CPU milliseconds per minute of the program and of a fresh floor, over the same
// `seconds` of wall time, so that both see the same machine.
struct Round {
    double program, floor;
};

bool MeasureRound(HANDLE program, int seconds, Round *round)
{
    driver::Process floor = driver::StartProgram(driver::ExeDir() + "bench_floor.exe");
    if (!floor.handle)
        return false;
    Sleep(3000);  // past the start-up, which takes more than a second on a busy machine
    double programBefore = CpuSeconds(program, "\\tallywick.exe");
    double floorBefore = CpuSeconds(floor.handle, "\\bench_floor.exe");
    double wall = NowSeconds();
    Sleep(seconds * 1000);
    double perMinute = 60.0 * 1e3 / (NowSeconds() - wall);
    round->program = (CpuSeconds(program, "\\tallywick.exe") - programBefore) * perMinute;
    round->floor = (CpuSeconds(floor.handle, "\\bench_floor.exe") - floorBefore) * perMinute;
    TerminateProcess(floor.handle, 0);
    driver::CloseProcess(&floor);
    return true;
}

// Two idle programs alike can differ by a fifth, by where their timers fall beside each
// other's and the server's; so three rounds, each with a fresh floor, and the round of
// the median ratio counts.
void BenchResidentState(HANDLE program, int seconds, const char *state, const char *goal,
                        double limit)
{
    std::vector<Round> rounds;
    Round round;
    for (int i = 0; i < 3 && MeasureRound(program, seconds, &round); ++i) {
        char what[128];
        snprintf(what, sizeof what, "resident tallywick.exe, meter %s: CPU per minute", state);
        Row(what, round.program, "ms");
        Row("  floor meanwhile, a window with only a 50 ms timer", round.floor, "ms");
        rounds.push_back(round);
    }
    if (rounds.empty()) {
        printf("  bench_floor.exe did not start\n");
        return;
    }
    std::sort(rounds.begin(), rounds.end(), [](const Round &a, const Round &b) {
        return a.program * b.floor < b.program * a.floor;
    });
    const Round &median = rounds[rounds.size() / 2];
    AddGoal(goal, median.program, median.floor, limit, "ms");
}

void BenchResident(int seconds)
{
    // No StopAllInstances here: this process has a meter window of its own.
    driver::Process program = driver::StartProgram(driver::ProgramPath());
    HWND meter = driver::FindMeterOf(program.id, 15000);
    if (!meter) {
        printf("  the resident program did not start\n");
        return;
    }
    BenchResidentState(program.handle, seconds, "hidden", "1 CPU per minute, meter hidden", 0.3);
    driver::PostCommand(meter, IDM_SHOW);
    driver::WaitVisible(meter, true, 5000);
    BenchResidentState(program.handle, seconds, "shown", "2 CPU per minute, meter shown and idle",
                       0.5);
    driver::PostCommand(meter, IDM_EXIT);
    driver::WaitExit(program, 10000, nullptr);
    driver::CloseProcess(&program);
}

void EmptyFolder(const std::wstring &folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileW((folder + L"\\" + entry.cFileName).c_str());
        while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Another computer's file of 3,650 days in the folder, written at `writtenAt`.
void WriteOtherComputer(const std::wstring &folder, int index, uint64_t writtenAt)
{
    std::vector<driver::DayRecord> records = driver::PlausibleHistory(3650, 20 + index);
    HistoryList list = {(HistoryRecord *)records.data(), 3650, 3650, HISTORY_GROW_STEP};
    HistorySource source = {true, 0x5000ull + index, writtenAt, 4, L"PC-0"};
    source.name[3] = (wchar_t)(L'0' + index);
    size_t size;
    unsigned char *bytes = EncodeHistoryFile(&list, &source, &size);
    wchar_t name[SYNC_FILE_NAME_SIZE];
    MakeSyncFileName(source.name, source.computerId, name);
    SyncFileTable none = {};
    WriteSyncFile(folder.c_str(), name, bytes, size, &none);
    ClearSyncFileTable(&none);
    free(bytes);
}

// The sync folder with ten other computers of 3,650 days each: the minute check as the
// window thread runs it while none of them changed (the look asked, the news taken: none),
// then the worker's look at the unchanged files, its re-reading of one changed file and the
// window thread's keeping of it, and this computer's file of 36,500 days encoded by the
// window thread and written by the worker.
void BenchSyncFolder()
{
    std::wstring folder = driver::Widen(driver::TempDir() + "sync");
    std::wstring computers = driver::Widen(driver::TempDir() + "sync-computers");
    EmptyFolder(folder);
    EmptyFolder(computers);
    CreateDirectoryW(folder.c_str(), nullptr);
    SetFakeComputersFolder(computers.c_str());
    LoadKeptSources();
    const uint64_t WRITTEN = 133500000000000000ull;
    for (int i = 0; i < 10; ++i)
        WriteOtherComputer(folder, i, WRITTEN);
    FillStoredHistory(3650);
    WriteSyncFolderValue(folder.c_str());
    StartSyncFolder(MeterWindow, MSG_SYNC_NEWS);
    for (int i = 0; i < 500 && KeptSourceCount() < 10; ++i) {
        Sleep(20);
        PumpMessages();
    }
    printf("sync folder: %d of 10 computers kept from the folder\n", KeptSourceCount());
    std::vector<double> window;
    for (int i = 0; i < 40; ++i) {
        double start = NowSeconds();
        AskSyncLook();
        double asked = NowSeconds() - start;
        Sleep(30);  // the worker's look, off the window thread
        start = NowSeconds();
        TakeSyncFolderNews();
        window.push_back(asked + NowSeconds() - start);
    }
    double minute = Median(window);
    Row("sync folder minute check, window thread, 10 x 3,650 days unchanged", minute * 1e3, "ms");
    AddGoal("12 sync minute check on the window thread", minute * 1e3, 0, 1, "ms");

    SyncFileTable table = {};
    SyncNews *news = nullptr, **tail = &news;
    LookAtSyncFolder(folder.c_str(), &table, &tail);
    FreeSyncNews(news);
    std::vector<double> unchanged, reread, kept;
    for (int i = 0; i < 20; ++i) {
        news = nullptr;
        tail = &news;
        double start = NowSeconds();
        LookAtSyncFolder(folder.c_str(), &table, &tail);
        unchanged.push_back(NowSeconds() - start);
        FreeSyncNews(news);
        WriteOtherComputer(folder, 0, WRITTEN + 1 + i);
        news = nullptr;
        tail = &news;
        start = NowSeconds();
        LookAtSyncFolder(folder.c_str(), &table, &tail);
        reread.push_back(NowSeconds() - start);
        start = NowSeconds();
        bool keptOne = news && KeepSourceHistory(news->source, news->days, 0) == KEEP_DONE;
        kept.push_back(keptOne ? NowSeconds() - start : 1e9);
        FreeSyncNews(news);
    }
    Row("sync folder look by the worker, 10 files unchanged", Median(unchanged) * 1e3, "ms");
    Row("sync folder re-read of one changed file of 3,650 days, worker", Median(reread) * 1e3, "ms");
    Row("... kept as that computer's history, window thread", Median(kept) * 1e3, "ms");
    AddGoal("12 sync re-read of one changed file, worker", Median(reread) * 1e3, 0, 100, "ms");

    FillStoredHistory(36500);
    HistorySource mine = {true, 0x1234ull, WRITTEN, 4, L"self"};
    std::vector<double> encoded, written;
    for (int i = 0; i < 10; ++i) {
        double start = NowSeconds();
        size_t size;
        unsigned char *bytes = EncodeHistoryFile(&StoredHistory, &mine, &size);
        encoded.push_back(NowSeconds() - start);
        start = NowSeconds();
        bool wrote = bytes && WriteSyncFile(folder.c_str(), L"Tallywick-self-0000000000001234.twh",
                                            bytes, size, &table);
        written.push_back(wrote ? NowSeconds() - start : 1e9);
        free(bytes);
    }
    Row("sync file of 36,500 days encoded, window thread", Median(encoded) * 1e3, "ms");
    Row("sync file of 36,500 days written by the worker, median of 10", Median(written) * 1e3, "ms");
    AddGoal("12 sync file of 36,500 days written, worker", Median(written) * 1e3, 0, 100, "ms");
    ClearSyncFileTable(&table);
    ChooseSyncFolder(L"");
    FinishSyncFolder();
    SetFakeComputersFolder(nullptr);
    LoadKeptSources();
    EmptyFolder(folder);
    EmptyFolder(computers);
}

// The child of MeasureColdOpens: the part's data, the settling, then the window's one open;
// nothing before it touches a window of its own, a font or a control class. Answers in
// `file`; the exit code is 0 when it did.
int RunColdOpenChild(char letter, const char *file, bool settle)
{
    if (letter == 'c') {
        FillChartData();
    } else if (letter == 'y') {
        if (!StartCountingEachKey())
            return 1;
        for (int round = 0; round < KEY_CREDIT_ROUNDS; ++round)
            PressKeysOneByOne();
    } else {
        return 1;
    }
    double roundTrip = settle ? SettleBeforeOpen() : -1;
    double opened = letter == 'c' ? OpenChartWindow() : OpenKeyboardWindow() * 1e3;
    if (letter == 'c' ? !ChartWindow : !KeyboardWindow)
        return 1;
    FILE *answer = fopen(file, "w");
    if (!answer)
        return 1;
    fprintf(answer, "%.3f %.3f\n", opened, roundTrip);
    return fclose(answer) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv)
{
    bool cold = argc >= 4 && strcmp(argv[1], "cold") == 0;
    int seconds = argc >= 2 ? atoi(argv[1]) : 20;
    if (seconds < 1)
        seconds = 1;
    if (!cold)
        printf("Tallywick benchmark (under Wine; figures are per call unless stated)\n");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterMeterClass(instance, MeterWindowProc);
    if (!CreateMeterWindow(instance)) {
        printf("could not create the meter window\n");
        return 1;
    }
    if (cold)
        return RunColdOpenChild(argv[2][0], argv[3], !(argc >= 5 && strcmp(argv[4], "busy") == 0));
    std::string parts = argc >= 3 ? argv[2] : "hpkwfmcbysr";
    auto runs = [&parts](char part) { return parts.find(part) != std::string::npos; };
    if (runs('h')) {
        BenchHookMessages();
        BenchHookKeyPress();
    }
    if (runs('p'))
        BenchPaint();
    if (runs('k'))
        BenchKeyToScreen();
    if (runs('w')) {
        BenchHistoryWindow(3650, false);
        BenchHistoryWindow(36500, true);
    }
    if (runs('f')) {
        BenchHistoryFile(36500);
        BenchCheckpoint(36500);
    }
    if (runs('m'))
        BenchMillionImport();
    if (runs('c'))
        BenchCharts();
    if (runs('b'))
        BenchBackup(36500);
    if (runs('y'))
        BenchKeyboard();
    if (runs('s'))
        BenchSyncFolder();
    // Leave no benchmark figures behind in the prefix's settings key.
    RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY);
    RegDeleteKeyA(HKEY_CURRENT_USER, SETTINGS_KEY);
    if (runs('r'))
        BenchResident(seconds);
    RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY);
    RegDeleteKeyA(HKEY_CURRENT_USER, SETTINGS_KEY);
    PrintGoals();
    return 0;
}
