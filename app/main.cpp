// The Windows entry point: splits the command line and runs the program.
#include <windows.h>
#include <shellapi.h>
#include "program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // Split from the wide command line: the runtime's narrow arguments would carry a file
    // name outside the ANSI code page as question marks. Without the memory to split it the
    // program starts as if it had no arguments.
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    int code = RunProgram(instance, argv ? argc : 0, argv);
    LocalFree(argv);
    return code;
}
