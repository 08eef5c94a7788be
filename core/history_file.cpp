// The binary history file's format. Layout: the four bytes "TWKH", the record count as
// 32 bits little-endian, then the records back to back in list order, exactly as they lie
// in memory.
#include "history_file.h"
#include "dates.h"

#include <float.h>
#include <stdint.h>
#include <string.h>

static const char HISTORY_MAGIC[4] = {'T', 'W', 'K', 'H'};

// Bytes from the current position to the end, or -1 when the stream cannot tell.
static int64_t RemainingBytes(FILE *file)
{
    int64_t here = _ftelli64(file);
    if (here < 0 || _fseeki64(file, 0, SEEK_END) != 0)
        return -1;
    int64_t end = _ftelli64(file);
    if (_fseeki64(file, here, SEEK_SET) != 0)
        return -1;
    return end < here ? -1 : end - here;
}

// The count: 0 when the file ends right after the magic; false when it is cut short.
static bool ReadRecordCount(FILE *file, uint32_t *count)
{
    unsigned char bytes[4] = {};
    size_t got = fread(bytes, 1, sizeof bytes, file);
    *count = (uint32_t)bytes[0] | (uint32_t)bytes[1] << 8 | (uint32_t)bytes[2] << 16 |
             (uint32_t)bytes[3] << 24;
    if (got == 0)
        *count = 0;
    return got == 0 || got == sizeof bytes;
}

// Records that the file does not hold in full are never read: a file shorter than its
// count says is refused whole, before any memory is reserved for it. Bytes after the
// last record are ignored.
static HistoryFileResult ReadRecords(FILE *file, uint32_t count, HistoryList *list)
{
    if (count > (uint32_t)INT32_MAX)
        return HISTORY_FILE_NO_MEMORY;
    int64_t remaining = RemainingBytes(file);
    if (remaining >= 0 && remaining < (int64_t)count * (int64_t)sizeof(HistoryRecord))
        return HISTORY_FILE_BAD_FORMAT;
    if (!ReserveHistory(list, (int32_t)count))
        return HISTORY_FILE_NO_MEMORY;
    if (fread(list->records, sizeof(HistoryRecord), count, file) != count)
        return HISTORY_FILE_BAD_FORMAT;
    list->count = (int32_t)count;
    return HISTORY_FILE_OK;
}

// One pass: a record that no day could have produced makes the whole file suspect. A
// distance that is no number, infinite or negative would spoil the totals for good.
static bool AllRecordsPlausible(const HistoryList *list)
{
    for (int32_t i = 0; i < list->count; ++i) {
        const HistoryRecord &record = list->records[i];
        if (!(record.distance >= 0.0f && record.distance <= FLT_MAX) || !IsRealDate(record.date))
            return false;
    }
    return true;
}

static HistoryFileResult ReadHistoryParts(FILE *file, HistoryList *list)
{
    char magic[sizeof HISTORY_MAGIC];
    if (fread(magic, 1, sizeof magic, file) != sizeof magic ||
        memcmp(magic, HISTORY_MAGIC, sizeof magic) != 0)
        return HISTORY_FILE_BAD_FORMAT;
    uint32_t count;
    if (!ReadRecordCount(file, &count))
        return HISTORY_FILE_BAD_FORMAT;
    if (count == 0)
        return HISTORY_FILE_EMPTY;
    HistoryFileResult result = ReadRecords(file, count, list);
    if (result == HISTORY_FILE_OK && !AllRecordsPlausible(list))
        return HISTORY_FILE_BAD_FORMAT;
    return result;
}

HistoryFileResult ReadHistoryFile(FILE *file, HistoryList *list)
{
    HistoryFileResult result = ReadHistoryParts(file, list);
    if (result != HISTORY_FILE_OK)
        DestroyHistoryList(list);
    return result;
}

// The reserved bytes carry nothing; they are written as zero.
bool WriteHistoryFile(FILE *file, const HistoryList *list)
{
    uint32_t count = list->count > 0 ? (uint32_t)list->count : 0;
    unsigned char countBytes[4] = {(unsigned char)count, (unsigned char)(count >> 8),
                                   (unsigned char)(count >> 16), (unsigned char)(count >> 24)};
    bool written = fwrite(HISTORY_MAGIC, sizeof HISTORY_MAGIC, 1, file) == 1 &&
                   fwrite(countBytes, sizeof countBytes, 1, file) == 1;
    for (uint32_t i = 0; written && i < count; ++i) {
        HistoryRecord record = list->records[i];
        record.reserved = 0;
        written = fwrite(&record, sizeof record, 1, file) == 1;
    }
    return written;
}
