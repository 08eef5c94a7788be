// The program's language, chosen once, and its resources.
#include "language.h"

const UINT CHINESE_CODE_PAGE = 936;
const LANGID CHINESE = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
const LANGID ENGLISH = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// Windows picks a program's resources by the display language but hands a narrow program
// its texts in the ANSI code page, and the two are set apart: a Chinese display language
// over code page 1252 turns every Chinese character into "?". Texts, formats and files are
// narrow throughout, so the Chinese ones are taken only where the code page can show them.
// The thread's preferred UI languages would come first for the loader, but only a program
// that sets them has any, and this one does not.
static LANGID ChooseLanguage()
{
    bool chineseDisplay = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE;
    return chineseDisplay && GetACP() == CHINESE_CODE_PAGE ? CHINESE : ENGLISH;
}

// Decided at the first call.
static LANGID ProgramLanguage()
{
    static const LANGID language = ChooseLanguage();
    return language;
}

const void *ProgramResource(HMODULE module, LPCSTR type, LPCSTR name, DWORD *size)
{
    // Asked for by language: FindResource would follow the display language alone.
    HRSRC found = FindResourceExA(module, type, name, ProgramLanguage());
    HGLOBAL loaded = found ? LoadResource(module, found) : NULL;
    if (!loaded)
        return NULL;
    if (size)
        *size = SizeofResource(module, found);
    return LockResource(loaded);
}
