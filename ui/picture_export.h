// Pictures out of the program's windows: a bitmap onto the clipboard, or into a PNG file
// written by the Windows Imaging Component, the system's own encoder.
#ifndef TALLYWICK_PICTURE_EXPORT_H
#define TALLYWICK_PICTURE_EXPORT_H

#include <windows.h>

// Puts a copy of `bitmap` on the clipboard as CF_BITMAP (the system offers it as a DIB
// too); the caller keeps `bitmap`. False when the clipboard or the copy cannot be had.
bool CopyBitmapToClipboard(HWND owner, HBITMAP bitmap);
// Writes `bitmap`, which must not be selected into a device context, as a 24-bit PNG file.
// False, with no file left behind, when it cannot be written.
bool SaveBitmapAsPng(const wchar_t *path, HBITMAP bitmap);
// The save dialog's filter for PNG files: the type's name from the string table, then
// "*.png", in `size` characters.
void PngFileFilter(wchar_t *filter, int size);

#endif
