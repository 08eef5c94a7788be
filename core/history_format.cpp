// The history file's format over bytes in memory. Every field is read byte by byte in
// little-endian order, and every offset is checked against the buffer before it is read;
// the records alone are copied whole, since their layout is their layout in memory.
#include "history_format.h"

#include <float.h>
#include <stdlib.h>
#include <string.h>

#include "crc32.h"
#include "dates.h"

static const unsigned char HISTORY_MAGIC[4] = {'T', 'W', 'K', 'H'};
static const unsigned char TRAILER_MAGIC[4] = {'T', 'W', 'K', 'S'};
static const uint16_t TRAILER_VERSION = 1;
// The fields of version 1 before the name, and the checksum after it.
static const size_t TRAILER_NAME_OFFSET = 26;
static const size_t TRAILER_CRC_SIZE = 4;
static const size_t TRAILER_LENGTH_MAX = 0xFFFF;  // what its 16-bit length can say
static const size_t TRAILER_V1_MAX = TRAILER_NAME_OFFSET + 2 * COMPUTER_NAME_MAX + TRAILER_CRC_SIZE;
// The records a list can hold: its bytes are counted in 32 bits (history_list.h).
static const uint32_t LIST_RECORDS_MAX = 0xFFFFFFFFu / sizeof(HistoryRecord);

static uint16_t Read16(const unsigned char *bytes)
{
    return (uint16_t)(bytes[0] | bytes[1] << 8);
}

static uint32_t Read32(const unsigned char *bytes)
{
    return (uint32_t)Read16(bytes) | (uint32_t)Read16(bytes + 2) << 16;
}

static uint64_t Read64(const unsigned char *bytes)
{
    return (uint64_t)Read32(bytes) | (uint64_t)Read32(bytes + 4) << 32;
}

static void Write16(unsigned char *bytes, uint16_t value)
{
    bytes[0] = (unsigned char)value;
    bytes[1] = (unsigned char)(value >> 8);
}

static void Write32(unsigned char *bytes, uint32_t value)
{
    Write16(bytes, (uint16_t)value);
    Write16(bytes + 2, (uint16_t)(value >> 16));
}

static void Write64(unsigned char *bytes, uint64_t value)
{
    Write32(bytes, (uint32_t)value);
    Write32(bytes + 4, (uint32_t)(value >> 32));
}

size_t HistoryFileExtent(const unsigned char *header, size_t headerSize, uint64_t fileSize)
{
    size_t extent = HISTORY_HEADER_SIZE;
    if (headerSize >= HISTORY_HEADER_SIZE && memcmp(header, HISTORY_MAGIC, 4) == 0) {
        uint32_t count = Read32(header + 4);
        if (count <= LIST_RECORDS_MAX)
            extent += (size_t)count * sizeof(HistoryRecord) + TRAILER_LENGTH_MAX;
    }
    return fileSize < extent ? (size_t)fileSize : extent;
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

// The header and the records; *end is where the records end, once the header is whole.
// Memory is reserved only for records that the buffer holds in full.
static HistoryFileResult ParseRecords(const unsigned char *bytes, size_t size, HistoryList *list,
                                      size_t *end)
{
    *end = 0;
    if (size < sizeof HISTORY_MAGIC || memcmp(bytes, HISTORY_MAGIC, sizeof HISTORY_MAGIC) != 0)
        return HISTORY_FILE_BAD_FORMAT;
    if (size == sizeof HISTORY_MAGIC)
        return HISTORY_FILE_EMPTY;
    if (size < HISTORY_HEADER_SIZE)
        return HISTORY_FILE_BAD_FORMAT;
    uint32_t count = Read32(bytes + 4);
    *end = HISTORY_HEADER_SIZE;
    if (count == 0)
        return HISTORY_FILE_EMPTY;
    if (count > (uint32_t)INT32_MAX)
        return HISTORY_FILE_NO_MEMORY;
    if ((size - HISTORY_HEADER_SIZE) / sizeof(HistoryRecord) < count)
        return HISTORY_FILE_BAD_FORMAT;
    if (!ReserveHistory(list, (int32_t)count))
        return HISTORY_FILE_NO_MEMORY;
    memcpy(list->records, bytes + HISTORY_HEADER_SIZE, (size_t)count * sizeof(HistoryRecord));
    list->count = (int32_t)count;
    *end += (size_t)count * sizeof(HistoryRecord);
    return AllRecordsPlausible(list) ? HISTORY_FILE_OK : HISTORY_FILE_BAD_FORMAT;
}

// The trailer at the start of `bytes`, into `source`; false, the source untouched, when it
// does not hold. A version 1 trailer is exactly as long as its name makes it; a later one
// may be longer, by fields this reader does not know.
static bool ParseTrailer(const unsigned char *bytes, size_t size, HistorySource *source)
{
    size_t shortest = TRAILER_NAME_OFFSET + 2 + TRAILER_CRC_SIZE;
    if (size < shortest || memcmp(bytes, TRAILER_MAGIC, sizeof TRAILER_MAGIC) != 0)
        return false;
    uint16_t version = Read16(bytes + 4);
    size_t length = Read16(bytes + 6);
    int nameLength = Read16(bytes + 24);
    if (version < TRAILER_VERSION || length > size || nameLength < 1 || nameLength > COMPUTER_NAME_MAX)
        return false;
    size_t known = TRAILER_NAME_OFFSET + 2 * (size_t)nameLength + TRAILER_CRC_SIZE;
    if (version == TRAILER_VERSION ? length != known : length < known)
        return false;
    if (Crc32(bytes, length - TRAILER_CRC_SIZE) != Read32(bytes + length - TRAILER_CRC_SIZE))
        return false;
    source->present = true;
    source->computerId = Read64(bytes + 8);
    source->writtenAt = Read64(bytes + 16);
    source->nameLength = nameLength;
    for (int i = 0; i < nameLength; ++i)
        source->name[i] = (wchar_t)Read16(bytes + TRAILER_NAME_OFFSET + 2 * i);
    source->name[nameLength] = L'\0';
    return true;
}

HistoryFileResult ParseHistoryFile(const unsigned char *bytes, size_t size, HistoryList *list,
                                   HistorySource *source)
{
    if (source)
        *source = HistorySource{};
    size_t end;
    HistoryFileResult result = ParseRecords(bytes, size, list, &end);
    if (result != HISTORY_FILE_OK)
        DestroyHistoryList(list);
    // An empty history may still name its computer: a count of 0, then the trailer.
    bool whole = result == HISTORY_FILE_OK || (result == HISTORY_FILE_EMPTY && end != 0);
    if (source && whole)
        ParseTrailer(bytes + end, size - end, source);
    return result;
}

// The trailer into `bytes` (TRAILER_V1_MAX of room); its length, 0 when the name cannot
// be written.
static size_t EncodeTrailer(const HistorySource &source, unsigned char *bytes)
{
    if (!source.present || source.nameLength < 1 || source.nameLength > COMPUTER_NAME_MAX)
        return 0;
    size_t length = TRAILER_NAME_OFFSET + 2 * (size_t)source.nameLength + TRAILER_CRC_SIZE;
    memcpy(bytes, TRAILER_MAGIC, sizeof TRAILER_MAGIC);
    Write16(bytes + 4, TRAILER_VERSION);
    Write16(bytes + 6, (uint16_t)length);
    Write64(bytes + 8, source.computerId);
    Write64(bytes + 16, source.writtenAt);
    Write16(bytes + 24, (uint16_t)source.nameLength);
    for (int i = 0; i < source.nameLength; ++i)
        Write16(bytes + TRAILER_NAME_OFFSET + 2 * i, (uint16_t)source.name[i]);
    Write32(bytes + length - TRAILER_CRC_SIZE, Crc32(bytes, length - TRAILER_CRC_SIZE));
    return length;
}

unsigned char *EncodeHistoryFile(const HistoryList *list, const HistorySource *source,
                                 size_t *size)
{
    uint32_t count = list->count > 0 ? (uint32_t)list->count : 0;
    size_t records = (size_t)count * sizeof(HistoryRecord);
    unsigned char *bytes = (unsigned char *)malloc(HISTORY_HEADER_SIZE + records + TRAILER_V1_MAX);
    *size = 0;
    if (!bytes)
        return nullptr;
    memcpy(bytes, HISTORY_MAGIC, sizeof HISTORY_MAGIC);
    Write32(bytes + 4, count);
    if (count > 0)
        memcpy(bytes + HISTORY_HEADER_SIZE, list->records, records);
    // The reserved bytes carry nothing; they are written as zero.
    for (uint32_t i = 0; i < count; ++i)
        Write16(bytes + HISTORY_HEADER_SIZE + i * sizeof(HistoryRecord) +
                    offsetof(HistoryRecord, reserved), 0);
    *size = HISTORY_HEADER_SIZE + records;
    if (source)
        *size += EncodeTrailer(*source, bytes + *size);
    return bytes;
}
