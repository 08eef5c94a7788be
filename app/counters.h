// The five counters, the two program-wide counter blocks and the clock of a period.
// The current period's figures are Totals minus PeriodBaseline; the all-time ones are Totals.
#ifndef TALLYWICK_COUNTERS_H
#define TALLYWICK_COUNTERS_H

#include <windows.h>
#include <stdint.h>

// The order right, middle, left is the block's own; the recount writes a whole block.
// Integer counters wrap modulo 2^64 and are shown as signed 64-bit numbers.
struct CounterBlock {
    uint64_t keyPresses;
    double distance;        // millimetres
    uint64_t rightClicks;
    uint64_t middleClicks;
    uint64_t leftClicks;
};

// A local date packed as year << 16 | month << 8 | day; keys compare like dates.
typedef uint32_t DateKey;

extern CounterBlock Totals;          // all-time totals, raised by the hook messages
extern CounterBlock PeriodBaseline;  // Totals as they were when the period began
// Tick count / 1000 at the start of the period, moved forward by the time not running since.
extern uint32_t PeriodStartSeconds;
extern DateKey PeriodDate;           // the day the period began
extern uint64_t StoredTotalTime;     // all-time running seconds up to the period's start
// The saved mark: what the last save (a period start or a checkpoint) credited to the
// history. A save credits only what came after it, so nothing is ever counted twice.
extern CounterBlock SavedTotals;     // Totals as of the last save
extern uint32_t SavedSeconds;        // PeriodSeconds() as of the last save

const uint32_t TICK_WRAPPED = 0xFFFFFFFF;
const float MAX_STEP_MM = 10000.0f;

DateKey MakeDateKey(const SYSTEMTIME &date);
DateKey TodayDateKey();
// Starts the period clock now; everything counted so far counts as saved, and the time
// not running (power.h) is measured from now.
void StartPeriod();
// Moves the saved mark to the present: Totals and PeriodSeconds() as they are now.
void MarkSaved(uint32_t periodSeconds);
uint32_t TickCountOrWrap();   // TICK_WRAPPED once the tick counter has wrapped this period
uint32_t PeriodSeconds();
uint64_t AllTimeSeconds();

// The hook messages: one addition each, no allocation.
// A distance that cannot be one step of a real mouse (no number, infinite, negative or
// over MAX_STEP_MM) is dropped: any process may post the message.
void OnKeyPress();
void OnMouseDistance(LPARAM lParam);  // lParam holds the bits of a float
void OnClickLeft();
void OnClickMiddle();
void OnClickRight();

#endif
