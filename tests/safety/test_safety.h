// What keeps the tests from harming a developer's own Windows machine. The tests that act
// on the desktop (inject keys and clicks, start and end the real program, write the real
// statistics key and Run value) run only under Wine, unless TALLYWICK_TEST_ON_THIS_DESKTOP=1
// asks for them on purpose; the checks of the Chinese texts need the ANSI code page 936
// they are written in.
#ifndef TALLYWICK_TEST_SAFETY_H
#define TALLYWICK_TEST_SAFETY_H

#include <gtest/gtest.h>
#include <windows.h>
#include <stdlib.h>
#include <string.h>

// Wine's ntdll exports wine_get_version; Windows' does not.
inline bool RunningUnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

inline bool DesktopTestsAllowed()
{
    const char *asked = getenv("TALLYWICK_TEST_ON_THIS_DESKTOP");
    return RunningUnderWine() || (asked && !strcmp(asked, "1"));
}

#define SKIP_OUTSIDE_CODE_PAGE_936()                                                       \
    if (GetACP() != 936)                                                                   \
    GTEST_SKIP() << "skipped: these checks compare texts in code page 936 (Chinese), and " \
                    "this system's ANSI code page is "                                     \
                 << GetACP()

#endif
