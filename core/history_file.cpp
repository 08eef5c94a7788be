// The history file read and written through stdio. A file is measured first, so that the
// buffer holds what the file has and the parse can use, and never what its count merely
// claims.
#include "history_file.h"
#include "dates.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

// The file's size, the position left at its start; -1 when the stream cannot tell.
static int64_t MeasureFile(FILE *file)
{
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return -1;
    int64_t size = _ftelli64(file);
    return _fseeki64(file, 0, SEEK_SET) == 0 ? size : -1;
}

HistoryFileResult ReadHistoryFile(FILE *file, HistoryList *list, HistorySource *source)
{
    if (source)
        *source = HistorySource{};
    int64_t fileSize = MeasureFile(file);
    if (fileSize < 0)
        return HISTORY_FILE_BAD_FORMAT;
    unsigned char header[HISTORY_HEADER_SIZE];
    size_t got = fread(header, 1, sizeof header, file);
    size_t extent = HistoryFileExtent(header, got, (uint64_t)fileSize);
    if (extent < got)
        extent = got;  // the file grew since it was measured
    unsigned char *bytes = (unsigned char *)malloc(extent > 0 ? extent : 1);
    if (!bytes)
        return HISTORY_FILE_NO_MEMORY;
    memcpy(bytes, header, got);
    // A file that shrank since it was measured, or a read error, is refused whole.
    bool whole = fread(bytes + got, 1, extent - got, file) == extent - got;
    HistoryFileResult result =
        whole ? ParseHistoryFile(bytes, extent, list, source) : HISTORY_FILE_BAD_FORMAT;
    free(bytes);
    return result;
}

bool WriteHistoryFile(FILE *file, const HistoryList *list, const HistorySource *source)
{
    size_t size;
    unsigned char *bytes = EncodeHistoryFile(list, source, &size);
    bool written = bytes && fwrite(bytes, 1, size, file) == size;
    free(bytes);
    return written;
}
