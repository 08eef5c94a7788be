// libFuzzer's entry for the history file's parse (core/history_format.h), built natively
// with AddressSanitizer by scripts/fuzz. Besides no crash and no read past the buffer, each
// input must keep what the reader relies on; a broken promise aborts with its name.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/history_format.h"

#define PROMISE(condition)                                         \
    do {                                                           \
        if (!(condition)) {                                        \
            fprintf(stderr, "broken promise: %s\n", #condition);   \
            abort();                                               \
        }                                                          \
    } while (0)

static const size_t ROUND_TRIP_MAX = 64 * 1024;

static bool SameSource(const HistorySource &a, const HistorySource &b)
{
    return a.present == b.present && a.computerId == b.computerId && a.writtenAt == b.writtenAt
           && a.nameLength == b.nameLength
           && memcmp(a.name, b.name, sizeof(wchar_t) * (a.nameLength + 1)) == 0;
}

// What a file parses to, written again and parsed again, is the same: the records with their
// reserved bytes zeroed and, in a trailer of version 1, the source's fields.
static void CheckRoundTrip(HistoryList *list, const HistorySource &source)
{
    for (int32_t i = 0; i < list->count; ++i)
        list->records[i].reserved = 0;
    size_t size;
    unsigned char *bytes = EncodeHistoryFile(list, &source, &size);
    PROMISE(bytes != nullptr);
    HistoryList again = {nullptr, 0, 0, HISTORY_GROW_STEP};
    HistorySource againSource;
    PROMISE(ParseHistoryFile(bytes, size, &again, &againSource) == HISTORY_FILE_OK);
    PROMISE(again.count == list->count);
    PROMISE(memcmp(again.records, list->records, sizeof(HistoryRecord) * list->count) == 0);
    PROMISE(SameSource(againSource, source));
    DestroyHistoryList(&again);
    free(bytes);
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    HistoryList list = {nullptr, 0, 0, HISTORY_GROW_STEP};
    HistorySource source;
    HistoryFileResult result = ParseHistoryFile(data, size, &list, &source);
    // No more memory than the file's records justify, and none kept for a refused file.
    PROMISE((size_t)list.capacity * sizeof(HistoryRecord) <= size);
    PROMISE(result == HISTORY_FILE_OK || (list.records == nullptr && list.count == 0));
    PROMISE(result != HISTORY_FILE_OK || list.count > 0);
    PROMISE(!source.present
            || (source.nameLength >= 1 && source.nameLength <= COMPUTER_NAME_MAX
                && source.name[source.nameLength] == L'\0'));

    // The reader reads only the extent: that must never change what the parse says.
    size_t extent = HistoryFileExtent(data, size < HISTORY_HEADER_SIZE ? size : HISTORY_HEADER_SIZE, size);
    PROMISE(extent <= size);
    if (extent < size) {
        HistoryList prefix = {nullptr, 0, 0, HISTORY_GROW_STEP};
        HistorySource prefixSource;
        PROMISE(ParseHistoryFile(data, extent, &prefix, &prefixSource) == result);
        PROMISE(prefix.count == list.count);
        PROMISE(SameSource(prefixSource, source));
        DestroyHistoryList(&prefix);
    }
    // The round trip holds or fails alike for any count; it is left to the smaller inputs,
    // which are most of them, so that the large seeds cost one parse, not three.
    if (result == HISTORY_FILE_OK && size <= ROUND_TRIP_MAX)
        CheckRoundTrip(&list, source);
    DestroyHistoryList(&list);
    return 0;
}
