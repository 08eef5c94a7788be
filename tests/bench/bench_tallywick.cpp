// How much Tallywick costs: a hook message through the meter's window procedure, one paint
// of the meter, the history window and file over years of records, the recount, and the
// CPU time of the resident program per minute beside a program that only runs a 50 ms
// timer. Prints a table; nothing here passes or fails.
//
// bench_tallywick [SECONDS]   SECONDS: how long each CPU measurement runs (default 20)
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include "app/checkpoint.h"
#include "app/counters.h"
#include "app/registry_store.h"
#include "driver/driver.h"
#include "history/history_file.h"
#include "history/history_list.h"
#include "history/history_window.h"
#include "history/recount.h"
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
    printf("  %-58s %14.3f %s\n", what, value, unit);
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

void BenchHookMessages()
{
    const int N = 200000;
    double start = NowSeconds();
    for (int i = 0; i < N; ++i)
        SendMessageA(MeterWindow, MSG_KEY_PRESS, 0, 0);
    double sent = NowSeconds() - start;
    start = NowSeconds();
    for (int i = 0; i < N; ++i)
        MeterWindowProc(MeterWindow, MSG_CLICK_LEFT, 0, 0);
    double direct = NowSeconds() - start;
    Row("hook message, SendMessage to the meter window", sent / N * 1e9, "ns");
    Row("hook message, direct call of MeterWindowProc", direct / N * 1e9, "ns");
}

void BenchPaint()
{
    ShowWindow(MeterWindow, SW_SHOWNOACTIVATE);
    for (int i = 0; i < 10; ++i) {  // the first paints grow the window
        RedrawWindow(MeterWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpMessages();
    }
    const int N = 500;
    double start = NowSeconds();
    for (int i = 0; i < N; ++i)
        RedrawWindow(MeterWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    double elapsed = NowSeconds() - start;
    Row("meter redraw (RDW_UPDATENOW: erase paints, then WM_PAINT)", elapsed / N * 1e6, "us");
    ShowWindow(MeterWindow, SW_HIDE);
    PumpMessages();
}

void FillStoredHistory(int days)
{
    DestroyHistoryList(&StoredHistory);
    std::vector<driver::DayRecord> records = driver::PlausibleHistory(days, 11);
    ReserveHistory(&StoredHistory, days);
    memcpy(StoredHistory.records, records.data(), records.size() * sizeof(HistoryRecord));
    StoredHistory.count = days;
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

void BenchHistoryWindow(int days)
{
    FillStoredHistory(days);
    char what[128];
    double start = NowSeconds();
    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    PumpMessages();
    double opened = NowSeconds() - start;
    snprintf(what, sizeof what, "history window, open over %d records", days);
    Row(what, opened * 1e3, "ms");
    start = NowSeconds();
    ClickColumn(1);
    PumpMessages();
    snprintf(what, sizeof what, "history window, sort %d rows by key presses", days);
    Row(what, (NowSeconds() - start) * 1e3, "ms");
    start = NowSeconds();
    ClickColumn(2);
    PumpMessages();
    snprintf(what, sizeof what, "history window, sort %d rows by distance", days);
    Row(what, (NowSeconds() - start) * 1e3, "ms");
    if (HistoryWindow)
        DestroyWindow(HistoryWindow);
    PumpMessages();
}

void BenchHistoryFile(int days)
{
    FillStoredHistory(days);
    std::string path = driver::TempDir() + "bench.twh";
    char what[128];
    double start = NowSeconds();
    FILE *file = fopen(path.c_str(), "wb");
    bool written = file && WriteHistoryFile(file, &StoredHistory);
    if (file)
        fclose(file);
    snprintf(what, sizeof what, "history file, export %d records%s", days, written ? "" : " (FAILED)");
    Row(what, (NowSeconds() - start) * 1e3, "ms");

    HistoryList imported = {nullptr, 0, 0, HISTORY_GROW_STEP};
    start = NowSeconds();
    file = fopen(path.c_str(), "rb");
    HistoryFileResult result = file ? ReadHistoryFile(file, &imported) : HISTORY_FILE_BAD_FORMAT;
    if (file)
        fclose(file);
    snprintf(what, sizeof what, "history file, read %d records%s", days,
             result == HISTORY_FILE_OK ? "" : " (FAILED)");
    Row(what, (NowSeconds() - start) * 1e3, "ms");

    // The merge of an import whose days are all known (replace), as the import does it.
    start = NowSeconds();
    for (int32_t i = 0; i < imported.count; ++i)
        MergeStoredRecord(&imported.records[i], imported.records[i].date, 1);
    snprintf(what, sizeof what, "import merge of %d known days (linear scans)", imported.count);
    Row(what, (NowSeconds() - start) * 1e3, "ms");
    DestroyHistoryList(&imported);

    start = NowSeconds();
    RecountTotals();
    snprintf(what, sizeof what, "recount over %d records (with its save and reload)", days);
    Row(what, (NowSeconds() - start) * 1e3, "ms");
    DeleteFileA(path.c_str());
}

// A checkpoint with a key pressed since the last one rewrites the whole history value.
void BenchCheckpoint(int days)
{
    FillStoredHistory(days);
    ++Totals.keyPresses;
    SaveCheckpoint();  // the first one may append today's record
    const int N = 20;
    double start = NowSeconds();
    for (int i = 0; i < N; ++i) {
        ++Totals.keyPresses;
        SaveCheckpoint();
    }
    char what[128];
    snprintf(what, sizeof what, "checkpoint over %d records (a key pressed since the last)", days);
    Row(what, (NowSeconds() - start) / N * 1e3, "ms");
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

// Wine reports no times for another process, so the Linux process behind it is read
// through the Z: drive: /proc/PID/stat of the process whose command line names `exe`.
double UnixCpuSeconds(const char *exe)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    double seconds = -1;
    do {
        if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9')
            continue;
        std::string dir = std::string("Z:\\proc\\") + entry.cFileName + "\\";
        std::string commandLine, stat;
        if (!driver::ReadFileBytes(dir + "cmdline", &commandLine))
            continue;
        for (char &c : commandLine)
            if (c == '\0')
                c = ' ';
        if (commandLine.find(exe) == std::string::npos || !driver::ReadFileBytes(dir + "stat", &stat))
            continue;
        size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        // After the name: state is field 3, utime field 14 and stime field 15 (in 1/100 s).
        unsigned long long utime = 0, stime = 0;
        if (sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
                   &utime, &stime) == 2)
            seconds = (double)(utime + stime) / 100.0;
        break;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return seconds;
}

// Under Wine GetProcessTimes answers with the caller's own times for any process.
double CpuSeconds(HANDLE process, const char *exe)
{
    double seconds = UnixCpuSeconds(exe);
    return seconds >= 0 ? seconds : ProcessCpuSeconds(process);
}

// CPU milliseconds per minute that the process uses over `seconds` of wall time.
double CpuPerMinute(HANDLE process, const char *exe, int seconds)
{
    Sleep(1000);  // past the start-up
    double cpu = CpuSeconds(process, exe);
    double wall = NowSeconds();
    Sleep(seconds * 1000);
    double used = CpuSeconds(process, exe) - cpu;
    return used / (NowSeconds() - wall) * 60.0 * 1e3;
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
    Row("resident tallywick.exe, meter hidden: CPU per minute", CpuPerMinute(program.handle, "\\tallywick.exe", seconds), "ms");
    driver::PostCommand(meter, IDM_SHOW);
    driver::WaitVisible(meter, true, 5000);
    Row("resident tallywick.exe, meter shown: CPU per minute", CpuPerMinute(program.handle, "\\tallywick.exe", seconds), "ms");
    driver::PostCommand(meter, IDM_EXIT);
    driver::WaitExit(program, 10000, nullptr);
    driver::CloseProcess(&program);

    driver::Process floor = driver::StartProgram(driver::ExeDir() + "bench_floor.exe");
    if (!floor.handle) {
        printf("  bench_floor.exe did not start\n");
        return;
    }
    Row("floor: a window with only a 50 ms timer: CPU per minute", CpuPerMinute(floor.handle, "\\bench_floor.exe", seconds), "ms");
    TerminateProcess(floor.handle, 0);
    driver::CloseProcess(&floor);
}

}  // namespace

int main(int argc, char **argv)
{
    int seconds = argc >= 2 ? atoi(argv[1]) : 20;
    if (seconds < 1)
        seconds = 1;
    printf("Tallywick benchmark (under Wine; figures are per call unless stated)\n");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterMeterClass(instance);
    if (!CreateMeterWindow(instance)) {
        printf("could not create the meter window\n");
        return 1;
    }
    BenchHookMessages();
    BenchPaint();
    BenchHistoryWindow(3650);
    BenchHistoryWindow(36500);
    BenchHistoryFile(36500);
    BenchCheckpoint(36500);
    // Leave no benchmark figures behind in the prefix's settings key.
    RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY);
    RegDeleteKeyA(HKEY_CURRENT_USER, SETTINGS_KEY);
    BenchResident(seconds);
    RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY);
    RegDeleteKeyA(HKEY_CURRENT_USER, SETTINGS_KEY);
    return 0;
}
