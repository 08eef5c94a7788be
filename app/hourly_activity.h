// The week clock's figures: all-time key presses, clicks and distance by weekday and hour
// of local time, kept in the registry value "Hourly Activity". Each counted event adds to
// the hour it was counted in; nothing ever zeroes them, as no period zeroes a total.
#ifndef TALLYWICK_HOURLY_ACTIVITY_H
#define TALLYWICK_HOURLY_ACTIVITY_H

#include <windows.h>
#include <stdint.h>

// One hour of the week, 24 bytes, little-endian, as stored.
struct HourlyRecord {
    uint64_t keys;
    uint64_t clicks;  // left, middle and right together
    double distance;  // millimetres
};
static_assert(sizeof(HourlyRecord) == 24, "an hourly record is 24 bytes");

const int HOURS_IN_WEEK = 7 * 24;

// Monday 00:00 first, Sunday 23:00 last; zero until loaded or counted.
extern HourlyRecord HourlyActivity[HOURS_IN_WEEK];

// 0 for Monday 00:00 to 00:59, ..., 167 for Sunday 23:00 to 23:59.
int HourOfWeek(const SYSTEMTIME &time);

// The hook messages' credits: one addition each to the hour of the clock's last reading,
// with no allocation and no call to the system.
void CreditHourlyKeyPress();
void CreditHourlyClick();
void CreditHourlyDistance(float millimetres);

// Reads "Hourly Activity" from the open settings key; a missing, unreadable or wrongly
// sized value counts as zeros.
void LoadHourlyActivity(HKEY key);
// Writes it; the registry's error code, ERROR_SUCCESS when written.
LONG SaveHourlyActivity(HKEY key);

#endif
