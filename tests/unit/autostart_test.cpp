// The autostart entry in the real (Wine) Run key; the value found before the tests is
// put back afterwards.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "app/autostart.h"
#include "settings_key_support.h"

namespace {

RegistryValue ReadRunValue()
{
    return ReadRegistryValue(RUN_KEY, RUN_VALUE);
}

void WriteRunValue(DWORD type, const void *data, DWORD size)
{
    WriteRegistryValue(RUN_KEY, RUN_VALUE, type, data, size);
}

void DeleteRunValue()
{
    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, RUN_KEY, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, RUN_VALUE);
    RegCloseKey(key);
}

std::string QuotedOwnPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string("\"") + path + "\"";
}

void Toggle()
{
    SetAutostart(!IsAutostartEnabled());
}

struct AutostartTest : ::testing::Test {
    static RegistryValue original;
    static void SetUpTestSuite() { original = ReadRunValue(); }
    static void TearDownTestSuite()
    {
        if (original.present)
            WriteRunValue(original.type, original.data.data(), (DWORD)original.data.size());
        else
            DeleteRunValue();
    }
    void SetUp() override { DeleteRunValue(); }

    void ExpectOwnQuotedPath()
    {
        RegistryValue value = ReadRunValue();
        ASSERT_TRUE(value.present);
        EXPECT_EQ(value.type, (DWORD)REG_SZ);
        std::string expected = QuotedOwnPath();
        ASSERT_EQ(value.data.size(), expected.size() + 1);  // the text and its zero
        EXPECT_EQ(std::string((const char *)value.data.data()), expected);
    }
};
RegistryValue AutostartTest::original;

TEST_F(AutostartTest, TogglingTwiceFromDisabledLeavesNoValue)
{
    EXPECT_FALSE(IsAutostartEnabled());
    Toggle();
    EXPECT_TRUE(IsAutostartEnabled());
    ExpectOwnQuotedPath();
    Toggle();
    EXPECT_FALSE(IsAutostartEnabled());
    EXPECT_FALSE(ReadRunValue().present);
}

TEST_F(AutostartTest, TogglingTwiceFromAnotherCopyLeavesThisProgramsPath)
{
    const char other[] = "\"C:\\Other Place\\tallywick.exe\"";
    WriteRunValue(REG_SZ, other, sizeof other);
    EXPECT_TRUE(IsAutostartEnabled());
    Toggle();
    EXPECT_FALSE(ReadRunValue().present);
    Toggle();
    ExpectOwnQuotedPath();
}

TEST_F(AutostartTest, AnyReadableValueCountsAsEnabled)
{
    DWORD number = 1;
    WriteRunValue(REG_DWORD, &number, sizeof number);
    EXPECT_TRUE(IsAutostartEnabled());
}

TEST_F(AutostartTest, ValueTooLongForTheBufferReadsAsDisabledAndIsOverwritten)
{
    std::string longPath = "\"C:\\" + std::string(300, 'x') + ".exe\"";
    WriteRunValue(REG_SZ, longPath.c_str(), (DWORD)longPath.size() + 1);
    EXPECT_FALSE(IsAutostartEnabled());
    Toggle();
    ExpectOwnQuotedPath();
    EXPECT_TRUE(IsAutostartEnabled());
}

TEST_F(AutostartTest, ValueThatJustFitsReadsAsEnabled)
{
    std::string path(259, 'y');  // 260 bytes with its zero
    WriteRunValue(REG_SZ, path.c_str(), (DWORD)path.size() + 1);
    EXPECT_TRUE(IsAutostartEnabled());
    path += 'y';
    WriteRunValue(REG_SZ, path.c_str(), (DWORD)path.size() + 1);
    EXPECT_FALSE(IsAutostartEnabled());
}

// Task Manager and Settings turn the entry off by an odd first byte beside the Run value;
// the command then turns it back on, clearing that "off".
TEST_F(AutostartTest, WindowsOwnSwitchDecidesAndTurningOnClearsItsOff)
{
    const std::string rest(11, '\0');
    const struct { const char *what; bool present; std::string data; bool on; } cases[] = {
        {"absent", false, "", true},         {"02", true, "\x02" + rest, true},
        {"03", true, "\x03" + rest, false}, {"short 03", true, "\x03", false},
        {"empty", true, "", false},
    };
    for (const auto &c : cases) {
        WriteRunValue(REG_SZ, "x", 2);
        if (c.present)
            WriteRegistryValue(STARTUP_APPROVED_KEY, RUN_VALUE, REG_BINARY, c.data.data(),
                               (DWORD)c.data.size());
        EXPECT_EQ(IsAutostartEnabled(), c.on) << c.what;
        if (!c.on) {
            Toggle();
            EXPECT_TRUE(IsAutostartEnabled()) << c.what;
            EXPECT_FALSE(ReadRegistryValue(STARTUP_APPROVED_KEY, RUN_VALUE).present) << c.what;
        }
        RegDeleteKeyValueA(HKEY_CURRENT_USER, STARTUP_APPROVED_KEY, RUN_VALUE);
    }
}

}  // namespace
