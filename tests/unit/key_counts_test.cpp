// Per-key counts: the option told to HOOK.dll, nothing per key while it is off or for a press
// of no key, the values, a wrongly sized one, the new day, the old identities folded in; the
// keyboard window's choice of today or all time and its erase; the board's form.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string.h>
#include <string>
#include <algorithm>
#include "core/key_counts.h"
#include "fakes/fake_hook.h"
#include "keyboard/keyboard_layout.h"
#include "keyboard/keyboard_window.h"
#include "meter/meter_window.h"
#include "meter_test_support.h"
#include "res/resource.h"
#include "settings_key_support.h"

namespace {

const WPARAM KEY_A = 0x1E;
const WPARAM KEYPAD_ENTER = 0x11C;
const DateKey JUNE_6 = 0x07DA0606;  // the day before the fake clock's

// A box of this thread in the foreground with the focus, as a user typing in it.
struct FocusedBox {
    HWND window;
    explicit FocusedBox(DWORD style)
    {
        window = CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE | style, 0, 0, 200, 30,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(window);
        SetFocus(window);
    }
    ~FocusedBox() { DestroyWindow(window); }
};

void PressKey(WPARAM identity)
{
    SendMessageA(MeterWindow, MSG_KEY_PRESS, identity, 0);
}

template <typename T> T At(const RegistryValue &value, size_t offset)
{
    T result = 0;
    if (offset + sizeof result <= value.data.size())
        memcpy(&result, value.data.data() + offset, sizeof result);
    return result;
}

struct KeyCountsTest : ::testing::Test {
    // No value of the settings key, and the per-key state loaded from that.
    void SetUp() override
    {
        ResetMeterState();
        ClearStoredHistory();
        RegDeleteTreeA(HKEY_CURRENT_USER, SETTINGS_KEY);
        HKEY key;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, SETTINGS_KEY, &key), ERROR_SUCCESS);
        RegCloseKey(key);
        ASSERT_TRUE(LoadFromRegistry());
    }
    void TearDown() override { SetUp(); }
};

TEST_F(KeyCountsTest, NothingPerKeyWhileTheOptionIsOff)
{
    FocusedBox box(0);
    PressKey(KEY_A);
    EXPECT_EQ(Totals.keyPresses, 1u);
    EXPECT_EQ(KeysAllTime[KEY_A], 0u);
    ASSERT_TRUE(SaveToRegistry());
    for (const char *name : {COUNT_EACH_KEY_VALUE, KEYS_ALL_TIME_VALUE, KEYS_TODAY_VALUE})
        EXPECT_FALSE(ReadRegistryValue(SETTINGS_KEY, name).present) << name;
}

TEST_F(KeyCountsTest, HookLearnsEveryChangeOfTheOptionAndAPressOfNoKeyCountsInTheTotalOnly)
{
    ASSERT_TRUE(StartCountingEachKey());
    EXPECT_EQ(FakeHookCountEachKey, 1);
    PressKey(0);  // as HOOK.dll names a press into a password box
    PressKey(KEY_A);
    EXPECT_EQ(KeysAllTime[KEY_A], 1u);
    EXPECT_EQ(Totals.keyPresses, 2u) << "the total counts both";
    StopCountingEachKey();
    EXPECT_EQ(FakeHookCountEachKey, 0);
}

TEST_F(KeyCountsTest, ValuesHoldOneCountPerKeyInTheirLayouts)
{
    ASSERT_TRUE(StartCountingEachKey());
    FocusedBox box(0);
    PressKey(KEY_A);
    PressKey(KEYPAD_ENTER);
    PressKey(KEYPAD_ENTER);
    ASSERT_TRUE(SaveToRegistry());
    RegistryValue option = ReadRegistryValue(SETTINGS_KEY, COUNT_EACH_KEY_VALUE);
    EXPECT_EQ(option.type, (DWORD)REG_DWORD);
    EXPECT_EQ(At<uint32_t>(option, 0), 1u);
    RegistryValue all = ReadRegistryValue(SETTINGS_KEY, KEYS_ALL_TIME_VALUE);
    EXPECT_EQ(all.type, (DWORD)REG_BINARY);
    ASSERT_EQ(all.data.size(), 512u * 8);
    EXPECT_EQ(At<uint64_t>(all, KEY_A * 8), 1u);
    EXPECT_EQ(At<uint64_t>(all, KEYPAD_ENTER * 8), 2u);
    RegistryValue today = ReadRegistryValue(SETTINGS_KEY, KEYS_TODAY_VALUE);
    EXPECT_EQ(today.type, (DWORD)REG_BINARY);
    ASSERT_EQ(today.data.size(), 4u + 512 * 4);
    EXPECT_EQ(At<uint32_t>(today, 0), PeriodDate);
    EXPECT_EQ(At<uint32_t>(today, 4 + KEYPAD_ENTER * 4), 2u);
    EXPECT_EQ(At<uint32_t>(today, 4 + KEY_A * 4), 1u);
}

TEST_F(KeyCountsTest, WronglySizedValueCountsAsZerosAndANewDayStartsFromZero)
{
    DWORD on = 1;
    WriteSettingsValue(COUNT_EACH_KEY_VALUE, REG_DWORD, &on, sizeof on);
    std::vector<BYTE> damaged(100, 0xFF);
    WriteSettingsValue(KEYS_ALL_TIME_VALUE, REG_BINARY, damaged.data(), (DWORD)damaged.size());
    std::vector<BYTE> yesterday(4 + 512 * 4, 0);
    memcpy(yesterday.data(), &JUNE_6, 4);
    yesterday[4 + KEY_A * 4] = 5;
    WriteSettingsValue(KEYS_TODAY_VALUE, REG_BINARY, yesterday.data(), (DWORD)yesterday.size());
    ASSERT_TRUE(LoadFromRegistry());
    EXPECT_TRUE(CountEachKey);
    EXPECT_TRUE(std::all_of(KeysAllTime, KeysAllTime + KEY_IDENTITIES,
                            [](uint64_t count) { return count == 0; }));
    EXPECT_EQ(KeysTodayCounts(PeriodDate)[KEY_A], 0u) << "yesterday's counts are not today's";

    FocusedBox box(0);
    PressKey(KEY_A);
    ASSERT_TRUE(SaveToRegistry());
    RegistryValue all = ReadRegistryValue(SETTINGS_KEY, KEYS_ALL_TIME_VALUE);
    ASSERT_EQ(all.data.size(), 512u * 8) << "rewritten whole";
    EXPECT_EQ(At<uint64_t>(all, KEY_A * 8), 1u);
    RegistryValue today = ReadRegistryValue(SETTINGS_KEY, KEYS_TODAY_VALUE);
    EXPECT_EQ(At<uint32_t>(today, 0), PeriodDate);
    EXPECT_EQ(At<uint32_t>(today, 4 + KEY_A * 4), 1u);
}

// The keyboard window over counts of key A of 1 234 today and 56 789 all time, with the
// focus where it opens.
struct KeyboardWindowTest : KeyCountsTest {
    void SetUp() override
    {
        KeyCountsTest::SetUp();
        KeyCounts counts = {};
        counts.allTime[KEY_A] = 56789;
        counts.todayDate = PeriodDate;
        counts.today[KEY_A] = 1234;
        ReplaceKeyCounts(true, counts);
        ShowKeyboardWindow();
        PumpMessages();
        ASSERT_NE(KeyboardWindow, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(KeyboardWindow);
        KeyCountsTest::SetUp();  // as its TearDown does, which would call this SetUp
    }
};

// The tooltip of key A as the window answers its request.
std::wstring TipOfKeyA()
{
    BoardKey keys[MAX_BOARD_KEYS];
    int count = BoardKeys(LayoutBoardForm(GetKeyboardLayout(0)), keys);
    NMTTDISPINFOW request = {};
    request.hdr.code = TTN_GETDISPINFOW;
    request.hdr.idFrom = std::find_if(keys, keys + count, [](const BoardKey &key) {
                             return key.identity == KEY_A; }) - keys;
    SendMessageW(KeyboardWindow, WM_NOTIFY, 0, (LPARAM)&request);
    return request.lpszText ? request.lpszText : L"(no tip)";
}

TEST_F(KeyboardWindowTest, ArrowKeysSwitchTheCountsBetweenTodayAndAllTime)
{
    EXPECT_NE(TipOfKeyA().find(L"1 234"), std::wstring::npos) << TipOfKeyA();
    ASSERT_EQ(GetFocus(), GetDlgItem(KeyboardWindow, IDC_KEYBOARD_TODAY));
    struct Press { WPARAM key; WORD scan; const wchar_t *count; };
    for (Press press : {Press{VK_RIGHT, 0x4D, L"56 789"}, Press{VK_LEFT, 0x4B, L"1 234"}}) {
        MSG message = {GetFocus(), WM_KEYDOWN, press.key, MAKELPARAM(1, KF_EXTENDED | press.scan),
                       0, {}};
        EXPECT_TRUE(IsKeyboardDialogMessage(&message)) << press.key;
        EXPECT_NE(TipOfKeyA().find(press.count), std::wstring::npos) << TipOfKeyA();
    }
}

// Made at the first mouse move, with a tool over each key and the notched Enter's lower part.
TEST_F(KeyboardWindowTest, TheKeysTooltipIsMadeAtTheFirstMouseMoveWithAToolOverEachKey)
{
    POINT cursor;
    if (GetCursorPos(&cursor) && WindowFromPoint(cursor) != KeyboardWindow) {
        EXPECT_EQ(OwnedTooltip(KeyboardWindow), nullptr);
    }
    BoardKey keys[MAX_BOARD_KEYS];
    int count = BoardKeys(LayoutBoardForm(GetKeyboardLayout(0)), keys);
    count += (int)std::count_if(keys, keys + count, [](const BoardKey &key) { return key.notched; });
    SendMessageA(KeyboardWindow, WM_MOUSEMOVE, 0, MAKELPARAM(40, 120));
    HWND tooltip = OwnedTooltip(KeyboardWindow);
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), count);
    SendMessageA(KeyboardWindow, WM_MOUSEMOVE, 0, MAKELPARAM(50, 130));
    EXPECT_EQ(OwnedTooltip(KeyboardWindow), tooltip) << "one for the window's life";
}

TEST_F(KeyboardWindowTest, EraseAskedKeepsTheCountsOnNoAndErasesThemOnYes)
{
    ASSERT_TRUE(SaveToRegistry());
    for (WPARAM answer : {IDNO, IDYES}) {
        StartModalCloser(answer);
        SendMessageA(GetDlgItem(KeyboardWindow, IDC_KEYBOARD_ERASE), BM_CLICK, 0, 0);
        StopModalCloser();
        EXPECT_EQ(CloserDialogCaptions.size(), 1u) << "one question";
        bool kept = answer == IDNO;
        EXPECT_EQ(KeysAllTime[KEY_A], kept ? 56789u : 0u) << answer;
        EXPECT_EQ(KeysTodayCounts(PeriodDate)[KEY_A], kept ? 1234u : 0u) << answer;
        EXPECT_EQ(ReadRegistryValue(SETTINGS_KEY, KEYS_ALL_TIME_VALUE).present, kept) << answer;
    }
}

// Right Shift as extended, SysRq and Break, as earlier versions stored them: moved into
// their keys at the load, once.
TEST_F(KeyCountsTest, CountsUnderRetiredIdentitiesAreFoldedIntoTheirKeysOnceAtLoad)
{
    std::vector<uint32_t> today(1 + KEY_IDENTITIES, 5);  // the date, then the counts
    today[0] = PeriodDate;
    WriteSettingsValue(KEYS_TODAY_VALUE, REG_BINARY, today.data(), 4 * (1 + KEY_IDENTITIES));
    for (int load = 1; load <= 2; ++load) {
        ASSERT_TRUE(LoadFromRegistry());
        const uint32_t *c = KeysTodayCounts(PeriodDate);  // the keys, the old ones, A
        std::vector<uint32_t> got = {c[0x36], c[0x137], c[0x45], c[0x136], c[0x54], c[0x146],
                                     c[0x1E]};
        EXPECT_EQ(got, (std::vector<uint32_t>{10, 10, 10, 0, 0, 0, 5})) << "load " << load;
        ASSERT_TRUE(StartCountingEachKey() && SaveToRegistry());
    }
}

// Every quarter of the board belongs to one key at most; each key appears once.
void ExpectKeysApart(BoardForm form)
{
    BoardKey keys[MAX_BOARD_KEYS];
    int count = BoardKeys(form, keys);
    static int owner[BOARD_HEIGHT][BOARD_WIDTH];
    for (auto &row : owner)
        std::fill(row, row + BOARD_WIDTH, -1);
    for (int index = 0; index < count; ++index) {
        const BoardKey &key = keys[index];
        for (int other = 0; other < index; ++other)
            EXPECT_NE(keys[other].identity, key.identity) << "form " << form;
        for (int y = key.y; y < key.y + key.height; ++y) {
            // The notched Enter leaves out the first quarter of its lower row.
            int left = key.notched && y >= key.y + key.height / 2 ? key.x + 1 : key.x;
            for (int x = left; x < key.x + key.width; ++x) {
                ASSERT_TRUE(x < BOARD_WIDTH && y < BOARD_HEIGHT) << "key " << key.identity;
                EXPECT_EQ(owner[y][x], -1) << "keys " << owner[y][x] << " and " << key.identity
                                           << " overlap, form " << form;
                owner[y][x] = key.identity;
            }
        }
    }
}

bool HasKey(BoardForm form, uint16_t identity)
{
    BoardKey keys[MAX_BOARD_KEYS];
    int count = BoardKeys(form, keys);
    return std::any_of(keys, keys + count,
                       [identity](const BoardKey &key) { return key.identity == identity; });
}

TEST(KeyboardLayoutTest, JisOnlyOnAJapaneseKeyboardIsoOnlyWhereTheKeyBesideLeftShiftHasItsOwn)
{
    // Keyboard type 4: 101/102 keys, 7: Japanese. The US layout maps 0x56 to 0x2B's backslash.
    const struct { int type; wchar_t at56, at2B; BoardForm form; } cases[] = {
        {4, L'\\', L'\\', BOARD_ANSI}, {4, 0, L'\\', BOARD_ANSI}, {4, L'<', L'#', BOARD_ISO},
        {4, 0, L']', BOARD_ANSI}, {7, 0, L']', BOARD_JIS}, {7, L'<', L'#', BOARD_JIS}};
    for (const auto &c : cases)
        EXPECT_EQ(ChooseBoardForm(c.type, c.at56, c.at2B), c.form)
            << "type " << c.type << ", " << (int)c.at56 << " at 0x56, " << (int)c.at2B;
    EXPECT_TRUE(HasKey(BOARD_ISO, 0x56));
    EXPECT_FALSE(HasKey(BOARD_ANSI, 0x56));
    EXPECT_TRUE(HasKey(BOARD_JIS, 0x7D) && HasKey(BOARD_JIS, 0x73));
    for (BoardForm form : {BOARD_ANSI, BOARD_ISO, BOARD_JIS})
        ExpectKeysApart(form);
}

}  // namespace
