// The figures: the all-time totals, the current period and its clock, the saved mark, the
// stored per-day history and the week clock's figures by hour. They are changed here and nowhere else: every other module
// reads them through the views below and changes them through the named operations.
// The current period's figures are Totals minus PeriodBaseline; the all-time ones are Totals.
// The per-key counts live in key_counts.h; a key press reaches them through OnKeyPress.
#ifndef TALLYWICK_FIGURES_H
#define TALLYWICK_FIGURES_H

#include <windows.h>
#include <stdint.h>
#include "counters.h"
#include "history_list.h"

extern const CounterBlock &Totals;          // all-time totals, raised by the hook messages
extern const CounterBlock &PeriodBaseline;  // Totals as they were when the period began
// Tick count / 1000 at the start of the period, moved forward by the time not running since.
extern const uint32_t &PeriodStartSeconds;
extern const DateKey &PeriodDate;           // the day the period began
extern const uint64_t &StoredTotalTime;     // all-time running seconds up to the period's start
// The saved mark: what the last save (a period start or a checkpoint) credited to the
// history. A save credits only what came after it, so nothing is ever counted twice.
extern const CounterBlock &SavedTotals;     // Totals as of the last save
extern const uint32_t &SavedSeconds;        // PeriodSeconds() as of the last save
extern const HistoryList &StoredHistory;    // the stored per-day history, in append order
// Moves on with every change of the stored history but a save's credit to a record of
// PeriodDate, so that a view of the other days knows when to build them anew.
extern const uint32_t &StoredHistoryChanges;
// All-time key presses, clicks and distance by weekday and hour of local time, Monday
// 00:00 first and Sunday 23:00 last. Each count adds to the hour it is counted in; nothing
// zeroes them, as no period zeroes a total.
extern const HourlyRecord (&HourlyActivity)[HOURS_IN_WEEK];

const uint32_t TICK_WRAPPED = 0xFFFFFFFF;
const float MAX_STEP_MM = 10000.0f;

uint32_t TickCountOrWrap();   // TICK_WRAPPED once the tick counter has wrapped this period
uint32_t PeriodSeconds();
uint64_t AllTimeSeconds();

// The hook messages: one addition each to the totals and to the hour of the clock's last
// reading, with no allocation and no call to the system.
// A distance that cannot be one step of a real mouse (no number, infinite, negative or
// over MAX_STEP_MM) is dropped: any process may post the message.
// A key press counts for its key too (MSG_KEY_PRESS's wParam, 0 for none) while "Count
// Each Key" is on.
void OnKeyPress(WPARAM key);
void OnMouseDistance(LPARAM lParam);  // lParam holds the bits of a float
void OnClickLeft();
void OnClickMiddle();
void OnClickRight();

// Starts the period clock now; everything counted so far counts as saved, and the time
// not running (sleep_watch.h) is measured from now.
void StartPeriod();
// A new period from the totals in memory: the period clock starts, PeriodBaseline becomes
// Totals, and `storedTotalTime` is the running time before it.
void BeginPeriod(uint64_t storedTotalTime);
// The all-time figures become these, with nothing counted or unsaved in the period:
// Totals, PeriodBaseline and the saved mark all equal `totals`.
void ReplaceTotals(const CounterBlock &totals, uint64_t totalTime);
// Credits what was counted since the last save to the last record dated PeriodDate, else
// to a new record appended for PeriodDate, and moves the saved mark: a second call credits
// nothing twice. False (mark unmoved) when that append ran out of memory.
bool UpdateTodayRecord();
// A copy of `record` (a new record of PeriodDate when null) with what was counted since the
// last save credited to it as UpdateTodayRecord would credit it now; nothing is changed.
HistoryRecord RecordAfterSave(const HistoryRecord *record);
// Moves the period's start forward by `seconds` in which the machine did not run; never
// so far that the running time falls below the saved mark.
void LeaveOutSleep(uint32_t seconds);
// Copies one record to the end of StoredHistory; false (history unchanged) when out of memory.
bool AppendStoredRecord(const HistoryRecord *record);
// The stored history becomes a copy of `records`; it is left as it was when the memory
// cannot be had.
void ReplaceStoredHistory(const HistoryList &records);
// Merges an imported history into the stored one by date (MergeRecordsByDate).
bool MergeImportedHistory(const HistoryList *imported, int replace);
// The hourly figures become these, as loaded.
void ReplaceHourlyActivity(const HourlyRecord (&hours)[HOURS_IN_WEEK]);

#endif
