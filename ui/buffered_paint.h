// Double-buffered painting: a window's picture drawn into a memory bitmap and copied in one
// block, so the window never shows a half-drawn state; and the same picture drawn into a
// bitmap of its own for Copy and Save as PNG.
#ifndef TALLYWICK_BUFFERED_PAINT_H
#define TALLYWICK_BUFFERED_PAINT_H

#include <windows.h>

// A memory context with a bitmap selected into it. A window may keep one from paint to
// paint (all zero before the first), since making one costs more than a simple picture.
struct PaintBuffer {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    int width, height;
};

// Draws `window`'s picture into `dc`, filling `area`, which starts at (0, 0).
typedef void (*DrawPictureFunction)(HWND window, HDC dc, const RECT &area, void *context);

// `kept` with a bitmap of `width` × `height` compatible with `screenDc` (the window's context,
// not a memory one, for the screen's colours): kept as it is when it has that size already,
// else made anew. False, with `kept` emptied, when the size is empty or GDI has no room.
bool PreparePaintBuffer(PaintBuffer *kept, HDC screenDc, int width, int height);
// The buffer's context and bitmap deleted; all zero again.
void FreePaintBuffer(PaintBuffer *buffer);
// `window`'s picture, `size` large, drawn into `kept` (one of this call alone when null) and
// its part `shown` copied to the same place of `target`.
void DrawBuffered(HWND window, HDC target, const RECT &size, const RECT &shown,
                  PaintBuffer *kept, DrawPictureFunction draw, void *context);
// WM_PAINT of a window whose client area `draw` covers whole: the invalid part copied from a
// buffer as above. With a null `context` (a window whose state is gone) nothing is drawn.
void PaintBuffered(HWND window, PaintBuffer *kept, DrawPictureFunction draw, void *context);
// The picture drawn into a bitmap compatible with `window`'s screen, selected into no device
// context, which the caller deletes; null when GDI has no room or the size is empty.
HBITMAP DrawnBitmap(HWND window, const RECT &size, DrawPictureFunction draw, void *context);

#endif
