// Painting through a memory bitmap. Runs on the program's one thread, like every paint.
#include "buffered_paint.h"

void FreePaintBuffer(PaintBuffer *buffer)
{
    if (buffer->dc) {
        SelectObject(buffer->dc, buffer->oldBitmap);
        DeleteDC(buffer->dc);
    }
    if (buffer->bitmap)
        DeleteObject(buffer->bitmap);
    *buffer = PaintBuffer();
}

bool PreparePaintBuffer(PaintBuffer *kept, HDC screenDc, int width, int height)
{
    if (kept->dc && kept->width == width && kept->height == height)
        return true;
    FreePaintBuffer(kept);
    if (width <= 0 || height <= 0)
        return false;
    HDC memoryDc = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = memoryDc ? CreateCompatibleBitmap(screenDc, width, height) : nullptr;
    if (!bitmap) {
        if (memoryDc)
            DeleteDC(memoryDc);
        return false;
    }
    kept->dc = memoryDc;
    kept->bitmap = bitmap;
    kept->oldBitmap = SelectObject(memoryDc, bitmap);
    kept->width = width;
    kept->height = height;
    return true;
}

void DrawBuffered(HWND window, HDC target, const RECT &size, const RECT &shown,
                  PaintBuffer *kept, DrawPictureFunction draw, void *context)
{
    PaintBuffer own = {};
    PaintBuffer *buffer = kept ? kept : &own;
    if (!PreparePaintBuffer(buffer, target, size.right, size.bottom))
        return;
    draw(window, buffer->dc, size, context);
    BitBlt(target, shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top,
           buffer->dc, shown.left, shown.top, SRCCOPY);
    if (!kept)
        FreePaintBuffer(&own);
}

void PaintBuffered(HWND window, PaintBuffer *kept, DrawPictureFunction draw, void *context)
{
    PAINTSTRUCT paint;
    HDC paintDc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    if (paintDc && context)
        DrawBuffered(window, paintDc, client, paint.rcPaint, kept, draw, context);
    EndPaint(window, &paint);
}

HBITMAP DrawnBitmap(HWND window, const RECT &size, DrawPictureFunction draw, void *context)
{
    HDC screenDc = GetDC(window);
    if (!screenDc)
        return nullptr;
    PaintBuffer buffer = {};
    HBITMAP bitmap = nullptr;
    if (PreparePaintBuffer(&buffer, screenDc, size.right, size.bottom)) {
        draw(window, buffer.dc, size, context);
        bitmap = buffer.bitmap;
        buffer.bitmap = nullptr;  // the caller's now; only the context goes
        FreePaintBuffer(&buffer);
    }
    ReleaseDC(window, screenDc);
    return bitmap;
}
