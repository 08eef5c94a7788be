// The backups' names and their rotation.
#include "backup_rotation.h"
#include "dates.h"

#include <algorithm>
#include <functional>
#include <wchar.h>

static const wchar_t BACKUP_PREFIX[] = L"Tallywick-";
static const wchar_t BACKUP_EXTENSION[] = L".twh";

void MakeBackupName(DateKey date, wchar_t *name)
{
    swprintf(name, BACKUP_NAME_SIZE, L"%ls%04d-%02d-%02d%ls", BACKUP_PREFIX, YearOf(date),
             MonthOf(date), DayOf(date), BACKUP_EXTENSION);
}

// `digits` decimal digits at `text`, or -1.
static int ReadDigits(const wchar_t *text, int digits)
{
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return -1;
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

DateKey BackupNameDate(const wchar_t *name)
{
    // File names compare without case on Windows; the shape is checked to the character.
    const size_t prefix = wcslen(BACKUP_PREFIX);
    if (wcslen(name) != (size_t)BACKUP_NAME_SIZE - 1 || _wcsnicmp(name, BACKUP_PREFIX, prefix) != 0
        || _wcsicmp(name + prefix + 10, BACKUP_EXTENSION) != 0)
        return 0;
    const wchar_t *date = name + prefix;
    int year = ReadDigits(date, 4), month = ReadDigits(date + 5, 2), day = ReadDigits(date + 8, 2);
    if (date[4] != L'-' || date[7] != L'-' || year < 1601 || month < 1 || month > 12 || day < 1
        || day > 31)
        return 0;
    return MakeDateKey(year, month, day);
}

static int MonthNumber(DateKey date)
{
    return YearOf(date) * 12 + MonthOf(date);
}

void ChooseBackupsToKeep(DateKey *dates, int count, DateKey today, bool *keep)
{
    std::sort(dates, dates + count, std::greater<DateKey>());
    int daily = 0;
    int previousMonth = -1;
    for (int i = 0; i < count; ++i) {
        if (dates[i] > today) {
            keep[i] = true;
            continue;
        }
        // Newest first: the first date met of a month is that month's newest.
        int month = MonthNumber(dates[i]);
        bool newestOfMonth = month != previousMonth && MonthNumber(today) - month < KEPT_MONTHS;
        previousMonth = month;
        keep[i] = daily < KEPT_DAILY_BACKUPS || newestOfMonth;
        ++daily;
    }
}

bool BackupAttemptDue(DateKey lastBackup, DateKey today, bool lastFailed, DWORD msSinceFailure)
{
    return lastBackup != today && (!lastFailed || msSinceFailure >= BACKUP_RETRY_MS);
}
