// Where a folder entry stands, kept so that photos added, removed and
// renamed while the changer runs move nothing: in list order the place is
// the picture shown last, by its path below the folder, and the next is the
// first path after it; in the fair random order a round orders the
// pictures by a keyed hash of that path, and the next is the one whose hash
// comes next after the hash shown last. Either state is a few dozen bytes,
// however large the folder.
#ifndef VISTRELL_FOLDERPLACE_H
#define VISTRELL_FOLDERPLACE_H

#include <stddef.h>
#include <stdint.h>

// Orders paths below a folder as every Windows sorts them alike: bytes
// after folding A to Z, then (names that differ in case only) the bytes
// themselves. Less than, equal to or greater than zero, as strcmp.
int comparePicturePaths(const char* a, const char* b);

// The index in order (count paths, sorted by comparePicturePaths) of the
// first path after last; the first of all when none comes after it, or
// when last is empty.
uint32_t nextInListOrder(const char* const* order, uint32_t count, const char* last);

// A round of the fair random order: its key (0 for no round) and the hash
// under that key of the picture shown last.
struct PictureRound {
    uint64_t seed;
    uint64_t last;
};

// The picture's place in a round: a keyed hash of its path below the folder.
uint64_t roundHash(const char* path, uint64_t seed);

// The next picture of the round among count paths (in any order): the one
// with the smallest hash above the last one shown. When none is left a new
// round starts from freshSeed (another seed follows where that one would
// open with the picture shown last). Every order of the pictures is equally
// likely in a round, none comes twice in it, a picture added during it
// comes in it or the next, and one taken away is simply not there.
uint32_t nextInRound(const char* const* paths, uint32_t count, PictureRound* round, uint64_t freshSeed);

// The key of a path in a section of paths ("Folders", "Skip"): a hash of
// the path in one letter case, as 16 hexadecimal digits. A path may hold
// "=" or begin with ";", which a key cannot.
const size_t PATH_KEY_SIZE = 17;
void pathKey(const char* path, char* key);
uint64_t pathHash(const char* path);

// A folder's state as section "Folders" keeps it, one key per folder: the
// value begins with the path itself, so that two folders whose keys collide
// are told apart: "folder|place|seed:last", the place escaped (escapedtext.h,
// as a part of a value), the round in hexadecimal or empty.

// Room for a value: a folder of the list (99 characters), a place of up to
// PLACE_SIZE - 1 bytes escaped, and the round.
const size_t PLACE_SIZE = 800;
const size_t FOLDER_STATE_TEXT = 100 + 1 + 3 * PLACE_SIZE + 1 + 34;
void formatFolderState(const char* folder, const char* place, const PictureRound& round, char* text);

// Reads a value back; false when it is of another folder (letter case
// aside) or does not parse. place holds PLACE_SIZE bytes.
bool parseFolderState(const char* text, size_t length, const char* folder, char* place, PictureRound* round);

// The folder a value is of: the length of the path before its first '|',
// or 0 for a value that has none.
size_t folderOfState(const char* text, size_t length);

#endif
