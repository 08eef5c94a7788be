// The command table: every command of the popup menu, routed to the window or the
// operation that carries it out. Runs on the program's one thread.
#include "commands.h"
#include "autostart.h"
#include "program.h"
#include "sync_choice.h"
#include "../charts/chart_window.h"
#include "../core/all_computers.h"
#include "../core/key_counts.h"
#include "../history/computers_list.h"
#include "../core/saving.h"
#include "../core/sync_folder.h"
#include "../history/csv_export.h"
#include "../history/history_view.h"
#include "../history/import_export.h"
#include "../keyboard/count_each_key.h"
#include "../keyboard/keyboard_window.h"
#include "../meter/meter_frame.h"
#include "../res/resource.h"

// The exit sequence runs when WM_DESTROY is taken from the queue, after every hook
// message posted before it.
static void PostExit()
{
    PostMessageA(MeterWindow, WM_DESTROY, 0, 0);
}

static void PostHide()
{
    PostMessageA(MeterWindow, WM_CLOSE, 0, 0);
}

static void ToggleAutostart()
{
    SetAutostart(!IsAutostartEnabled());
}

// The open views take the other computers' days, or leave them, at once: the chart takes
// its figures as its timer would a second later.
static void ToggleShowAllComputers()
{
    if (!ChooseShowAllComputers(!ShowAllComputers))
        return;
    RefreshHistoryView();
    if (ChartWindow)
        SendMessageA(ChartWindow, WM_TIMER, CHART_TIMER_ID, 0);
}

static void ImportIntoHistory()
{
    ImportHistoryFile(MergeImport);
}


struct MeterCommand {
    WORD command;
    void (*run)();
    bool handled;  // false: the WM_COMMAND goes on to the default procedure afterwards
};

static const MeterCommand MeterCommands[] = {
    {IDM_EXIT, PostExit, true},
    {IDM_HIDE, PostHide, true},
    {IDM_ABOUT, ShowAboutBox, true},
    {IDM_CLEAR_DATA, ClearData, true},
    {IDM_SHOW, ToggleMeterWindow, true},
    {IDM_AUTOSTART, ToggleAutostart, true},
    {IDM_VIEW_HISTORY, ShowHistoryView, true},
    {IDM_VIEW_CHARTS, ShowChartWindow, true},
    {IDM_EXPORT_CSV, ExportHistoryCsv, true},
    {IDM_RECOUNT, RecountTotals, false},
    {IDM_EXPORT_HISTORY, ExportHistoryFile, true},
    {IDM_IMPORT_HISTORY, ImportIntoHistory, true},
    {IDM_ADD_HISTORY, AddHistoryFile, true},
    {IDM_COMPUTERS, ShowComputersList, true},
    {IDM_OPEN_BACKUPS, OpenBackupFolder, true},
    {IDM_SYNC_FOLDER, AnswerSyncFolderCommand, true},
    {IDM_SHOW_ALL_COMPUTERS, ToggleShowAllComputers, true},
    {IDM_VIEW_KEYBOARD, ShowKeyboardWindow, true},
    {IDM_COUNT_EACH_KEY, ToggleCountEachKey, true},
};

bool RunMeterCommand(HWND, WORD command)
{
    for (const MeterCommand &entry : MeterCommands) {
        if (entry.command == command) {
            entry.run();
            return entry.handled;
        }
    }
    return false;
}


MenuChecks CurrentMenuChecks()
{
    return MenuChecks{IsAutostartEnabled(), CountEachKey, ShowAllComputers, SyncFolderChosen()};
}
