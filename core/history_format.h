// The history file's bytes, with no file system and no window in them: parsed from a
// buffer into the records and the file's source, and made from them. Files arrive from
// other people's computers, so the parse trusts nothing; tests/fuzz builds it natively and
// fuzzes it.
//
// Layout, little-endian: "TWKH", the record count (32 bits), the records (24 bytes each,
// history_list.h), and, right after the last record, the trailer that names the file's
// source:
//   0 "TWKS" | 4 version, 1 (16 bits) | 6 the trailer's whole length, checksum included
//   (16 bits) | 8 the computer id (64 bits) | 16 when the file was written (FILETIME, UTC)
//   | 24 the name's length in UTF-16 units, 1 to 63 (16 bits) | 26 the name, no terminator
//   | then the CRC-32 (crc32.h) of every byte of the trailer before it.
// A later version adds fields only before the checksum. Readers stop at the last record, so
// versions without the trailer read these files unchanged.
#ifndef TALLYWICK_HISTORY_FORMAT_H
#define TALLYWICK_HISTORY_FORMAT_H

#include <stddef.h>
#include <stdint.h>
#include "history_list.h"

enum HistoryFileResult {
    HISTORY_FILE_OK,
    HISTORY_FILE_BAD_FORMAT,   // no magic, the count or records cut short, or a record
                               // with an impossible date or distance
    HISTORY_FILE_EMPTY,        // a count of 0, or the file ends right after the magic
    HISTORY_FILE_NO_MEMORY,    // the count is too large to reserve
};

const size_t HISTORY_HEADER_SIZE = 8;
const int COMPUTER_NAME_MAX = 63;  // UTF-16 units

// The computer that wrote a file, as its trailer says.
struct HistorySource {
    bool present;         // false: no trailer that holds; the fields below are then zero
    uint64_t computerId;  // never 0 in a file written here
    uint64_t writtenAt;   // FILETIME, UTC: 100 ns units since 1 January 1601
    int nameLength;       // UTF-16 units, 1 to COMPUTER_NAME_MAX
    wchar_t name[COMPUTER_NAME_MAX + 1];  // the units as written, then a terminator
};

// How many of a file's first bytes the parse can use: the records its count names and the
// longest trailer, never more than the file holds; only the header when the count is more
// than a list can hold. From the file's first `headerSize` bytes (up to 8) and its size. A
// reader reads no more than this, so that no file makes it take more memory than it
// justifies.
size_t HistoryFileExtent(const unsigned char *header, size_t headerSize, uint64_t fileSize);
// Parses a file's bytes into the empty `list` and, unless it is null, `source`. Whole
// records only, each of a real day and distance; on any result but OK the list is empty.
// The source is present when the header and the records were whole and a trailer starts
// right after them, lies wholly in `bytes`, is of version 1 or later, names 1 to 63 units
// and its length and checksum hold; anything else leaves the file without a source.
HistoryFileResult ParseHistoryFile(const unsigned char *bytes, size_t size, HistoryList *list,
                                   HistorySource *source);
// A whole file's bytes, into a block that the caller frees: the header, the records with
// their reserved bytes written as zero, and a trailer of version 1 when `source` is present
// with a name of 1 to 63 units. Null when the memory cannot be had.
unsigned char *EncodeHistoryFile(const HistoryList *list, const HistorySource *source,
                                 size_t *size);

#endif
