// The test pictures (written by tools/makepictures into BUILD/pictures, beside
// the test programs' own folder), their colours, and the folder the programs
// keep converted pictures in.
#ifndef VISTRELL_PICTURES_H
#define VISTRELL_PICTURES_H

#include <windows.h>

#include <string>
#include <vector>

// halves.*: 320 x 240, left half one colour, right half another.
const COLORREF PNG_LEFT = RGB(200, 40, 40);
const COLORREF PNG_RIGHT = RGB(40, 40, 200);
const COLORREF JPEG_LEFT = RGB(40, 160, 40);
const COLORREF JPEG_RIGHT = RGB(220, 200, 40);
// wide.png: 2048 x 512, a quarter of PNG_LEFT, a half of WIDE_MIDDLE, a
// quarter of PNG_RIGHT.
const COLORREF WIDE_MIDDLE = RGB(230, 230, 230);
// other.gif and other.tif: 200 x 100 of one colour.
const COLORREF OTHER_COLOUR = RGB(120, 60, 160);

// The full path of a test picture; fails the test when it is missing.
std::string testPicture(const char* name);

// %LOCALAPPDATA%\Vistrell, and the names of the files in it.
std::string pictureCacheFolder();
std::vector<std::string> pictureCacheFiles();
void clearPictureCache();
// Whether a path names a bitmap the programs made: a file of the cache
// folder with a name of 16 hexadecimal digits and ".bmp".
bool isCacheBitmap(const std::string& path);

// Whether each channel lies within tolerance (a JPEG's colours move a little).
bool nearColour(COLORREF a, COLORREF b, int tolerance = 24);

// Polls the screen until the pixel at (x, y) is near colour or the time is
// up; returns the last colour seen.
COLORREF waitForScreenColour(int x, int y, COLORREF colour, DWORD timeoutMs = 10000);

// The colour of pixel (x, y), from the top-left, of a 24-bit bitmap file
// (bottom-up rows), as the programs write composed wallpapers; black for a
// file that cannot be read or a pixel outside it.
COLORREF bitmapPixel(const std::string& path, int x, int y);
// The width and height its header gives.
SIZE bitmapFileSize(const std::string& path);

// The most private bytes the process has held so far.
SIZE_T peakPrivateBytes(HANDLE process);

#endif
