// Checkpoints: what was counted since the last save reaches the registry while the period
// goes on, so that a program that is killed loses at most the last minute.
#ifndef TALLYWICK_CHECKPOINT_H
#define TALLYWICK_CHECKPOINT_H

#include <stdint.h>

// A checkpoint is due this long after the last save when some counter has moved since...
const uint32_t CHECKPOINT_SECONDS = 60;
// ...and this long after it when only the running time has: an idle machine does not
// rewrite the whole history blob every minute.
const uint32_t IDLE_CHECKPOINT_SECONDS = 600;

// Writes the totals, "Total Time" and today's record as a save would now, and moves the
// saved mark; the period, its start and what the meter shows stay as they are. With
// nothing new since the last save it writes nothing. A failed write leaves the credit in
// the in-memory history, for the next save that succeeds.
void SaveCheckpoint();
// The meter timer's check: a tick compare unless a checkpoint is due.
void CheckpointWhenDue();

#endif
