// For their whole run the unit tests see a scratch key as HKEY_CURRENT_USER, so that the
// statistics and the Run value they write and delete are never a real user's.
#ifndef TALLYWICK_SCRATCH_REGISTRY_H
#define TALLYWICK_SCRATCH_REGISTRY_H

#include <windows.h>

// The real HKEY_CURRENT_USER\Software, and the scratch key that stands in for
// HKEY_CURRENT_USER.
HKEY RealUserSoftware();
HKEY ScratchCurrentUser();
// Points HKEY_CURRENT_USER at the scratch key again, after a test pointed it elsewhere.
void RedirectCurrentUserToScratch();

#endif
