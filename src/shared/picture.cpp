#include "picture.h"

#include <stdlib.h>
#include <string.h>

// 32-bit BGR: blue, green, red and one unused byte per pixel.
const uint32_t PICTURE_PIXEL_BYTES = 4;

// Reads up to size bytes of the file's beginning; the number read, 0 when it
// cannot be opened.
static DWORD readHead(const char* path, void* head, DWORD size)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD read = 0;
    if (!ReadFile(file, head, size, &read, NULL))
        read = 0;
    CloseHandle(file);
    return read;
}

bool isPictureFile(const char* path)
{
    char start[2];
    return readHead(path, start, sizeof start) == sizeof start && !(start[0] == 'B' && start[1] == 'M');
}

// Whether the size the file's header claims (where its format is one we can
// read that from) lies within the bounds. Some decoders allocate the whole
// picture as soon as the file is opened, so a claim beyond the bounds must
// not reach them.
static bool claimAllowed(const char* path)
{
    uint8_t* head = static_cast<uint8_t*>(malloc(PICTURE_HEAD_BYTES));
    if (!head)
        return false;
    DWORD read = readHead(path, head, PICTURE_HEAD_BYTES);
    PictureSize claim;
    bool allowed = read > 0 && (!claimedPictureSize(head, read, &claim) || pictureSizeAllowed(claim));
    free(head);
    return allowed;
}

template <typename T> static void release(T*& object)
{
    if (object)
        object->Release();
    object = NULL;
}

void closePicture(PictureReader* reader)
{
    release(reader->scaler);
    release(reader->converter);
    release(reader->frame);
    release(reader->decoder);
    release(reader->factory);
    reader->rows = NULL;
    if (reader->endCom)
        reader->endCom();
    reader->endCom = NULL;
    if (reader->com)
        FreeLibrary(reader->com);
    reader->com = NULL;
}

typedef HRESULT(WINAPI* StartComProc)(LPVOID, DWORD);
typedef HRESULT(WINAPI* CreateInstanceProc)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

// A function of the reader's ole32.dll, or NULL.
template <typename Proc> static Proc comFunction(const PictureReader* reader, const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(reader->com, name)));
}

// Loads ole32.dll and starts COM on this thread for the reader. A thread
// that already runs COM in the other model keeps it (and ends it itself):
// the reader then neither starts nor ends COM. Returns the factory-maker, or
// NULL when COM cannot be had.
static CreateInstanceProc startCom(PictureReader* reader)
{
    reader->com = LoadLibraryA("ole32.dll");
    if (!reader->com)
        return NULL;
    StartComProc initialise = comFunction<StartComProc>(reader, "CoInitializeEx");
    EndComProc endCom = comFunction<EndComProc>(reader, "CoUninitialize");
    CreateInstanceProc createInstance = comFunction<CreateInstanceProc>(reader, "CoCreateInstance");
    if (!initialise || !endCom || !createInstance)
        return NULL;
    HRESULT started = initialise(NULL, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(started))
        reader->endCom = endCom;
    return SUCCEEDED(started) || started == RPC_E_CHANGED_MODE ? createInstance : NULL;
}

bool openPicture(const char* path, PictureReader* reader)
{
    memset(reader, 0, sizeof *reader);
    if (!claimAllowed(path))
        return false;
    CreateInstanceProc createInstance = startCom(reader);
    WCHAR widePath[MAX_PATH];
    IWICBitmapFrameDecode* frame = NULL;
    UINT width = 0;
    UINT height = 0;
    // The size the frame reports is checked before the converter is made and
    // anything reads a pixel.
    bool usable = createInstance && MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) &&
                  SUCCEEDED(createInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER,
                                           IID_IWICImagingFactory, reinterpret_cast<void**>(&reader->factory))) &&
                  SUCCEEDED(reader->factory->CreateDecoderFromFilename(
                      widePath, NULL, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &reader->decoder)) &&
                  SUCCEEDED(reader->decoder->GetFrame(0, &frame));
    reader->frame = frame;
    PictureSize size = {0, 0};
    usable = usable && SUCCEEDED(frame->GetSize(&width, &height));
    size.width = width;
    size.height = height;
    usable = usable && pictureSizeAllowed(size) &&
             SUCCEEDED(reader->factory->CreateFormatConverter(&reader->converter)) &&
             SUCCEEDED(reader->converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                                     NULL, 0.0, WICBitmapPaletteTypeCustom));
    if (!usable) {
        closePicture(reader);
        return false;
    }
    reader->rows = reader->converter;
    reader->size = size;
    return true;
}

bool scalePicture(PictureReader* reader, PictureSize size)
{
    if (size.width == reader->size.width && size.height == reader->size.height)
        return true;
    if (!pictureSizeAllowed(size) || FAILED(reader->factory->CreateBitmapScaler(&reader->scaler)) ||
        FAILED(reader->scaler->Initialize(reader->converter, size.width, size.height,
                                          WICBitmapInterpolationModeFant)))
        return false;
    reader->rows = reader->scaler;
    reader->size = size;
    return true;
}

bool readPictureRows(PictureReader* reader, uint32_t first, uint32_t count, uint8_t* pixels)
{
    if (first >= reader->size.height || count > reader->size.height - first)
        return false;
    WICRect band = {0, static_cast<INT>(first), static_cast<INT>(reader->size.width), static_cast<INT>(count)};
    // Within the bounds a band of the whole picture stays below 2^28 bytes.
    UINT stride = reader->size.width * PICTURE_PIXEL_BYTES;
    return SUCCEEDED(reader->rows->CopyPixels(&band, stride, stride * count, pixels));
}
