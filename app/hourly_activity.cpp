// The week clock's figures and their registry value.
#include "hourly_activity.h"
#include "clock.h"

#include <string.h>

static const char *const HOURLY_VALUE = "Hourly Activity";

HourlyRecord HourlyActivity[HOURS_IN_WEEK];

// SYSTEMTIME counts weekdays from Sunday, the stored records from Monday.
int HourOfWeek(const SYSTEMTIME &time)
{
    return (time.wDayOfWeek + 6) % 7 * 24 + time.wHour % 24;
}

// The clock's last reading is at most a second old while the meter timer runs, and it is
// renewed at every hour's edge: an event is credited to its own hour, not the one before.
static HourlyRecord &CurrentHour()
{
    return HourlyActivity[HourOfWeek(*ClockLastReading())];
}

void CreditHourlyKeyPress()
{
    ++CurrentHour().keys;
}

void CreditHourlyClick()
{
    ++CurrentHour().clicks;
}

void CreditHourlyDistance(float millimetres)
{
    CurrentHour().distance += millimetres;
}

void LoadHourlyActivity(HKEY key)
{
    HourlyRecord stored[HOURS_IN_WEEK];
    DWORD size = sizeof stored;
    // A value of another size is no layout this program knows; the registry fails a read
    // into a buffer too small, and a shorter read is checked here.
    if (RegQueryValueExA(key, HOURLY_VALUE, nullptr, nullptr, (BYTE *)stored, &size)
            == ERROR_SUCCESS
        && size == sizeof stored)
        memcpy(HourlyActivity, stored, sizeof stored);
    else
        memset(HourlyActivity, 0, sizeof HourlyActivity);
}

LONG SaveHourlyActivity(HKEY key)
{
    return RegSetValueExA(key, HOURLY_VALUE, 0, REG_BINARY, (const BYTE *)HourlyActivity,
                          sizeof HourlyActivity);
}
