// PLACEHOLDER until this module is written; nothing here is real.
#include "period.h"
void ClearData() {}
void OnMeterTimer(HWND, WPARAM) {}
void RunExitSequence() {}
