// The file's buffers and the system's are flushed before the rename: MOVEFILE_WRITE_THROUGH
// waits only for the rename itself.
#include "replaced_file.h"

#include <windows.h>

static bool WriteFlushedFile(const wchar_t *path, const unsigned char *bytes, size_t size)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool written = true;
    for (size_t at = 0; written && at < size;) {
        DWORD chunk = size - at > 1u << 30 ? 1u << 30 : (DWORD)(size - at);
        DWORD wrote = 0;
        written = WriteFile(file, bytes + at, chunk, &wrote, nullptr) && wrote == chunk;
        at += wrote;
    }
    written = written && FlushFileBuffers(file);
    return CloseHandle(file) && written;
}

bool ReplaceFileWithBytes(const wchar_t *target, const wchar_t *temp, const unsigned char *bytes,
                          size_t size)
{
    if (WriteFlushedFile(temp, bytes, size)
        && MoveFileExW(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp);
    return false;
}
