// The option "Count Each Key", turned on and off only through the user's answers: on after
// an explanation of what is kept, where and how to erase it; off at once, with the
// question whether to erase what was kept.
#ifndef TALLYWICK_COUNT_EACH_KEY_H
#define TALLYWICK_COUNT_EACH_KEY_H

// IDM_COUNT_EACH_KEY: the menu item's check mark turned over.
void ToggleCountEachKey();
// The explanation with Yes and No; on for Yes.
void AskToCountEachKey();
// "Erase key counts...": Yes and No, No preselected.
void AskToEraseKeyCounts();

#endif
