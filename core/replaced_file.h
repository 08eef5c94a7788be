// A file replaced whole: its new bytes go to a temporary file beside it, are flushed to
// the disk, and only then renamed over it, so that a crash, a power cut or a full disk
// leaves the previous file whole rather than half a file in its place.
#ifndef TALLYWICK_REPLACED_FILE_H
#define TALLYWICK_REPLACED_FILE_H

#include <stddef.h>

// Writes `bytes` to `temp` (made or overwritten), then renames it over `target`; false,
// with `temp` deleted and `target` as it was, when any step failed.
bool ReplaceFileWithBytes(const wchar_t *target, const wchar_t *temp, const unsigned char *bytes,
                          size_t size);

#endif
