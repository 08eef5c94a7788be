// One statistics record per day, and the growable list that holds records. Records and
// lists only: which list is the stored history, and what a period adds to it, is the
// core's (figures.h).
// The record layout is also the layout of the registry value "History" and of the
// history file: both store records back to back, exactly as they lie in memory.
#ifndef TALLYWICK_HISTORY_LIST_H
#define TALLYWICK_HISTORY_LIST_H

#include <stddef.h>
#include <stdint.h>
#include "counters.h"

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

// Makes room for at least n records; never shrinks. New slots are zero.
// False (list unchanged) when the memory cannot be had or n * 24 overflows 32 bits.
bool ReserveHistory(HistoryList *list, int32_t n);
// Copies one record to the end of the list, growing it by its step when it is full;
// false (list unchanged) when out of memory.
bool AppendRecord(HistoryList *list, const HistoryRecord *record);
void DestroyHistoryList(HistoryList *list);
// The last record of `date`, or null.
HistoryRecord *FindLastRecord(HistoryList *list, DateKey date);
// target = source + what was counted between the counters `from` and `to`, and `seconds`,
// each in the record's own width. Target and source may be one record; the target's date
// and reserved bytes are left alone.
void AddPeriodToRecord(HistoryRecord *target, const HistoryRecord *source,
                       const CounterBlock &to, const CounterBlock &from, uint32_t seconds);
// A record's figures; a distance that is no number or infinite (stored by an older
// version) counts as nothing, since it would spoil every sum it is in.
Figures FiguresOfRecord(const HistoryRecord *record);
// A record's date and figures as it holds them, a distance that is no number included: a
// record shown as it is stored.
DayFigures RecordAsDay(const HistoryRecord *record);
void AddFigures(Figures *sum, const Figures &more);
// What a list adds up to: the last record first, then the others in list order.
Figures SumHistory(const HistoryList &list);

#endif
