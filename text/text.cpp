// PLACEHOLDER until this module is written; nothing here is real.
#include "text.h"
char TextSlots[TEXT_SLOT_COUNT][TEXT_SLOT_SIZE];
char *LoadText(int slot, UINT) { return TextSlots[slot]; }
void ShowErrorMessage(UINT) {}
bool AskYesNo(UINT) { return false; }
