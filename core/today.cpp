// The period, today and all time as the windows read them.
#include "today.h"
#include "figures.h"

void PeriodAndAllTimeFigures(Figures *period, Figures *allTime)
{
    uint32_t seconds = PeriodSeconds();
    *period = Figures{Totals.keyPresses - PeriodBaseline.keyPresses,
                      Totals.distance - PeriodBaseline.distance,
                      Totals.leftClicks - PeriodBaseline.leftClicks,
                      Totals.middleClicks - PeriodBaseline.middleClicks,
                      Totals.rightClicks - PeriodBaseline.rightClicks,
                      seconds};
    *allTime = Figures{Totals.keyPresses,   Totals.distance,    Totals.leftClicks,
                       Totals.middleClicks, Totals.rightClicks, StoredTotalTime + seconds};
}

Figures AllTimeFigures()
{
    Figures period, allTime;
    PeriodAndAllTimeFigures(&period, &allTime);
    return allTime;
}

// The save credits the last record of the day (UpdateTodayRecord), so that one is taken
// as the save will leave it and the others as they are.
Figures TodayFigures()
{
    Figures today = {};
    const HistoryRecord *last = nullptr;
    for (int32_t i = 0; i < StoredHistory.count; ++i) {
        const HistoryRecord *record = &StoredHistory.records[i];
        if (record->date != PeriodDate)
            continue;
        if (last)
            AddFigures(&today, FiguresOfRecord(last));
        last = record;
    }
    HistoryRecord credited = RecordAfterSave(last);
    AddFigures(&today, FiguresOfRecord(&credited));
    return today;
}
