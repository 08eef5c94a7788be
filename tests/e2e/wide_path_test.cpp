// A copy of the program in a folder named in characters that the ANSI code page lacks, as an
// installation under a profile such as C:\Users\张伟 on a code-page-1252 system is.
#include "e2e_support.h"
#include "res/resource.h"

using namespace driver;

namespace e2e {
namespace {

// Run by the ctest entry e2e_english: code page 1252 has no Chinese characters.
struct EnglishLocalePathTest : E2eTest {
    std::wstring dir = Widen(TempDir()) + L"\x5F20\x4F1F\\";  // 张伟
    std::wstring exe = dir + L"tallywick.exe";

    void SetUp() override
    {
        E2eTest::SetUp();
        BOOL lost = FALSE;
        WideCharToMultiByte(CP_ACP, 0, dir.c_str(), -1, nullptr, 0, nullptr, &lost);
        ASSERT_TRUE(lost) << "the ANSI code page has the folder's name: run it as e2e_english";
        CreateDirectoryW(dir.c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(Widen(ProgramPath()).c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(Widen(ExeDir() + "HOOK.dll").c_str(), (dir + L"HOOK.dll").c_str(), FALSE));
    }
};

TEST_F(EnglishLocalePathTest, AutostartWritesTheTruePath)
{
    program = StartProgram(exe);
    meter = FindMeterOf(program.id, START_TIMEOUT_MS);
    ASSERT_TRUE(meter);
    SendCommand(meter, IDM_AUTOSTART);
    EXPECT_EQ(ReadWideString(RUN_KEY_PATH, "Tallywick"), L"\"" + exe + L"\"");
    EXPECT_EQ(ExitResident(), 0u);
}

TEST_F(EnglishLocalePathTest, CommandLineExportWritesAFileNamedInChinese)
{
    std::vector<DayRecord> records = PlausibleHistory(3);
    ASSERT_TRUE(SeedHistory(records));
    std::wstring csv = dir + L"\x8BB0\x5F55.csv";  // 记录.csv
    Process exporter = StartProgram(exe, L"/exporthistory \"" + csv + L"\"");
    DWORD code = 0xDEAD;
    if (!WaitExit(exporter, START_TIMEOUT_MS, &code))
        TerminateProcess(exporter.handle, 1);  // a failure's message box waits for a user
    CloseProcess(&exporter);
    EXPECT_EQ(code, 0u);
    std::string bytes, expected;
    for (const DayRecord &record : records)
        expected += CsvLine(record);
    ASSERT_TRUE(ReadFileBytes(csv, &bytes)) << "no file named in Chinese";
    EXPECT_EQ(bytes, expected);
}

}  // namespace
}  // namespace e2e
