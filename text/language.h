// The one language of everything the program shows, and its resources. Every text, the
// menu and the About box come from this language, whatever the resource loader would pick.
#ifndef TALLYWICK_LANGUAGE_H
#define TALLYWICK_LANGUAGE_H

#include <windows.h>

// Resource `name` of `type` in the program's language (simplified Chinese when the user's
// interface language is Chinese and the ANSI code page is 936, English (United States)
// otherwise), locked, with its size in bytes when `size` is not null; null when the module
// has none in that language.
const void *ProgramResource(HMODULE module, LPCSTR type, LPCSTR name, DWORD *size);

#endif
