// The history as the user meets it: the history window's rows and sorting, the CSV and
// history file exports through the save dialog, and the import through the open dialog with
// its preview, its two questions and its messages for files it cannot take.
#include <math.h>
#include <stdio.h>
#include <string.h>
#include "core/crc32.h"
#include "e2e_support.h"
#include "res/resource.h"
#include "safety/test_safety.h"

using namespace driver;

namespace e2e {
namespace {

const char *const HISTORY_CLASS_NAME = "TallywickHistory";

struct HistoryTest : E2eTest {
    std::vector<DayRecord> seeded;

    void SeedAndStart(int days, void (*change)(std::vector<DayRecord> *) = nullptr)
    {
        seeded = PlausibleHistory(days, 3);
        if (change)
            change(&seeded);
        ASSERT_TRUE(SeedHistory(seeded));
        ASSERT_TRUE(SeedTotalsFrom(seeded));
        StartResident();
    }

    HWND OpenHistory()
    {
        PostCommand(meter, IDM_VIEW_HISTORY);
        return WaitTopWindow(HISTORY_CLASS_NAME, program.id, 5000);
    }

    // Runs a menu command that opens a file dialog and answers it with `path`, or with a
    // file name alone, which the dialog takes in the folder it opened in; returns the file
    // name it was preset with.
    std::string ChooseFile(WORD command, const std::string &path)
    {
        PostCommand(meter, command);
        HWND dialog = WaitDialog(program.id, 10000);
        HWND field = dialog ? FileNameField(dialog, 5000) : nullptr;
        EXPECT_TRUE(field) << "no file dialog for command " << command;
        if (!field)
            return "";
        std::string preset = WindowText(field);
        EXPECT_TRUE(FillFileDialog(dialog, path)) << DescribeChildren(dialog);
        EXPECT_TRUE(WaitWindowGone(dialog, 5000));
        return preset;
    }

    // A file the program writes after its dialog has closed, read once the program has
    // closed it: while its handle, open for writing, is there, a share mode that lets no
    // one else write is refused.
    static std::string ReadWhenWritten(const std::string &path)
    {
        std::string bytes;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20)) {
            HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
            if (file == INVALID_HANDLE_VALUE)
                continue;
            CloseHandle(file);
            EXPECT_TRUE(ReadFileBytes(path, &bytes));
            return bytes;
        }
        ADD_FAILURE() << path << " was not written and closed within 10 s";
        return bytes;
    }

    // The program's message box (not a file dialog), polled.
    HWND WaitMessageBox(DWORD timeoutMs = 5000)
    {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            for (HWND dialog : FindDialogs(program.id))
                if (!IsFileDialog(dialog))
                    return dialog;
            Sleep(20);
        }
        return nullptr;
    }

    // Answers the open message box with `button`; returns its text.
    std::string Answer(int button)
    {
        HWND box = WaitMessageBox();
        EXPECT_TRUE(box) << "no message box";
        if (!box)
            return "";
        std::string text = DialogStaticText(box);
        EXPECT_EQ(WindowText(box), "Tallywick");
        EXPECT_EQ(GetWindow(box, GW_OWNER), meter) << "owned by the meter window";
        EXPECT_TRUE(HasButton(box, button)) << "no button " << button << " in \"" << text << "\"";
        PressButton(box, button);
        EXPECT_TRUE(WaitWindowGone(box, 5000));
        return text;
    }
};

std::vector<std::vector<std::string>> ExpectedRows(std::vector<DayRecord> records)
{
    std::vector<std::vector<std::string>> rows;
    for (const DayRecord &record : records)
        rows.push_back(RowTexts(record));
    return rows;
}

std::vector<DayRecord> Reversed(std::vector<DayRecord> records)
{
    return std::vector<DayRecord>(records.rbegin(), records.rend());
}

TEST_F(HistoryTest, WindowListsNewestDayFirstSortsByColumnAndIsReplacedWhenOpenedAgain)
{
    SKIP_OUTSIDE_CODE_PAGE_936();
    SeedAndStart(6, [](std::vector<DayRecord> *records) {
        (*records)[2].keys = 99999;  // the largest key count, in the middle of the list
        (*records)[4].keys = 9;      // the smallest
    });

    HWND window = OpenHistory();
    ASSERT_TRUE(window) << "no history window";
    EXPECT_EQ(WindowText(window), Gbk("Tallywick 统计记录"));
    EXPECT_EQ(GetWindow(window, GW_OWNER), meter);
    HWND list = HistoryListViewOf(window);
    ASSERT_TRUE(list);
    EXPECT_EQ(ListViewColumnCount(list), 7);
    const std::vector<DayRecord> &stored = seeded;
    EXPECT_EQ(ListViewRows(list), ExpectedRows(Reversed(stored)));
    EXPECT_EQ(ListViewSelectedRow(list), 0);

    // Date: first click oldest on top, second newest on top; keys then largest on top.
    ASSERT_TRUE(ClickColumnHeader(list, 0));
    EXPECT_EQ(ListViewCell(list, 0, 0), DateText(stored.front().date));
    ClickColumnHeader(list, 0);
    EXPECT_EQ(ListViewCell(list, 0, 0), DateText(stored.back().date));
    ClickColumnHeader(list, 1);
    EXPECT_EQ(ListViewCell(list, 0, 1), GroupedText(99999));
    EXPECT_EQ(ListViewCell(list, ListViewRowCount(list) - 1, 1), "9");

    // A second opening replaces the window, with the sort reset.
    HWND second = OpenHistory();
    EXPECT_TRUE(WaitWindowGone(window, 5000));
    second = WaitTopWindow(HISTORY_CLASS_NAME, program.id, 5000);
    ASSERT_TRUE(second);
    EXPECT_EQ(FindTopWindows(HISTORY_CLASS_NAME, program.id).size(), 1u);
    EXPECT_EQ(ListViewRows(HistoryListViewOf(second)), ExpectedRows(Reversed(stored)));

    // Escape pressed in its list closes it, as in every list window.
    GUITHREADINFO gui = {sizeof gui, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
    GetGUIThreadInfo(GetWindowThreadProcessId(second, nullptr), &gui);
    EXPECT_EQ(gui.hwndFocus, HistoryListViewOf(second)) << "the list has no focus";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitWindowGone(second, 5000));
    EXPECT_EQ(ExitResident(), 0u);
}

TEST_F(HistoryTest, ExportsThroughTheSaveDialogAndImportsWithPreviewAndQuestions)
{
    SKIP_OUTSIDE_CODE_PAGE_936();
    SeedAndStart(5);
    std::string dir = TempDir();
    std::string csvPath = dir + "history.csv";
    std::string twhPath = dir + "history.twh";
    DeleteFileA(csvPath.c_str());
    DeleteFileA(twhPath.c_str());

    // CSV: the first dialog of a run shows the bare default name.
    EXPECT_EQ(ChooseFile(IDM_EXPORT_CSV, csvPath), "TallywickHistory.csv");
    std::string expectedCsv;
    for (const DayRecord &record : seeded)
        expectedCsv += CsvLine(record);
    EXPECT_EQ(ReadWhenWritten(csvPath), expectedCsv);

    // History file: the dialog opens in the folder chosen last, where a bare name lands; the
    // records as stored, then this computer's trailer.
    EXPECT_EQ(ChooseFile(IDM_EXPORT_HISTORY, "history.twh"), "TallywickHistory.twh");
    std::string twh = ReadWhenWritten(twhPath), records = HistoryFileBytes(seeded);
    EXPECT_EQ(twh.substr(0, records.size()), records) << ToHex(twh);
    EXPECT_EQ(twh.substr(records.size(), 16), OwnTrailerStart(twh.size() - records.size()));

    // A file with a day the history holds (other figures) and a day it lacks.
    DayRecord changed = seeded[1];
    changed.keys += 1111;
    changed.distance = 4242.0f;
    changed.seconds = 77;
    DayRecord added = {};
    added.date = MakeDate(2019, 3, 4);
    added.keys = 321;
    added.distance = 1500.0f;
    added.leftClicks = 12;
    added.seconds = 3600;
    std::vector<DayRecord> imported = {changed, added};
    std::string importPath = dir + "import.dat";  // any extension: the magic decides
    ASSERT_TRUE(WriteFileBytes(importPath, HistoryFileBytes(imported)));

    // No: the preview closes and nothing changes.
    auto before = ReadAllValues(SETTINGS_KEY_PATH);
    EXPECT_EQ(ChooseFile(IDM_IMPORT_HISTORY, "import.dat"), "TallywickHistory.twh");
    HWND preview = WaitTopWindow(HISTORY_CLASS_NAME, program.id, 5000);
    ASSERT_TRUE(preview) << "no preview";
    EXPECT_EQ(WindowText(preview), Gbk("请点击选择。。。"));
    EXPECT_EQ(ListViewRows(HistoryListViewOf(preview)), ExpectedRows(Reversed(imported)));
    EXPECT_EQ(Answer(IDNO), Gbk("确定将当前记录 合并/替换 到历史记录中?"));
    EXPECT_TRUE(WaitWindowGone(preview, 5000));
    EXPECT_TRUE(WaitMessageBox(300) == nullptr) << "no second question after No";
    auto after = ReadAllValues(SETTINGS_KEY_PATH);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].second.data, before[i].second.data) << after[i].first;

    // Yes, then No: the new day is appended, the known day kept; stored at once.
    ChooseFile(IDM_IMPORT_HISTORY, importPath);
    EXPECT_EQ(Answer(IDYES), Gbk("确定将当前记录 合并/替换 到历史记录中?"));
    EXPECT_EQ(Answer(IDNO), Gbk("是否替换现有数据记录?\n\n是=替换, 否=跳过/离开"));
    HWND left = WaitTopWindow(HISTORY_CLASS_NAME, program.id, 0);
    EXPECT_TRUE(!left || WaitWindowGone(left, 5000)) << "preview left open";
    std::vector<DayRecord> history = ReadHistory();
    ASSERT_EQ(history.size(), seeded.size() + 2) << "seeded, the new day, then today";
    EXPECT_EQ(RecordBytes({history.begin(), history.begin() + seeded.size()}), RecordBytes(seeded));
    EXPECT_EQ(RecordBytes({history[seeded.size()]}), RecordBytes({added}));
    EXPECT_EQ(history.back().date, TodayDate());
    EXPECT_EQ(history.back().keys, 0u);
    uint64_t keys = 0, sum = 0;
    for (const DayRecord &record : history)
        sum += record.keys;
    EXPECT_TRUE(ReadQword(SETTINGS_KEY_PATH, "Keyboard Presses", &keys));
    EXPECT_EQ(keys, sum) << "the totals are recounted from the merged history";

    // Yes, Yes: the known day takes the imported figures.
    ChooseFile(IDM_IMPORT_HISTORY, importPath);
    Answer(IDYES);
    Answer(IDYES);
    history = ReadHistory();
    ASSERT_EQ(history.size(), seeded.size() + 2);
    EXPECT_EQ(RecordBytes({history[1]}), RecordBytes({changed}));
    EXPECT_EQ(RecordBytes({history[seeded.size()]}), RecordBytes({added}));
    EXPECT_TRUE(ReadQword(SETTINGS_KEY_PATH, "Keyboard Presses", &keys));
    EXPECT_EQ(keys, sum + 1111);

    EXPECT_EQ(ExitResident(), 0u);
}

// A trailer that names the computer "laptop", written at `writtenAt`.
std::string LaptopTrailer(uint64_t writtenAt)
{
    const uint64_t id = 0x1234ABCD5678EF90ull;
    const uint16_t fields[2] = {1, 26 + 2 * 6 + 4}, nameLength = 6;
    std::string trailer = "TWKS" + std::string((const char *)fields, 4) +
                          std::string((const char *)&id, 8) + std::string((const char *)&writtenAt, 8) +
                          std::string((const char *)&nameLength, 2);
    for (char c : std::string("laptop"))
        trailer += std::string{c, '\0'};
    uint32_t crc = Crc32((const unsigned char *)trailer.data(), trailer.size());
    return trailer + std::string((const char *)&crc, 4);
}

// The start backs the seeded history up in the real folder. That backup, added through the
// menu, is refused as this computer's own; another computer's file is kept whole under
// Computers and its later copy replaces it there, while this computer's days stay as they were.
TEST_F(HistoryTest, StartBacksUpAndAnotherComputersLaterCopyReplacesItsKeptOneWhileOwnFilesAreRefused)
{
    SKIP_OUTSIDE_CODE_PAGE_936();
    char folder[MAX_PATH] = "";
    GetEnvironmentVariableA("LOCALAPPDATA", folder, MAX_PATH);
    char name[32];
    uint32_t today = TodayDate();
    snprintf(name, sizeof name, "Tallywick-%04u-%02u-%02u.twh", today >> 16, today >> 8 & 0xFF, today & 0xFF);
    std::string backup = std::string(folder) + "\\Tallywick\\Backups\\" + name, bytes;
    std::string computers = std::string(folder) + "\\Tallywick\\Computers\\";
    std::string kept = computers + "1234ABCD5678EF90.twh";
    DeleteFileA(backup.c_str());
    DeleteFileA(kept.c_str());
    DeleteFileA((computers + "Sources.list").c_str());
    SeedAndStart(3);
    for (int i = 0; i < 50 && !ReadFileBytes(backup, &bytes); ++i)
        Sleep(100);
    std::string records = HistoryFileBytes(seeded);
    EXPECT_EQ(bytes.substr(0, records.size()), records);
    EXPECT_EQ(bytes.substr(records.size(), 16), OwnTrailerStart(bytes.size() - records.size()));

    ChooseFile(IDM_ADD_HISTORY, backup);
    EXPECT_EQ(Answer(IDOK), Gbk("此文件是本机自己的历史记录(本机的导出或备份), 不能作为另一台电脑的历史记录添加: "
                                "那样每一天都会被算两次。\n\n要找回本机的数据, 请使用“导入历史记录”。"));
    std::string path = TempDir() + "laptop.twh";
    const uint64_t written = 133500000000000000ull;
    for (int copy = 0; copy < 2; ++copy) {
        std::vector<DayRecord> days = copy == 0 ? std::vector<DayRecord>{seeded[0], seeded[1]}
                                                : std::vector<DayRecord>{seeded[2]};
        std::string file = HistoryFileBytes(days) + LaptopTrailer(written + copy);
        ASSERT_TRUE(WriteFileBytes(path, file));
        ChooseFile(IDM_ADD_HISTORY, path);
        EXPECT_NE(Answer(IDYES).find("laptop"), std::string::npos);
        std::string keptBytes;
        for (int i = 0; i < 50 && (!ReadFileBytes(kept, &keptBytes) || keptBytes != file); ++i)
            Sleep(100);
        EXPECT_EQ(keptBytes, file) << "copy " << copy << " kept whole";
    }
    std::vector<DayRecord> history = ReadHistory();
    ASSERT_GE(history.size(), seeded.size());
    EXPECT_LE(history.size(), seeded.size() + 1) << "at most today's record added";
    EXPECT_EQ(RecordBytes({history.begin(), history.begin() + seeded.size()}), RecordBytes(seeded));
    EXPECT_EQ(ExitResident(), 0u);
    DeleteFileA(kept.c_str());
    DeleteFileA((computers + "Sources.list").c_str());
    RemoveDirectoryA(computers.c_str());
}

TEST_F(HistoryTest, MalformedFilesAreRefusedWithTheirMessageAndChangeNothing)
{
    SKIP_OUTSIDE_CODE_PAGE_936();
    SeedAndStart(3);
    std::string dir = TempDir();
    std::string record = RecordBytes({seeded[0]});
    uint32_t three = 3, zero = 0, one = 1;
    DayRecord infinite = seeded[0], notADay = seeded[0];
    infinite.distance = INFINITY;
    notADay.date = MakeDate(2023, 2, 29);
    struct Case {
        const char *name;
        std::string bytes;
        const char *message;
    } cases[] = {
        {"bad-magic.twh", "TWKX" + std::string((char *)&three, 4) + record + record + record,
         "不支持的文件格式!"},
        {"short-magic.twh", "TW", "不支持的文件格式!"},
        {"zero-count.twh", "TWKH" + std::string((char *)&zero, 4) + record, "此文件没有任何记录!"},
        {"no-count.twh", "TWKH", "此文件没有任何记录!"},
        {"cut-count.twh", "TWKH\x03", "不支持的文件格式!"},
        {"cut-records.twh", "TWKH" + std::string((char *)&three, 4) + record + record,
         "不支持的文件格式!"},
        {"infinite.twh", "TWKH" + std::string((char *)&one, 4) + RecordBytes({infinite}),
         "不支持的文件格式!"},
        {"29-feb-2023.twh", "TWKH" + std::string((char *)&one, 4) + RecordBytes({notADay}),
         "不支持的文件格式!"},
    };
    auto before = ReadAllValues(SETTINGS_KEY_PATH);
    for (const Case &each : cases) {
        std::string path = dir + each.name;
        ASSERT_TRUE(WriteFileBytes(path, each.bytes));
        ChooseFile(IDM_IMPORT_HISTORY, path);
        EXPECT_EQ(Answer(IDOK), Gbk(each.message)) << each.name;
        EXPECT_TRUE(FindTopWindows(HISTORY_CLASS_NAME, program.id).empty()) << each.name << ": preview";
    }
    auto after = ReadAllValues(SETTINGS_KEY_PATH);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].second.data, before[i].second.data) << after[i].first;
    EXPECT_EQ(ExitResident(), 0u);
}

}  // namespace
}  // namespace e2e
