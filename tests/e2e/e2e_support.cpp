#include "e2e_support.h"
#include <math.h>
#include <stdio.h>
#include <string.h>
#include "res/resource.h"

using namespace driver;

namespace e2e {

void E2eTest::SetUp()
{
    StopAllInstances();
    ASSERT_TRUE(FindTopWindows("TALLYWICK").empty()) << "an instance is still running";
    ASSERT_TRUE(DeleteKeyTree(SETTINGS_KEY_PATH));
    DeleteValue(RUN_KEY_PATH, "Tallywick");
}

void E2eTest::TearDown()
{
    if (program.handle) {
        if (!WaitExit(program, 0, nullptr)) {
            PostCommand(meter, IDM_EXIT);
            if (!WaitExit(program, EXIT_TIMEOUT_MS, nullptr))
                TerminateProcess(program.handle, 1);
        }
        CloseProcess(&program);
    }
    StopAllInstances();
    DeleteValue(RUN_KEY_PATH, "Tallywick");
}

void E2eTest::StartResident()
{
    program = StartProgram(ProgramPath());
    ASSERT_TRUE(program.handle) << "could not start " << ProgramPath();
    meter = FindMeterOf(program.id, START_TIMEOUT_MS);
    ASSERT_TRUE(meter) << "no meter window within " << START_TIMEOUT_MS << " ms";
}

DWORD E2eTest::ExitResident()
{
    DWORD code = 0xDEAD;
    PostCommand(meter, IDM_EXIT);
    EXPECT_TRUE(WaitExit(program, EXIT_TIMEOUT_MS, &code)) << "no exit within 10 s";
    CloseProcess(&program);
    meter = nullptr;
    return code;
}

DWORD E2eTest::RunToEnd(const std::string &args, DWORD timeoutMs)
{
    Process other = StartProgram(ProgramPath(), args);
    if (!other.handle)
        return 0xDEAD;
    DWORD code = 0xDEAD;
    if (!WaitExit(other, timeoutMs, &code)) {
        TerminateProcess(other.handle, 1);
        code = 0xDEAD;
    }
    CloseProcess(&other);
    return code;
}

std::string GroupedText(uint64_t value)
{
    std::string digits = std::to_string(value);
    std::string out;
    int fromRight = 0;
    for (size_t i = digits.size(); i-- > 0;) {
        if (fromRight && fromRight % 3 == 0)
            out.insert(out.begin(), ' ');
        out.insert(out.begin(), digits[i]);
        ++fromRight;
    }
    return out;
}

std::string DateText(uint32_t date)
{
    SYSTEMTIME day = {};
    day.wYear = (WORD)(date >> 16);
    day.wMonth = (WORD)(date >> 8 & 0xFF);
    day.wDay = (WORD)(date & 0xFF);
    // A round trip through FILETIME fills in the weekday.
    FILETIME file;
    SystemTimeToFileTime(&day, &file);
    FileTimeToSystemTime(&file, &day);
    char shortDate[64] = "";
    char dayName[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, shortDate, sizeof shortDate);
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &day, "ddd", dayName, sizeof dayName);
    return std::string(shortDate) + " (" + dayName + ")";
}

std::string KeysText(const DayRecord &record)
{
    return GroupedText(record.keys);
}

namespace {

float Metres(const DayRecord &record)
{
    volatile float metres = record.distance * 0.001f;
    return metres;
}

}  // namespace

std::string MetresText(const DayRecord &record)
{
    char text[64];
    snprintf(text, sizeof text, "%.3f", (double)Metres(record));
    return text;
}

std::string DistanceText(const DayRecord &record)
{
    float metres = Metres(record);
    float rest = (float)fmod((double)metres, 1000.0);
    unsigned long km = (unsigned long)(uint32_t)metres / 1000;
    char text[64];
    snprintf(text, sizeof text, "%lukm %.3fm", km, (double)rest);
    return text;
}

std::string TimeText(uint32_t seconds)
{
    char text[64];
    snprintf(text, sizeof text, "%02lu:%02lu:%02lu", (unsigned long)(seconds / 3600),
             (unsigned long)(seconds / 60 % 60), (unsigned long)(seconds % 60));
    return text;
}

std::vector<std::string> RowTexts(const DayRecord &record)
{
    return {DateText(record.date),          KeysText(record),
            DistanceText(record),           GroupedText(record.leftClicks),
            GroupedText(record.middleClicks), GroupedText(record.rightClicks),
            TimeText(record.seconds)};
}

std::string CsvLine(const DayRecord &record)
{
    return DateText(record.date) + "," + KeysText(record) + "," + MetresText(record) + "," +
           GroupedText(record.leftClicks) + "," + GroupedText(record.middleClicks) + "," +
           GroupedText(record.rightClicks) + "," + TimeText(record.seconds) + "\r\n";
}

std::string RecordBytes(const std::vector<DayRecord> &records)
{
    return std::string((const char *)records.data(), records.size() * sizeof(DayRecord));
}

std::string HistoryFileBytes(const std::vector<DayRecord> &records)
{
    uint32_t count = (uint32_t)records.size();
    return std::string("TWKH") + std::string((const char *)&count, 4) + RecordBytes(records);
}

std::string OwnTrailerStart(size_t length)
{
    uint64_t id = 0;
    ReadQword(SETTINGS_KEY_PATH, "Computer Id", &id);
    uint16_t fields[2] = {1, (uint16_t)length};
    return "TWKS" + std::string((const char *)fields, 4) + std::string((const char *)&id, 8);
}

std::string Gbk(const char *utf8)
{
    return Utf8ToCodePage(utf8, 936);
}

}  // namespace e2e
