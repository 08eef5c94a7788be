// Pictures out of the program's windows, through the clipboard and the Windows Imaging
// Component. COM is started for the length of a save only: nothing else in the program
// uses it, and the thread may not keep it from one save to the next.
#include "picture_export.h"
#include "../res/resource.h"
#include "../text/text.h"

#include <wincodec.h>
#include <string.h>

bool CopyBitmapToClipboard(HWND owner, HBITMAP bitmap)
{
    // The clipboard takes the bitmap it is given as its own and deletes it when emptied.
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

template <class Interface> static void ReleaseInterface(Interface *object)
{
    if (object)
        object->Release();
}

// The interfaces of one encoding, released together whatever step failed.
struct PngEncoding {
    IWICBitmap *source;
    IWICFormatConverter *converter;
    IWICStream *stream;
    IWICBitmapEncoder *encoder;
    IWICBitmapFrameEncode *frame;
};

static void ReleaseEncoding(PngEncoding *encoding)
{
    ReleaseInterface(encoding->frame);
    ReleaseInterface(encoding->encoder);
    ReleaseInterface(encoding->stream);
    ReleaseInterface(encoding->converter);
    ReleaseInterface(encoding->source);
}

// The encoder may answer SetPixelFormat with a format of its own choice: the pixels are
// converted to whichever it took, since WriteSource is not bound to convert them itself.
static HRESULT WriteFrame(IWICImagingFactory *factory, PngEncoding *encoding)
{
    UINT width = 0, height = 0;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    HRESULT result = encoding->encoder->CreateNewFrame(&encoding->frame, nullptr);
    if (SUCCEEDED(result))
        result = encoding->frame->Initialize(nullptr);
    if (SUCCEEDED(result))
        result = encoding->source->GetSize(&width, &height);
    if (SUCCEEDED(result))
        result = encoding->frame->SetSize(width, height);
    if (SUCCEEDED(result))
        result = encoding->frame->SetPixelFormat(&format);
    if (SUCCEEDED(result))
        result = factory->CreateFormatConverter(&encoding->converter);
    if (SUCCEEDED(result))
        result = encoding->converter->Initialize(encoding->source, format, WICBitmapDitherTypeNone,
                                                 nullptr, 0.0, WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(result))
        result = encoding->frame->WriteSource(encoding->converter, nullptr);
    if (SUCCEEDED(result))
        result = encoding->frame->Commit();
    return result;
}

// `created` tells whether the file was made, so that a failure removes only its own file.
static HRESULT EncodePng(IWICImagingFactory *factory, const wchar_t *path, HBITMAP bitmap,
                         bool *created)
{
    PngEncoding encoding = {};
    // The screen's bitmaps carry no alpha that means anything: every pixel is opaque.
    HRESULT result =
        factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, &encoding.source);
    if (SUCCEEDED(result))
        result = factory->CreateStream(&encoding.stream);
    if (SUCCEEDED(result))
        result = encoding.stream->InitializeFromFilename(path, GENERIC_WRITE);
    *created = SUCCEEDED(result);
    if (SUCCEEDED(result))
        result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoding.encoder);
    if (SUCCEEDED(result))
        result = encoding.encoder->Initialize(encoding.stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(result))
        result = WriteFrame(factory, &encoding);
    if (SUCCEEDED(result))
        result = encoding.encoder->Commit();
    ReleaseEncoding(&encoding);  // closes the file
    return result;
}

bool SaveBitmapAsPng(const wchar_t *path, HBITMAP bitmap)
{
    // A thread where COM runs already in another mode (RPC_E_CHANGED_MODE) can still
    // create the factory; only a start made here is ended here.
    HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory *factory = nullptr;
    bool created = false;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, (void **)&factory);
    if (SUCCEEDED(result))
        result = EncodePng(factory, path, bitmap, &created);
    ReleaseInterface(factory);
    if (SUCCEEDED(started))
        CoUninitialize();
    if (FAILED(result) && created)
        DeleteFileW(path);  // a half-written file is no picture
    return SUCCEEDED(result);
}

// The list of pairs ends in two zeros: the pattern literal brings the second.
void PngFileFilter(wchar_t *filter, int size)
{
    static const wchar_t PATTERN[] = L"*.png\0";  // with the literal's own zero, two
    int room = size - (int)(sizeof PATTERN / sizeof PATTERN[0]);
    int length =
        MultiByteToWideChar(CP_ACP, 0, LoadText(SLOT_GENERAL, IDS_PNG_FILES), -1, filter, room);
    if (length == 0)
        length = (int)wcslen(wcscpy(filter, L"PNG")) + 1;
    memcpy(filter + length, PATTERN, sizeof PATTERN);
}
