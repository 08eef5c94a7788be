#include "startup.h"
HANDLE InstanceMutex;
int RunProgram(HINSTANCE, int, char **) { return 0; }
