// One statistics record per day, and the growable list that holds them.
// The record layout is also the layout of the registry value "History" and of the
// history file: both store records back to back, exactly as they lie in memory.
#ifndef TALLYWICK_HISTORY_LIST_H
#define TALLYWICK_HISTORY_LIST_H

#include <stddef.h>
#include <stdint.h>
#include "../app/counters.h"

struct HistoryRecord {
    DateKey date;
    uint32_t keys;
    float distance;          // millimetres
    uint16_t rightClicks;    // right, middle, left: the reverse of the display order
    uint16_t middleClicks;
    uint16_t leftClicks;
    uint16_t reserved;       // written as zero by records made here; never read
    uint32_t seconds;
};
static_assert(sizeof(HistoryRecord) == 24, "a history record is 24 bytes");
static_assert(offsetof(HistoryRecord, date) == 0, "record layout");
static_assert(offsetof(HistoryRecord, keys) == 4, "record layout");
static_assert(offsetof(HistoryRecord, distance) == 8, "record layout");
static_assert(offsetof(HistoryRecord, rightClicks) == 12, "record layout");
static_assert(offsetof(HistoryRecord, middleClicks) == 14, "record layout");
static_assert(offsetof(HistoryRecord, leftClicks) == 16, "record layout");
static_assert(offsetof(HistoryRecord, reserved) == 18, "record layout");
static_assert(offsetof(HistoryRecord, seconds) == 20, "record layout");

struct HistoryList {
    HistoryRecord *records;  // owned; null when capacity is 0
    int32_t capacity;
    int32_t count;
    int32_t growStep;
};

const int32_t HISTORY_GROW_STEP = 5;

extern HistoryList StoredHistory;  // the stored per-day history, in append order

// Makes room for at least n records; never shrinks. New slots are zero.
// False (list unchanged) when the memory cannot be had or n * 24 overflows 32 bits.
bool ReserveHistory(HistoryList *list, int32_t n);
// Copies one record to the end of StoredHistory; false (list unchanged) when out of memory.
bool AppendStoredRecord(const HistoryRecord *record);
void DestroyHistoryList(HistoryList *list);
// target = source + what the current period counted since the last save (the period's
// start or a checkpoint), each in the record's own width, with PeriodSeconds() read as
// `periodSeconds`.
void AddPeriodToRecord(HistoryRecord *target, const HistoryRecord *source,
                       uint32_t periodSeconds);
// Credits what was counted since the last save to the last record dated PeriodDate, else
// to a new record appended for PeriodDate, and moves the saved mark: a second call credits
// nothing twice. False (mark unmoved) when that append ran out of memory.
bool UpdateTodayRecord();

#endif
