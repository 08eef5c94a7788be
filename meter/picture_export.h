// A window's picture out of the program: onto the clipboard, or into a PNG file written by
// the system's own encoder (the Windows Imaging Component), so that no library is needed.
#ifndef TALLYWICK_PICTURE_EXPORT_H
#define TALLYWICK_PICTURE_EXPORT_H

#include <windows.h>

// A copy of the bitmap on the clipboard, opened for `owner`; the caller keeps its bitmap.
bool CopyBitmapToClipboard(HWND owner, HBITMAP bitmap);
// The bitmap, not selected into any device context, as a 24-bit PNG file at `path`.
bool SaveBitmapAsPng(const wchar_t *path, HBITMAP bitmap);

#endif
