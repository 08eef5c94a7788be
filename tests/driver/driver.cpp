// The driver's helpers; see driver.h.
#include "driver/driver.h"
#include <commctrl.h>
#include <stdio.h>
#include <string.h>
#include "res/resource.h"

namespace driver {

namespace {

const char *const METER_CLASS_NAME = "TALLYWICK";
const char *const DIALOG_CLASS = "#32770";

void Pause(DWORD ms)
{
    Sleep(ms);
}

}  // namespace

// ---- Processes --------------------------------------------------------------------------

std::string ExeDir()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char *slash = strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    return path;
}

std::string ProgramPath()
{
    return ExeDir() + "tallywick.exe";
}

Process StartProgram(const std::string &exe, const std::string &args, const std::string &workDir)
{
    return StartProgram(Widen(exe), Widen(args), Widen(workDir));
}

Process StartProgram(const std::wstring &exe, const std::wstring &args, const std::wstring &workDir)
{
    Process process;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!args.empty())
        commandLine += L" " + args;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &startup, &info))
        return process;
    CloseHandle(info.hThread);
    process.handle = info.hProcess;
    process.id = info.dwProcessId;
    return process;
}

bool WaitExit(const Process &process, DWORD timeoutMs, DWORD *exitCode)
{
    if (!process.handle)
        return false;
    if (WaitForSingleObject(process.handle, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(process.handle, exitCode);
    return true;
}

void CloseProcess(Process *process)
{
    if (process->handle)
        CloseHandle(process->handle);
    process->handle = nullptr;
    process->id = 0;
}

void StopAllInstances()
{
    for (HWND meter : FindTopWindows(METER_CLASS_NAME)) {
        DWORD id = WindowProcessId(meter);
        HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        PostCommand(meter, IDM_EXIT);
        if (handle) {
            // Dialogs of the program (a left-over message box) may hold up the exit.
            if (WaitForSingleObject(handle, 5000) != WAIT_OBJECT_0) {
                TerminateProcess(handle, 1);
                WaitForSingleObject(handle, 5000);
            }
            CloseHandle(handle);
        } else {
            WaitWindowGone(meter, 5000);
        }
    }
}

HANDLE SuspendWindowThread(HWND window)
{
    DWORD id = GetWindowThreadProcessId(window, nullptr);
    HANDLE thread = id ? OpenThread(THREAD_SUSPEND_RESUME, FALSE, id) : nullptr;
    if (thread && SuspendThread(thread) == (DWORD)-1) {
        CloseHandle(thread);
        thread = nullptr;
    }
    return thread;
}

void ResumeSuspendedThread(HANDLE thread)
{
    ResumeThread(thread);
    CloseHandle(thread);
}

// ---- Windows and messages ---------------------------------------------------------------

namespace {

struct TopWindowSearch {
    const char *className;
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM param)
{
    TopWindowSearch *search = (TopWindowSearch *)param;
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    if (strcmp(name, search->className) != 0)
        return TRUE;
    if (search->processId && WindowProcessId(window) != search->processId)
        return TRUE;
    search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> FindTopWindows(const char *className, DWORD processId)
{
    TopWindowSearch search{className, processId, {}};
    EnumWindows(CollectTopWindow, (LPARAM)&search);
    return search.found;
}

HWND WaitTopWindow(const char *className, DWORD processId, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = FindTopWindows(className, processId);
        if (!found.empty())
            return found.front();
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Pause(20);
    }
}

HWND FindMeter(DWORD timeoutMs)
{
    return WaitTopWindow(METER_CLASS_NAME, 0, timeoutMs);
}

HWND FindMeterOf(DWORD processId, DWORD timeoutMs)
{
    return WaitTopWindow(METER_CLASS_NAME, processId, timeoutMs);
}

bool WaitWindowGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Pause(20);
    }
    return true;
}

HWND CreatePlainWindow(const char *className, WNDPROC proc, DWORD exStyle)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(exStyle, className, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

bool WaitVisible(HWND window, bool visible, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while ((IsWindowVisible(window) != FALSE) != visible) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Pause(20);
    }
    return true;
}

bool PostCommand(HWND window, WORD command)
{
    return PostMessageA(window, WM_COMMAND, command, 0) != FALSE;
}

LRESULT SendCommand(HWND window, WORD command)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_COMMAND, command, 0, SMTO_NORMAL, 10000, &result);
    return (LRESULT)result;
}

void PostRepeated(HWND window, UINT message, int n, LPARAM lParam)
{
    for (int i = 0; i < n; ++i) {
        // A full queue (10,000 messages under Windows) refuses posts: give it time.
        while (!PostMessageA(window, message, 0, lParam)) {
            if (!IsWindow(window))
                return;
            Pause(5);
        }
    }
}

LPARAM FloatBits(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    return (LPARAM)bits;
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_NORMAL, 3000, &length);
    return text;
}

std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD WindowProcessId(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

RECT WaitRectSettled(HWND window, DWORD quietMs, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    RECT last = WindowRect(window);
    DWORD lastChange = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        Pause(20);
        RECT now = WindowRect(window);
        if (!EqualRect(&now, &last)) {
            last = now;
            lastChange = GetTickCount();
        } else if (GetTickCount() - lastChange >= quietMs) {
            break;
        }
    }
    return last;
}

// ---- Injected input ---------------------------------------------------------------------

void PressKey(WORD vk, int times)
{
    for (int i = 0; i < times; ++i) {
        INPUT input[2] = {};
        input[0].type = INPUT_KEYBOARD;
        input[0].ki.wVk = vk;
        input[0].ki.wScan = (WORD)MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
        input[1] = input[0];
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        Pause(2);
    }
}

UINT PressScanKey(WORD vk, WORD scan, DWORD flags)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = vk;
    input[0].ki.wScan = input[1].ki.wScan = scan;
    input[0].ki.dwFlags = flags;
    input[1].ki.dwFlags = flags | KEYEVENTF_KEYUP;
    return SendInput(2, input, sizeof(INPUT));
}

UINT SendKeyEvents(const std::vector<KeyEvent> &events)
{
    std::vector<INPUT> inputs(events.size());
    for (size_t i = 0; i < events.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = events[i].vk;
        inputs[i].ki.wScan = events[i].scan;
        inputs[i].ki.dwFlags = (events[i].extended ? KEYEVENTF_EXTENDEDKEY : 0)
                               | (events[i].up ? KEYEVENTF_KEYUP : 0);
    }
    return SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

void ClickMouse(MouseButton button, int times)
{
    static const DWORD DOWN[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_RIGHTDOWN};
    static const DWORD UP[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_MIDDLEUP, MOUSEEVENTF_RIGHTUP};
    for (int i = 0; i < times; ++i) {
        INPUT input[2] = {};
        input[0].type = INPUT_MOUSE;
        input[0].mi.dwFlags = DOWN[button];
        input[1].type = INPUT_MOUSE;
        input[1].mi.dwFlags = UP[button];
        SendInput(2, input, sizeof(INPUT));
        // Apart enough that two presses never make a double click of their own.
        Pause(2);
    }
}

void MoveMouseTo(int x, int y)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (LONG)((x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = (LONG)((y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
    Pause(10);
}

void ClickAt(int x, int y, MouseButton button)
{
    MoveMouseTo(x, y);
    ClickMouse(button, 1);
}

bool ClickCaption(HWND window, DWORD timeoutMs)
{
    RECT rect = WindowRect(window);
    int y = rect.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER) +
            GetSystemMetrics(SM_CYCAPTION) / 2;
    ClickAt((rect.left + rect.right) / 2, y, MOUSE_LEFT);
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != window) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Pause(20);
    }
    return true;
}

void MoveMouseBy(int dx, int dy, int steps)
{
    if (steps < 1)
        steps = 1;
    for (int i = 0; i < steps; ++i) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = dx / steps;
        input.mi.dy = dy / steps;
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &input, sizeof(INPUT));
        Pause(5);
    }
}

// ---- Registry ---------------------------------------------------------------------------

const char *const SETTINGS_KEY_PATH = "Software\\Ferrowood\\Tallywick";
const char *const RUN_KEY_PATH = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char *const TEST_KEY_PATH = "Software\\Ferrowood\\TallywickTest";

bool DeleteKeyTree(const char *path)
{
    LONG result = RegDeleteTreeA(HKEY_CURRENT_USER, path);
    if (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND)
        RegDeleteKeyA(HKEY_CURRENT_USER, path);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        return false;
    }
    return true;
}

RegValue ReadValue(const char *path, const char *name)
{
    RegValue value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        if (RegQueryValueExA(key, name, nullptr, &type, size ? value.data.data() : nullptr,
                             &size) == ERROR_SUCCESS) {
            value.present = true;
            value.type = type;
            value.data.resize(size);
        }
    }
    RegCloseKey(key);
    return value;
}

bool ReadQword(const char *path, const char *name, uint64_t *value)
{
    RegValue read = ReadValue(path, name);
    if (!read.present || read.data.size() != 8)
        return false;
    memcpy(value, read.data.data(), 8);
    return true;
}

bool ReadDword(const char *path, const char *name, DWORD *value)
{
    RegValue read = ReadValue(path, name);
    if (!read.present || read.data.size() != 4)
        return false;
    memcpy(value, read.data.data(), 4);
    return true;
}

bool WriteValue(const char *path, const char *name, DWORD type, const void *data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(key, name, 0, type, (const BYTE *)data, size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool WriteQword(const char *path, const char *name, uint64_t value)
{
    return WriteValue(path, name, REG_QWORD, &value, 8);
}

bool WriteDword(const char *path, const char *name, DWORD value)
{
    return WriteValue(path, name, REG_DWORD, &value, 4);
}

bool DeleteValue(const char *path, const char *name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return false;
    LONG result = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::vector<uint8_t> MakeEdid(int widthMm, int heightMm, int widthCm, int heightCm)
{
    std::vector<uint8_t> edid = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    edid.resize(128);
    edid[21] = (uint8_t)widthCm;
    edid[22] = (uint8_t)heightCm;
    edid[54] = 0x01;  // a pixel clock: a timing descriptor, not a display descriptor
    edid[66] = (uint8_t)widthMm;
    edid[67] = (uint8_t)heightMm;
    edid[68] = (uint8_t)((widthMm >> 8) << 4 | heightMm >> 8);
    for (int i = 0; i < 127; ++i)
        edid[127] -= edid[i];
    return edid;
}

std::vector<std::pair<std::string, RegValue>> ReadAllValues(const char *path)
{
    std::vector<std::pair<std::string, RegValue>> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        values.emplace_back(name, ReadValue(path, name));
    }
    RegCloseKey(key);
    return values;
}

uint32_t MakeDate(int year, int month, int day)
{
    return (uint32_t)year << 16 | (uint32_t)(month & 0xFF) << 8 | (uint32_t)(day & 0xFF);
}

uint32_t TodayDate()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return MakeDate(now.wYear, now.wMonth, now.wDay);
}

uint32_t DateDaysAgo(int daysBack)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME file;
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    ticks.QuadPart -= (ULONGLONG)daysBack * 24 * 3600 * 10000000ULL;
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME then;
    FileTimeToSystemTime(&file, &then);
    return MakeDate(then.wYear, then.wMonth, then.wDay);
}

bool SeedHistory(const std::vector<DayRecord> &records)
{
    DWORD count = (DWORD)records.size();
    if (!WriteDword(SETTINGS_KEY_PATH, "History Items", count))
        return false;
    return WriteValue(SETTINGS_KEY_PATH, "History", REG_BINARY,
                      records.empty() ? nullptr : records.data(), count * 24);
}

std::vector<DayRecord> PlausibleHistory(int days, uint32_t seed)
{
    std::vector<DayRecord> records;
    uint32_t state = seed * 2654435761u + 12345;
    auto next = [&state](uint32_t range) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % range;
    };
    for (int back = days; back >= 1; --back) {
        DayRecord record = {};
        record.date = DateDaysAgo(back);
        record.keys = 2000 + next(40000);
        record.distance = (float)(50000 + next(3000000)) + 0.25f * (float)next(4);
        record.leftClicks = (uint16_t)(300 + next(5000));
        record.middleClicks = (uint16_t)next(60);
        record.rightClicks = (uint16_t)(20 + next(400));
        record.seconds = 1800 + next(30000);
        records.push_back(record);
    }
    return records;
}

bool SeedHourlyActivity()
{
    struct Hour {
        uint64_t keys, clicks;
        double distance;
    } hours[168] = {};
    for (int i = 0; i < 168; ++i) {
        int day = i / 24, hour = i % 24;
        bool work = day < 5 && hour >= 9 && hour < 18 && hour != 12;
        uint64_t weight = work ? 40 + (uint64_t)(i * 7919 % 23) : hour >= 19 && hour < 23 ? 8 : 0;
        hours[i] = Hour{weight * 900, weight * 60, weight * 30000.0};
    }
    return WriteValue(SETTINGS_KEY_PATH, "Hourly Activity", REG_BINARY, hours, sizeof hours);
}

std::vector<DayRecord> ReadHistory()
{
    std::vector<DayRecord> records;
    RegValue value = ReadValue(SETTINGS_KEY_PATH, "History");
    size_t count = value.data.size() / 24;
    records.resize(count);
    if (count)
        memcpy(records.data(), value.data.data(), count * 24);
    return records;
}

bool SeedTotalsFrom(const std::vector<DayRecord> &records)
{
    uint64_t keys = 0, left = 0, middle = 0, right = 0, seconds = 0;
    double distance = 0;
    for (const DayRecord &record : records) {
        keys += record.keys;
        left += record.leftClicks;
        middle += record.middleClicks;
        right += record.rightClicks;
        seconds += record.seconds;
        distance += record.distance;
    }
    return WriteQword(SETTINGS_KEY_PATH, "Keyboard Presses", keys) &&
           WriteValue(SETTINGS_KEY_PATH, "Mouse Trajectory", REG_BINARY, &distance, 8) &&
           WriteQword(SETTINGS_KEY_PATH, "Total Time", seconds) &&
           WriteQword(SETTINGS_KEY_PATH, "Mouse Clicks L", left) &&
           WriteQword(SETTINGS_KEY_PATH, "Mouse Clicks M", middle) &&
           WriteQword(SETTINGS_KEY_PATH, "Mouse Clicks R", right);
}

bool SeedKeyCounts(uint64_t allTime)
{
    // Per mille of all presses, by scan code: letters by their frequency in English text,
    // then space, the editing keys, digits and modifiers, and volume and play keys, which
    // the board has no place for.
    static const struct { uint16_t key; uint16_t perMille; } shares[] = {
        {0x12, 95}, {0x14, 69}, {0x1E, 62}, {0x18, 57}, {0x17, 53}, {0x31, 51}, {0x1F, 48},
        {0x23, 46}, {0x13, 45}, {0x20, 33}, {0x26, 30}, {0x2E, 21}, {0x16, 21}, {0x32, 18},
        {0x11, 18}, {0x21, 17}, {0x22, 15}, {0x15, 15}, {0x19, 14}, {0x30, 11}, {0x2F, 8},
        {0x25, 6}, {0x24, 1}, {0x2D, 1}, {0x10, 1}, {0x2C, 1}, {0x39, 160}, {0x0E, 45},
        {0x1C, 18}, {0x2A, 22}, {0x36, 6}, {0x1D, 14}, {0x11D, 2}, {0x0F, 8}, {0x33, 10},
        {0x34, 9}, {0x02, 4}, {0x03, 4}, {0x04, 3}, {0x0B, 4}, {0x14B, 6}, {0x14D, 6},
        {0x148, 5}, {0x150, 5}, {0x01, 3}, {0x38, 3}, {0x3F, 1}, {0x4F, 2}, {0x11C, 1},
        {0x153, 3}, {0x15B, 1}, {0x130, 2}, {0x12E, 1}, {0x122, 1}};
    std::vector<uint8_t> all(512 * 8, 0), today(4 + 512 * 4, 0);
    uint32_t date = TodayDate();
    memcpy(today.data(), &date, 4);
    for (const auto &share : shares) {
        uint64_t count = allTime * share.perMille / 1000;
        uint32_t ofToday = (uint32_t)(count / 100);
        memcpy(&all[share.key * 8], &count, 8);
        memcpy(&today[4 + share.key * 4], &ofToday, 4);
    }
    return WriteDword(SETTINGS_KEY_PATH, "Count Each Key", 1)
           && WriteValue(SETTINGS_KEY_PATH, "Keys All Time", REG_BINARY, all.data(), 512 * 8)
           && WriteValue(SETTINGS_KEY_PATH, "Keys Today", REG_BINARY, today.data(), 4 + 512 * 4);
}

// ---- Dialogs and message boxes ----------------------------------------------------------

std::vector<HWND> FindDialogs(DWORD processId)
{
    std::vector<HWND> visible;
    for (HWND dialog : FindTopWindows(DIALOG_CLASS, processId))
        if (IsWindowVisible(dialog))
            visible.push_back(dialog);
    return visible;
}

HWND WaitDialog(DWORD processId, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = FindDialogs(processId);
        if (!found.empty())
            return found.front();
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Pause(20);
    }
}

namespace {

struct ChildSearch {
    std::vector<HWND> children;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    ((ChildSearch *)param)->children.push_back(window);
    return TRUE;
}

std::vector<HWND> AllChildren(HWND parent)
{
    ChildSearch search;
    EnumChildWindows(parent, CollectChild, (LPARAM)&search);
    return search.children;
}

bool IsClass(HWND window, const char *name)
{
    return _stricmp(ClassName(window).c_str(), name) == 0;
}

}  // namespace

std::string DialogStaticText(HWND dialog)
{
    std::string text;
    for (HWND child : AllChildren(dialog)) {
        if (!IsClass(child, "Static"))
            continue;
        std::string piece = WindowText(child);
        if (piece.empty())
            continue;
        if (!text.empty())
            text += "\n";
        text += piece;
    }
    return text;
}

std::string DescribeChildren(HWND dialog)
{
    std::string description;
    for (HWND child : AllChildren(dialog)) {
        char line[512];
        snprintf(line, sizeof line, "%s id=0x%X visible=%d text=\"%s\"\n", ClassName(child).c_str(),
                 (unsigned)GetDlgCtrlID(child), IsWindowVisible(child) ? 1 : 0,
                 WindowText(child).c_str());
        description += line;
    }
    return description;
}

bool HasButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    return button && IsClass(button, "Button");
}

bool PressButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button && IsClass(button, "Button"))
        return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button) != FALSE;
}

namespace {

bool HasEditControl(HWND dialog)
{
    for (HWND child : AllChildren(dialog))
        if (IsClass(child, "Edit"))
            return true;
    return false;
}

// The field a file dialog gives the focus when it opens, the file name's. Both kinds have
// it as an edit control, but only the old kind under control ids of its own: the
// Vista-style dialog keeps it deep in its views. The focus is asked of the dialog's
// thread, which need not be in the foreground.
HWND FocusedNameField(HWND dialog)
{
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui))
        return nullptr;
    HWND focus = gui.hwndFocus;
    return focus && IsChild(dialog, focus) && IsClass(focus, "Edit") ? focus : nullptr;
}

}  // namespace

bool IsFileDialog(HWND dialog)
{
    return HasEditControl(dialog);
}

HWND FileNameField(HWND dialog, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND field = FocusedNameField(dialog);
        if (field || GetTickCount() - start >= timeoutMs)
            return field;
        Pause(20);
    }
}

bool FillFileDialog(HWND dialog, const std::string &path)
{
    HWND field = FileNameField(dialog, 5000);
    if (!field)
        return false;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(field, WM_SETTEXT, 0, (LPARAM)path.c_str(), SMTO_NORMAL, 3000, &result);
    if (WindowText(field) != path)
        return false;
    // The command, not a click: a button's BM_CLICK may be lost while its dialog is not
    // the active window.
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        (LPARAM)GetDlgItem(dialog, IDOK)) != FALSE;
}

// ---- The history list view of another process -------------------------------------------

namespace {

// Memory lent in another process for the pointers that list view messages carry.
struct RemoteBuffer {
    HANDLE process = nullptr;
    void *address = nullptr;
    RemoteBuffer(HWND window, size_t size)
    {
        process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                              WindowProcessId(window));
        if (process)
            address = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                     PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (address)
            VirtualFreeEx(process, address, 0, MEM_RELEASE);
        if (process)
            CloseHandle(process);
    }
    bool Write(size_t offset, const void *data, size_t size)
    {
        SIZE_T done = 0;
        return WriteProcessMemory(process, (char *)address + offset, data, size, &done) &&
               done == size;
    }
    bool Read(size_t offset, void *data, size_t size)
    {
        SIZE_T done = 0;
        return ReadProcessMemory(process, (char *)address + offset, data, size, &done) &&
               done == size;
    }
};

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return (LRESULT)result;
}

}  // namespace

HWND HistoryListViewOf(HWND historyWindow)
{
    return FindWindowExA(historyWindow, nullptr, "SysListView32", nullptr);
}

int ListViewRowCount(HWND listView)
{
    return (int)SendTo(listView, LVM_GETITEMCOUNT, 0, 0);
}

int ListViewColumnCount(HWND listView)
{
    HWND header = (HWND)SendTo(listView, LVM_GETHEADER, 0, 0);
    return header ? (int)SendTo(header, HDM_GETITEMCOUNT, 0, 0) : 0;
}

std::string ListViewCell(HWND listView, int row, int column)
{
    const size_t TEXT_SIZE = 512;
    RemoteBuffer remote(listView, sizeof(LVITEMA) + TEXT_SIZE);
    if (!remote.address)
        return "<no remote memory>";
    char *remoteText = (char *)remote.address + sizeof(LVITEMA);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = remoteText;
    item.cchTextMax = TEXT_SIZE;
    char text[TEXT_SIZE] = "";
    if (!remote.Write(0, &item, sizeof item) || !remote.Write(sizeof(LVITEMA), text, TEXT_SIZE))
        return "<write failed>";
    SendTo(listView, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)remote.address);
    // The list view may answer with a pointer of its own in pszText.
    LVITEMA answered = {};
    remote.Read(0, &answered, sizeof answered);
    if (answered.pszText && answered.pszText != remoteText) {
        SIZE_T done = 0;
        ReadProcessMemory(remote.process, answered.pszText, text, TEXT_SIZE - 1, &done);
    } else {
        remote.Read(sizeof(LVITEMA), text, TEXT_SIZE);
    }
    text[TEXT_SIZE - 1] = '\0';
    return text;
}

std::vector<std::vector<std::string>> ListViewRows(HWND listView)
{
    std::vector<std::vector<std::string>> rows;
    int count = ListViewRowCount(listView);
    int columns = ListViewColumnCount(listView);
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column)
            cells.push_back(ListViewCell(listView, row, column));
        rows.push_back(cells);
    }
    return rows;
}

int ListViewSelectedRow(HWND listView)
{
    return (int)SendTo(listView, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
}

bool ClickColumnHeader(HWND listView, int column)
{
    HWND header = (HWND)SendTo(listView, LVM_GETHEADER, 0, 0);
    if (!header)
        return false;
    RemoteBuffer remote(listView, sizeof(RECT));
    if (!remote.address)
        return false;
    RECT rect = {};
    if (!SendTo(header, HDM_GETITEMRECT, (WPARAM)column, (LPARAM)remote.address) ||
        !remote.Read(0, &rect, sizeof rect))
        return false;
    POINT middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(header, &middle);
    HWND top = GetAncestor(listView, GA_ROOT);
    SetForegroundWindow(top);
    Pause(50);
    ClickAt(middle.x, middle.y, MOUSE_LEFT);
    Pause(50);
    // Away from the header, so that the next click is not taken as a double click.
    MoveMouseTo(middle.x, middle.y + 200);
    Pause(400);
    return true;
}

// ---- Text -------------------------------------------------------------------------------

std::string Utf8ToCodePage(const char *utf8, UINT codePage)
{
    int wide = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::vector<wchar_t> buffer(wide);
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, buffer.data(), wide);
    int narrow = WideCharToMultiByte(codePage, 0, buffer.data(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> out(narrow);
    WideCharToMultiByte(codePage, 0, buffer.data(), -1, out.data(), narrow, nullptr, nullptr);
    return std::string(out.data());
}

std::string ToHex(const std::string &bytes)
{
    std::string hex;
    char piece[4];
    for (unsigned char c : bytes) {
        snprintf(piece, sizeof piece, "%02X ", c);
        hex += piece;
    }
    return hex;
}

bool ReadFileBytes(const std::string &path, std::string *bytes)
{
    return ReadFileBytes(Widen(path), bytes);
}

bool ReadFileBytes(const std::wstring &path, std::string *bytes)
{
    FILE *file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return false;
    bytes->clear();
    char chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes->append(chunk, got);
    fclose(file);
    return true;
}

bool WriteFileBytes(const std::string &path, const std::string &bytes)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

std::wstring Widen(const std::string &text)
{
    int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), &wide[0], size);
    return wide;
}

std::string TempDir()
{
    char base[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, base);
    char dir[MAX_PATH];
    snprintf(dir, sizeof dir, "%stallywick-e2e-%lu\\", base, GetCurrentProcessId());
    CreateDirectoryA(dir, nullptr);
    return dir;
}

}  // namespace driver
