// Start-up as the user meets it: the command-line export, the single instance, the first
// run, and the exit codes of a normal run and of a hook library that cannot start.
#include "e2e_support.h"
#include "res/resource.h"
#include "safety/test_safety.h"
#include <sddl.h>

using namespace driver;

namespace e2e {
namespace {

struct StartupTest : E2eTest {};

std::vector<DayRecord> ExportSample()
{
    std::vector<DayRecord> records = PlausibleHistory(3, 7);
    // Wide figures: grouping of a 7-digit count, 90000 s as 25:00:00, an old date out of
    // list order, and a day with nothing.
    records[0].keys = 1234567;
    records[0].seconds = 90000;
    records[0].distance = 1234567.0f;
    records[0].leftClicks = 65535;
    DayRecord old = {};
    old.date = MakeDate(2010, 6, 7);
    old.keys = 12345;
    old.distance = 999999.0f;
    old.leftClicks = 1500;
    old.middleClicks = 20;
    old.rightClicks = 300;
    old.seconds = 3725;
    records.push_back(old);
    records.push_back(DayRecord{MakeDate(2024, 2, 29), 0, 0.0f, 0, 0, 0, 0, 0});
    return records;
}

std::string ExpectedCsv(const std::vector<DayRecord> &records)
{
    std::string csv;
    for (const DayRecord &record : records)
        csv += CsvLine(record);
    return csv;
}

// "Global\Tallywick-" and this user's SID, from the test's own token: the program runs as
// the same user.
std::string UserMutexName()
{
    HANDLE token = nullptr;
    BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    char *sid = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
        GetTokenInformation(token, TokenUser, user, sizeof user, &size))
        ConvertSidToStringSidA(((TOKEN_USER *)user)->User.Sid, &sid);
    CloseHandle(token);
    std::string name = std::string("Global\\Tallywick-") + (sid ? sid : "?");
    LocalFree(sid);
    return name;
}

// While the start runs no meter window of it or of any other process may appear.
DWORD RunWatchingForMeters(const std::string &args, bool *windowSeen)
{
    std::vector<HWND> before = FindTopWindows("TALLYWICK");
    Process exporter = StartProgram(ProgramPath(), args);
    *windowSeen = false;
    DWORD code = 0xDEAD;
    DWORD start = GetTickCount();
    while (!WaitExit(exporter, 10, &code)) {
        if (FindTopWindows("TALLYWICK").size() > before.size() ||
            !FindTopWindows("TALLYWICK", exporter.id).empty())
            *windowSeen = true;
        if (GetTickCount() - start > START_TIMEOUT_MS) {
            TerminateProcess(exporter.handle, 1);
            code = 0xDEAD;
            break;
        }
    }
    CloseProcess(&exporter);
    return code;
}

TEST_F(StartupTest, CommandLineExportWritesTheStoredHistoryInAnyLetterCase)
{
    SKIP_OUTSIDE_CODE_PAGE_936();
    std::vector<DayRecord> records = ExportSample();
    ASSERT_TRUE(SeedHistory(records));
    std::string expected = ExpectedCsv(records);
    std::string dir = TempDir();

    const char *switches[] = {"/exporthistory", "/EXPORTHISTORY", "/ExportHistory"};
    for (int i = 0; i < 3; ++i) {
        const char *option = switches[i];
        std::string path = dir + "export" + std::to_string(i) + ".csv";
        DeleteFileA(path.c_str());
        bool windowSeen = false;
        DWORD code = RunWatchingForMeters(std::string(option) + " \"" + path + "\" ignored", &windowSeen);
        EXPECT_EQ(code, 0u) << option;
        EXPECT_FALSE(windowSeen) << option << " created a meter window";
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(path, &bytes)) << option << ": no file " << path;
        EXPECT_EQ(bytes, expected) << option << "\n got: " << ToHex(bytes) << "\nwant: " << ToHex(expected);
    }
}

// Another computer's history as the program keeps it: the file, its trailer naming `id`
// with zlib's CRC-32, worked out bit by bit.
std::string KeptFileBytes(uint64_t id, const std::vector<DayRecord> &records)
{
    uint16_t fields[2] = {1, 32}, units = 1;
    uint64_t writtenAt = 133500000000000000ull;
    std::string trailer = "TWKS" + std::string((const char *)fields, 4)
                          + std::string((const char *)&id, 8)
                          + std::string((const char *)&writtenAt, 8)
                          + std::string((const char *)&units, 2) + std::string("x\0", 2);
    uint32_t crc = 0xFFFFFFFF;
    for (unsigned char byte : trailer) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    crc = ~crc;
    return HistoryFileBytes(records) + trailer + std::string((const char *)&crc, 4);
}

// 2 March is held by this computer and a kept one, its keys and left clicks summed past a
// record's widths; the choice stored as on does not change the plain export.
TEST_F(StartupTest, ExportWithAllWritesEveryComputersDaysSummedAndWithoutItThisOnesAlone)
{
    SKIP_OUTSIDE_CODE_PAGE_936();
    const uint32_t MARCH_2 = MakeDate(2024, 3, 2);
    std::vector<DayRecord> own = {{MARCH_2, 3000000000u, 1500.0f, 3, 2, 40000, 0, 3600},
                                  {MakeDate(2024, 3, 1), 7, 250.0f, 0, 0, 1, 0, 60}};
    std::vector<DayRecord> desk = {{MARCH_2, 2000000005u, 3500.0f, 1, 0, 30100, 0, 1805},
                                   {MakeDate(2024, 3, 3), 9, 10.0f, 0, 0, 2, 0, 30}};
    ASSERT_TRUE(SeedHistory(own));
    ASSERT_TRUE(WriteDword(SETTINGS_KEY_PATH, "Show All Computers", 1));
    char local[MAX_PATH] = "";
    GetEnvironmentVariableA("LOCALAPPDATA", local, MAX_PATH);
    std::string folder = std::string(local) + "\\Tallywick";
    std::string kept = folder + "\\Computers\\00000000000D35C1.twh";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\Computers").c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(kept, KeptFileBytes(0xD35C1, desk)));

    std::string all = TempDir() + "all.csv", mine = TempDir() + "mine.csv", bytes;
    EXPECT_EQ(RunToEnd("/exporthistory \"" + all + "\" /ALL"), 0u);
    EXPECT_EQ(RunToEnd("/exporthistory \"" + mine + "\""), 0u);
    DeleteFileA(kept.c_str());
    DayRecord sum = {MARCH_2, 0, 5000.0f, 0, 0, 0, 0, 5405};
    std::string expected = CsvLine(own[1]) + DateText(MARCH_2) + ",5 000 000 005,"
                           + MetresText(sum) + ",70 100,2,4," + TimeText(sum.seconds) + "\r\n"
                           + CsvLine(desk[1]);
    ASSERT_TRUE(ReadFileBytes(all, &bytes));
    EXPECT_EQ(bytes, expected) << "\n got: " << ToHex(bytes) << "\nwant: " << ToHex(expected);
    ASSERT_TRUE(ReadFileBytes(mine, &bytes));
    EXPECT_EQ(bytes, ExpectedCsv(own)) << "the plain export";
}

TEST_F(StartupTest, ExportWhileResidentRunsShowsItsLastSaveAndDisturbsNothing)
{
    std::vector<DayRecord> records = PlausibleHistory(4);
    ASSERT_TRUE(SeedHistory(records));
    StartResident();
    PostRepeated(meter, MSG_KEY_PRESS, 3);

    std::string path = TempDir() + "while-running.csv";
    DeleteFileA(path.c_str());
    bool windowSeen = false;
    EXPECT_EQ(RunWatchingForMeters("/exporthistory \"" + path + "\"", &windowSeen), 0u);
    EXPECT_FALSE(windowSeen);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, &bytes));
    // The resident instance has saved nothing yet: the file is the seeded history.
    EXPECT_EQ(bytes, ExpectedCsv(records));

    EXPECT_TRUE(IsWindow(meter));
    EXPECT_EQ(FindTopWindows("TALLYWICK").size(), 1u);
    EXPECT_EQ(ExitResident(), 0u);
    uint64_t keys = 0;
    EXPECT_TRUE(ReadQword(SETTINGS_KEY_PATH, "Keyboard Presses", &keys));
    EXPECT_EQ(keys, 3u);
}

TEST_F(StartupTest, ExportOfAnEmptyHistoryGivesAnEmptyFileAndAFailureIsReported)
{
    SKIP_OUTSIDE_CODE_PAGE_936();
    std::string path = TempDir() + "empty.csv";
    WriteFileBytes(path, "old contents");
    EXPECT_EQ(RunToEnd("/exporthistory \"" + path + "\""), 0u);
    std::string bytes = "?";
    ASSERT_TRUE(ReadFileBytes(path, &bytes));
    EXPECT_EQ(bytes, "");

    // A folder that does not exist, and a file whose every write fails (Z: is the host's
    // root under Wine): the box has no owner, and then the exit code 1 tells a script.
    ASSERT_TRUE(SeedHistory(PlausibleHistory(2)));
    for (const char *path : {"C:\\no\\such\\folder\\x.csv", "Z:\\dev\\full"}) {
        Process exporter = StartProgram(ProgramPath(), std::string("/exporthistory ") + path);
        HWND box = WaitDialog(exporter.id, 10000);
        ASSERT_TRUE(box) << "no failure message for " << path;
        EXPECT_EQ(DialogStaticText(box), Gbk("导出失败!"));
        EXPECT_EQ(WindowText(box), "Tallywick");
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
        PressButton(box, IDOK);
        DWORD code = 0xDEAD;
        EXPECT_TRUE(WaitExit(exporter, 10000, &code));
        EXPECT_EQ(code, 1u) << path;
        CloseProcess(&exporter);
    }
}

TEST_F(StartupTest, SwitchWithoutFileNameStartsTheResidentProgram)
{
    program = StartProgram(ProgramPath(), "/exporthistory");
    meter = FindMeterOf(program.id, START_TIMEOUT_MS);
    ASSERT_TRUE(meter) << "the switch alone must start the resident program";
    EXPECT_EQ(ExitResident(), 0u);
}

TEST_F(StartupTest, FirstRunCreatesEveryValueAndSecondStartShowsTheMeterAndSavesNothing)
{
    StartResident();
    EXPECT_FALSE(IsWindowVisible(meter));

    // A second start while the first runs ends at once with 0, saves nothing and brings
    // the hidden meter into view.
    PostRepeated(meter, MSG_KEY_PRESS, 2);
    auto before = ReadAllValues(SETTINGS_KEY_PATH);
    EXPECT_EQ(RunToEnd(""), 0u);
    EXPECT_TRUE(WaitVisible(meter, true, 5000)) << "the second start did not show the meter";
    EXPECT_EQ(FindTopWindows("TALLYWICK").size(), 1u);
    auto after = ReadAllValues(SETTINGS_KEY_PATH);
    EXPECT_EQ(before.size(), after.size());
    EXPECT_TRUE(before.empty()) << "nothing is saved before the first period ends";
    // A third start shows it, never hides it.
    EXPECT_EQ(RunToEnd(""), 0u);
    EXPECT_FALSE(WaitVisible(meter, false, 1000)) << "a further start hid the meter";
    EXPECT_FALSE(WaitExit(program, 0, nullptr)) << "the first instance ended";
    HANDLE userMutex = OpenMutexA(SYNCHRONIZE, FALSE, UserMutexName().c_str());
    EXPECT_TRUE(userMutex) << "no mutex for the user's other sessions";
    CloseHandle(userMutex);

    EXPECT_EQ(ExitResident(), 0u);
    struct Expected {
        const char *name;
        DWORD type;
        size_t size;
    } expected[] = {
        {"Keyboard Presses", REG_QWORD, 8}, {"Mouse Trajectory", REG_BINARY, 8},
        {"Total Time", REG_QWORD, 8},       {"Mouse Clicks L", REG_QWORD, 8},
        {"Mouse Clicks M", REG_QWORD, 8},   {"Mouse Clicks R", REG_QWORD, 8},
        {"History Items", REG_DWORD, 4},    {"History", REG_BINARY, 24},
        {"Hourly Activity", REG_BINARY, 4032},
    };
    auto values = ReadAllValues(SETTINGS_KEY_PATH);
    EXPECT_EQ(values.size(), 9u) << "the key holds the nine values and nothing else";
    for (const Expected &want : expected) {
        RegValue value = ReadValue(SETTINGS_KEY_PATH, want.name);
        EXPECT_TRUE(value.present) << want.name;
        EXPECT_EQ(value.type, want.type) << want.name;
        EXPECT_EQ(value.data.size(), want.size) << want.name;
    }
    DWORD items = 0;
    EXPECT_TRUE(ReadDword(SETTINGS_KEY_PATH, "History Items", &items));
    EXPECT_EQ(items, 1u);
    std::vector<DayRecord> history = ReadHistory();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].date, TodayDate());
    EXPECT_EQ(history[0].keys, 2u);

    // After a normal exit the next start runs at once, and a second exit saves on top.
    auto saved = ReadAllValues(SETTINGS_KEY_PATH);
    StartResident();
    EXPECT_EQ(ExitResident(), 0u);
    uint64_t keys = 99;
    EXPECT_TRUE(ReadQword(SETTINGS_KEY_PATH, "Keyboard Presses", &keys));
    EXPECT_EQ(keys, 2u);
    history = ReadHistory();
    ASSERT_EQ(history.size(), 1u) << "the same day's record is brought up to date";
    EXPECT_EQ(history[0].keys, 2u);
}

// The user's mutex held, the session's free: as when the same user runs Tallywick in
// another session. Held so that no one may open it, it cannot tell: the start goes on.
TEST_F(StartupTest, UserMutexOfAnotherSessionEndsTheStartQuietlyUnlessItCannotBeOpened)
{
    std::string name = UserMutexName();
    HANDLE held = CreateMutexA(nullptr, FALSE, name.c_str());
    ASSERT_TRUE(held) << name;
    bool windowSeen = false;
    EXPECT_EQ(RunWatchingForMeters("", &windowSeen), 0u) << "it ran on, or waited on a box";
    EXPECT_FALSE(windowSeen) << "a meter beside another session's instance";
    CloseHandle(held);

    PSECURITY_DESCRIPTOR noOne = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P", SDDL_REVISION_1, &noOne, nullptr));
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, noOne, FALSE};
    held = CreateMutexA(&attributes, FALSE, name.c_str());
    LocalFree(noOne);
    StartResident();
    EXPECT_EQ(ExitResident(), 0u);
    CloseHandle(held);
}

TEST_F(StartupTest, FailingHookLibraryEndsWithMinusOneAfterOneUninit)
{
    ASSERT_TRUE(DeleteKeyTree(TEST_KEY_PATH));
    std::string dir = TempDir() + "failing\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string exe = dir + "tallywick.exe";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), exe.c_str(), FALSE));
    std::string hook = ExeDir() + "..\\failing_hook\\HOOK.dll";
    ASSERT_TRUE(CopyFileA(hook.c_str(), (dir + "HOOK.dll").c_str(), FALSE)) << hook;

    Process failing = StartProgram(exe, "", dir);
    ASSERT_TRUE(failing.handle);
    DWORD code = 0;
    EXPECT_TRUE(WaitExit(failing, START_TIMEOUT_MS, &code));
    CloseProcess(&failing);
    EXPECT_EQ(code, 0xFFFFFFFFu) << "exit code " << (int)code;
    DWORD inits = 0, uninits = 0;
    EXPECT_TRUE(ReadDword(TEST_KEY_PATH, "DllInit Calls", &inits));
    EXPECT_TRUE(ReadDword(TEST_KEY_PATH, "DllUninit Calls", &uninits));
    EXPECT_EQ(inits, 1u);
    EXPECT_EQ(uninits, 1u);
    EXPECT_TRUE(ReadAllValues(SETTINGS_KEY_PATH).empty()) << "nothing is saved on that path";
    DeleteKeyTree(TEST_KEY_PATH);

    // The mutex went with the failed instance: the real program starts afterwards.
    StartResident();
    EXPECT_EQ(ExitResident(), 0u);
}

}  // namespace
}  // namespace e2e
