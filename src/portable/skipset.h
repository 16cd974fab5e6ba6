// The pictures no change shows again, as a change looks them up: the keys
// of section "Skip" (each a hash of a picture's path, pathKey), sorted, so
// that a folder of thousands of pictures is sifted quickly.
#ifndef VISTRELL_SKIPSET_H
#define VISTRELL_SKIPSET_H

#include <stddef.h>
#include <stdint.h>

struct SkipSet {
    uint64_t* keys;
    size_t count;
};

// From a section as the profile reader gives it ("key=value" lines, each
// ended by a zero); keys that are not 16 hexadecimal digits are passed
// over. False when memory runs out (the set is then empty).
bool readSkipSet(const char* section, size_t length, SkipSet* set);
void freeSkipSet(SkipSet* set);

// Whether the picture (its full path, UTF-8) is in the set.
bool isSkipped(const SkipSet& set, const char* path);

#endif
