// twdriver: the driver's helpers as a console command, for scripts (make stop, the
// screenshots, the benchmark). One command per run; exit code 0 on success.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "driver/driver.h"
#include "res/resource.h"

using namespace driver;

namespace {

const DWORD METER_WAIT_MS = 10000;

int Usage()
{
    fputs("usage: twdriver COMMAND [ARGS]\n"
          "  exit                 exit the running instance (1 when none runs)\n"
          "  wait-meter [MS]      wait until the meter window exists\n"
          "  show | hide | clear | history | recount | autostart\n"
          "  command ID           post WM_COMMAND ID to the meter\n"
          "  menu [X Y]           move the cursor to X,Y and open the popup menu\n"
          "  key VK [N]           press a virtual key N times (injected)\n"
          "  keys N               post N key-press hook messages\n"
          "  count KEYS MM L M R  post hook messages: keys, millimetres, clicks\n"
          "  reset                delete the settings key\n"
          "  seed-history N       write N days of plausible records and their totals\n"
          "  seed-keys N          turn Count Each Key on, with N plausible key presses\n"
          "  wait-window CLASS [MS]\n"
          "  rows                 print the rows of the open history window\n"
          "  sort COLUMN          click a column header of the open history window\n"
          "  close-history        close the open history window\n"
          "  export-history FILE  export the history through the save dialog\n"
          "  export-csv FILE      export the CSV through the save dialog\n"
          "  import FILE          open a history file through the open dialog, leave the\n"
          "                       question open\n"
          "  add FILE             add another computer's history file through the open\n"
          "                       dialog, leave the next question open\n"
          "  answer yes|no|ok     press a button of the program's message box\n"
          "  dialogs              describe the program's open dialogs\n"
          "  rect [CLASS]         print the window rectangle and visibility of the meter\n"
          "                       (or of the program's window of CLASS)\n"
          "  move X Y             move the meter's top left corner, as a drag would\n"
          "  app-mode-changed     tell every window the app mode changed, as Windows does\n"
          "  settle               wait until the shown meter has grown to fit its lines\n"
          "  seed-hourly          write a working week's hourly activity\n"
          "  charts               open the chart window, wait for it, print its rectangle\n"
          "  chart-choose ID N    choose item N of the chart window's combo box ID\n"
          "  close-charts         close the chart window\n"
          "  cursor X Y           move the mouse pointer to X,Y\n",
          stderr);
    return 2;
}

HWND Meter()
{
    HWND meter = FindMeter(METER_WAIT_MS);
    if (!meter)
        fputs("twdriver: no Tallywick window\n", stderr);
    return meter;
}

// The shown meter starts at 50 x 50 and grows at its first paint, which a slow start delays.
int SettleMeter()
{
    HWND meter = Meter();
    if (!meter || !WaitVisible(meter, true, 5000))
        return 1;
    for (int i = 0; i < 250 && WindowRect(meter).right - WindowRect(meter).left <= 50; i++)
        Sleep(20);
    WaitRectSettled(meter, 300, 5000);
    return 0;
}

int PostMeterCommand(WORD command)
{
    HWND meter = Meter();
    return meter && PostCommand(meter, command) ? 0 : 1;
}

int Exit()
{
    HWND meter = FindMeter(0);
    if (!meter)
        return 1;
    PostCommand(meter, IDM_EXIT);
    if (WaitWindowGone(meter, 10000))
        return 0;
    fputs("twdriver: the program did not end within 10 s\n", stderr);
    return 3;
}

int OpenMenu(int argc, char **argv)
{
    HWND meter = Meter();
    if (!meter)
        return 1;
    if (argc >= 4)
        SetCursorPos(atoi(argv[2]), atoi(argv[3]));
    return PostMessageA(meter, MSG_SHOW_MENU, 0, 0) ? 0 : 1;
}

int Count(int argc, char **argv)
{
    HWND meter = Meter();
    if (!meter || argc < 7)
        return 1;
    PostRepeated(meter, MSG_KEY_PRESS, atoi(argv[2]));
    // The meter refuses a single piece of movement over 10 m as impossible, so a larger
    // distance goes in pieces of 10 m and a remainder.
    double millimetres = atof(argv[3]);
    int pieces = (int)(millimetres / 10000.0);
    PostRepeated(meter, MSG_MOUSE_DISTANCE, pieces, FloatBits(10000.0f));
    PostRepeated(meter, MSG_MOUSE_DISTANCE, 1, FloatBits((float)(millimetres - pieces * 10000.0)));
    PostRepeated(meter, MSG_CLICK_LEFT, atoi(argv[4]));
    PostRepeated(meter, MSG_CLICK_MIDDLE, atoi(argv[5]));
    PostRepeated(meter, MSG_CLICK_RIGHT, atoi(argv[6]));
    return 0;
}

int SeedDays(int days)
{
    std::vector<DayRecord> records = PlausibleHistory(days);
    return SeedHistory(records) && SeedTotalsFrom(records) ? 0 : 1;
}

HWND OpenHistoryWindow()
{
    HWND meter = FindMeter(0);
    DWORD id = meter ? WindowProcessId(meter) : 0;
    HWND window = WaitTopWindow("TallywickHistory", id, 5000);
    if (!window)
        fputs("twdriver: no history window\n", stderr);
    return window;
}

int PrintRows()
{
    HWND window = OpenHistoryWindow();
    if (!window)
        return 1;
    for (const std::vector<std::string> &row : ListViewRows(HistoryListViewOf(window))) {
        for (size_t i = 0; i < row.size(); ++i)
            printf("%s%s", i ? " | " : "", row[i].c_str());
        printf("\n");
    }
    return 0;
}

int Sort(int column)
{
    HWND window = OpenHistoryWindow();
    return window && ClickColumnHeader(HistoryListViewOf(window), column) ? 0 : 1;
}

int CloseHistory()
{
    HWND window = OpenHistoryWindow();
    if (!window)
        return 1;
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitWindowGone(window, 5000) ? 0 : 1;
}

// Runs a menu command that opens a file dialog and answers it with `path`.
int AnswerFileDialog(WORD command, const char *path)
{
    HWND meter = Meter();
    if (!meter)
        return 1;
    DWORD id = WindowProcessId(meter);
    PostCommand(meter, command);
    HWND dialog = WaitDialog(id, 10000);
    if (!dialog || !IsFileDialog(dialog)) {
        fprintf(stderr, "twdriver: no file dialog (found %s)\n",
                dialog ? (WindowText(dialog) + "\n" + DescribeChildren(dialog)).c_str() : "none");
        return 1;
    }
    if (!FillFileDialog(dialog, path)) {
        fprintf(stderr, "twdriver: could not fill the file dialog:\n%s", DescribeChildren(dialog).c_str());
        return 1;
    }
    WaitWindowGone(dialog, 5000);
    return 0;
}

int Answer(const char *what)
{
    HWND meter = Meter();
    if (!meter)
        return 1;
    HWND box = WaitDialog(WindowProcessId(meter), 5000);
    if (!box)
        return 1;
    int id = !_stricmp(what, "yes") ? IDYES : !_stricmp(what, "no") ? IDNO : IDOK;
    PressButton(box, id);
    return WaitWindowGone(box, 5000) ? 0 : 1;
}

int Dialogs()
{
    HWND meter = FindMeter(0);
    for (HWND dialog : FindDialogs(meter ? WindowProcessId(meter) : 0)) {
        printf("dialog %p \"%s\"\n%s", (void *)dialog, WindowText(dialog).c_str(),
               DescribeChildren(dialog).c_str());
    }
    return 0;
}

HWND ChartWindowOfMeter()
{
    HWND meter = FindMeter(0);
    HWND window = WaitTopWindow("TallywickCharts", meter ? WindowProcessId(meter) : 0, 5000);
    if (!window)
        fputs("twdriver: no chart window\n", stderr);
    return window;
}

// As a user's choice arrives: the selection, then its notification to the window.
int ChooseInChart(int id, int item)
{
    HWND window = ChartWindowOfMeter();
    HWND box = window ? GetDlgItem(window, id) : nullptr;
    if (!box || SendMessageA(box, CB_SETCURSEL, item, 0) != item)
        return 1;
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)box);
    return 0;
}

int PrintRect(const char *className)
{
    HWND meter = Meter();
    HWND window = meter && *className ? WaitTopWindow(className, WindowProcessId(meter), 5000)
                                      : meter;
    if (!window)
        return 1;
    RECT r = WindowRect(window);
    printf("%ld %ld %ld %ld visible=%d\n", r.left, r.top, r.right, r.bottom,
           IsWindowVisible(window) ? 1 : 0);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return Usage();
    const char *command = argv[1];
    const char *arg = argc >= 3 ? argv[2] : "";
    if (!strcmp(command, "exit"))
        return Exit();
    if (!strcmp(command, "wait-meter"))
        return FindMeter(argc >= 3 ? atoi(arg) : METER_WAIT_MS) ? 0 : 1;
    if (!strcmp(command, "show"))
        return PostMeterCommand(IDM_SHOW);
    if (!strcmp(command, "hide"))
        return PostMeterCommand(IDM_HIDE);
    if (!strcmp(command, "clear"))
        return PostMeterCommand(IDM_CLEAR_DATA);
    if (!strcmp(command, "history"))
        return PostMeterCommand(IDM_VIEW_HISTORY);
    if (!strcmp(command, "recount"))
        return PostMeterCommand(IDM_RECOUNT);
    if (!strcmp(command, "autostart"))
        return PostMeterCommand(IDM_AUTOSTART);
    if (!strcmp(command, "command") && argc >= 3)
        return PostMeterCommand((WORD)atoi(arg));
    if (!strcmp(command, "menu"))
        return OpenMenu(argc, argv);
    if (!strcmp(command, "key") && argc >= 3) {
        PressKey((WORD)strtol(arg, nullptr, 0), argc >= 4 ? atoi(argv[3]) : 1);
        return 0;
    }
    if (!strcmp(command, "keys") && argc >= 3) {
        HWND meter = Meter();
        if (!meter)
            return 1;
        PostRepeated(meter, MSG_KEY_PRESS, atoi(arg));
        return 0;
    }
    if (!strcmp(command, "count"))
        return Count(argc, argv);
    if (!strcmp(command, "reset"))
        return DeleteKeyTree(SETTINGS_KEY_PATH) ? 0 : 1;
    if (!strcmp(command, "seed-history") && argc >= 3)
        return SeedDays(atoi(arg));
    if (!strcmp(command, "seed-keys") && argc >= 3)
        return SeedKeyCounts(strtoull(arg, nullptr, 10)) ? 0 : 1;
    if (!strcmp(command, "wait-window") && argc >= 3)
        return WaitTopWindow(arg, 0, argc >= 4 ? atoi(argv[3]) : 10000) ? 0 : 1;
    if (!strcmp(command, "rows"))
        return PrintRows();
    if (!strcmp(command, "sort") && argc >= 3)
        return Sort(atoi(arg));
    if (!strcmp(command, "close-history"))
        return CloseHistory();
    if (!strcmp(command, "export-history") && argc >= 3)
        return AnswerFileDialog(IDM_EXPORT_HISTORY, arg);
    if (!strcmp(command, "export-csv") && argc >= 3)
        return AnswerFileDialog(IDM_EXPORT_CSV, arg);
    if (!strcmp(command, "import") && argc >= 3)
        return AnswerFileDialog(IDM_IMPORT_HISTORY, arg);
    if (!strcmp(command, "add") && argc >= 3)
        return AnswerFileDialog(IDM_ADD_HISTORY, arg);
    if (!strcmp(command, "answer") && argc >= 3)
        return Answer(arg);
    if (!strcmp(command, "dialogs"))
        return Dialogs();
    if (!strcmp(command, "rect"))
        return PrintRect(arg);
    if (!strcmp(command, "settle"))
        return SettleMeter();
    if (!strcmp(command, "seed-hourly"))
        return SeedHourlyActivity() ? 0 : 1;
    if (!strcmp(command, "charts")) {
        HWND window = PostMeterCommand(IDM_VIEW_CHARTS) == 0 ? ChartWindowOfMeter() : nullptr;
        RECT r = window ? WindowRect(window) : RECT{};
        printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return window ? 0 : 1;
    }
    if (!strcmp(command, "chart-choose") && argc >= 4)
        return ChooseInChart(atoi(arg), atoi(argv[3]));
    if (!strcmp(command, "cursor") && argc >= 4)
        return SetCursorPos(atoi(arg), atoi(argv[3])) ? 0 : 1;
    if (!strcmp(command, "close-charts")) {
        HWND window = ChartWindowOfMeter();
        return window && PostMessageA(window, WM_CLOSE, 0, 0) && WaitWindowGone(window, 5000) ? 0 : 1;
    }
    if (!strcmp(command, "app-mode-changed")) {
        DWORD_PTR ignored;
        return SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, (LPARAM) "ImmersiveColorSet",
                                   SMTO_ABORTIFHUNG, 5000, &ignored) ? 0 : 1;
    }
    if (!strcmp(command, "move") && argc >= 4) {
        HWND meter = Meter();
        return meter && SetWindowPos(meter, nullptr, atoi(arg), atoi(argv[3]), 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
    }
    return Usage();
}
