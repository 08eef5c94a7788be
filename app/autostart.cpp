// PLACEHOLDER until this module is written; nothing here is real.
#include "autostart.h"
bool IsAutostartEnabled() { return false; }
void SetAutostart(bool) {}
