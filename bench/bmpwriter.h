// Writes the bitmap files the bench works on: uncompressed bottom-up
// Windows bitmaps, 24-bit or 8-bit with a 256-colour table, filled with a
// pattern so that no two files hold the same picture.
#ifndef VISTRELL_BENCH_BMPWRITER_H
#define VISTRELL_BENCH_BMPWRITER_H

// bits is 24 or 8; seed varies the picture. Returns false when the file
// cannot be written.
bool writeBenchBitmap(const char* path, int width, int height, int bits, int seed);

#endif
