// PLACEHOLDER until this module is written; nothing here is real.
#include "recount.h"
void RecountTotals() {}
