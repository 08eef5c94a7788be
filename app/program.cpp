// The program as a whole. Start-up reads as a checklist; the period changes and the exit
// sequence run in the meter window's procedure, on the program's one thread.
#include "program.h"

#include <shellapi.h>
#include <wchar.h>
#include "meter_procedure.h"
#include "startup.h"
#include "../core/backup.h"
#include "../core/dates.h"
#include "../core/figures.h"
#include "../core/power.h"
#include "../core/registry_store.h"
#include "../core/saving.h"
#include "../core/sources.h"
#include "../core/sync_folder.h"
#include "../history/csv_export.h"
#include "../history/history_view.h"
#include "../meter/meter_font.h"
#include "../meter/meter_frame.h"
#include "../meter/meter_window.h"
#include "../meter/tray_icon.h"
#include "../res/resource.h"
#include "../text/text.h"
#include "../ui/file_dialogs.h"

// "/exporthistory <file>" in any letter case; with the switch alone the program runs as usual.
static bool IsExportCommand(int argc, wchar_t **argv)
{
    return argc >= 3 && _wcsicmp(argv[1], L"/exporthistory") == 0;
}

// "/exporthistory <file> /all", in any letter case: every computer's days summed.
static bool IsAllComputersExport(int argc, wchar_t **argv)
{
    return argc >= 4 && _wcsicmp(argv[3], L"/all") == 0;
}

// Writes what the registry holds, whether or not a resident instance is running; with
// `allComputers` the kept sources too, and a period begun so that today is the stored
// records of today with nothing unsaved. A failed export is reported in a message box, then
// by the exit code 1, so that a script can tell.
static int RunCommandLineExport(const wchar_t *path, bool allComputers)
{
    LoadFromRegistry();
    if (allComputers) {
        StartPeriod();
        LoadKeptSources();
    }
    return WriteHistoryCsv(path, allComputers) ? 0 : 1;
}

int RunProgram(HINSTANCE instance, int argc, wchar_t **argv)
{
    if (IsExportCommand(argc, argv))
        return RunCommandLineExport(argv[2], IsAllComputersExport(argc, argv));
    // Another session's meter cannot be shown from here, and a start with Windows in a
    // second session must not greet the user with a box: that start just ends.
    InstanceClaim claim = ClaimSingleInstance();
    if (claim == INSTANCE_IN_THIS_SESSION)
        ShowRunningMeter();
    if (claim != INSTANCE_CLAIMED)
        return 0;
    if (!LoadFromRegistry() && LastLoadError == ERROR_FILE_NOT_FOUND)
        AnnounceFirstStart();  // before the window, which puts the icon in
    LoadKeptSources();  // a folder that cannot be read shows no other computer, no error
    LastFileDir[0] = L'\0';
    StartPeriod();
    RegisterMeterClass(instance, MeterWindowProc);
    if (!CreateMeterWindow(instance)) {
        CloseInstanceMutex();  // let the next start try again
        return 0;
    }
    StartBackups();
    StartSyncFolder(MeterWindow, MSG_SYNC_NEWS);
    return RunMessageLoop();
}

// The key could not be created or a value not written, so the save failed. The ended
// period is carried in memory instead: credited to the history (once: the save's credit
// has moved the saved mark) and to the running time, so that the next save that succeeds
// writes it, and no save ever stores less time or fewer counts.
static void CarryUnsavedPeriod()
{
    UpdateTodayRecord();
    BeginPeriod(AllTimeSeconds());
}

void ClearData()
{
    // The save credits the period to PeriodDate, so the new period must start after it.
    uint64_t savedTime = AllTimeSeconds();
    if (!SaveToRegistry())
        CarryUnsavedPeriod();
    else if (LoadFromRegistry())
        StartPeriod();
    else  // the key vanished between the save and the reload: go on from what was saved
        BeginPeriod(savedTime);
    ResetMeterWindowPosition();
}

void RunTimerChecks(HWND window)
{
    // First, so that a sleep over midnight is left out of the period that the date check ends.
    LeaveOutTimeNotRunning();
    // Sent, not posted: the new period has begun before the date test below looks at it.
    if (TickCountOrWrap() == TICK_WRAPPED)
        SendMessageA(window, WM_COMMAND, IDM_CLEAR_DATA, 0);
    if (TodayDateKey() != PeriodDate)
        SendMessageA(window, WM_COMMAND, IDM_CLEAR_DATA, 0);
    CheckpointWhenDue();
    SyncLookWhenDue();
    RefreshHistoryViewWhenChanged();
}

// The current period is first credited to today's record, exactly as the next save would
// credit it, and a new period is started; the totals are then the plain sums of the
// history as it will be stored. So after the save inside ClearData():
//   - Totals, PeriodBaseline and the stored counters all equal the sums of the stored
//     history, in which the period counts once, in the record's own widths;
//   - "Total Time" equals the sum of the records' seconds;
//   - today's record has taken in the period's figures once, like any clear-data;
//   - a second recount right after changes nothing.
// Summing the stored history itself (rather than a working copy of its last record) keeps
// those sums exact even when the last record is of an earlier day, where a copy would
// wrap or round differently from the record that the save appends for today.
void RecountTotals()
{
    // Without memory for today's record the period could not be counted; change nothing.
    if (!UpdateTodayRecord())
        return;
    StartPeriod();
    Figures sums = SumHistory(StoredHistory);
    ReplaceTotals(CounterBlock{sums.keys, sums.distance, sums.rightClicks, sums.middleClicks,
                               sums.leftClicks},
                  sums.seconds);
    ClearData();
}

// All or nothing: without the room nothing is merged. The merge leaves room for today's
// record, so the recount always reaches its save.
LONG MergeImport(const HistoryList *imported, int replace)
{
    if (!MergeImportedHistory(imported, replace))
        return ERROR_NOT_ENOUGH_MEMORY;
    RecountTotals();
    return LastSaveError;
}

void OpenBackupFolder()
{
    wchar_t folder[MAX_PATH];
    // Success is any value above 32; the folder opens in Explorer, the shell's own verb.
    if (!MakeBackupFolder(folder)
        || (INT_PTR)ShellExecuteW(MeterWindow, nullptr, folder, nullptr, nullptr, SW_SHOWNORMAL) <= 32)
        ShowErrorMessage(IDS_BACKUP_FOLDER_FAILED);
}

// WM_DESTROY and WM_ENDSESSION can both arrive before the loop takes WM_QUIT. A second
// run would save "Total Time" from a StoredTotalTime that the first run left behind (and
// so store less time than it did), and delete the font again; it does nothing instead.
static bool ExitSequenceDone;

void RunExitSequence()
{
    if (ExitSequenceDone)
        return;
    ExitSequenceDone = true;
    // The save comes first: at the end of a session Windows waits for the program only a
    // few seconds, and the tray icon's removal can wait on the shell. A session may also
    // end before the first tick after a sleep has left the sleep out.
    LeaveOutTimeNotRunning();
    SaveToRegistry();
    BeginPeriod(StoredTotalTime);
    RemoveTrayIcon();
    // The one wait on the sync folder, after the registry is saved: the last write, two
    // seconds at most.
    FinishSyncFolder();
    DeleteMeterFont();
    CloseInstanceMutex();
    // An exit that comes while the popup menu is open (sent by the installer, say) closes
    // it: the menu's own loop would otherwise go on running, with the quit message unseen.
    EndMenu();
    PostQuitMessage(0);
}
