#include "picture.h"

#include "pathtext.h"

#include <stdlib.h>
#include <string.h>

// 32-bit BGR: blue, green, red and one unused byte per pixel.
const uint32_t PICTURE_PIXEL_BYTES = 4;

static HANDLE openForReading(const char* path)
{
    return openPath(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
}

// Reads up to size bytes of the file's beginning; the number read, 0 when it
// cannot be opened.
static DWORD readHead(const char* path, void* head, DWORD size)
{
    HANDLE file = openForReading(path);
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

// The picture file, read wherever its header needs.
static uint32_t readFileAt(void* context, uint64_t offset, uint8_t* buffer, uint32_t count)
{
    HANDLE file = *static_cast<HANDLE*>(context);
    LONG high = static_cast<LONG>(offset >> 32);
    DWORD read = 0;
    if (SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFF), &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return 0;
    if (!ReadFile(file, buffer, count, &read, NULL))
        return 0;
    return read;
}

bool pictureClaim(const char* path, PictureSize* claim)
{
    HANDLE file = openForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool allowed = claimedPictureSize(readFileAt, &file, claim) && pictureSizeAllowed(*claim);
    CloseHandle(file);
    return allowed;
}

bool pictureClaimAllowed(const char* path)
{
    PictureSize claim;
    return pictureClaim(path, &claim);
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

// Opens frame 0 and its converter, one call at a time; false at the first
// that fails. The size the frame reports is checked before the converter is
// made and anything reads a pixel.
static bool openFrame(const char* path, PictureReader* reader)
{
    // COM and its factory-maker: none on a system without COM.
    CreateInstanceProc createInstance = startCom(reader);
    if (!createInstance)
        return false;
    // The path as the imaging component takes it; one longer than MAX_PATH
    // does not convert.
    WCHAR wide[MAX_PATH];
    if (!widePath(path, wide))
        return false;
    // No imaging component: Windows XP before its third service pack.
    if (FAILED(createInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&reader->factory))))
        return false;
    // No decoder takes the file: not a picture, or cut short where the
    // decoder reads at once.
    if (FAILED(reader->factory->CreateDecoderFromFilename(wide, NULL, GENERIC_READ,
                                                          WICDecodeMetadataCacheOnDemand, &reader->decoder)))
        return false;
    // A file without a first frame.
    if (FAILED(reader->decoder->GetFrame(0, &reader->frame)))
        return false;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(reader->frame->GetSize(&width, &height)))
        return false;
    // The frame's own size, which may differ from what the header claimed.
    PictureSize size = {width, height};
    if (!pictureSizeAllowed(size))
        return false;
    if (FAILED(reader->factory->CreateFormatConverter(&reader->converter)))
        return false;
    // A pixel format the converter cannot turn into 32-bit BGR.
    if (FAILED(reader->converter->Initialize(reader->frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                             NULL, 0.0, WICBitmapPaletteTypeCustom)))
        return false;
    reader->rows = reader->converter;
    reader->size = size;
    reader->converterSize = size;
    return true;
}

bool openPicture(const char* path, PictureReader* reader)
{
    memset(reader, 0, sizeof *reader);
    if (!pictureClaimAllowed(path))
        return false;
    if (!openFrame(path, reader)) {
        closePicture(reader);
        return false;
    }
    return true;
}

// Scales the converted frame to size; allowed says whether a size is one to
// take.
static bool scaleTo(PictureReader* reader, PictureSize size, bool allowed)
{
    if (size.width == reader->size.width && size.height == reader->size.height)
        return true;
    if (!allowed)
        return false;
    // A scaler made for an earlier size goes before the next is made; the
    // frame's own size needs none.
    release(reader->scaler);
    reader->rows = reader->converter;
    reader->size = reader->converterSize;
    if (size.width == reader->size.width && size.height == reader->size.height)
        return true;
    if (FAILED(reader->factory->CreateBitmapScaler(&reader->scaler)))
        return false;
    if (FAILED(reader->scaler->Initialize(reader->converter, size.width, size.height,
                                          WICBitmapInterpolationModeFant)))
        return false;
    reader->rows = reader->scaler;
    reader->size = size;
    return true;
}

bool scalePicture(PictureReader* reader, PictureSize size)
{
    return scaleTo(reader, size, pictureSizeAllowed(size));
}

bool scalePictureForPart(PictureReader* reader, PictureSize size)
{
    return scaleTo(reader, size, size.width >= 1 && size.height >= 1 && size.width <= PART_SCALE_MAX_SIDE &&
                                     size.height <= PART_SCALE_MAX_SIDE);
}

bool readPicturePart(PictureReader* reader, uint32_t left, uint32_t width, uint32_t first, uint32_t count,
                     uint8_t* pixels)
{
    if (first >= reader->size.height || count > reader->size.height - first || left >= reader->size.width ||
        width == 0 || width > reader->size.width - left)
        return false;
    // Only these columns are asked for: a scaler works out no others.
    WICRect band = {static_cast<INT>(left), static_cast<INT>(first), static_cast<INT>(width), static_cast<INT>(count)};
    // A row of at most PART_SCALE_MAX_SIDE pixels; the callers read bands of
    // a size of their own choosing.
    UINT stride = width * PICTURE_PIXEL_BYTES;
    return SUCCEEDED(reader->rows->CopyPixels(&band, stride, stride * count, pixels));
}

bool readPictureRows(PictureReader* reader, uint32_t first, uint32_t count, uint8_t* pixels)
{
    return readPicturePart(reader, 0, reader->size.width, first, count, pixels);
}
