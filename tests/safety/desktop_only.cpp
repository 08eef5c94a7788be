// Linked into the test programs that act on the desktop (the hook tests and the end-to-end
// tests): on a real Windows desktop every one of their tests is skipped, with the reason,
// unless TALLYWICK_TEST_ON_THIS_DESKTOP=1 asks for them. Runs before the first test.
#include "safety/test_safety.h"

namespace {

struct DesktopOnly : ::testing::Environment {
    void SetUp() override
    {
        if (!DesktopTestsAllowed())
            GTEST_SKIP() << "skipped: not under Wine. These tests type keys, click, start and "
                            "end Tallywick and rewrite its statistics and Run value; set "
                            "TALLYWICK_TEST_ON_THIS_DESKTOP=1 to run them on this desktop anyway.";
    }
};

::testing::Environment *const registered = ::testing::AddGlobalTestEnvironment(new DesktopOnly);

}  // namespace
