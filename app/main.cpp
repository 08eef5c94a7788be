// The Windows entry point: splits the command line and runs the program.
#include <windows.h>
#include <stdlib.h>
#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The runtime has already split the command line the usual Windows way.
    return RunProgram(instance, __argc, __argv);
}
