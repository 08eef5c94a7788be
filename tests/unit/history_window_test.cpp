// The history window: its rows and headers, the column-click sorting, and rows that
// outlive the list they were filled from.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <math.h>
#include <string>
#include <vector>
#include "fakes/fake_clock.h"
#include "text/history_cells.h"
#include "history/history_window.h"
#include "meter/meter_window.h"
#include "res/resource.h"
#include "settings_key_support.h"

namespace {

const DateKey JUNE_5 = 0x07DA0605;
const DateKey JUNE_6 = 0x07DA0606;
const DateKey JUNE_7 = 0x07DA0607;

std::string StringResource(UINT id)
{
    char text[512] = "";
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

int RowCount()
{
    return (int)SendMessageA(HistoryListView, LVM_GETITEMCOUNT, 0, 0);
}

std::string CellText(int row, int column)
{
    char text[256] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(HistoryListView, LVM_GETITEMTEXTA, row, (LPARAM)&item);
    return text;
}

const DayFigures *RowDay(int row)
{
    return HistoryRowDay(HistoryWindow, row);
}

std::vector<uint32_t> RowKeys()
{
    std::vector<uint32_t> keys;
    for (int row = 0; row < RowCount(); ++row)
        keys.push_back(RowDay(row)->figures.keys);
    return keys;
}

std::vector<DateKey> RowDates()
{
    std::vector<DateKey> dates;
    for (int row = 0; row < RowCount(); ++row)
        dates.push_back(RowDay(row)->date);
    return dates;
}

// The notification a click on a header sends to the history window.
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

void Append(const HistoryRecord &record)
{
    ASSERT_TRUE(AppendStoredRecord(&record));
}

HistoryRecord Keys(DateKey date, uint32_t keys)
{
    return MakeRecord(date, keys, 0.0f, 0, 0, 0, 0);
}

struct HistoryWindowTest : ::testing::Test {
    void SetUp() override
    {
        ResetFakeClock();
        CloseAnyHistoryWindow();
        ClearStoredHistory();
    }
    void TearDown() override
    {
        CloseAnyHistoryWindow();
        ClearStoredHistory();
    }
    static void CloseAnyHistoryWindow()
    {
        if (HistoryWindow)
            DestroyWindow(HistoryWindow);
        HistoryWindow = nullptr;
    }
};

int Compare(const HistoryRecord &a, const HistoryRecord &b, int column, bool ascending)
{
    DayFigures dayA = RecordAsDay(&a), dayB = RecordAsDay(&b);
    return CompareHistoryRows((LPARAM)&dayA, (LPARAM)&dayB, (ascending ? 1 << 16 : 0) | column);
}

TEST(CompareHistoryRows, ComparesEachColumnAsNumbersInBothDirections)
{
    struct Case {
        int column;
        HistoryRecord smaller, larger;
    } cases[] = {
        {0, Keys(JUNE_5, 0), Keys(0x07DB0101, 0)},
        {1, Keys(JUNE_5, 9), Keys(JUNE_5, 10000)},
        {1, Keys(JUNE_5, 0x7FFFFFFF), Keys(JUNE_5, 0x80000000)},  // unsigned, not signed
        {2, MakeRecord(JUNE_5, 0, 100.0f, 0, 0, 0, 0), MakeRecord(JUNE_5, 0, 101.0f, 0, 0, 0, 0)},
        {3, MakeRecord(JUNE_5, 0, 0, 9, 0, 0, 0), MakeRecord(JUNE_5, 0, 0, 10000, 0, 0, 0)},
        {4, MakeRecord(JUNE_5, 0, 0, 0, 9, 0, 0), MakeRecord(JUNE_5, 0, 0, 0, 10000, 0, 0)},
        {5, MakeRecord(JUNE_5, 0, 0, 0, 0, 9, 0), MakeRecord(JUNE_5, 0, 0, 0, 0, 10000, 0)},
        {6, MakeRecord(JUNE_5, 0, 0, 0, 0, 0, 59), MakeRecord(JUNE_5, 0, 0, 0, 0, 0, 90000)},
    };
    for (const Case &c : cases) {
        EXPECT_LT(Compare(c.smaller, c.larger, c.column, true), 0) << "column " << c.column;
        EXPECT_GT(Compare(c.larger, c.smaller, c.column, true), 0) << "column " << c.column;
        EXPECT_GT(Compare(c.smaller, c.larger, c.column, false), 0) << "column " << c.column;
        EXPECT_EQ(Compare(c.smaller, c.smaller, c.column, true), 0) << "column " << c.column;
    }
    // Each column reads its own field only: left clicks are not compared under "right".
    HistoryRecord a = MakeRecord(JUNE_5, 5, 0, 1, 0, 9, 0), b = MakeRecord(JUNE_5, 5, 0, 9, 0, 1, 0);
    EXPECT_GT(Compare(a, b, 5, true), 0);
    EXPECT_LT(Compare(a, b, 3, true), 0);
}

TEST(CompareHistoryRows, DistancesLessThanOneMillimetreApartCompareEqual)
{
    HistoryRecord a = MakeRecord(JUNE_5, 0, 100.0f, 0, 0, 0, 0);
    HistoryRecord close = MakeRecord(JUNE_5, 0, 100.4f, 0, 0, 0, 0);
    HistoryRecord almost = MakeRecord(JUNE_5, 0, 100.99f, 0, 0, 0, 0);
    EXPECT_EQ(Compare(a, close, 2, true), 0);
    EXPECT_EQ(Compare(close, a, 2, false), 0);
    EXPECT_EQ(Compare(a, almost, 2, true), 0);
    // Differences beyond any integer, infinities and NaN neither overflow nor crash.
    HistoryRecord huge = MakeRecord(JUNE_5, 0, 3.0e38f, 0, 0, 0, 0);
    HistoryRecord hugeNegative = MakeRecord(JUNE_5, 0, -3.0e38f, 0, 0, 0, 0);
    HistoryRecord infinite = MakeRecord(JUNE_5, 0, INFINITY, 0, 0, 0, 0);
    HistoryRecord notANumber = MakeRecord(JUNE_5, 0, NAN, 0, 0, 0, 0);
    EXPECT_GT(Compare(huge, hugeNegative, 2, true), 0);
    EXPECT_LT(Compare(hugeNegative, huge, 2, true), 0);
    EXPECT_GT(Compare(infinite, huge, 2, true), 0);
    EXPECT_EQ(Compare(infinite, infinite, 2, true), 0);
    EXPECT_EQ(Compare(notANumber, a, 2, true), 0);
}

TEST_F(HistoryWindowTest, ShowsNewestRecordOnTopWithEveryCellAndSelectsIt)
{
    Append(MakeRecord(JUNE_5, 1234567, 1500.5f, 1500, 20, 300, 3725));
    Append(MakeRecord(JUNE_6, 10, 2.0f, 1, 2, 3, 90000));
    Append(MakeRecord(JUNE_7, 5, 0.0f, 0, 0, 65535, 0));
    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    ASSERT_NE(HistoryWindow, nullptr);
    ASSERT_NE(HistoryListView, nullptr);
    EXPECT_TRUE(IsWindowVisible(HistoryWindow));
    EXPECT_EQ(GetWindow(HistoryWindow, GW_OWNER), MeterWindow);
    EXPECT_EQ(GetFocus(), HistoryListView);
    char text[256] = "";
    GetWindowTextA(HistoryWindow, text, sizeof text);
    EXPECT_EQ(std::string(text), StringResource(IDS_HISTORY_TITLE));
    GetClassNameA(HistoryWindow, text, sizeof text);
    EXPECT_STREQ(text, "TallywickHistory");
    GetClassNameA(HistoryListView, text, sizeof text);
    EXPECT_STREQ(text, "SysListView32");
    EXPECT_EQ(GetWindowLongA(HistoryListView, GWL_STYLE) & 0x5000000D, 0x5000000D);
    EXPECT_EQ(SendMessageA(HistoryListView, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0x30, 0x30);

    ASSERT_EQ(RowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        const HistoryRecord &record = StoredHistory.records[2 - row];
        EXPECT_EQ(CellText(row, 0), std::string(HistoryDateText(record.date))) << "row " << row;
        EXPECT_EQ(CellText(row, 1), std::string(HistoryKeysText(record.keys))) << "row " << row;
        EXPECT_EQ(CellText(row, 2), std::string(HistoryDistanceText(record.distance))) << "row " << row;
        EXPECT_EQ(CellText(row, 3), std::string(HistoryClicksText(record.leftClicks))) << "row " << row;
        EXPECT_EQ(CellText(row, 4), std::string(HistoryClicksText(record.middleClicks))) << "row " << row;
        EXPECT_EQ(CellText(row, 5), std::string(HistoryClicksText(record.rightClicks))) << "row " << row;
        EXPECT_EQ(CellText(row, 6), std::string(HistoryTimeText(record.seconds))) << "row " << row;
    }
    EXPECT_EQ(SendMessageA(HistoryListView, LVM_GETITEMSTATE, 0, LVIS_SELECTED), LVIS_SELECTED);
    EXPECT_EQ(SendMessageA(HistoryListView, LVM_GETITEMSTATE, 1, LVIS_SELECTED), 0);
    EXPECT_EQ(HistorySortState, 0u);
}

TEST_F(HistoryWindowTest, EmptyListShowsTheSevenHeadersAndNoRows)
{
    ShowHistoryWindow(&StoredHistory, IDS_IMPORT_TITLE);
    ASSERT_NE(HistoryWindow, nullptr);
    EXPECT_EQ(RowCount(), 0);
    const struct {
        UINT id;
        int format;
        int extra;
    } headers[] = {{IDS_COL_DATE, LVCFMT_LEFT, 95},   {IDS_COL_KEYS, LVCFMT_RIGHT, 19},
                   {IDS_COL_DISTANCE, LVCFMT_RIGHT, 19}, {IDS_COL_LEFT, LVCFMT_RIGHT, 19},
                   {IDS_COL_MIDDLE, LVCFMT_RIGHT, 19}, {IDS_COL_RIGHT, LVCFMT_RIGHT, 19},
                   {IDS_COL_TIME, LVCFMT_RIGHT, 28}};
    for (int column = 0; column < 7; ++column) {
        char text[256] = "";
        LVCOLUMNA columnInfo = {};
        columnInfo.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        columnInfo.pszText = text;
        columnInfo.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(HistoryListView, LVM_GETCOLUMNA, column, (LPARAM)&columnInfo)) << column;
        std::string expected = StringResource(headers[column].id);
        EXPECT_EQ(std::string(text), expected) << "column " << column;
        EXPECT_EQ(columnInfo.fmt & LVCFMT_JUSTIFYMASK, headers[column].format) << "column " << column;
        int textWidth = (int)SendMessageA(HistoryListView, LVM_GETSTRINGWIDTHA, 0, (LPARAM)expected.c_str());
        EXPECT_EQ(columnInfo.cx, textWidth + headers[column].extra) << "column " << column;
    }
    LVCOLUMNA beyond = {};
    beyond.mask = LVCF_FMT;
    EXPECT_FALSE(SendMessageA(HistoryListView, LVM_GETCOLUMNA, 7, (LPARAM)&beyond));
}

TEST_F(HistoryWindowTest, ColumnClicksToggleOnTheSameColumnAndKeepDirectionOnAnother)
{
    Append(Keys(JUNE_6, 5));
    Append(Keys(JUNE_5, 10000));
    Append(Keys(JUNE_7, 9));
    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    ASSERT_NE(HistoryWindow, nullptr);

    ClickColumn(0);
    EXPECT_EQ(HistorySortState, 1u << 16);
    EXPECT_EQ(RowDates(), (std::vector<DateKey>{JUNE_5, JUNE_6, JUNE_7}));
    // The selection stays with its record, the newest day, now at the bottom.
    EXPECT_EQ(SendMessageA(HistoryListView, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED), 2);
    EXPECT_EQ(SendMessageA(HistoryListView, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_FOCUSED), 2);
    ClickColumn(0);
    EXPECT_EQ(HistorySortState, 0u);
    EXPECT_EQ(RowDates(), (std::vector<DateKey>{JUNE_7, JUNE_6, JUNE_5}));
    ClickColumn(1);
    EXPECT_EQ(HistorySortState, 1u);
    EXPECT_EQ(RowKeys(), (std::vector<uint32_t>{10000, 9, 5}));
    // The rows' texts move with them.
    EXPECT_EQ(CellText(0, 1), "10 000");
    ClickColumn(1);
    EXPECT_EQ(HistorySortState, 1u << 16 | 1);
    EXPECT_EQ(RowKeys(), (std::vector<uint32_t>{5, 9, 10000}));
    ClickColumn(0);
    EXPECT_EQ(HistorySortState, 1u << 16);
    EXPECT_EQ(RowDates(), (std::vector<DateKey>{JUNE_5, JUNE_6, JUNE_7}));
}

TEST_F(HistoryWindowTest, TypingTheStartOfADateSelectsTheNextRowOfThatDate)
{
    const DateKey MARCH_2011 = 0x07DB0301;
    Append(Keys(MARCH_2011, 2));  // the bottom row, past two rows whose dates also begin "201"
    Append(Keys(JUNE_5, 1));
    Append(Keys(JUNE_6, 3));
    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    ASSERT_NE(HistoryWindow, nullptr);
    HistoryRecord march = Keys(MARCH_2011, 2);
    std::string typed = std::string(HistoryDateText(march.date)).substr(0, 4);  // the year
    for (char c : typed)
        SendMessageA(HistoryListView, WM_CHAR, (WPARAM)(unsigned char)c, 1);  // one press
    EXPECT_EQ(SendMessageA(HistoryListView, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED), 2);
}

TEST_F(HistoryWindowTest, RowsSortRightAfterTheShownListMovedAndWasFreed)
{
    Append(Keys(JUNE_5, 300));
    Append(Keys(JUNE_6, 100));
    Append(Keys(JUNE_7, 200));
    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    ASSERT_NE(HistoryWindow, nullptr);
    HistoryRecord *before = StoredHistory.records;
    for (uint32_t i = 0; i < 40; ++i)
        Append(Keys(0x07DB0101 + i, 7));
    ASSERT_NE(StoredHistory.records, before);  // the array moved; the old one is freed
    // Reuse the freed memory, so that a row still pointing there would read rubbish.
    std::vector<void *> filler;
    for (int i = 0; i < 64; ++i) {
        void *block = malloc(5 * sizeof(HistoryRecord));
        memset(block, 0xFF, 5 * sizeof(HistoryRecord));
        filler.push_back(block);
    }
    ClickColumn(1);
    EXPECT_EQ(RowKeys(), (std::vector<uint32_t>{300, 200, 100}));
    EXPECT_EQ(CellText(0, 1), "300");
    for (void *block : filler)
        free(block);
    EXPECT_EQ(RowCount(), 3);  // the window shows the list as it was when it opened
}

TEST_F(HistoryWindowTest, PreviewOfAFreedTemporaryListStillSorts)
{
    HistoryList temporary = {nullptr, 0, 0, HISTORY_GROW_STEP};
    ASSERT_TRUE(ReserveHistory(&temporary, 2));
    temporary.records[0] = Keys(JUNE_5, 1);
    temporary.records[1] = Keys(JUNE_6, 2);
    temporary.count = 2;
    ShowHistoryWindow(&temporary, IDS_IMPORT_TITLE);
    DestroyHistoryList(&temporary);
    ASSERT_NE(HistoryWindow, nullptr);
    ClickColumn(0);
    EXPECT_EQ(RowDates(), (std::vector<DateKey>{JUNE_5, JUNE_6}));
}

TEST_F(HistoryWindowTest, SecondOpeningReplacesTheFirstWindowWithAFreshSort)
{
    Append(Keys(JUNE_5, 1));
    ShowHistoryWindow(&StoredHistory, IDS_IMPORT_TITLE);
    HWND first = HistoryWindow;
    ASSERT_NE(first, nullptr);
    ClickColumn(3);
    ASSERT_EQ(HistorySortState, 3u);
    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_NE(HistoryWindow, nullptr);
    EXPECT_NE(HistoryWindow, first);
    EXPECT_TRUE(IsWindow(HistoryWindow));
    EXPECT_EQ(HistorySortState, 0u);
    EXPECT_EQ(GetParent(HistoryListView), HistoryWindow);
    EXPECT_EQ(RowCount(), 1);
}

TEST_F(HistoryWindowTest, CloseBoxAndEscapeCloseAndCommandsAnswerOne)
{
    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    HWND window = HistoryWindow;
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageA(window, WM_COMMAND, 1, 0), 1);
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(HistoryWindow, nullptr);
    EXPECT_FALSE(IsWindow(window));

    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    window = HistoryWindow;
    SendMessageA(window, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(HistoryWindow, window);
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(HistoryWindow, nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(HistoryWindowTest, WindowLeftOffScreenComesBackOnAWorkAreaOrDisplayChange)
{
    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    ASSERT_NE(HistoryWindow, nullptr);
    RECT work, opened;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    GetWindowRect(HistoryWindow, &opened);
    const struct {
        UINT message;
        WPARAM wParam;
    } changes[] = {{WM_SETTINGCHANGE, SPI_SETWORKAREA}, {WM_DISPLAYCHANGE, 32}};
    for (const auto &change : changes) {
        SetWindowPos(HistoryWindow, nullptr, 5000, -5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageA(HistoryWindow, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
        RECT rect;
        GetWindowRect(HistoryWindow, &rect);
        EXPECT_EQ(rect.left, 5000) << "a change of another setting moved the window";
        SendMessageA(HistoryWindow, change.message, change.wParam, 0);
        GetWindowRect(HistoryWindow, &rect);
        EXPECT_EQ(rect.right, work.right) << "message " << change.message;
        EXPECT_EQ(rect.top, work.top) << "message " << change.message;
        EXPECT_EQ(rect.right - rect.left, opened.right - opened.left);
        EXPECT_EQ(rect.bottom - rect.top, opened.bottom - opened.top);
    }
}

int RowImageSide()
{
    int width = 0, height = 0;
    ImageList_GetIconSize(ListView_GetImageList(HistoryListView, LVSIL_SMALL), &width, &height);
    return width;
}

TEST_F(HistoryWindowTest, AtTwiceTheDpiTheListHasANewFontRowImagesAndWiderColumnsAndFitsTheWindow)
{
    ShowHistoryWindow(&StoredHistory, IDS_HISTORY_TITLE);
    ASSERT_NE(HistoryWindow, nullptr);
    HFONT font = (HFONT)SendMessageA(HistoryListView, WM_GETFONT, 0, 0);
    int width = ListView_GetColumnWidth(HistoryListView, 6);
    EXPECT_EQ(RowImageSide(), 16);
    RECT suggested = {100, 100, 1500, 980};
    SendMessageA(HistoryWindow, WM_DPICHANGED, MAKEWPARAM(192, 192), (LPARAM)&suggested);
    EXPECT_GT(ListView_GetColumnWidth(HistoryListView, 6), width * 3 / 2);
    EXPECT_NE((HFONT)SendMessageA(HistoryListView, WM_GETFONT, 0, 0), font);
    EXPECT_EQ(RowImageSide(), 32);
    SetWindowPos(HistoryWindow, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT client, list;
    GetClientRect(HistoryWindow, &client);
    GetWindowRect(HistoryListView, &list);  // the whole control, scroll bars included
    EXPECT_EQ(list.right - list.left, client.right);
    EXPECT_EQ(list.bottom - list.top, client.bottom);
}

}  // namespace
