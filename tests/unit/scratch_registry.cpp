// The redirect of HKEY_CURRENT_USER for the unit tests (RegOverridePredefKey), set up on the
// main thread before the first test and undone after the last; the override holds for
// every thread of the process. The scratch key is HKCU\Software\TallywickUnitTests\<pid>
// and is deleted at the end.
// The real key is held as a handle to its Software subkey: a handle to the root itself
// may be the very handle that the override replaces (and closes), as under Wine.
#include "scratch_registry.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const char *const SCRATCH_PARENT = "TallywickUnitTests";

HKEY RealSoftware = NULL;
HKEY Scratch = NULL;
std::string ScratchPath;

struct ScratchRegistry : ::testing::Environment {
    void SetUp() override
    {
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &RealSoftware),
                  ERROR_SUCCESS);
        ScratchPath = std::string(SCRATCH_PARENT) + "\\" + std::to_string(GetCurrentProcessId());
        RegDeleteTreeA(RealSoftware, ScratchPath.c_str());
        ASSERT_EQ(RegCreateKeyExA(RealSoftware, ScratchPath.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                  &Scratch, NULL),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, Scratch), ERROR_SUCCESS);
    }

    void TearDown() override
    {
        RegOverridePredefKey(HKEY_CURRENT_USER, NULL);
        RegCloseKey(Scratch);
        RegDeleteTreeA(RealSoftware, ScratchPath.c_str());
        // Fails, as it should, while another run's scratch key is still there.
        RegDeleteKeyA(RealSoftware, SCRATCH_PARENT);
        RegCloseKey(RealSoftware);
    }
};

::testing::Environment *const registered = ::testing::AddGlobalTestEnvironment(new ScratchRegistry);

}  // namespace

HKEY RealUserSoftware()
{
    return RealSoftware;
}

HKEY ScratchCurrentUser()
{
    return Scratch;
}

void RedirectCurrentUserToScratch()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, Scratch);
}
