// PLACEHOLDER until this module is written; nothing here is real.
#include "registry_store.h"
bool LoadFromRegistry() { return false; }
bool SaveToRegistry() { return false; }
