// The clipboard takes its own copy of the bitmap; the PNG goes through the imaging
// component's COM objects, made afresh for each file.
#include "picture_export.h"

#include <objbase.h>
#include <wincodec.h>
#include <stdlib.h>

bool CopyBitmapToClipboard(HWND owner, HBITMAP bitmap)
{
    // The clipboard owns what it is given, so it gets a copy.
    HBITMAP copy = (HBITMAP)CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0);
    if (!copy)
        return false;
    if (!OpenClipboard(owner)) {
        DeleteObject(copy);
        return false;
    }
    bool placed = EmptyClipboard() && SetClipboardData(CF_BITMAP, copy);
    CloseClipboard();
    if (!placed)
        DeleteObject(copy);
    return placed;
}

// The bitmap's pixels, top row first, 24 bits each, each row padded to whole DWORDs;
// null when the bitmap cannot be read. The caller frees them.
static BYTE *BitmapRows(HBITMAP bitmap, int *width, int *height, UINT *stride)
{
    BITMAP info;
    if (GetObjectA(bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0
        || info.bmHeight <= 0)
        return nullptr;
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;  // negative: top-down
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 24;
    request.bmiHeader.biCompression = BI_RGB;
    *stride = ((UINT)info.bmWidth * 3 + 3) & ~3u;
    BYTE *rows = (BYTE *)malloc((size_t)*stride * info.bmHeight);
    HDC screen = GetDC(nullptr);
    bool read = rows && screen
                && GetDIBits(screen, bitmap, 0, info.bmHeight, rows, &request, DIB_RGB_COLORS)
                       == info.bmHeight;
    if (screen)
        ReleaseDC(nullptr, screen);
    if (!read) {
        free(rows);
        return nullptr;
    }
    *width = info.bmWidth;
    *height = info.bmHeight;
    return rows;
}

// One frame of 24-bit pixels into an encoder that writes to `stream`.
static bool EncodePng(IWICImagingFactory *factory, IWICStream *stream, const BYTE *rows,
                      int width, int height, UINT stride)
{
    IWICBitmapEncoder *encoder = nullptr;
    IWICBitmapFrameEncode *frame = nullptr;
    IPropertyBag2 *options = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    bool done = SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder))
                && SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache))
                && SUCCEEDED(encoder->CreateNewFrame(&frame, &options))
                && SUCCEEDED(frame->Initialize(options))
                && SUCCEEDED(frame->SetSize(width, height))
                && SUCCEEDED(frame->SetPixelFormat(&format))
                && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)
                && SUCCEEDED(frame->WritePixels(height, stride, stride * height, (BYTE *)rows))
                && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    if (options)
        options->Release();
    if (frame)
        frame->Release();
    if (encoder)
        encoder->Release();
    return done;
}

static bool WritePng(const wchar_t *path, const BYTE *rows, int width, int height, UINT stride)
{
    IWICImagingFactory *factory = nullptr;
    IWICStream *stream = nullptr;
    bool opened = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                             CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                             (void **)&factory))
                  && SUCCEEDED(factory->CreateStream(&stream))
                  && SUCCEEDED(stream->InitializeFromFilename(path, GENERIC_WRITE));
    bool written = opened && EncodePng(factory, stream, rows, width, height, stride);
    if (stream)
        stream->Release();
    if (factory)
        factory->Release();
    // A file begun and not finished is no picture; one never opened is left as it was.
    if (opened && !written)
        DeleteFileW(path);
    return written;
}

bool SaveBitmapAsPng(const wchar_t *path, HBITMAP bitmap)
{
    int width, height;
    UINT stride;
    BYTE *rows = BitmapRows(bitmap, &width, &height, &stride);
    if (!rows)
        return false;
    // COM may be running on this thread already (a file dialog starts it, perhaps in the
    // other threading model, which serves as well); each start is ended again.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool written = (SUCCEEDED(com) || com == RPC_E_CHANGED_MODE)
                   && WritePng(path, rows, width, height, stride);
    if (SUCCEEDED(com))
        CoUninitialize();
    free(rows);
    return written;
}
