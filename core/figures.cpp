// The figures and every change of them. All of it runs on the program's one thread.
#include "figures.h"
#include "clock.h"
#include "dates.h"
#include "history_merge.h"
#include "key_counts.h"
#include "sleep_watch.h"

#include <stdlib.h>
#include <string.h>

// The core's own copies, behind the read-only views of the header.
static CounterBlock OwnTotals;
static CounterBlock OwnPeriodBaseline;
static uint32_t OwnPeriodStartSeconds;
static DateKey OwnPeriodDate;
static uint64_t OwnStoredTotalTime;
static CounterBlock OwnSavedTotals;
static uint32_t OwnSavedSeconds;
static HistoryList OwnStoredHistory = {nullptr, 0, 0, HISTORY_GROW_STEP};
static HourlyRecord OwnHourlyActivity[HOURS_IN_WEEK];
static uint32_t OwnStoredHistoryChanges;

const CounterBlock &Totals = OwnTotals;
const CounterBlock &PeriodBaseline = OwnPeriodBaseline;
const uint32_t &PeriodStartSeconds = OwnPeriodStartSeconds;
const DateKey &PeriodDate = OwnPeriodDate;
const uint64_t &StoredTotalTime = OwnStoredTotalTime;
const CounterBlock &SavedTotals = OwnSavedTotals;
const uint32_t &SavedSeconds = OwnSavedSeconds;
const HistoryList &StoredHistory = OwnStoredHistory;
const uint32_t &StoredHistoryChanges = OwnStoredHistoryChanges;
const HourlyRecord (&HourlyActivity)[HOURS_IN_WEEK] = OwnHourlyActivity;

static void FreeStoredHistory()
{
    DestroyHistoryList(&OwnStoredHistory);
}

// The stored history lives as long as the process; it is freed by a clean-up registered
// when the program starts, before WinMain runs.
[[maybe_unused]] static const int StoredHistoryCleanup = atexit(FreeStoredHistory);

// The clock's last reading is at most a second old while the meter timer runs, and it is
// renewed at every hour's edge: an event is credited to its own hour, not the one before.
static HourlyRecord &CurrentHour()
{
    return OwnHourlyActivity[HourOfWeek(*ClockLastReading())];
}

uint32_t TickCountOrWrap()
{
    uint32_t ticks = ClockTickCount();
    // A count below the period's start means the counter has wrapped since it began.
    return ticks / 1000 < OwnPeriodStartSeconds ? TICK_WRAPPED : ticks;
}

uint32_t PeriodSeconds()
{
    return TickCountOrWrap() / 1000 - OwnPeriodStartSeconds;
}

uint64_t AllTimeSeconds()
{
    return OwnStoredTotalTime + (uint64_t)PeriodSeconds();
}

void OnKeyPress(WPARAM key)
{
    ++OwnTotals.keyPresses;
    ++CurrentHour().keys;
    CountKeyOfPress(key, OwnPeriodDate);
}

void OnMouseDistance(LPARAM lParam)
{
    uint32_t bits = (uint32_t)lParam;
    float millimetres;
    memcpy(&millimetres, &bits, sizeof millimetres);
    // Written so that a NaN, which fails every comparison, is dropped too.
    if (millimetres >= 0.0f && millimetres <= MAX_STEP_MM) {
        OwnTotals.distance += millimetres;
        CurrentHour().distance += millimetres;
    }
}

void OnClickLeft()
{
    ++OwnTotals.leftClicks;
    ++CurrentHour().clicks;
}

void OnClickMiddle()
{
    ++OwnTotals.middleClicks;
    ++CurrentHour().clicks;
}

void OnClickRight()
{
    ++OwnTotals.rightClicks;
    ++CurrentHour().clicks;
}

// The saved mark moves to the present: Totals and PeriodSeconds() as they are now.
static void MarkSaved(uint32_t periodSeconds)
{
    OwnSavedTotals = OwnTotals;
    OwnSavedSeconds = periodSeconds;
}

void StartPeriod()
{
    OwnPeriodStartSeconds = ClockTickCount() / 1000;
    OwnPeriodDate = TodayDateKey();
    MarkSaved(0);
    RestartRunningWatch();
}

void BeginPeriod(uint64_t storedTotalTime)
{
    StartPeriod();
    OwnPeriodBaseline = OwnTotals;
    OwnStoredTotalTime = storedTotalTime;
}

void ReplaceTotals(const CounterBlock &totals, uint64_t totalTime)
{
    OwnTotals = totals;
    OwnPeriodBaseline = OwnTotals;
    OwnSavedTotals = OwnTotals;
    OwnStoredTotalTime = totalTime;
}

bool AppendStoredRecord(const HistoryRecord *record)
{
    ++OwnStoredHistoryChanges;
    return AppendRecord(&OwnStoredHistory, record);
}

// `record` plus what was counted since the last save, `periodSeconds` being PeriodSeconds()
// read once by the caller.
static void CreditUnsaved(HistoryRecord *record, uint32_t periodSeconds)
{
    AddPeriodToRecord(record, record, OwnTotals, OwnSavedTotals, periodSeconds - OwnSavedSeconds);
}

bool UpdateTodayRecord()
{
    HistoryRecord *today = FindLastRecord(&OwnStoredHistory, OwnPeriodDate);
    if (!today) {
        HistoryRecord fresh = {};
        fresh.date = OwnPeriodDate;
        if (!AppendStoredRecord(&fresh))
            return false;
        today = &OwnStoredHistory.records[OwnStoredHistory.count - 1];
    }
    // One reading of the clock for the credit and the mark, so no second falls between.
    uint32_t periodSeconds = PeriodSeconds();
    CreditUnsaved(today, periodSeconds);
    MarkSaved(periodSeconds);
    return true;
}

HistoryRecord RecordAfterSave(const HistoryRecord *record)
{
    HistoryRecord after = {};
    if (record)
        after = *record;
    else
        after.date = OwnPeriodDate;
    CreditUnsaved(&after, PeriodSeconds());
    return after;
}

void LeaveOutSleep(uint32_t seconds)
{
    // Seconds already saved stay counted, so the running time never falls below the saved
    // mark and no save ever stores less time than one before it.
    uint32_t unsaved = PeriodSeconds() - OwnSavedSeconds;
    OwnPeriodStartSeconds += seconds < unsaved ? seconds : unsaved;
}

// The records are copied over the array, which moves only when it is too small; an empty
// history keeps no array.
void ReplaceStoredHistory(const HistoryList &records)
{
    ++OwnStoredHistoryChanges;
    if (records.count == 0)
        DestroyHistoryList(&OwnStoredHistory);
    if (!ReserveHistory(&OwnStoredHistory, records.count))
        return;
    if (records.count > 0)
        memcpy(OwnStoredHistory.records, records.records,
               (size_t)records.count * sizeof(HistoryRecord));
    OwnStoredHistory.count = records.count;
}

bool MergeImportedHistory(const HistoryList *imported, int replace)
{
    ++OwnStoredHistoryChanges;
    return MergeRecordsByDate(&OwnStoredHistory, imported, replace);
}

void ReplaceHourlyActivity(const HourlyRecord (&hours)[HOURS_IN_WEEK])
{
    memcpy(OwnHourlyActivity, hours, sizeof OwnHourlyActivity);
}
