// PLACEHOLDER until this module is written; nothing here is real.
#include "startup.h"
HANDLE InstanceMutex;
int RunProgram(HINSTANCE, int, char **) { return 0; }
int RunMessageLoop() { return 0; }
void CloseInstanceMutex() {}
