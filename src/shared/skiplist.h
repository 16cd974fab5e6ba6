// Section "Skip": pictures no change shows again, one key per picture (a
// hash of its path), the path itself (UTF-8, escaped) as the value. The
// changer adds to it ("Never Show This Picture"); the editor lists it and
// takes pictures off it ("Show again").
#ifndef VISTRELL_SKIPLIST_H
#define VISTRELL_SKIPLIST_H

// Adds the picture (its full path, UTF-8); false when the write was refused.
bool skipPicture(const char* path);

// Takes the picture of this key off the list.
bool showPictureAgain(const char* key);

#endif
