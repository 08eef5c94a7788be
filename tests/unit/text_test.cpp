// The string tables (Chinese and English) as the program loads them, and the two message
// boxes.
#include <gtest/gtest.h>
#include <string.h>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>
#include <wctype.h>
#include <windows.h>
#include "meter/menu.h"
#include "meter/meter_paint.h"
#include "meter/meter_window.h"
#include "res/resource.h"
#include "safety/test_safety.h"
#include "text/text.h"

namespace {

TEST(LoadTextTest, EveryIdOfTheTableLoadsAndOthersGiveADash)
{
    for (UINT id = IDS_APP_TITLE; id <= IDS_CONFIRM_REPLACE; id++)
        EXPECT_STRNE(LoadText(SLOT_GENERAL, id), "-") << "id " << id;
    EXPECT_STREQ(LoadText(SLOT_GENERAL, 100), "-");
    EXPECT_STREQ(LoadText(SLOT_GENERAL, 137), "-");
    EXPECT_STREQ(LoadText(SLOT_TITLE, 0), "-");
}

TEST(LoadTextTest, ReturnsItsSlotAndLeavesTheOthers)
{
    char *general = LoadText(SLOT_GENERAL, IDS_FMT_METRES);
    char *title = LoadText(SLOT_TITLE, IDS_APP_TITLE);
    EXPECT_EQ(general, TextSlots[SLOT_GENERAL]);
    EXPECT_EQ(title, TextSlots[SLOT_TITLE]);
    EXPECT_STREQ(general, "%.3f");
    EXPECT_STREQ(title, "Tallywick");
}

struct TableCase {
    UINT id;
    const char *bytes;  // code page 936
};

// The resource script is UTF-8: this shows that it reached the program as GBK.
TEST(LoadTextTest, ChineseTextsArriveInCodePage936)
{
    SKIP_OUTSIDE_CODE_PAGE_936();
    const TableCase cases[] = {
        {IDS_MENU_EXIT, "\x26\xCD\xCB\xB3\xF6\x21"},
        {IDS_HISTORY_TITLE, "Tallywick \xCD\xB3\xBC\xC6\xBC\xC7\xC2\xBC"},
        {IDS_COL_DATE, "\xC8\xD5\xC6\xDA     "},
        {IDS_MENU_EXPORT_CSV, "\x26\xB5\xBC\xB3\xF6\xBC\xC7\xC2\xBC\xA3\xA8.csv\xA3\xA9..."},
        {IDS_EXPORT_FAILED, "\xB5\xBC\xB3\xF6\xCA\xA7\xB0\xDC!"},
        {IDS_IMPORT_TITLE, "\xC7\xEB\xB5\xE3\xBB\xF7\xD1\xA1\xD4\xF1\xA1\xA3\xA1\xA3\xA1\xA3"},
        {IDS_CONFIRM_REPLACE, "\xCA\xC7\xB7\xF1\xCC\xE6\xBB\xBB\xCF\xD6\xD3\xD0\xCA\xFD\xBE\xDD"
                              "\xBC\xC7\xC2\xBC?\n\n\xCA\xC7=\xCC\xE6\xBB\xBB, \xB7\xF1="
                              "\xCC\xF8\xB9\xFD/\xC0\xEB\xBF\xAA"},
        {IDS_LINE_DISTANCE, "\xCA\xF3\xB1\xEA\xD2\xC6\xB6\xAF\xCD\xB3\xBC\xC6: "
                            "%lukm %.3fm / %lukm %.3fm"},
    };
    for (const TableCase &c : cases)
        EXPECT_STREQ(LoadText(SLOT_GENERAL, c.id), c.bytes) << "id " << c.id;
    const char *date = LoadText(SLOT_GENERAL, IDS_COL_DATE);
    EXPECT_EQ(strcmp(date + strlen(date) - 6, "\xDA     "), 0) << "five spaces end the date header";
    EXPECT_NE(strstr(LoadText(SLOT_GENERAL, IDS_CONFIRM_REPLACE), "?\n\n"), nullptr);
}

const LANGID CHINESE = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
const LANGID ENGLISH = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// Every string of one language's table, by id, as stored (UTF-16): the table is read in
// blocks of sixteen, the way the resource loader finds them.
std::map<UINT, std::wstring> StringTable(LANGID language)
{
    std::map<UINT, std::wstring> table;
    HMODULE module = GetModuleHandleA(nullptr);
    for (UINT block = 0; block < 4096; block++) {
        HRSRC found = FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(block + 1), language);
        if (!found)
            continue;
        const WCHAR *data = (const WCHAR *)LockResource(LoadResource(module, found));
        const WCHAR *end = data + SizeofResource(module, found) / sizeof(WCHAR);
        for (UINT i = 0; i < 16 && data < end; i++) {
            UINT length = *data++;
            if (length)
                table[block * 16 + i] = std::wstring(data, length);
            data += length;
        }
    }
    return table;
}

// The printf conversions of a format, in order, each with its flags, width, precision
// and size prefix ("%02I64u"); "%%" is none.
std::vector<std::wstring> Conversions(const std::wstring &format)
{
    std::vector<std::wstring> found;
    for (size_t i = 0; i < format.size(); i++) {
        if (format[i] != L'%')
            continue;
        size_t end = format.find_first_of(L"%cdiouxXeEfgGsp", i + 1);
        if (end == std::wstring::npos)
            end = format.size() - 1;
        if (format[end] != L'%' || end > i + 1)
            found.push_back(format.substr(i, end - i + 1));
        i = end;
    }
    return found;
}

std::string Narrow(const std::wstring &text)
{
    return std::string(text.begin(), text.end());
}

TEST(StringTablesTest, EnglishHasEveryChineseIdWithTheSameConversions)
{
    std::map<UINT, std::wstring> chinese = StringTable(CHINESE);
    std::map<UINT, std::wstring> english = StringTable(ENGLISH);
    ASSERT_EQ(chinese.size(), (size_t)(IDS_CONFIRM_REPLACE - IDS_APP_TITLE + 1)
                                  + (IDS_CHART_SAVE_FAILED - IDS_MENU_CHARTS + 1)
                                  + (IDS_BACKUP_FOLDER_FAILED - IDS_MENU_ADD_HISTORY)
                                  + (IDS_KEYBOARD_OTHER_KEYS - IDS_MENU_KEYBOARD + 1)
                                  + (IDS_FIRST_START_TEXT - IDS_FIRST_START_TITLE + 1)
                                  + (IDS_SYNC_FOLDER_TITLE - IDS_OWN_FILE_REFUSED + 1)
                                  + (IDS_HISTORY_ALL_TITLE - IDS_MENU_SHOW_ALL_COMPUTERS + 1));
    for (const auto &entry : chinese) {
        ASSERT_TRUE(english.count(entry.first)) << "no English text for id " << entry.first;
        EXPECT_EQ(Conversions(english[entry.first]), Conversions(entry.second))
            << "id " << entry.first << ": " << Narrow(english[entry.first]);
    }
    EXPECT_EQ(english.size(), chinese.size()) << "the English table has ids of its own";
    // What goes into files, and the cells beside them, reads the same in every language.
    for (UINT id : {IDS_FMT_KEYS, IDS_FMT_DISTANCE, IDS_FMT_TIME, IDS_FMT_CLICKS, IDS_FMT_METRES})
        EXPECT_EQ(english[id], chinese[id]) << "id " << id;
    for (UINT id : {IDS_MENU_SHOW, IDS_MENU_CLEAR, IDS_MENU_ABOUT, IDS_MENU_EXIT, IDS_MENU_HIDE,
                    IDS_MENU_AUTOSTART, IDS_MENU_HISTORY, IDS_MENU_EXPORT_CSV, IDS_MENU_RECOUNT,
                    IDS_MENU_IMPORT, IDS_MENU_EXPORT_HISTORY, IDS_MENU_CHARTS, IDS_MENU_KEYBOARD,
                    IDS_MENU_COUNT_EACH_KEY, IDS_MENU_ADD_HISTORY, IDS_MENU_OPEN_BACKUPS,
                    IDS_MENU_SYNC_FOLDER}) {
        size_t mnemonic = english[id].find(L'&');
        EXPECT_TRUE(mnemonic != std::wstring::npos && iswalpha(english[id][mnemonic + 1]))
            << "no mnemonic in " << Narrow(english[id]);
    }
}

// Run by ctest's unit_mixed: a Chinese display language over code page 1252, which cannot
// show Chinese, so every text must be the English one.
TEST(MixedLanguageTest, MenuItemsAreEnglishTextsAndMeterLinesHaveNoQuestionMark)
{
    if (GetACP() != 1252 || GetUserDefaultUILanguage() != CHINESE)
        GTEST_SKIP() << "skipped: not Chinese over code page 1252: run it as ctest's unit_mixed";
    std::set<std::wstring> english = {L""};  // a separator has no text
    for (const auto &entry : StringTable(ENGLISH))
        english.insert(entry.second);
    HMENU menu = CreatePopupMenu();
    BuildTrayMenu(nullptr, menu, MenuChecks{false, false, false, false});
    for (int index = 0; index < GetMenuItemCount(menu); index++) {
        WCHAR text[128] = L"";
        GetMenuStringW(menu, index, text, 128, MF_BYPOSITION);
        EXPECT_EQ(english.count(text), 1u) << "item " << index + 1 << ": " << Narrow(text);
    }
    DestroyMenu(menu);
    for (int line = 0; line < METER_LINE_COUNT; line++)
        EXPECT_TRUE(strchr(BuildMeterLine(line), '?') == nullptr) << BuildMeterLine(line);
}

// Answers the message box that the main thread shows, and reports what it saw.
struct BoxAnswer {
    std::string text;
    bool hasOk = false;
    bool hasYes = false;
    bool hasNo = false;
};

std::thread AnswerMessageBox(BoxAnswer *seen, int button)
{
    return std::thread([seen, button] {
        HWND box = NULL;
        for (int i = 0; i < 500 && box == NULL; i++) {
            Sleep(10);
            box = FindWindowA("#32770", "Tallywick");
        }
        if (box == NULL)
            return;
        char text[512] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        seen->text = text;
        seen->hasOk = GetDlgItem(box, IDOK) != NULL;
        seen->hasYes = GetDlgItem(box, IDYES) != NULL;
        seen->hasNo = GetDlgItem(box, IDNO) != NULL;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    });
}

TEST(MessageBoxTest, ErrorMessageShowsTheTextWithOkOnly)
{
    BoxAnswer seen;
    std::thread answer = AnswerMessageBox(&seen, IDOK);
    ShowErrorMessage(IDS_EXPORT_FAILED);
    answer.join();
    EXPECT_TRUE(seen.hasOk);
    EXPECT_FALSE(seen.hasYes);
    SKIP_OUTSIDE_CODE_PAGE_936();
    EXPECT_EQ(seen.text, "\xB5\xBC\xB3\xF6\xCA\xA7\xB0\xDC!");
}

TEST(MessageBoxTest, QuestionIsTrueForYesAndFalseForNo)
{
    BoxAnswer seen;
    std::thread answer = AnswerMessageBox(&seen, IDYES);
    EXPECT_TRUE(AskYesNo(IDS_CONFIRM_MERGE));
    answer.join();
    EXPECT_TRUE(seen.hasYes);
    EXPECT_TRUE(seen.hasNo);
    EXPECT_FALSE(seen.hasOk);
    EXPECT_EQ(seen.text, LoadText(SLOT_GENERAL, IDS_CONFIRM_MERGE));

    answer = AnswerMessageBox(&seen, IDNO);
    EXPECT_FALSE(AskYesNo(IDS_CONFIRM_REPLACE));
    answer.join();
}

} // namespace
