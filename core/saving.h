// Saving the figures: a save credits the period to today's record, then writes everything
// to the registry store; a load takes what the store holds. Checkpoints save while the
// period goes on, so that a program that is killed loses at most the last minute. The
// per-key option, an erasure of the per-key counts and "Show All Computers" are stored at
// once.
#ifndef TALLYWICK_SAVING_H
#define TALLYWICK_SAVING_H

#include <stdint.h>

// A checkpoint is due this long after the last save when some counter has moved since...
const uint32_t CHECKPOINT_SECONDS = 60;
// ...and this long after it when only the running time has: an idle machine does not
// rewrite the whole history blob every minute.
const uint32_t IDLE_CHECKPOINT_SECONDS = 600;

// The stored totals and running time start a period with nothing counted in it; the
// stored history, when the key holds any, replaces the one in memory, and so do the
// stored hours of the week clock, the per-key option and counts, and the choice to show
// all computers. False, with nothing changed, when the key could not be opened
// (LastLoadError says why).
bool LoadFromRegistry();
// Credits what was counted since the last save to today's record (UpdateTodayRecord), then
// writes the totals, "Total Time" as AllTimeSeconds(), the history, the hours, while "Count
// Each Key" is on the per-key counts; then the day's backup, when it is due. False when the
// key could not be created or a value not written (LastSaveError); the credit is made in
// memory all the same. The first save of each hour also hands the history to the sync folder.
bool SaveToRegistry();
// Saves as a period change would now, while the period, its start and what the meter
// shows stay as they are. With nothing new since the last save it writes nothing.
void SaveCheckpoint();
// The meter timer's check: a tick compare unless a checkpoint is due.
void CheckpointWhenDue();

// "Count Each Key" on and stored; false (still off) when it could not be stored.
bool StartCountingEachKey();
// "Count Each Key" off at once; the counts made so far are stored as they are.
void StopCountingEachKey();
// Every per-key count zero, and both per-key values deleted from the registry.
void EraseKeyCounts();

// "Show All Computers" stored, then taken in memory (all_computers.h); false, with the
// choice as it was, when it could not be stored: a reload at the next period change would
// undo it.
bool ChooseShowAllComputers(bool on);

#endif
