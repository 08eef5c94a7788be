// The redirect is what keeps a developer's own statistics and Run value safe when the unit
// tests run on a real Windows machine: the program's writes must land in the scratch key.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "app/autostart.h"
#include "scratch_registry.h"
#include "settings_key_support.h"

namespace {

// The bytes of a value below `root`, or "absent".
std::string ValueBytes(HKEY root, const char *subkey, const char *name)
{
    char data[1024];
    DWORD size = sizeof data;
    if (RegGetValueA(root, subkey, name, RRF_RT_ANY, NULL, data, &size) != ERROR_SUCCESS)
        return "absent";
    return std::string(data, size);
}

const char *const REAL_SETTINGS_KEY = "Ferrowood\\Tallywick";   // below the real Software
const char *const REAL_RUN_KEY = "Microsoft\\Windows\\CurrentVersion\\Run";

TEST(ScratchRegistryTest, SaveAndAutostartWriteTheScratchKeyAndLeaveTheRealOne)
{
    const std::string realKeys = ValueBytes(RealUserSoftware(), REAL_SETTINGS_KEY, "Keyboard Presses");
    const std::string realRun = ValueBytes(RealUserSoftware(), REAL_RUN_KEY, RUN_VALUE);
    ResetProgramState();
    ReplaceTotals(CounterBlock{0x5C7A7C4B1D, 0, 0, 0, 0}, 0);  // a count no real user has
    SaveToRegistry();
    SetAutostart(true);

    const std::string saved((const char *)&Totals.keyPresses, sizeof Totals.keyPresses);
    EXPECT_EQ(ValueBytes(ScratchCurrentUser(), SETTINGS_KEY, "Keyboard Presses"), saved);
    EXPECT_NE(ValueBytes(ScratchCurrentUser(), RUN_KEY, RUN_VALUE), "absent");
    EXPECT_EQ(ValueBytes(RealUserSoftware(), REAL_SETTINGS_KEY, "Keyboard Presses"), realKeys);
    EXPECT_EQ(ValueBytes(RealUserSoftware(), REAL_RUN_KEY, RUN_VALUE), realRun);

    SetAutostart(false);
    ResetProgramState();
}

}  // namespace
