// The fair random order: every entry once before any repeats, and within a
// folder every picture once. The state of both rounds is kept in the
// settings file as short texts, read and written around each change.
#ifndef VISTRELL_SHUFFLE_H
#define VISTRELL_SHUFFLE_H

#include "keys.h"

#include <stddef.h>
#include <stdint.h>

// The entries' round: which of the list's entries were shown, for the list
// whose fingerprint it holds, and the one shown last.
const int ROUND_WORDS = (RANDOM_SCAN_LIMIT + 31) / 32;
struct EntryRound {
    uint32_t shown[ROUND_WORDS];
    uint32_t fingerprint;
    int last;  // -1 for none
};

// Its text: the bit set in hexadecimal (the first digit holds entries 0 to
// 3, entry 0 in its lowest bit), the list's fingerprint and the last entry,
// as "b:1f3a9c02:1". Large enough for RANDOM_SCAN_LIMIT entries.
const int ENTRY_ROUND_TEXT = RANDOM_SCAN_LIMIT / 4 + 24;
void formatEntryRound(const EntryRound& round, int count, char* text);

// Reads a text back for a list of count entries with the given fingerprint;
// a text that does not parse, or was written for another list, gives a new
// round.
void parseEntryRound(const char* text, size_t length, int count, uint32_t fingerprint, EntryRound* round);

// Draws an entry not yet shown in the round (draw is any random number) and
// marks it. Once all are shown a new round starts, whose first entry is not
// the one shown last.
int drawFromEntryRound(EntryRound* round, int count, uint32_t draw);

// A folder's round: a position in the permutation of its pictures that the
// seed picks, for the content whose fingerprint it holds.
struct FolderRound {
    uint32_t seed;
    uint32_t position;
    uint32_t fingerprint;
};

// Its text: "seed:position:fingerprint" in hexadecimal.
const int FOLDER_ROUND_TEXT = 32;
void formatFolderRound(const FolderRound& round, char* text);
// False when the text does not parse.
bool parseFolderRound(const char* text, size_t length, FolderRound* round);

// The picture (0..count-1) that comes next in a folder of count pictures
// with the given fingerprint, advancing the round. A round of other content,
// or one that has ended, starts again with freshSeed; the new round does not
// begin with the picture the old one ended with.
uint32_t nextInFolderRound(FolderRound* round, uint32_t count, uint32_t fingerprint, uint32_t freshSeed);

#endif
